#pragma once
// Time servers for the tests, all on loopback: a real chronyd that never touches the clock,
// and a hand-made UDP peer that answers one request with whatever a test asks for.

#include "timesync/sntp.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <thread>

namespace vireo::test {

inline int udpSocket(quint16 port = 0, quint32 address = INADDR_LOOPBACK)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(address);
    a.sin_port = htons(port);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    return fd;
}

inline quint16 boundPort(int fd)
{
    sockaddr_in a{};
    socklen_t n = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &n);
    return ntohs(a.sin_port);
}

// A loopback UDP port nobody listens on at the moment.
inline quint16 freeUdpPort()
{
    const int fd = udpSocket();
    const quint16 port = boundPort(fd);
    ::close(fd);
    return port;
}

// A well-formed server reply to a request: stratum 2, the request's transmit timestamp echoed
// as originate, and the server's receive and transmit times given.
inline QByteArray serverReply(const QByteArray &request, qint64 t2Ms, qint64 t3Ms)
{
    QByteArray r(sntp::PacketSize, '\0');
    r[0] = char(0x1C); // LI 0, VN 3, mode 4
    r[1] = char(2);
    r[2] = char(6);
    r[3] = char(-20);
    sntp::writeTimestamp(r, 24, sntp::readTimestamp(request, 40));
    sntp::writeTimestamp(r, 32, sntp::toTimestamp(t2Ms));
    sntp::writeTimestamp(r, 40, sntp::toTimestamp(t3Ms));
    return r;
}

// One datagram the peer sends back; fromOtherPort sends it from a second port of the same
// address, fromOtherAddress from the same port of 127.0.0.2.
struct PeerReply {
    QByteArray data;
    bool fromOtherPort = false;
    bool fromOtherAddress = false;
};

// Answers the first request it gets with the replies the test makes from it, then ends.
class ScriptedPeer {
public:
    using Script = std::function<QList<PeerReply>(const QByteArray &request)>;

    explicit ScriptedPeer(Script script) : m_fd(udpSocket()), m_other(udpSocket()), m_script(std::move(script))
    {
        m_otherAddress = udpSocket(port(), INADDR_LOOPBACK + 1);
        timeval tv{3, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        m_thread = std::thread([this] { run(); });
    }
    ~ScriptedPeer()
    {
        m_thread.join();
        ::close(m_fd);
        ::close(m_other);
        if (m_otherAddress >= 0)
            ::close(m_otherAddress);
    }
    quint16 port() const { return boundPort(m_fd); }
    bool ok() const { return m_fd >= 0 && m_other >= 0 && m_otherAddress >= 0; }
    int requests() const { return m_requests; }
    QByteArray lastRequest() const { return m_request; }

private:
    void run()
    {
        char buf[1024];
        sockaddr_in from{};
        socklen_t n = sizeof from;
        const ssize_t got = ::recvfrom(m_fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr *>(&from), &n);
        if (got <= 0)
            return;
        m_request = QByteArray(buf, int(got));
        ++m_requests;
        for (const PeerReply &r : m_script(m_request))
            ::sendto(r.fromOtherAddress ? m_otherAddress
                     : r.fromOtherPort  ? m_other
                                        : m_fd,
                     r.data.constData(), size_t(r.data.size()), 0, reinterpret_cast<sockaddr *>(&from), n);
    }

    int m_fd;
    int m_other;
    int m_otherAddress = -1;
    Script m_script;
    std::atomic<int> m_requests{0};
    QByteArray m_request;
    std::thread m_thread;
};

// chronyd serving the computer's own time on a loopback port, with -x so that it never
// touches the clock. Each instance has its own pid file in its own directory.
class Chronyd {
public:
    // With localStratum false the server has no reference and answers as unsynchronised.
    explicit Chronyd(bool localStratum = true) : m_port(freeUdpPort())
    {
        // The test command unpacks chronyd into the build folder (scripts/test-tools.sh) rather
        // than installing the computer a time service; an installed one is used otherwise.
        QString program = qEnvironmentVariable("VIREO_CHRONYD");
        if (!QFileInfo(program).isExecutable())
            program = QStandardPaths::findExecutable(
                QStringLiteral("chronyd"),
                {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin")});
        if (program.isEmpty()) {
            m_error = QStringLiteral("chronyd not found: run scripts/test-tools.sh BUILD_DIR (or set VIREO_CHRONYD)");
            return;
        }
        QStringList args{QStringLiteral("-d"), QStringLiteral("-x")};
        if (::geteuid() == 0)
            args << QStringLiteral("-u") << QStringLiteral("root");
        else
            args << QStringLiteral("-U");
        args << QStringLiteral("port %1").arg(m_port) << QStringLiteral("bindaddress 127.0.0.1")
             << QStringLiteral("allow 127.0.0.1") << QStringLiteral("cmdport 0") << QStringLiteral("bindcmdaddress /")
             << QStringLiteral("pidfile %1").arg(m_dir.filePath(QStringLiteral("chronyd.pid")));
        if (localStratum)
            args << QStringLiteral("local stratum 8");
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(program, args);
        if (!m_process.waitForStarted(5000))
            m_error = QStringLiteral("chronyd did not start: ") + m_process.errorString();
    }
    ~Chronyd()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000)) {
                m_process.kill();
                m_process.waitForFinished(2000);
            }
        }
    }
    quint16 port() const { return m_port; }
    QString error() const { return m_error; }
    bool running() const { return m_process.state() == QProcess::Running; }
    QString output() { return QString::fromLocal8Bit(m_process.readAll()); }

    // Waits until the server answers a plain request (any reply counts).
    bool waitUntilServing(int ms = 5000)
    {
        const int fd = udpSocket();
        timeval tv{0, 100000};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(m_port);
        const QByteArray probe = sntp::request(sntp::toTimestamp(0));
        QElapsedTimer t;
        t.start();
        bool answered = false;
        while (!answered && t.elapsed() < ms && running()) {
            ::sendto(fd, probe.constData(), size_t(probe.size()), 0, reinterpret_cast<sockaddr *>(&to), sizeof to);
            char buf[128];
            answered = ::recv(fd, buf, sizeof buf, 0) > 0;
        }
        ::close(fd);
        return answered;
    }

private:
    QTemporaryDir m_dir;
    quint16 m_port;
    QProcess m_process;
    QString m_error;
};

} // namespace vireo::test
