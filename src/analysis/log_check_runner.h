#pragma once
// Runs the log check off the user-interface thread: a worker thread reads the log through a
// connection of its own (the main window's connection stays on its thread), then checks it.
// Progress, the findings and the end come back as signals on the thread that owns the runner.

#include "analysis/log_check.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

namespace vireo {

// The whole check of the log file at path, as the runner's thread does it: reads the records
// through a connection of its own (progress 0..49, scaled by expectedRecords), then checks them
// (50..100). None when progress returns false; throws vireo::Error when the file cannot be read.
std::optional<QVector<logcheck::Finding>> checkLogFile(const QString &path, int expectedRecords,
                                                       const QStringList &knownCalls, const logcheck::Options &options,
                                                       const logcheck::Progress &progress);

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

    const QVector<logcheck::Finding> &findings() const { return m_findings; }

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
    QVector<logcheck::Finding> m_findings;
};

} // namespace vireo
