#pragma once
// Runs the log check off the user-interface thread: a worker thread reads the log through a
// connection of its own (the main window's connection stays on its thread), a few thousand
// records at a time, and checks it as it goes.
// Progress, the findings and the end come back as signals on the thread that owns the runner.

#include "analysis/log_check.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

namespace vireo {

// Records read by one statement of the check's passes over the log.
constexpr int LogCheckChunk = 4000;

// The whole check of the log file at path, as the runner's thread does it: both passes read the
// records through a connection of its own, LogCheckChunk at a time (expectedRecords, the log's
// size, scales the progress). None when progress returns false; throws vireo::Error when the file
// cannot be read.
std::optional<logcheck::Findings> checkLogFile(const QString &path, int expectedRecords, const QStringList &knownCalls,
                                               const logcheck::Options &options, const logcheck::Progress &progress);

class LogCheckRunner : public QObject {
    Q_OBJECT
public:
    explicit LogCheckRunner(QObject *parent = nullptr);
    // Stops a check in progress and waits for its thread.
    ~LogCheckRunner() override;

    // Starts a check of the log file at databasePath; expectedRecords (the log's size) only
    // scales the progress of reading it. Does nothing while a check runs.
    void start(const QString &databasePath, int expectedRecords, const QStringList &knownCalls,
               const logcheck::Options &options);
    // Asks the running check to stop; cancelled() follows.
    void cancel();
    bool running() const { return m_thread != nullptr; }

    const logcheck::Findings &findings() const { return m_findings; }
    // Lets go of the findings of the last check (the list holds its own share of them).
    void release() { m_findings = logcheck::Findings(); }

signals:
    void progress(int percent);
    void finished(int findings); // findings() holds them
    void cancelled();
    void failed(const QString &text);

private:
    void threadDone();

    struct Job;
    QThread *m_thread = nullptr;
    std::shared_ptr<Job> m_job;
    logcheck::Findings m_findings;
};

} // namespace vireo
