#pragma once
// The rigctld of a radio that Vireo runs itself: started on a free loopback port with the
// listener's model, serial device and speed, started again when it dies, stopped when the
// program ends (also when Vireo itself is killed: the kernel ends the child with its parent).
// When it cannot run, problem() says why.

#include "base/services.h"
#include "rig/rig_problem.h"
#include "rig/rig_settings.h"

#include <QObject>
#include <QProcess>

#include <memory>

class QTimer;

namespace vireo {

class RigctldProcess : public QObject {
    Q_OBJECT
public:
    RigctldProcess(const RadioSetup &setup, const RigProcessSeam &seam, QObject *parent = nullptr);
    ~RigctldProcess() override; // stops rigctld

    // Starts rigctld, or finds out why it cannot; returns at once. Retries by itself.
    void start();
    // Ends rigctld (SIGTERM, then SIGKILL after a short wait) and every retry.
    void stop();

    quint16 port() const { return m_port; } // 0 before the first start
    qint64 pid() const; // 0 when not running
    int starts() const { return m_starts; } // how often rigctld was started
    // The pause before the next start when one is waiting, otherwise 0.
    int restartPauseMs() const;
    rig::RigProblem problem() const { return m_problem; }
    QString problemText() const { return rig::problemText(m_problem, m_setup.device); }
    const RadioSetup &setup() const { return m_setup; }
    // What the running (or last) rigctld wrote, its last few kilobytes.
    const QString &output() const { return m_log; }
    // The radio answers: whatever rigctld said before no longer holds.
    void clearProblem();

    // The arguments rigctld gets for a setup and a port.
    static QStringList arguments(const RadioSetup &setup, quint16 port);

    // Pauses between attempts.
    static constexpr int FirstRestartMs = 500;
    static constexpr int MaxRestartMs = 8000;
    static constexpr int DeviceRecheckMs = 2000;
    static constexpr int StopWaitMs = 3000;

signals:
    void portChanged(quint16 port);
    void problemChanged();

private:
    void launch();
    void onFinished();
    void onOutput();
    void setProblem(rig::RigProblem problem);
    void retryIn(int ms);
    bool programInstalled() const;

    const RadioSetup m_setup;
    const RigProcessSeam m_seam;
    std::unique_ptr<QProcess> m_process;
    QTimer *m_retry = nullptr;
    quint16 m_port = 0;
    int m_starts = 0;
    int m_restartMs = FirstRestartMs;
    qint64 m_startedAtMs = 0; // on the seam's monotonic clock
    bool m_wanted = false;
    QString m_log; // the last part of what rigctld wrote
    rig::RigProblem m_problem = rig::RigProblem::None;
};

} // namespace vireo
