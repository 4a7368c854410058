#include "app/backup_scheduler.h"

#include "app/logging.h"
#include "base/error.h"
#include "base/ini_file.h"
#include "db/log_backup.h"
#include "db/log_disk.h"

#include <QThread>

#include <algorithm>

namespace vireo {

BackupScheduler::Settings BackupScheduler::read(const QString &settingsPath)
{
    const IniFile ini(settingsPath);
    Settings s;
    s.intervalMinutes =
        std::max(0, ini.readInteger(QStringLiteral("Backup"), QStringLiteral("Interval"), s.intervalMinutes));
    s.keep = std::max(1, ini.readInteger(QStringLiteral("Backup"), QStringLiteral("Keep"), s.keep));
    return s;
}

void BackupScheduler::write(const QString &settingsPath, const Settings &settings)
{
    IniFile ini(settingsPath);
    ini.writeInteger(QStringLiteral("Backup"), QStringLiteral("Interval"), settings.intervalMinutes);
    ini.writeInteger(QStringLiteral("Backup"), QStringLiteral("Keep"), settings.keep);
}

BackupScheduler::BackupScheduler(const QString &logPath, const Settings &settings, std::function<QDateTime()> nowUtc,
                                 QObject *parent)
    : QObject(parent), m_logPath(logPath), m_settings(settings), m_now(std::move(nowUtc))
{
    m_timer.setObjectName(QStringLiteral("BackupTimer"));
    connect(&m_timer, &QTimer::timeout, this, &BackupScheduler::tick);
}

BackupScheduler::~BackupScheduler()
{
    finish();
}

void BackupScheduler::start()
{
    if (m_settings.intervalMinutes <= 0)
        return;
    // A full disk could not take the copy: the first tick after space is freed writes it.
    if (logdisk::full(m_logPath))
        m_changed = true;
    else
        startCopy();
    // At most about three weeks, the longest a timer takes.
    m_timer.start(std::min(m_settings.intervalMinutes, 30000) * 60 * 1000);
}

void BackupScheduler::tick()
{
    if (m_changed && !busy())
        startCopy();
}

void BackupScheduler::startCopy()
{
    // Changes from here on go into the next copy.
    m_changed = false;
    auto outcome = std::make_shared<Outcome>();
    m_outcome = outcome;
    const QString log = m_logPath;
    const QDateTime stamp = m_now();
    const int keep = m_settings.keep;
    m_worker = QThread::create([outcome, log, stamp, keep] {
        try {
            outcome->path = logbackup::write(log, stamp);
            logbackup::prune(log, keep);
        } catch (const std::exception &e) {
            outcome->error = errorText(e);
        }
    });
    m_worker->setObjectName(QStringLiteral("BackupWriter"));
    QThread *worker = m_worker;
    // A copy already collected by waitIdle must not take the next one's place.
    connect(worker, &QThread::finished, this, [this, worker] {
        if (m_worker == worker)
            copyDone();
    });
    m_worker->start(QThread::LowPriority);
}

void BackupScheduler::copyDone()
{
    if (!m_worker)
        return;
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    const std::shared_ptr<Outcome> outcome = std::move(m_outcome);
    if (!outcome)
        return;
    if (outcome->error.isEmpty()) {
        emit copyWritten(outcome->path);
    } else {
        m_changed = true; // try again at the next tick
        emit copyFailed(outcome->error);
    }
}

void BackupScheduler::waitIdle()
{
    if (m_worker)
        copyDone();
}

QString BackupScheduler::copyNow()
{
    waitIdle();
    const bool changed = m_changed;
    m_changed = false;
    try {
        return logbackup::write(m_logPath, m_now(), logbackup::Pace{-1, 0});
    } catch (...) {
        m_changed = changed;
        throw;
    }
}

void BackupScheduler::prune()
{
    logbackup::prune(m_logPath, m_settings.keep);
}

void BackupScheduler::finish()
{
    if (m_finished)
        return;
    m_timer.stop();
    waitIdle();
    m_finished = true;
    if (m_settings.intervalMinutes <= 0 || !m_changed)
        return;
    try {
        logbackup::write(m_logPath, m_now(), logbackup::Pace{-1, 0});
        prune();
        m_changed = false;
    } catch (const std::exception &e) {
        qCWarning(lcApp).noquote() << "last backup not written:" << errorText(e);
    }
}

} // namespace vireo
