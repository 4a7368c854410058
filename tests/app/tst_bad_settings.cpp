// A settings file that is binary, huge or read-only: the program starts with its defaults, and a
// file it cannot write is named in a message instead of being lost silently.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtTest>

using namespace vireo;

class TestBadSettings : public QObject {
    Q_OBJECT
private slots:
    void binaryAndHugeFilesGiveDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QByteArray binary(64 * 1024, '\0');
        QRandomGenerator gen(42);
        for (char &c : binary)
            c = char(gen.bounded(256));
        binary.replace('=', '\0');
        QTest::newRow("binary") << binary;
        QTest::newRow("lines of equals") << QByteArray(100000, '=');
    }
    void binaryAndHugeFilesGiveDefaults()
    {
        QFETCH(QByteArray, content);
        test::TestContext t;
        {
            QFile f(t.context.settingsPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        Program p(t.context);
        TMain &m = p.main();
        QCOMPARE(m.myCall, QString());
        QCOMPARE(m.numRadio, QStringLiteral("1"));
        QCOMPARE(m.layoutFlag, 0);
    }

    // A settings file of many megabytes is read whole, and the exit keeps every line of it.
    void largeFileIsReadWholeAndKeptAtExit()
    {
        test::TestContext t;
        QByteArray text = "[MySetting]\r\nCall=UA1ABC\r\nContest=RDXC\r\n[Notes]\r\n";
        for (int i = 0; text.size() < 4 * 1024 * 1024 + 300 * 1024; ++i) // over the 4 MiB once ignored
            text += "note" + QByteArray::number(i) + "=" + QByteArray(60, 'x') + "\r\n";
        text += "[Main]\r\nSwlDouble=1\r\n";
        {
            QFile f(t.context.settingsPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text);
        }
        {
            Program p(t.context);
            QCOMPARE(p.main().myCall, QStringLiteral("UA1ABC"));
            QVERIFY(test::MainControls(p.main()).N20->isChecked());
        }
        QVERIFY(t.prompts->texts("error").isEmpty());
        QFile f(t.context.settingsPath);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray after = f.readAll();
        QVERIFY(after.size() > text.size());
        QVERIFY(after.startsWith("[MySetting]\r\nCall=UA1ABC\r\nContest=RDXC\r\n"));
        QVERIFY(after.contains(text.mid(40, text.size() - 80)));
    }

    // A file too large to be a settings file is not read, and the exit does not write over it:
    // it says which file it left alone.
    void unreadableFileIsNeverWrittenOver()
    {
        test::TestContext t;
        {
            QFile f(t.context.settingsPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[MySetting]\r\nCall=UA1ABC\r\n");
            QVERIFY(f.resize(IniFile::MaxFileSize + 1)); // sparse: takes no room on the disk
        }
        {
            Program p(t.context);
            QCOMPARE(p.main().myCall, QString());
        }
        const QStringList errors = t.prompts->texts("error");
        QVERIFY(!errors.isEmpty());
        for (const QString &e : errors)
            QVERIFY2(e.contains(t.context.settingsPath), qPrintable(e));
        QCOMPARE(QFileInfo(t.context.settingsPath).size(), IniFile::MaxFileSize + 1);
        QFile f(t.context.settingsPath);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(26), QByteArray("[MySetting]\r\nCall=UA1ABC\r\n"));
    }

    void readOnlyFileIsNamedAtExit()
    {
        test::TestContext t;
        {
            QFile f(t.context.settingsPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[MySetting]\r\nCall=UA1ABC\r\nContest=RDXC\r\n");
        }
        QFile::setPermissions(t.context.settingsPath, QFile::ReadOwner | QFile::ReadGroup);
        {
            Program p(t.context);
            QCOMPARE(p.main().myCall, QStringLiteral("UA1ABC"));
            p.main().myCall = QStringLiteral("UA9XYZ");
        }
        const QStringList errors = t.prompts->texts("error");
        QVERIFY(!errors.isEmpty());
        for (const QString &e : errors)
            QVERIFY2(e.contains(t.context.settingsPath), qPrintable(e));
        QFile::setPermissions(t.context.settingsPath, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(IniFile(t.context.settingsPath).readString("MySetting", "Call", ""), QStringLiteral("UA1ABC"));
    }
};

QTEST_MAIN(TestBadSettings)
#include "tst_bad_settings.moc"
