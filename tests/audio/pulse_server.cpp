#include "audio/pulse_server.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>

namespace vireo::test {

PulseServer::PulseServer()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    for (const char *sub : {"rt", "config", "state", "home"})
        QDir(m_dir.path()).mkpath(QLatin1String(sub));
    QFile conf(m_dir.filePath(QStringLiteral("client.conf")));
    if (conf.open(QIODevice::WriteOnly))
        conf.write("autospawn = no\n");
    conf.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString d = m_dir.path();
    env.insert(QStringLiteral("HOME"), d + QStringLiteral("/home"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), d + QStringLiteral("/rt"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), d + QStringLiteral("/config"));
    env.insert(QStringLiteral("PULSE_STATE_PATH"), d + QStringLiteral("/state"));
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), d + QStringLiteral("/rt"));
    // Not the desktop's session bus, nor its display: the server stays to itself.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + d + QStringLiteral("/no-bus"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("PULSE_SERVER"));
    QStringList args{
        QStringLiteral("-n"),
        QStringLiteral("--daemonize=no"),
        QStringLiteral("--exit-idle-time=-1"),
        QStringLiteral("--disallow-exit"),
        QStringLiteral("--use-pid-file=no"),
        QStringLiteral("--realtime=no"),
        QStringLiteral("--high-priority=no"),
        QStringLiteral("--log-target=file:") + d + QStringLiteral("/pa.log"),
        QStringLiteral("-L"),
        QStringLiteral("module-native-protocol-unix socket=%1/pulse.sock auth-anonymous=1").arg(d),
        QStringLiteral("-L"),
        QStringLiteral("module-null-sink sink_name=out rate=48000 channels=1"),
        QStringLiteral("-L"),
        QStringLiteral("module-pipe-source source_name=rx file=%1 format=s16le rate=48000 channels=1").arg(fifo())};
    // A daemon unpacked into the build folder (scripts/test-tools.sh) needs its own libraries
    // and modules; an installed one finds them itself.
    const QString tools = qEnvironmentVariable("VIREO_TEST_TOOLS");
    const QString program = daemonProgram();
    if (!tools.isEmpty() && program.startsWith(tools)) {
        // The modules find their helper libraries (libprotocol-native.so and the like) beside
        // them through a run path under /usr, which an unpacked daemon does not have.
        QStringList libraryPath;
        const QDir lib(tools + QStringLiteral("/usr/lib"));
        for (const QString &arch : lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (QFile::exists(lib.filePath(arch + QStringLiteral("/pulseaudio"))))
                libraryPath << lib.filePath(arch + QStringLiteral("/pulseaudio"));
        const QStringList modules = lib.entryList({QStringLiteral("pulse-*")}, QDir::Dirs);
        if (!modules.isEmpty()) {
            const QString moduleDir = lib.filePath(modules.first() + QStringLiteral("/modules"));
            libraryPath << moduleDir;
            args.prepend(QStringLiteral("--dl-search-path=") + moduleDir);
        }
        if (!libraryPath.isEmpty())
            env.insert(QStringLiteral("LD_LIBRARY_PATH"), libraryPath.join(QLatin1Char(':')));
    }
    m_daemon.setProcessEnvironment(env);
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.start(program, args);
    if (!m_daemon.waitForStarted(5000)) {
        m_error = QStringLiteral("pulseaudio did not start: ") + m_daemon.errorString();
        return;
    }
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 10000) {
        if (m_daemon.state() != QProcess::Running)
            break;
        if (QFile::exists(d + QStringLiteral("/pulse.sock"))
            && run(QStringLiteral("pactl"), {QStringLiteral("info")}) == 0) {
            m_ok = run(QStringLiteral("pactl"), {QStringLiteral("set-default-source"), QStringLiteral("rx")}) == 0
                   && run(QStringLiteral("pactl"), {QStringLiteral("set-default-sink"), QStringLiteral("out")}) == 0;
            if (!m_ok)
                m_error = QStringLiteral("pactl could not set the default devices");
            return;
        }
        QThread::msleep(50);
    }
    QFile log(d + QStringLiteral("/pa.log"));
    log.open(QIODevice::ReadOnly);
    m_error = QStringLiteral("pulseaudio did not come up: ") + QString::fromUtf8(m_daemon.readAll() + log.readAll());
}

PulseServer::~PulseServer()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(5000);
        }
    }
}

QString PulseServer::daemonProgram() const
{
    const QString tools = qEnvironmentVariable("VIREO_TEST_TOOLS");
    const QString unpacked = tools + QStringLiteral("/usr/bin/pulseaudio");
    if (!tools.isEmpty() && QFile::exists(unpacked))
        return unpacked;
    return QStringLiteral("pulseaudio");
}

QString PulseServer::fifo() const
{
    return m_dir.filePath(QStringLiteral("rx.fifo"));
}

QProcessEnvironment PulseServer::clientEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + m_dir.filePath(QStringLiteral("pulse.sock")));
    env.insert(QStringLiteral("PULSE_CLIENTCONFIG"), m_dir.filePath(QStringLiteral("client.conf")));
    env.insert(QStringLiteral("PULSE_COOKIE"), m_dir.filePath(QStringLiteral("cookie")));
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), m_dir.filePath(QStringLiteral("rt")));
    return env;
}

void PulseServer::exportToProcess() const
{
    const QProcessEnvironment env = clientEnvironment();
    for (const char *name : {"PULSE_SERVER", "PULSE_CLIENTCONFIG", "PULSE_COOKIE", "PULSE_RUNTIME_PATH"})
        qputenv(name, env.value(QLatin1String(name)).toLocal8Bit());
}

int PulseServer::run(const QString &program, const QStringList &arguments, QByteArray *output) const
{
    QProcess p;
    p.setProcessEnvironment(clientEnvironment());
    p.start(program, arguments);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (output)
        *output = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

RxFeeder::RxFeeder(const QString &fifo, std::function<qint16(qint64 i)> sample) : m_sample(std::move(sample))
{
    m_fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    // Room for seconds of sound in the pipe, so that a sound server slowed down by a busy
    // machine reads it late rather than losing it (which would shift the receiver's timeline).
    if (m_fd >= 0)
        ::fcntl(m_fd, F_SETPIPE_SZ, 1024 * 1024);
    m_thread = std::thread([this] {
        constexpr int Chunk = 480; // 10 ms
        qint16 buffer[Chunk];
        QElapsedTimer clock;
        clock.start();
        m_startMs = QDateTime::currentMSecsSinceEpoch();
        qint64 i = 0;
        while (!m_stop) {
            for (int k = 0; k < Chunk; ++k)
                buffer[k] = m_sample(i + k);
            if (m_fd >= 0) {
                const ssize_t n = ::write(m_fd, buffer, sizeof buffer);
                (void)n; // a full pipe drops the chunk
            }
            i += Chunk;
            m_fed = i;
            // The next chunk goes when its time has come.
            const qint64 due = i / 48;
            const qint64 wait = due - clock.elapsed();
            if (wait > 0)
                QThread::msleep(quint64(wait));
        }
    });
}

RxFeeder::~RxFeeder()
{
    stop();
}

void RxFeeder::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

QDateTime ShiftedClock::nowUtc() const
{
    return QDateTime::fromMSecsSinceEpoch(QDateTime::currentMSecsSinceEpoch() + m_shiftMs, Qt::UTC);
}

qint64 ShiftedClock::shiftTo(qint64 atMs)
{
    return atMs - QDateTime::currentMSecsSinceEpoch();
}

} // namespace vireo::test
