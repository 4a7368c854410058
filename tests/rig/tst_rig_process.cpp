// The program itself with a radio it runs: its rigctld ends with it when the desktop ends the
// program (SIGTERM) and when the program is killed outright (SIGKILL).

#include "base/ini_file.h"
#include "support/processes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace vireo;

class TestRigProcess : public QObject {
    Q_OBJECT
private slots:
    void endsWithTheProgram_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGKILL") << int(SIGKILL);
    }

    void endsWithTheProgram()
    {
        QFETCH(int, signal);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(VIREO_EXECUTABLE), dir.filePath("vireo")));
        {
            IniFile ini(dir.filePath("settings.ini"));
            ini.writeString("MySetting", "Call", "UA1ABC");
            ini.writeString("MySetting", "Contest", "RDXC");
            ini.writeString("Rig", "Kind1", "own");
            ini.writeInteger("Rig", "Model1", 1);
            ini.writeString("Rig", "Kind2", "none");
        }
        QProcess vireo;
        vireo.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        vireo.setProcessEnvironment(env);
        vireo.setProcessChannelMode(QProcess::ForwardedChannels);
        vireo.start(dir.filePath("vireo"), {});
        QVERIFY(vireo.waitForStarted());
        const qint64 pid = vireo.processId();
        QTRY_COMPARE_WITH_TIMEOUT(test::childrenNamed(pid, "rigctld").size(), 1, 20000);
        const qint64 child = test::childrenNamed(pid, "rigctld").first();
        // SIGTERM is meant for a program that has finished starting and handles it.
        QTRY_VERIFY_WITH_TIMEOUT(test::catchesSignal(pid, SIGTERM), 20000);

        ::kill(pid_t(pid), signal);
        QVERIFY(vireo.waitForFinished(20000));
        if (signal == SIGTERM) {
            QCOMPARE(vireo.exitStatus(), QProcess::NormalExit);
            QCOMPARE(vireo.exitCode(), 0);
        }
        QTRY_VERIFY_WITH_TIMEOUT(test::processGone(child), 10000);
        // The settings of the radio are still there after the program's end.
        QCOMPARE(IniFile(dir.filePath("settings.ini")).readString("Rig", "Kind1", ""), QStringLiteral("own"));
    }
};

QTEST_GUILESS_MAIN(TestRigProcess)
#include "tst_rig_process.moc"
