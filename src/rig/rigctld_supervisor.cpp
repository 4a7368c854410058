#include "rig/rigctld_supervisor.h"

#include "rig/serial_devices.h"

#include <QFileInfo>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace vireo {

namespace {

constexpr int MaxLogChars = 8192;
// A rigctld that ran this long before it died was working: the next restart is quick again.
constexpr qint64 HealthyRunMs = 30000;

// A loopback port free now; `wish` when it still is.
quint16 freeLoopbackPort(quint16 wish)
{
    QTcpServer probe;
    if (wish != 0 && probe.listen(QHostAddress::LocalHost, wish)) {
        probe.close();
        return wish;
    }
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace

RigctldProcess::RigctldProcess(const RadioSetup &setup, const RigProcessSeam &seam, QObject *parent)
    : QObject(parent), m_setup(setup), m_seam(seam)
{
    m_retry = new QTimer(this);
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, &RigctldProcess::launch);
}

RigctldProcess::~RigctldProcess()
{
    stop();
}

QStringList RigctldProcess::arguments(const RadioSetup &setup, quint16 port)
{
    QStringList args{QStringLiteral("-m"), QString::number(setup.model)};
    if (!setup.device.isEmpty())
        args << QStringLiteral("-r") << setup.device;
    if (setup.speed > 0)
        args << QStringLiteral("-s") << QString::number(setup.speed);
    // Loopback only: the radio is not offered to the network. "-vv" makes rigctld say why it
    // cannot open the radio.
    args << QStringLiteral("-T") << QStringLiteral("127.0.0.1") << QStringLiteral("-t") << QString::number(port)
         << QStringLiteral("-vv");
    return args;
}

qint64 RigctldProcess::pid() const
{
    return m_process && m_process->state() != QProcess::NotRunning ? m_process->processId() : 0;
}

int RigctldProcess::restartPauseMs() const
{
    return m_retry->isActive() ? m_retry->interval() : 0;
}

bool RigctldProcess::programInstalled() const
{
    if (m_seam.program.contains(QLatin1Char('/'))) {
        const QFileInfo f(m_seam.program);
        return f.isFile() && f.isExecutable();
    }
    return !QStandardPaths::findExecutable(m_seam.program).isEmpty();
}

void RigctldProcess::start()
{
    m_wanted = true;
    if (!m_process && !m_retry->isActive())
        launch();
}

void RigctldProcess::retryIn(int ms)
{
    if (m_wanted)
        m_retry->start(ms);
}

void RigctldProcess::launch()
{
    if (!m_wanted || m_process)
        return;
    if (!programInstalled()) {
        setProblem(rig::RigProblem::NotInstalled);
        retryIn(MaxRestartMs); // it may be installed while the program runs
        return;
    }
    if (!m_setup.device.isEmpty()) {
        const int err =
            m_seam.deviceAccess ? m_seam.deviceAccess(m_setup.device) : rig::deviceAccessError(m_setup.device);
        if (err != 0) {
            // A radio switched on or plugged in later is picked up.
            setProblem(rig::problemFromErrno(err));
            retryIn(DeviceRecheckMs);
            return;
        }
    }
    const quint16 port = freeLoopbackPort(m_port);
    if (port == 0) {
        setProblem(rig::RigProblem::Exited);
        retryIn(MaxRestartMs);
        return;
    }

    m_log.clear();
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(m_seam.program);
    m_process->setArguments(arguments(m_setup, port));
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // its messages are matched as text
    m_process->setProcessEnvironment(env);
    const pid_t parent = ::getpid();
    m_process->setChildProcessModifier([parent] {
        // Ended with Vireo, even when Vireo is killed outright.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(1);
    });
    connect(m_process.get(), &QProcess::readyRead, this, &RigctldProcess::onOutput);
    connect(m_process.get(), &QProcess::finished, this, &RigctldProcess::onFinished);
    connect(m_process.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            onFinished();
    });
    m_startedAtMs = m_seam.monotonicNow();
    ++m_starts;
    m_process->start();
    if (port != m_port) {
        m_port = port;
        emit portChanged(m_port);
    }
}

void RigctldProcess::onOutput()
{
    if (!m_process)
        return;
    m_log += QString::fromLocal8Bit(m_process->readAll());
    if (m_log.size() > MaxLogChars)
        m_log = m_log.right(MaxLogChars / 2);
    const rig::RigProblem p = rig::problemFromLog(m_log);
    if (p != rig::RigProblem::None)
        setProblem(p);
}

void RigctldProcess::onFinished()
{
    if (!m_process)
        return;
    const bool failedToStart = m_process->error() == QProcess::FailedToStart;
    onOutput();
    // Not deleted inside its own signal.
    QProcess *old = m_process.release();
    old->disconnect(this);
    old->deleteLater();
    if (!m_wanted)
        return;

    const rig::RigProblem fromLog = rig::problemFromLog(m_log);
    setProblem(failedToStart                      ? rig::RigProblem::NotInstalled
               : fromLog != rig::RigProblem::None ? fromLog
                                                  : rig::RigProblem::Exited);
    if (m_seam.monotonicNow() - m_startedAtMs > HealthyRunMs)
        m_restartMs = FirstRestartMs;
    retryIn(m_restartMs);
    m_restartMs = std::min(m_restartMs * 2, MaxRestartMs);
}

void RigctldProcess::stop()
{
    m_wanted = false;
    m_retry->stop();
    if (!m_process)
        return;
    std::unique_ptr<QProcess> p = std::move(m_process);
    p->disconnect(this);
    if (p->state() != QProcess::NotRunning) {
        p->terminate();
        if (!p->waitForFinished(StopWaitMs)) {
            p->kill();
            p->waitForFinished(StopWaitMs);
        }
    }
}

void RigctldProcess::clearProblem()
{
    m_log.clear();
    setProblem(rig::RigProblem::None);
}

void RigctldProcess::setProblem(rig::RigProblem problem)
{
    if (problem == m_problem)
        return;
    m_problem = problem;
    emit problemChanged();
}

} // namespace vireo
