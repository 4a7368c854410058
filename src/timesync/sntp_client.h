#pragma once
// The network side of one SNTP exchange: resolve the server, send the request from an
// ephemeral port, wait a bounded time for the reply. The wait runs in short slices and lets
// the window repaint between them (user input is held back), so the program never looks hung.

#include "base/error.h"
#include "base/services.h"
#include "timesync/sntp.h"

#include <QString>

namespace vireo {

// The four times of the exchange, or why it failed (a Russian sentence for the trace; the window
// shows its own notice).
using SntpResult = Result<sntp::Exchange>;

class SntpClient {
public:
    // T1 and T4 are read from the given clock: the computer's own clock in the program.
    explicit SntpClient(const UtcClock &clock);

    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    // The whole exchange, name resolution included, ends within this many milliseconds.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }

    // One request and its reply. Only a datagram from the server's own address and port whose
    // originate timestamp echoes our transmit timestamp is taken as the reply; anything else
    // is dropped and the wait goes on.
    SntpResult exchange(const QString &host) const;

    static constexpr int DefaultTimeoutMs = 5000;

private:
    const UtcClock &m_clock;
    quint16 m_port = sntp::DefaultPort;
    int m_timeoutMs = DefaultTimeoutMs;
};

} // namespace vireo
