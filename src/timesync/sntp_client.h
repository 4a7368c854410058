#pragma once
// The network side of one SNTP exchange: resolve the server, send the request from an
// ephemeral port, wait a bounded time for the reply. Everything runs from the event loop of the
// calling thread: start() only sets the exchange going and returns, and finished() tells how it
// ended, so nothing else the program does runs inside the exchange.

#include "base/error.h"
#include "base/services.h"
#include "timesync/sntp.h"

#include <QHostAddress>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <memory>

class QHostInfo;
class QTimer;
class QUdpSocket;

namespace vireo {

// The four times of the exchange, or why it failed (a Russian sentence for the trace; the window
// shows its own notice).
using SntpResult = Result<sntp::Exchange>;

class SntpClient : public QObject {
    Q_OBJECT
public:
    // T1 and T4 are read from the given clock: the computer's own clock in the program.
    explicit SntpClient(const UtcClock &clock, QObject *parent = nullptr);
    ~SntpClient() override;

    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    // The whole exchange, name resolution included, ends within this many milliseconds.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }

    // Starts one request; finished() follows from the event loop, never from within this call,
    // and exactly once for each start that returned true. False (and nothing started) while
    // an exchange is running. Only a datagram from the server's own address and port whose
    // originate timestamp echoes our transmit timestamp is taken as the reply; anything else
    // is dropped and the wait goes on.
    bool start(const QString &host);
    bool running() const { return m_running; }
    // Ends a running exchange without a result: finished() does not follow.
    void cancel();

    static constexpr int DefaultTimeoutMs = 5000;

signals:
    void finished(const vireo::SntpResult &result);

private:
    void resolved(const QHostInfo &info);
    void send(const QHostAddress &server);
    void readReplies();
    // Ends the exchange and hands the result on once the current event is done.
    void finish(const SntpResult &result);
    void stop();

    const UtcClock &m_clock;
    quint16 m_port = sntp::DefaultPort;
    int m_timeoutMs = DefaultTimeoutMs;

    bool m_running = false;
    quint64 m_serial = 0; // the exchange now running; a result of an earlier one is dropped
    QString m_host;
    int m_lookupId = -1;
    QTimer *m_deadline = nullptr;
    std::unique_ptr<QUdpSocket> m_socket;
    QHostAddress m_server;
    qint64 m_t1 = 0;
    sntp::Timestamp m_sent;
};

} // namespace vireo

Q_DECLARE_METATYPE(vireo::SntpResult)
