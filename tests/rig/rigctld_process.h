#pragma once
// A real rigctld with Hamlib's dummy radio on a free loopback port, and rigctl to turn its knobs.

#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <csignal>
#include <memory>

namespace vireo::test {

// A loopback port nobody listens on right now.
inline quint16 freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

class Rigctld {
public:
    explicit Rigctld(quint16 port = freePort(), const QStringList &extraArgs = {})
        : m_port(port), m_extraArgs(extraArgs)
    {
    }
    ~Rigctld() { stop(); }

    quint16 port() const { return m_port; }

    // Starts rigctld -m 1 and waits until it accepts connections.
    bool start()
    {
        stop();
        m_process = std::make_unique<QProcess>();
        m_process->setProgram(QStringLiteral("rigctld"));
        m_process->setArguments(QStringList{QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"),
                                            QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(m_port)}
                                + m_extraArgs);
        m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process->start();
        if (!m_process->waitForStarted(5000))
            return false;
        for (int i = 0; i < 100; ++i) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
            if (probe.waitForConnected(100)) {
                probe.disconnectFromHost();
                return true;
            }
            if (m_process->waitForFinished(50))
                return false; // it died (port taken?)
        }
        return false;
    }

    // Ends it the way a user closing it would.
    void stop()
    {
        if (!m_process)
            return;
        if (m_process->state() != QProcess::NotRunning) {
            ::kill(pid_t(m_process->processId()), SIGCONT);
            m_process->terminate();
            if (!m_process->waitForFinished(5000)) {
                m_process->kill();
                m_process->waitForFinished(5000);
            }
        }
        m_process.reset();
    }

    // Freezes it: connections stay open but nothing is answered.
    void freeze() { ::kill(pid_t(m_process->processId()), SIGSTOP); }
    void thaw() { ::kill(pid_t(m_process->processId()), SIGCONT); }

    // rigctl -m 2 -r 127.0.0.1:PORT <args>; true when it ran and succeeded.
    bool set(const QStringList &args) const
    {
        QProcess rigctl;
        rigctl.start(QStringLiteral("rigctl"),
                     QStringList{QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                                 QStringLiteral("127.0.0.1:%1").arg(m_port)}
                         + args);
        return rigctl.waitForFinished(10000) && rigctl.exitStatus() == QProcess::NormalExit && rigctl.exitCode() == 0;
    }

    // One command line over a connection of its own, as a program beside the logger would send it
    // (rigctl does not pass every command on); true when rigctld reports success.
    bool command(const QByteArray &line) const
    {
        QTcpSocket s;
        s.connectToHost(QStringLiteral("127.0.0.1"), m_port);
        if (!s.waitForConnected(5000))
            return false;
        s.write(line + '\n');
        QByteArray reply;
        while (!reply.contains("RPRT") && s.waitForReadyRead(5000))
            reply += s.readAll();
        s.disconnectFromHost();
        return reply.contains("RPRT 0");
    }

private:
    quint16 m_port;
    QStringList m_extraArgs;
    std::unique_ptr<QProcess> m_process;
};

} // namespace vireo::test
