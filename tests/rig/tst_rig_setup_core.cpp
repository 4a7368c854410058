// The rules behind the rig set-up window: Hamlib's model list and its search, the serial devices
// offered, the reasons a radio that Vireo runs is not on line, and the rigctld processes it runs.

#include "rig/hamlib_models.h"
#include "rig/model_list_loader.h"
#include "rig/pty_pair.h"
#include "rig/rig_check.h"
#include "rig/rig_problem.h"
#include "rig/rigctld_client.h"
#include "rig/rigctld_process.h"
#include "rig/rigctld_supervisor.h"
#include "rig/serial_devices.h"
#include "support/processes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vireo;
using rig::RigProblem;

namespace {

// A rigctld killed is sometimes answering again only after some 15 s (its restart on the same port);
// the waits give it room beyond that.
constexpr int Wait = 40000;

RadioSetup dummy()
{
    RadioSetup s;
    s.kind = RadioKind::Own;
    s.model = 1;
    s.explicitKind = true;
    return s;
}

// One command to a rigctld; the reply's first line.
QByteArray ask(quint16 port, const QByteArray &line)
{
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!s.waitForConnected(3000))
        return QByteArray();
    s.write(line + '\n');
    QByteArray reply;
    while (!reply.contains('\n') && s.waitForReadyRead(3000))
        reply += s.readAll();
    return reply.left(reply.indexOf('\n'));
}

// What the supervisor knows, for a failure's message.
QString state(const RigctldProcess &p)
{
    return QStringLiteral("port %1, pid %2, %3 starts, pause %4 ms, problem \"%5\", rigctld wrote:\n%6")
        .arg(p.port())
        .arg(p.pid())
        .arg(p.starts())
        .arg(p.restartPauseMs())
        .arg(p.problemText(), p.output().right(1500));
}

// Whether the rigctld answers: once it has, that stands. The wait macros evaluate their check
// again after it held, and a second question right after a restart may find the connection
// closed, which is not what the wait is about.
struct Answered {
    bool yes = false;
    bool operator()(quint16 port) { return yes || (yes = ask(port, "f") == "145000000"); }
};

// Kills the rigctld and waits until the one started after it answers; *pause: how long the
// process waited before starting it.
void killAndWaitForNext(RigctldProcess &p, int *pause)
{
    const qint64 pid = p.pid();
    ::kill(pid_t(pid), SIGKILL);
    QTRY_VERIFY2_WITH_TIMEOUT(p.restartPauseMs() > 0, qPrintable(state(p)), Wait);
    *pause = p.restartPauseMs();
    Answered answered;
    QTRY_VERIFY2_WITH_TIMEOUT(answered.yes || (p.pid() != 0 && p.pid() != pid && answered(p.port())),
                              qPrintable(state(p)), Wait);
}

// "rigctl -l" through the loader, as the set-up window runs it.
struct Listing {
    bool answered = false; // loaded() came
    bool inStart = false; // loaded() came from within start()
    QList<rig::HamlibModel> models;
    QString error;
};

Listing listModels(const QString &rigctl = QStringLiteral("rigctl"))
{
    rig::ModelListLoader loader;
    QSignalSpy loaded(&loader, &rig::ModelListLoader::loaded);
    Listing l;
    loader.start(rigctl);
    l.inStart = !loaded.isEmpty();
    l.answered = l.inStart || loaded.wait(Wait);
    if (l.answered) {
        l.models = loaded.first().at(0).value<QList<rig::HamlibModel>>();
        l.error = loaded.first().at(1).toString();
    }
    return l;
}

} // namespace

class TestRigSetupCore : public QObject {
    Q_OBJECT
private slots:
    // The table of rigctl -l: the real one of the installed Hamlib, and lines that push columns.
    void modelList()
    {
        const Listing listing = listModels();
        QVERIFY(listing.answered && !listing.inStart);
        const QList<rig::HamlibModel> &models = listing.models;
        QVERIFY2(models.size() > 200, qPrintable(listing.error));
        QVERIFY(listing.error.isEmpty());
        const rig::HamlibModel *dummy = rig::findModel(models, 1);
        QVERIFY(dummy);
        QCOMPARE(dummy->maker, QStringLiteral("Hamlib"));
        QCOMPARE(dummy->model, QStringLiteral("Dummy"));
        const rig::HamlibModel *ic7300 = rig::findModel(models, 3073);
        QVERIFY(ic7300);
        QCOMPARE(ic7300->displayText(), QStringLiteral("Icom IC-7300 (3073)"));
        // Names with blanks stay whole.
        const rig::HamlibModel *mkv = rig::findModel(models, 1004);
        QVERIFY(mkv);
        QCOMPARE(mkv->model, QStringLiteral("MARK-V FT-1000MP"));
        for (const rig::HamlibModel &m : models)
            QVERIFY2(!m.maker.isEmpty() && !m.model.isEmpty() && !m.status.isEmpty(), qPrintable(m.displayText()));

        const QString table = QStringLiteral(
            " Rig #  Mfg                    Model                   Version         Status      Macro\n"
            "     1  Hamlib                 Dummy                   20221128.0      Stable      RIG_MODEL_DUMMY\r\n"
            " 32003  Barrett                4050                    20220113.0f     Stable      "
            "RIG_MODEL_BARRETT_4050\n"
            "  2048  Radio Shack            PRO-2052                20200113.0      Untested    RIG_MODEL_PRO2052\n"
            "garbage line\n"
            "\n");
        const QList<rig::HamlibModel> parsed = rig::parseModelList(table);
        QCOMPARE(parsed.size(), 3);
        QCOMPARE(parsed[1].id, 32003);
        QCOMPARE(parsed[1].model, QStringLiteral("4050"));
        QCOMPARE(parsed[1].version, QStringLiteral("20220113.0f"));
        QCOMPARE(parsed[2].maker, QStringLiteral("Radio Shack"));
        QCOMPARE(parsed[2].status, QStringLiteral("Untested"));

        // A rigctl that cannot run leaves the list empty and says why, from the event loop too.
        const Listing missing = listModels(QStringLiteral("/nonexistent/rigctl"));
        QVERIFY(missing.answered && !missing.inStart);
        QVERIFY(missing.models.isEmpty());
        QVERIFY(missing.error.contains(QStringLiteral("libhamlib-utils")));
    }

    void modelSearch()
    {
        const rig::HamlibModel ic{3073, QStringLiteral("Icom"), QStringLiteral("IC-7300"), {}, {}};
        const rig::HamlibModel ft{1036, QStringLiteral("Yaesu"), QStringLiteral("FT-817"), {}, {}};
        QVERIFY(rig::modelMatches(ic, QString()));
        QVERIFY(rig::modelMatches(ic, QStringLiteral("icom")));
        QVERIFY(rig::modelMatches(ic, QStringLiteral("  ICOM   7300 ")));
        QVERIFY(rig::modelMatches(ic, QStringLiteral("3073")));
        QVERIFY(!rig::modelMatches(ic, QStringLiteral("icom 817")));
        QVERIFY(!rig::modelMatches(ft, QStringLiteral("icom")));
        QVERIFY(rig::modelMatches(ft, QStringLiteral("ft-8")));

        const QList<rig::HamlibModel> models = listModels().models;
        int icom = 0;
        for (const rig::HamlibModel &m : models) {
            if (rig::modelMatches(m, QStringLiteral("icom"))) {
                ++icom;
                QCOMPARE(m.maker, QStringLiteral("Icom"));
            }
        }
        QVERIFY(icom > 30);
    }

    // /dev/serial/by-id first, then ttyUSB and ttyACM in number order; nothing else.
    void serialDeviceList()
    {
        QTemporaryDir root;
        QDir(root.path()).mkpath(QStringLiteral("dev/serial/by-id"));
        auto touch = [&root](const QString &name) {
            QFile f(root.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        };
        touch(QStringLiteral("dev/ttyUSB10"));
        touch(QStringLiteral("dev/ttyUSB2"));
        touch(QStringLiteral("dev/ttyACM0"));
        touch(QStringLiteral("dev/ttyS0"));
        touch(QStringLiteral("dev/sda"));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("dev/ttyUSB2")),
                            root.filePath(QStringLiteral("dev/serial/by-id/usb-Silicon_Labs_CP2102-if00-port0"))));
        const QStringList found = rig::serialDevices(root.path());
        const QString d = root.filePath(QStringLiteral("dev/"));
        QCOMPARE(found, (QStringList{d + "serial/by-id/usb-Silicon_Labs_CP2102-if00-port0", d + "ttyUSB2",
                                     d + "ttyUSB10", d + "ttyACM0"}));
        QCOMPARE(rig::deviceTarget(found[0]), QFileInfo(d + "ttyUSB2").canonicalFilePath());
        QVERIFY(rig::deviceTarget(found[1]).isEmpty());
        QVERIFY(rig::serialDevices(root.filePath(QStringLiteral("nothing"))).isEmpty());
    }

    // What the listener reads, from an errno and from rigctld's own words.
    void reasons()
    {
        QCOMPARE(rig::problemFromErrno(0), RigProblem::None);
        QCOMPARE(rig::problemFromErrno(ENOENT), RigProblem::NoDevice);
        QCOMPARE(rig::problemFromErrno(EACCES), RigProblem::NoPermission);
        QCOMPARE(rig::problemFromErrno(EPERM), RigProblem::NoPermission);
        QCOMPARE(rig::problemFromErrno(EBUSY), RigProblem::DeviceBusy);
        QCOMPARE(rig::problemFromErrno(EIO), RigProblem::NoAnswer);

        // As Hamlib 4.5 writes them with -vv.
        QCOMPARE(rig::problemFromLog(
                     QStringLiteral("serial_open: Unable to open /dev/ttyUSB0 - Permission denied\n"
                                    "port_open: serial_open(/dev/ttyUSB0) status=-6, err=Permission denied\n")),
                 RigProblem::NoPermission);
        QCOMPARE(rig::problemFromLog(
                     QStringLiteral("serial_open: Unable to open /dev/nonexist - No such file or directory\n")),
                 RigProblem::NoDevice);
        QCOMPARE(rig::problemFromLog(
                     QStringLiteral("read_string_generic(): Timed out 1.004 seconds after 0 chars, direct=1\n"
                                    "    4:frame.c(294):icom_one_transaction returning(-5) Communication timed out\n")),
                 RigProblem::NoAnswer);
        // The last word counts: the port was missing, then the radio was plugged in but is silent.
        QCOMPARE(rig::problemFromLog(QStringLiteral("Unable to open /dev/x - No such file or directory\n"
                                                    "returning(-5) Communication timed out\n")),
                 RigProblem::NoAnswer);
        QCOMPARE(rig::problemFromLog(QStringLiteral("Opened rig model 1, 'Dummy'\n")), RigProblem::None);

        const QString perm = rig::problemText(RigProblem::NoPermission, QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(perm.contains(QStringLiteral("/dev/ttyUSB0")));
        QVERIFY(perm.contains(QStringLiteral("\nsudo usermod -aG dialout $USER\n")));
        QVERIFY(rig::problemText(RigProblem::NotInstalled, QString())
                    .contains(QStringLiteral("sudo apt install libhamlib-utils")));
        QVERIFY(rig::problemText(RigProblem::NoDevice, QStringLiteral("/dev/ttyACM0"))
                    .contains(QStringLiteral("/dev/ttyACM0")));
        QVERIFY(rig::problemText(RigProblem::None, QString()).isEmpty());
    }

    // The access check itself on a real serial device without permission. Root may open any
    // device, so the check runs in a child process that has become user nobody.
    void permissionOfARealDevice()
    {
        if (!test::PtyPair::available())
            QSKIP("socat is not installed");
        test::PtyPair pty;
        QVERIFY(pty.start());
        QCOMPARE(rig::deviceAccessError(pty.device()), 0);
        QVERIFY(::chmod(QFile::encodeName(pty.node()).constData(), 0) == 0);
        QCOMPARE(rig::deviceAccessError(QStringLiteral("/dev/no-such-radio")), ENOENT);

        int err = -1;
        if (::geteuid() != 0) {
            err = rig::deviceAccessError(pty.device());
        } else {
            const QByteArray path = QFile::encodeName(pty.device());
            // The temporary folder must be passable for nobody.
            ::chmod(QFile::encodeName(QFileInfo(pty.device()).path()).constData(), 0755);
            const pid_t child = ::fork();
            if (child == 0) {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                    ::_exit(200);
                ::_exit(rig::deviceAccessError(path));
            }
            int status = 0;
            QVERIFY(::waitpid(child, &status, 0) == child);
            QVERIFY(WIFEXITED(status));
            QVERIFY2(WEXITSTATUS(status) != 200, "could not become user nobody");
            err = WEXITSTATUS(status);
        }
        QCOMPARE(err, EACCES);
        QCOMPARE(rig::problemFromErrno(err), RigProblem::NoPermission);
    }

    // Vireo's own rigctld: started on a free loopback port, started again when killed, ended by
    // stop() and by its owner's end.
    void supervisesRigctld()
    {
        RigProcessSeam seam;
        RigctldProcess p(dummy(), seam);
        QSignalSpy ports(&p, &RigctldProcess::portChanged);
        p.start();
        QVERIFY(p.port() != 0);
        QCOMPARE(ports.size(), 1);
        Answered answered1;
        QTRY_VERIFY2_WITH_TIMEOUT(answered1(p.port()), qPrintable(state(p)), Wait);
        const qint64 first = p.pid();
        QVERIFY(first > 0);
        QCOMPARE(p.problem(), RigProblem::None);
        QCOMPARE(RigctldProcess::arguments(dummy(), 4600),
                 (QStringList{"-m", "1", "-T", "127.0.0.1", "-t", "4600", "-vv"}));

        ::kill(pid_t(first), SIGKILL);
        QTRY_VERIFY2_WITH_TIMEOUT(p.pid() != 0 && p.pid() != first, qPrintable(state(p)), Wait);
        Answered answered2;
        QTRY_VERIFY2_WITH_TIMEOUT(answered2(p.port()), qPrintable(state(p)), Wait);
        QCOMPARE(p.starts(), 2);
        QCOMPARE(ports.size(), 1); // the same port again
        QVERIFY(test::processGone(first));

        const qint64 second = p.pid();
        p.stop();
        QCOMPARE(p.pid(), qint64(0));
        QVERIFY(test::processGone(second));
        QCOMPARE(p.restartPauseMs(), 0); // stopped means stopped: no start is due
        QCOMPARE(p.starts(), 2);

        qint64 third = 0;
        {
            RigctldProcess q(dummy(), seam);
            q.start();
            QTRY_VERIFY_WITH_TIMEOUT(q.pid() != 0, Wait);
            third = q.pid();
        }
        QVERIFY(test::processGone(third));
    }

    // A rigctld that ran long enough before it died is started again at once, the run measured
    // on the monotonic clock (here the test's own), never on the wall clock that Vireo sets.
    void healthyRunOnTheMonotonicClock()
    {
        qint64 monotonic = 1000000;
        RigProcessSeam seam;
        seam.monotonicMs = [&monotonic] { return monotonic; };
        RigctldProcess p(dummy(), seam);
        p.start();
        Answered answered3;
        QTRY_VERIFY2_WITH_TIMEOUT(answered3(p.port()), qPrintable(state(p)), Wait);
        // The pause after a kill, once the new rigctld answers.
        int pause = -1;
        // Died at once, twice: the pause grows.
        killAndWaitForNext(p, &pause);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pause, RigctldProcess::FirstRestartMs);
        killAndWaitForNext(p, &pause);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pause, RigctldProcess::FirstRestartMs * 2);
        // Half a minute passes on the monotonic clock: the run was healthy, the pause short again.
        monotonic += 31000;
        killAndWaitForNext(p, &pause);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pause, RigctldProcess::FirstRestartMs);
    }

    // A rigctld that Vireo starts may take its time to listen; that allowance runs out after
    // its length on the monotonic clock, however little or much the wall clock has moved.
    void startPatienceOnTheMonotonicClock()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A real rigctld that begins listening only after a long pause, as one opening a slow radio.
        const QString slow = dir.filePath(QStringLiteral("slow-rigctld"));
        {
            QFile f(slow);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\nsleep 10 && exec rigctld \"$@\"\n");
        }
        QVERIFY(QFile::setPermissions(slow, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qint64 monotonic = 5000000;
        RigProcessSeam seam;
        seam.program = slow;
        seam.monotonicMs = [&monotonic] { return monotonic; };
        RigctldSettings settings;
        settings.radio[0] = dummy();
        RigctldServer server(settings, seam);
        QSignalSpy unreachable(&server, &RigServer::serverUnreachable);
        server.start();
        QVERIFY(server.process(1)->pid() > 0);
        // Refused connections while it starts are no failure yet.
        QVERIFY(!unreachable.wait(1000));
        // The allowance has passed on the monotonic clock: the next refused attempt says so,
        // long before the slow rigctld would listen.
        monotonic += RigctldServer::OwnStartPatienceMs + 1;
        QTRY_COMPARE_WITH_TIMEOUT(unreachable.size(), 1, 6000);
        QVERIFY(server.unreachableReason().startsWith(
            QStringLiteral("Радио 1 (модель Hamlib 1, rigctld запускает Vireo): ")));
    }

    // Why it cannot run: no rigctld, no device, no permission; a device that turns up is used.
    void reasonsBeforeStart()
    {
        RigProcessSeam missingProgram;
        missingProgram.program = QStringLiteral("/nonexistent/rigctld");
        RigctldProcess a(dummy(), missingProgram);
        a.start();
        QCOMPARE(a.problem(), RigProblem::NotInstalled);
        QCOMPARE(a.pid(), qint64(0));

        RadioSetup setup = dummy();
        setup.device = QDir::temp().filePath(QStringLiteral("vireo-no-such-port-%1").arg(::getpid()));
        RigctldProcess b(setup, RigProcessSeam());
        b.start();
        QCOMPARE(b.problem(), RigProblem::NoDevice);
        QVERIFY(b.problemText().contains(setup.device));
        QCOMPARE(b.pid(), qint64(0));
        // The radio is plugged in (the dummy does not open its port): rigctld starts by itself.
        {
            QFile f(setup.device);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QTRY_VERIFY_WITH_TIMEOUT(b.pid() != 0, Wait);
        b.stop();
        QFile::remove(setup.device);

        RigProcessSeam denied;
        QStringList asked;
        denied.deviceAccess = [&asked](const QString &device) {
            asked << device;
            return EACCES;
        };
        setup.device = QStringLiteral("/dev/ttyUSB0");
        RigctldProcess c(setup, denied);
        c.start();
        QCOMPARE(asked, QStringList{QStringLiteral("/dev/ttyUSB0")});
        QCOMPARE(c.problem(), RigProblem::NoPermission);
        QVERIFY(c.problemText().contains(rig::dialoutCommand()));
    }

    // "Проверить": a dummy radio answers with its frequency and mode; a silent radio on a serial
    // port gives the plain reason. The check's own rigctld ends with it.
    void checks()
    {
        RigCheck ok(dummy(), RigProcessSeam());
        QSignalSpy done(&ok, &RigCheck::finished);
        ok.start();
        QVERIFY(ok.running());
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, Wait);
        QCOMPARE(done[0][0].toBool(), true);
        QCOMPARE(done[0][1].toString(), QStringLiteral("Радио отвечает: 145 000 кГц, FM (Hamlib Dummy)"));
        QVERIFY(!ok.running());

        if (!test::PtyPair::available())
            QSKIP("socat is not installed");
        test::PtyPair pty;
        QVERIFY(pty.start());
        RadioSetup silent;
        silent.kind = RadioKind::Own;
        silent.model = 3073; // Icom IC-7300; nobody answers on the far end
        silent.device = pty.device();
        silent.speed = 115200;
        RigCheck no(silent, RigProcessSeam());
        QSignalSpy failed(&no, &RigCheck::finished);
        no.start();
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 30000);
        QCOMPARE(failed[0][0].toBool(), false);
        // It names the radio as set up, then the plain reason.
        QVERIFY2(failed[0][1].toString().startsWith(QStringLiteral("Радио 1 (модель Hamlib 3073, порт ") + pty.device()
                                                    + QStringLiteral(", rigctld запускает Vireo): Радио не отвечает")),
                 qPrintable(failed[0][1].toString()));
    }
};

QTEST_GUILESS_MAIN(TestRigSetupCore)
#include "tst_rig_setup_core.moc"
