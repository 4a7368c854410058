// A settings file that is binary, huge or read-only: the program starts with its defaults, and a
// file it cannot write is named in a message instead of being lost silently.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "support/scripted_services.h"

#include <QFile>
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
        QByteArray huge = "[MySetting]\r\nCall=UA1ABC\r\n";
        huge += QByteArray(int(IniFile::MaxFileSize) + 10, 'x');
        QTest::newRow("huge") << huge;
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
