#include "analysis/log_check_runner.h"

#include "base/error.h"
#include "db/database.h"
#include "db/qso_scan.h"

#include <QThread>

#include <malloc.h>

namespace vireo {

struct LogCheckRunner::Job {
    QString path;
    int expected = 0;
    QStringList known;
    logcheck::Options options;
    std::atomic_bool stop{false};
    std::atomic_int percent{-1};
    // Results, read by the runner once the thread has ended.
    bool stopped = false;
    QString error;
    logcheck::Findings findings;
};

namespace {

std::atomic_int connectionSerial{0};

// The check of a large log takes tens of megabytes on its thread, given back when the window
// closes. glibc raises its thresholds for handing memory back to the system as a program frees
// large blocks, up to 64 MiB, and never gives back the free top of a thread's heap below them;
// fixed thresholds keep such memory returnable. Set once, for the whole program.
void keepMemoryReturnable()
{
    static const bool once = [] {
        mallopt(M_MMAP_THRESHOLD, 256 * 1024);
        mallopt(M_TRIM_THRESHOLD, 1024 * 1024);
        return true;
    }();
    (void)once;
}

} // namespace

std::optional<logcheck::Findings> checkLogFile(const QString &path, int expectedRecords, const QStringList &knownCalls,
                                               const logcheck::Options &options, const logcheck::Progress &progress)
{
    Database db(path, QStringLiteral("logcheck-%1").arg(++connectionSerial));
    const QSqlDatabase connection = db.connection();
    const logcheck::RecordSource source = [&connection](const logcheck::Visitor &visit) {
        scanQsosInChunks(connection, LogCheckChunk, visit);
    };
    return logcheck::check(source, expectedRecords, knownCalls, options, progress);
}

LogCheckRunner::LogCheckRunner(QObject *parent) : QObject(parent) {}

LogCheckRunner::~LogCheckRunner()
{
    if (m_thread) {
        m_job->stop = true;
        m_thread->wait();
        delete m_thread;
    }
}

void LogCheckRunner::start(const QString &databasePath, int expectedRecords, const QStringList &knownCalls,
                           const logcheck::Options &options)
{
    if (m_thread)
        return;
    keepMemoryReturnable();
    m_findings = logcheck::Findings();
    auto job = std::make_shared<Job>();
    job->path = databasePath;
    job->expected = std::max(1, expectedRecords);
    job->known = knownCalls;
    job->options = options;
    m_job = job;

    // Progress is handed over through the runner's own signal, queued to its thread; the
    // worker only emits when the figure changes.
    auto tell = [this, job](int percent) {
        if (job->percent.exchange(percent) != percent)
            QMetaObject::invokeMethod(
                this, [this, percent] { emit progress(percent); }, Qt::QueuedConnection);
    };
    m_thread = QThread::create([job, tell] {
        try {
            auto found = checkLogFile(job->path, job->expected, job->known, job->options, [&](int percent) {
                tell(percent);
                return !job->stop;
            });
            if (found)
                job->findings = std::move(*found);
            else
                job->stopped = true;
        } catch (const std::exception &e) {
            job->error = errorText(e);
        }
    });
    connect(m_thread, &QThread::finished, this, &LogCheckRunner::threadDone, Qt::QueuedConnection);
    m_thread->start();
}

void LogCheckRunner::cancel()
{
    if (m_job)
        m_job->stop = true;
}

void LogCheckRunner::threadDone()
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    std::shared_ptr<Job> job = std::move(m_job);
    if (!job->error.isEmpty()) {
        emit failed(job->error);
    } else if (job->stopped || job->stop) {
        emit cancelled();
    } else {
        m_findings = std::move(job->findings);
        emit finished(m_findings.size());
    }
}

} // namespace vireo
