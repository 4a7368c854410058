#pragma once
// When backup copies of the log are written: at start (the log as found), every Interval minutes
// while the log has changed, and at exit when it changed since the last copy. Timed copies are
// written on a worker thread, so typing goes on while a large log is copied. Section [Backup] of
// settings.ini: Interval in minutes (0 switches the automatic copies off), Keep (newest copies kept).

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QThread;

namespace vireo {

class BackupScheduler : public QObject {
    Q_OBJECT
public:
    struct Settings {
        int intervalMinutes = 10;
        int keep = 20;
    };
    static Settings read(const QString &settingsPath);
    // Puts the keys into the file, so that the listener finds them there to change.
    static void write(const QString &settingsPath, const Settings &settings);

    BackupScheduler(const QString &logPath, const Settings &settings, std::function<QDateTime()> nowUtc,
                    QObject *parent = nullptr);
    // Waits for a copy in progress and writes the exit copy.
    ~BackupScheduler() override;

    const Settings &settings() const { return m_settings; }
    // Starts the copy of the log as found (at the first tick instead when the disk is full) and
    // the timer.
    void start();
    // The log has changed since the last copy.
    void markChanged() { m_changed = true; }
    bool changed() const { return m_changed; }
    bool busy() const { return m_worker != nullptr; }
    // Writes the timed copy now if the log has changed (what the timer does).
    void tick();
    // Waits until a copy in progress is finished.
    void waitIdle();
    // Writes a copy at once on this thread, after any copy in progress, without removing old
    // ones (a copy chosen for a restore must stay). Returns its path; throws vireo::Error.
    QString copyNow();
    // Removes all but the newest Keep copies.
    void prune();
    // The exit copy, when the log has changed since the last one (once).
    void finish();

signals:
    void copyWritten(const QString &path);
    void copyFailed(const QString &text);

private:
    void startCopy();
    void copyDone();

    QString m_logPath;
    Settings m_settings;
    std::function<QDateTime()> m_now;
    QTimer m_timer;
    bool m_changed = false;
    bool m_finished = false;
    QThread *m_worker = nullptr;
    struct Outcome {
        QString path;
        QString error;
    };
    std::shared_ptr<Outcome> m_outcome;
};

} // namespace vireo
