#pragma once
// The client of Hamlib's rigctld: one rigctld per radio, one long-lived TCP connection to each,
// one command at a time with a read timeout, polled by a timer on the thread of the caller
// (nothing here ever waits). A radio whose rigctld cannot be reached, stops answering or has no
// frequency to give is off line; the client reconnects with a growing pause, so a rigctld
// started later is picked up. Changes become the notifications of RigServer. For a radio that
// Vireo runs itself, the rigctld comes from a RigctldProcess on a loopback port of its choice.

#include "base/services.h"
#include "rig/rig_problem.h"
#include "rig/rig_server.h"
#include "rig/rig_settings.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>

class QTcpSocket;
class QTimer;

namespace vireo {

class RigctldRadio;
class RigctldProcess;

class RigctldServer : public RigServer {
    Q_OBJECT
public:
    explicit RigctldServer(const RigctldSettings &settings, const RigProcessSeam &seam = RigProcessSeam(),
                           QObject *parent = nullptr);
    ~RigctldServer() override;

    void start() override;
    QString rigType(int rig) const override;
    int status(int rig) const override;
    QString statusStr(int rig) const override;
    quint32 mode(int rig) const override;
    qint64 rxFrequency(int rig) const override;
    QString unreachableReason() const override;
    void tune(int rig, qint64 hz, const QString &modeName) override;

    // The mode name as rigctld gave it ("CW", "PKTUSB"), empty before the first answer.
    QString modeName(int rig) const;
    // The rigctld that Vireo runs for a radio, or nullptr for a radio it does not run.
    RigctldProcess *process(int rig) const;

    // Timings of the protocol, for tests and the measurement program.
    static constexpr int ConnectTimeoutMs = 1500;
    static constexpr int ReplyTimeoutMs = 1500;
    static constexpr int FirstRetryMs = 250;
    static constexpr int MaxRetryMs = 2000;
    // How long a rigctld that Vireo started may take to open the radio before the start counts
    // as failed (with a radio that does not answer rigctld takes several seconds to listen).
    static constexpr int OwnStartPatienceMs = 20000;

private:
    const RigctldRadio *radio(int rig) const;
    void firstAttemptDone(int index, bool answered);

    std::array<std::unique_ptr<RigctldRadio>, 2> m_radios;
    std::array<std::unique_ptr<RigctldProcess>, 2> m_processes;
    std::array<bool, 2> m_failedAtStart{false, false};
    int m_firstAttemptsLeft = 0;
    bool m_anyAnswered = false;
};

// One radio: one rigctld, one connection.
class RigctldRadio : public QObject {
    Q_OBJECT
public:
    RigctldRadio(int rig, const RadioSetup &setup, int pollMs, const RigProcessSeam &seam = RigProcessSeam(),
                 QObject *parent = nullptr);
    ~RigctldRadio() override;

    bool configured() const { return m_configured; }
    bool explicitSetup() const { return m_explicit; }
    const QString &host() const { return m_host; }
    quint16 port() const { return m_port; }
    void start();
    // A radio Vireo runs: where its rigctld now listens; connects there at once.
    void setEndpoint(quint16 port);
    // A radio Vireo runs: why its rigctld cannot serve it (None when nothing is known).
    void setProcessProblem(rig::RigProblem problem);
    rig::RigProblem processProblem() const { return m_problem; }
    // Why the last connection attempt or exchange failed, in Russian ("подключение отклонено:
    // ..."); empty before the first failure.
    const QString &lastFailure() const { return m_lastFailure; }
    // Sets the mode (when modeName is not empty) and then the frequency, between two polls;
    // tuneDone follows from the event loop (see RigServer::tune).
    void tune(qint64 hz, const QString &modeName);

    QString type;
    int status = RigServer::StPortBusy;
    QString statusStr;
    quint32 mode = 0;
    QString modeName;
    qint64 frequency = 0;

signals:
    void typeChanged(int rig);
    void statusChanged(int rig);
    void paramsChanged(int rig, int params);
    void firstAttempt(bool answered); // once: the first connection answered as rigctld, or not
    void tuneDone(int rig, const vireo::TuneResult &result);

private:
    enum class Step { Down, Connecting, CheckVfo, Caps, Freq, Mode, Idle, SetMode, SetFreq, RestoreMode };
    struct Tune {
        qint64 hz = 0;
        QString mode; // empty: the mode stays
        QString oldMode; // the mode before, to set back when the frequency is refused
        QString problem; // what the radio refused
    };

    void connectNow();
    void onConnected();
    void onReadyRead();
    void onLine(const QString &line);
    void onTimeout();
    void onSocketGone();
    void send(const char *command, Step step, bool withVfo);
    void poll();
    void pollDone();
    void fail(int status, const QString &text, const QString &why);
    void publish(int status, const QString &text, qint64 frequency, quint32 mode);
    void reportFirstAttempt(bool answered);
    bool mayStillBeStarting() const;
    void startTune();
    void sendSet(const QString &command, const QString &arguments, Step step);
    void onSetReply(int code);
    void finishTune(const TuneResult &result);
    void reportTune(const TuneResult &result);

    const int m_rig;
    const bool m_own;
    const bool m_configured;
    const bool m_explicit;
    QString m_host;
    quint16 m_port;
    const int m_pollMs;
    rig::RigProblem m_problem = rig::RigProblem::None;
    bool m_connectedOnce = false;
    const RigProcessSeam m_seam; // its monotonic clock times the start-up patience
    qint64 m_startMs = 0;
    QString m_lastFailure;

    QTcpSocket *m_socket = nullptr;
    QTimer *m_deadline = nullptr; // read and connect timeout
    QTimer *m_next = nullptr; // next poll or next connection attempt
    Step m_step = Step::Down;
    QByteArray m_buffer;
    QStringList m_reply;
    QString m_vfoArg;
    int m_retryMs = RigctldServer::FirstRetryMs;
    bool m_firstReported = false;
    // The answer to the frequency poll, kept until the mode poll completes.
    bool m_haveFreq = false;
    qint64 m_polledFreq = 0;
    // The tune waiting for the poll under way to end, and the one being sent.
    std::optional<Tune> m_wantedTune;
    std::optional<Tune> m_tune;
};

// What the program's real services call.
std::unique_ptr<RigServer> makeRigctldServer(const QString &settingsPath,
                                             const RigProcessSeam &seam = RigProcessSeam());

} // namespace vireo
