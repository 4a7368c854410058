// The about box and the Help menu: texts, link colours under the mouse, links and the manual
// handed to the desktop through the shell seam.

#include "about/ui/taboutbox.h"
#include "app/program.h"
#include "app/tmain.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace vireo;
using namespace vireo::test;

namespace {

QColor textColour(const QLabel *l)
{
    return l->palette().color(QPalette::WindowText);
}

void hover(QLabel *l, bool enter)
{
    if (enter) {
        QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(l, &e);
    } else {
        QEvent e(QEvent::Leave);
        QCoreApplication::sendEvent(l, &e);
    }
}

class RefusingShell : public RecordingShell {
public:
    bool openUrl(const QUrl &url) override
    {
        RecordingShell::openUrl(url);
        return false;
    }
};

// Runs the test in its own working directory and comes back afterwards.
struct WorkingDirectory {
    QString old = QDir::currentPath();
    explicit WorkingDirectory(const QString &dir) { QDir::setCurrent(dir); }
    ~WorkingDirectory() { QDir::setCurrent(old); }
};

} // namespace

class TestAboutBox : public QObject {
    Q_OBJECT
private slots:
    void texts()
    {
        TestContext t;
        TAboutBox box(t.context);
        QCOMPARE(box.objectName(), QStringLiteral("AboutBox"));
        QCOMPARE(box.windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(box.ProductName->text(), QStringLiteral("Vireo"));
        QCOMPARE(textColour(box.ProductName), QColor(Qt::blue));
        QVERIFY(box.ProductName->font().pointSizeF() > box.Version->font().pointSizeF());
        QCOMPARE(box.Version->text(), QStringLiteral("Version: 1.5.0.1     01.2017"));
        QCOMPARE(box.Label2->text(), TAboutBox::WebSite);
        QCOMPARE(box.Label1->text(), QStringLiteral("contact: ") + TAboutBox::Email);
        QCOMPARE(box.Comments->text(), QStringLiteral("Программа для ведения лога наблюдений в соревнованиях на КВ, "
                                                      "УКВ диапазонах и составления отчета"));
        QVERIFY(box.Comments->wordWrap());
        QCOMPARE(box.OKButton->text(), QStringLiteral("OK"));
        QVERIFY(box.OKButton->isDefault());
        for (QLabel *link : {box.Label1, box.Label2}) {
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(textColour(link), QColor(Qt::blue));
        }
        // Fixed size: the layout pins it.
        box.show();
        QCOMPARE(box.minimumSize(), box.maximumSize());
    }

    void linksUnderTheMouse()
    {
        TestContext t;
        TAboutBox box(t.context);
        box.show();
        hover(box.Label2, true);
        QCOMPARE(textColour(box.Label2), QColor(Qt::red));
        QCOMPARE(textColour(box.Label1), QColor(Qt::blue));
        hover(box.Label2, false);
        QCOMPARE(textColour(box.Label2), QColor(Qt::blue));

        // Clicking while red opens the link.
        hover(box.Label1, true);
        QCOMPARE(textColour(box.Label1), QColor(Qt::red));
        QTest::mouseClick(box.Label1, Qt::LeftButton);
        hover(box.Label1, false);
        QCOMPARE(textColour(box.Label1), QColor(Qt::blue));
        QTest::mouseClick(box.Label2, Qt::LeftButton);
        QTest::mouseClick(box.Label2, Qt::RightButton); // only the left button opens
        QCOMPARE(t.shell->opened,
                 (QList<QUrl>{QUrl(QStringLiteral("mailto:") + TAboutBox::Email), QUrl(TAboutBox::WebSite)}));
        QCOMPARE(t.shell->opened[0].scheme(), QStringLiteral("mailto"));
        QVERIFY(t.shell->opened[1].isValid());
        QVERIFY(t.prompts->shown.isEmpty());

        QTest::mouseClick(box.OKButton, Qt::LeftButton);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }

    void helpMenu()
    {
        TestContext t;
        QDir(t.dir.path()).mkdir(QStringLiteral("work"));
        const QString work = t.path(QStringLiteral("work"));
        WorkingDirectory cd(work);
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);

        // About: the box, modally.
        ui.N6->trigger();
        QCOMPARE(t.prompts->shown.size(), 1);
        QCOMPARE(t.prompts->shown[0].kind, QStringLiteral("modal"));
        QCOMPARE(t.prompts->shown[0].caption, QStringLiteral("AboutBox"));
        t.prompts->shown.clear();

        // No manual in the working directory: our own notice, nothing handed to the desktop.
        ui.N5->trigger();
        QVERIFY(t.shell->opened.isEmpty());
        QCOMPARE(t.prompts->texts(QStringLiteral("warning")).size(), 1);
        QVERIFY(t.prompts->texts(QStringLiteral("warning"))[0].contains(QStringLiteral("manual.pdf")));

        // With the manual there: opened from the working directory.
        QFile f(QDir(work).filePath(QStringLiteral("manual.pdf")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n");
        f.close();
        t.prompts->shown.clear();
        ui.N5->trigger();
        QCOMPARE(t.shell->opened, QList<QUrl>{QUrl::fromLocalFile(QDir(work).filePath(QStringLiteral("manual.pdf")))});
        QVERIFY(t.prompts->shown.isEmpty());
    }

    void manualWithoutAViewer()
    {
        TestContext t;
        auto shell = std::make_shared<RefusingShell>();
        t.context.services.shell = shell;
        WorkingDirectory cd(t.dir.path());
        QFile f(t.path(QStringLiteral("manual.pdf")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        Program p(t.context);
        p.main().N5Click();
        QCOMPARE(shell->opened.size(), 1);
        const QStringList w = t.prompts->texts(QStringLiteral("warning"));
        QCOMPARE(w.size(), 1);
        QVERIFY2(w[0].contains(QStringLiteral("Не удалось открыть")), qPrintable(w[0]));
    }
};

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
