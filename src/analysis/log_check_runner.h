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
