// The program itself with a radio it runs: its rigctld ends with it when the desktop ends the
// program (SIGTERM) and when the program is killed outright (SIGKILL).

#include "base/ini_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>

using namespace vireo;

namespace {

// The children of a process named rigctld, from /proc.
QList<qint64> rigctldChildren(qint64 parent)
{
    QList<qint64> found;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &p : pids) {
        bool numeric = false;
        const qint64 pid = p.toLongLong(&numeric);
        if (!numeric)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray s = stat.readAll();
        const int open = s.indexOf('('), close = s.lastIndexOf(')');
        if (open < 0 || close < 0)
            continue;
        const QList<QByteArray> rest = s.mid(close + 2).split(' ');
        if (s.mid(open + 1, close - open - 1) == "rigctld" && rest.size() > 1 && rest[1].toLongLong() == parent
            && rest[0] != "Z")
            found << pid;
    }
    return found;
}

// Gone, or a zombie that nobody in this container reaps.
bool processGone(qint64 pid)
{
    if (::kill(pid_t(pid), 0) != 0)
        return errno == ESRCH;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray s = stat.readAll();
    return s.mid(s.lastIndexOf(')') + 2, 1) == "Z";
}

// Whether the process has a handler for the signal (SigCgt of /proc/PID/status).
bool catches(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

} // namespace

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
        QTRY_COMPARE_WITH_TIMEOUT(rigctldChildren(pid).size(), 1, 20000);
        const qint64 child = rigctldChildren(pid).first();
        // SIGTERM is meant for a program that has finished starting and handles it.
        QTRY_VERIFY_WITH_TIMEOUT(catches(pid, SIGTERM), 20000);

        ::kill(pid_t(pid), signal);
        QVERIFY(vireo.waitForFinished(20000));
        if (signal == SIGTERM) {
            QCOMPARE(vireo.exitStatus(), QProcess::NormalExit);
            QCOMPARE(vireo.exitCode(), 0);
        }
        QTRY_VERIFY_WITH_TIMEOUT(processGone(child), 10000);
        // The settings of the radio are still there after the program's end.
        QCOMPARE(IniFile(dir.filePath("settings.ini")).readString("Rig", "Kind1", ""), QStringLiteral("own"));
    }
};

QTEST_GUILESS_MAIN(TestRigProcess)
#include "tst_rig_process.moc"
