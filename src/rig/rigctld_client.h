#pragma once
// The client of Hamlib's rigctld: one rigctld per radio, one long-lived TCP connection to each,
// one command at a time with a read timeout, polled by a timer on the thread of the caller
// (nothing here ever waits). A radio whose rigctld cannot be reached, stops answering or has no
// frequency to give is off line; the client reconnects with a growing pause, so a rigctld
// started later is picked up. Changes become the notifications of RigServer.

#include "rig/rig_server.h"

#include <QString>

#include <array>
#include <memory>

class QTcpSocket;
class QTimer;

namespace vireo {

// Section "Rig" of settings.ini.
struct RigctldSettings {
    static constexpr quint16 DefaultPort1 = 4532;
    static constexpr quint16 DefaultPort2 = 4534;
    static constexpr int DefaultPollMs = 200;

    std::array<QString, 2> host{QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.1")};
    std::array<quint16, 2> port{DefaultPort1, DefaultPort2}; // 0: the radio is not used
    int pollMs = DefaultPollMs;                                // 50 .. 5000
    QString command;                                           // the rig-server program to start

    // Keys Host1, Port1, Host2, Port2, PollInterval, Command; missing or bad values give the
    // defaults.
    static RigctldSettings read(const QString &settingsPath);
};

class RigctldRadio;

class RigctldServer : public RigServer {
    Q_OBJECT
public:
    explicit RigctldServer(const RigctldSettings &settings, QObject *parent = nullptr);
    ~RigctldServer() override;

    void start() override;
    QString rigType(int rig) const override;
    int status(int rig) const override;
    QString statusStr(int rig) const override;
    quint32 mode(int rig) const override;
    qint64 rxFrequency(int rig) const override;

    // Timings of the protocol, for tests and the measurement program.
    static constexpr int ConnectTimeoutMs = 1500;
    static constexpr int ReplyTimeoutMs = 1500;
    static constexpr int FirstRetryMs = 250;
    static constexpr int MaxRetryMs = 2000;

private:
    const RigctldRadio *radio(int rig) const;
    void firstAttemptDone(bool answered);

    std::array<std::unique_ptr<RigctldRadio>, 2> m_radios;
    int m_firstAttemptsLeft = 0;
    bool m_anyAnswered = false;
};

// One radio: one rigctld, one connection.
class RigctldRadio : public QObject {
    Q_OBJECT
public:
    RigctldRadio(int rig, const QString &host, quint16 port, int pollMs, QObject *parent = nullptr);
    ~RigctldRadio() override;

    bool configured() const { return m_port != 0 && !m_host.isEmpty(); }
    void start();

    QString type;
    int status = RigServer::StPortBusy;
    QString statusStr;
    quint32 mode = 0;
    qint64 frequency = 0;

signals:
    void typeChanged(int rig);
    void statusChanged(int rig);
    void paramsChanged(int rig, int params);
    void firstAttempt(bool answered); // once: the first connection answered as rigctld, or not

private:
    enum class Step { Down, Connecting, CheckVfo, Caps, Freq, Mode, Idle };

    void connectNow();
    void onConnected();
    void onReadyRead();
    void onLine(const QString &line);
    void onTimeout();
    void onSocketGone();
    void send(const char *command, Step step, bool withVfo);
    void poll();
    void pollDone();
    void fail(int status, const QString &text);
    void publish(int status, const QString &text, qint64 frequency, quint32 mode);
    void reportFirstAttempt(bool answered);

    const int m_rig;
    const QString m_host;
    const quint16 m_port;
    const int m_pollMs;

    QTcpSocket *m_socket = nullptr;
    QTimer *m_deadline = nullptr; // read and connect timeout
    QTimer *m_next = nullptr;     // next poll or next connection attempt
    Step m_step = Step::Down;
    QByteArray m_buffer;
    QStringList m_reply;
    QString m_vfoArg;
    int m_retryMs = RigctldServer::FirstRetryMs;
    bool m_firstReported = false;
    // The answer to the frequency poll, kept until the mode poll completes.
    bool m_haveFreq = false;
    qint64 m_polledFreq = 0;
};

// What the program's real services call.
std::unique_ptr<RigServer> makeRigctldServer(const QString &settingsPath);

} // namespace vireo
