// The desktop's application for a MIME type and opening a report as text, on a desktop of the
// test's own; nothing is started, the scripted shell only records what it was asked.

#include "base/desktop_apps.h"
#include "support/fake_desktop.h"
#include "support/scripted_services.h"

#include <QTest>
#include <QUrl>

using namespace vireo;
using namespace vireo::desktop;

class TestDesktopApps : public QObject {
    Q_OBJECT
private slots:
    void execLines_data();
    void execLines();
    void whichApplication();
    void openAsTextFallsBackToFolder();
};

void TestDesktopApps::execLines_data()
{
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QStringList>("args");
    const QString file = QStringLiteral("/tmp/my log/R3A.cbr");
    const QString url = QStringLiteral("file:///tmp/my%20log/R3A.cbr");
    QTest::newRow("%F") << "gnome-text-editor %F" << QStringList{"gnome-text-editor", file};
    QTest::newRow("%U as a URL") << "kate -b %U" << QStringList{"kate", "-b", url};
    QTest::newRow("inside an argument") << "ed --file=%f" << QStringList{"ed", "--file=" + file};
    QTest::newRow("no file code: appended") << "mousepad" << QStringList{"mousepad", file};
    QTest::newRow("other codes dropped, %% kept")
        << "xed %i %c %k --rate=50%% %f" << QStringList{"xed", "--rate=50%", file};
    QTest::newRow("quotes and escapes") << R"("/opt/My Editor/ed" "--title=a \"b\" \$c" %f)"
                                        << QStringList{"/opt/My Editor/ed", "--title=a \"b\" $c", file};
    QTest::newRow("blanks between words") << "  leafpad \t  %f  " << QStringList{"leafpad", file};
    QTest::newRow("unclosed quote") << R"("ed %f)" << QStringList();
    QTest::newRow("empty") << "" << QStringList();
}

void TestDesktopApps::execLines()
{
    QFETCH(QString, exec);
    QFETCH(QStringList, args);
    QCOMPARE(execArguments(exec, QStringLiteral("/tmp/my log/R3A.cbr")), args);
}

void TestDesktopApps::whichApplication()
{
    test::FakeDesktop d;
    const QString file = d.root() + QStringLiteral("/R3A.cbr");
    const QString plain = QStringLiteral("text/plain");
    QCOMPARE(commandFor(plain, file, XdgDirs::fromEnvironment()).isValid(), false); // nothing installed

    // An entry that only names the type.
    const QString pad = d.program(QStringLiteral("pad"));
    d.entry(QStringLiteral("pad.desktop"), {"Exec=" + pad + " %U", "MimeType=text/html;text/plain;"});
    Command c = commandFor(plain, file, XdgDirs::fromEnvironment());
    QCOMPARE(c.desktopId, QStringLiteral("pad.desktop"));
    QCOMPARE(QStringList{c.program} + c.arguments, (QStringList{pad, QUrl::fromLocalFile(file).toString()}));

    // The user's default comes first, even for an entry that does not name the type; entries
    // that cannot open the file here are passed over in order.
    const QString editor = d.program(QStringLiteral("editor"));
    d.entry(QStringLiteral("vim.desktop"), {"Exec=" + editor + " %F", "Terminal=true", "MimeType=text/plain;"});
    d.entry(QStringLiteral("gone.desktop"), {"Exec=/nonexistent/editor %F"});
    d.entry(QStringLiteral("tryexec.desktop"), {"TryExec=/nonexistent/editor", "Exec=" + editor + " %F"});
    d.entry(QStringLiteral("hidden.desktop"), {"Exec=" + editor + " %F", "Hidden=true"});
    d.entry(QStringLiteral("mine.desktop"), {"Exec=" + editor + " --new %f"}, true);
    d.association(
        QStringLiteral("Default Applications"), plain,
        QStringLiteral("missing.desktop;vim.desktop;gone.desktop;tryexec.desktop;hidden.desktop;mine.desktop;"));
    c = commandFor(plain, file, XdgDirs::fromEnvironment());
    QCOMPARE(c.desktopId, QStringLiteral("mine.desktop"));
    QCOMPARE(QStringList{c.program} + c.arguments, (QStringList{editor, "--new", file}));
    // Another type's default does not count.
    QCOMPARE(commandFor(QStringLiteral("application/vnd.comicbook-rar"), file, XdgDirs::fromEnvironment()).isValid(),
             false);

    // Without usable defaults, an added association beats a mere MimeType, and a removed one is
    // never offered.
    test::FakeDesktop e;
    const QString a = e.program(QStringLiteral("a"));
    const QString b = e.program(QStringLiteral("b"));
    e.entry(QStringLiteral("a.desktop"), {"Exec=" + a + " %f", "MimeType=text/plain;"});
    e.entry(QStringLiteral("b.desktop"), {"Exec=" + b + " %f"});
    e.association(QStringLiteral("Added Associations"), plain, QStringLiteral("b.desktop;"), true);
    QCOMPARE(commandFor(plain, file, XdgDirs::fromEnvironment()).desktopId, QStringLiteral("b.desktop"));
    e.association(QStringLiteral("Removed Associations"), plain, QStringLiteral("b.desktop;a.desktop"));
    QCOMPARE(commandFor(plain, file, XdgDirs::fromEnvironment()).isValid(), false);
}

void TestDesktopApps::openAsTextFallsBackToFolder()
{
    test::FakeDesktop d;
    const QString file = d.root() + QStringLiteral("/R3A.cbr");
    test::RecordingShell shell;

    // No editor: the file is shown in its folder.
    QVERIFY(openAsText(shell, file));
    QVERIFY(shell.started.isEmpty());
    QVERIFY(shell.opened.isEmpty());
    QCOMPARE(shell.shownInFolder, QStringList{file});

    // An editor: it gets the file, and nothing else happens.
    const QString editor = d.program(QStringLiteral("editor"));
    d.entry(QStringLiteral("editor.desktop"), {"Exec=" + editor + " %F", "MimeType=text/plain;"});
    shell.shownInFolder.clear();
    QVERIFY(openAsText(shell, file));
    QCOMPARE(shell.started, QList<QStringList>{(QStringList{editor, file})});
    QVERIFY(shell.shownInFolder.isEmpty());

    // An editor that does not start: the folder again.
    shell.started.clear();
    shell.startResult = false;
    QVERIFY(openAsText(shell, file));
    QCOMPARE(shell.started.size(), 1);
    QCOMPARE(shell.shownInFolder, QStringList{file});
    QVERIFY(shell.opened.isEmpty());
}

QTEST_GUILESS_MAIN(TestDesktopApps)
#include "tst_desktop_apps.moc"
