#include "app/log_safety.h"

#include "app/backup_scheduler.h"
#include "app/log_grid.h"
#include "app/logging.h"
#include "app/main_status_bar.h"
#include "app/trestore.h"
#include "base/error.h"
#include "base/ui/guarded.h"
#include "db/database.h"
#include "db/log_backup.h"
#include "db/log_disk.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "db/undo_journal.h"
#include "stationinfo/reference_files.h"

#include <QAction>
#include <QFileInfo>
#include <QTimer>

namespace vireo {

namespace {

// The notices that the log cannot be written (full disk, read-only file).
QStringList storageNotices()
{
    return {logdisk::fullStatus(), logdisk::readOnlyStatus()};
}

} // namespace

LogSafety::LogSafety(const AppContext &context, const Links &links, bool startSkipped)
    : QObject(links.window), m_ctx(context), m_links(links), m_startSkipped(startSkipped)
{
    m_journal = std::make_shared<UndoJournal>(m_links.qsos);
    const std::shared_ptr<UtcClock> clock = m_ctx.services.utcClock;
    m_backups = new BackupScheduler(
        m_ctx.databasePath, BackupScheduler::read(m_ctx.settingsPath),
        [clock] { return clock ? clock->nowUtc() : QDateTime::currentDateTimeUtc(); }, this);
    m_backups->setObjectName(QStringLiteral("Backups"));
    connect(&m_links.qsos, &QsoStore::logChanged, this, [this] {
        m_backups->markChanged();
        refreshUndoAction();
        // The log takes writes again: a fault shown earlier, or the full disk, is over.
        m_links.status.logWritable(storageNotices());
    });
    connect(m_backups, &BackupScheduler::copyFailed, this,
            [this](const QString &text) { m_links.status.setText(MainStatusBar::Notice, text); });
    m_links.undo->setShortcut(QKeySequence::Undo);
    refreshUndoAction();
    m_backups->start();
    m_housekeeping = new QTimer(this);
    m_housekeeping->setObjectName(QStringLiteral("HousekeepingTimer"));
    m_housekeeping->setInterval(30 * 1000);
    connect(m_housekeeping, &QTimer::timeout, this, [this] { retryHousekeeping(); });
}

LogSafety::~LogSafety()
{
    m_journal.reset(); // it watches the log store
}

void LogSafety::writeSettings() const
{
    BackupScheduler::write(m_ctx.settingsPath, m_backups->settings());
}

void LogSafety::checkDiskAtStart()
{
    const QString path = m_ctx.databasePath;
    const QFileInfo file(path);
    const bool skipped = m_startSkipped || m_journal->pending();
    const bool readOnly = !file.isWritable() || !QFileInfo(file.absolutePath()).isWritable();
    const bool full = logdisk::full(path) || (skipped && !readOnly);
    if (!full && !readOnly)
        return;
    m_links.status.setText(MainStatusBar::Notice, full ? logdisk::fullStatus() : logdisk::readOnlyStatus());
    m_housekeeping->start();
    m_ctx.services.prompts->warning(full ? logdisk::fullNotice(file.absolutePath()) : logdisk::readOnlyNotice(path));
}

void LogSafety::retryHousekeeping()
{
    try {
        if (m_startSkipped)
            m_startSkipped = !Database::completeHousekeeping(m_links.qsos.connection(), referenceFiles());
        const bool undoDone = m_journal->retryPending();
        if (m_startSkipped || !undoDone || logdisk::full(m_ctx.databasePath))
            return;
        m_housekeeping->stop();
        if (storageNotices().contains(m_links.status.text(MainStatusBar::Notice)))
            m_links.status.setText(MainStatusBar::Notice, QString());
        emit countersChanged();
    } catch (const std::exception &e) {
        // Not a matter of room or rights: trying again would only repeat it.
        m_housekeeping->stop();
        m_links.status.setText(MainStatusBar::Notice, errorText(e));
    }
}

void LogSafety::refreshUndoAction()
{
    m_links.undo->setText(m_journal->nextCaption());
    m_links.undo->setEnabled(m_journal->canUndo());
}

void LogSafety::undo()
{
    const int count = m_links.model.rowCount();
    const UndoJournal::Result r = m_journal->undo();
    refreshUndoAction();
    if (r.kind == UndoJournal::Kind::None)
        return;
    m_links.model.reload();
    emit countersChanged();
    if (r.selectId > 0 && m_links.grid.showRecord(r.selectId))
        return;
    if (m_links.model.rowCount() > 0 && m_links.model.rowCount() < count)
        m_links.grid.showLastRow();
}

void LogSafety::restore()
{
    Prompts &prompts = *m_ctx.services.prompts;
    m_backups->waitIdle(); // a copy being written or old ones being removed would list wrongly
    const QVector<logbackup::Copy> copies = logbackup::list(m_ctx.databasePath);
    QVector<TRestore::Item> items;
    for (const logbackup::Copy &c : copies) {
        TRestore::Item item;
        item.utc = c.utc;
        try {
            item.qsos = logbackup::qsoCount(c.path);
        } catch (const Error &) {
            item.qsos = -1;
        }
        items << item;
    }
    TRestore dialog(logbackup::folderOf(m_ctx.databasePath), items, m_ctx.settingsPath, m_links.window);
    if (prompts.showModal(dialog) != QDialog::Accepted)
        return;
    const int chosen = dialog.chosen();
    if (chosen < 0 || chosen >= copies.size())
        return;
    const logbackup::Copy &copy = copies.at(chosen);
    const QString when = TRestore::dateTimeText(copy.utc);
    if (!prompts.askYesNo(tr("Заменить журнал резервной копией от %1 UTC (QSO: %2)?\n"
                             "Текущий журнал будет сохранён как ещё одна резервная копия.")
                              .arg(when, TRestore::countText(items.at(chosen).qsos))))
        return;
    const QString unchanged = tr("\nЖурнал не изменён.");
    try {
        logbackup::check(copy.path);
        m_backups->copyNow();
        logbackup::restore(m_links.qsos.connection(), copy.path);
    } catch (const std::exception &e) {
        m_links.status.setText(MainStatusBar::Notice, errorText(e));
        showError(prompts, errorText(e) + unchanged);
        return;
    }
    // The history of this run belongs to the log that was replaced.
    m_journal->reset();
    m_links.model.reload();
    m_links.grid.showLastRow();
    emit countersChanged();
    m_links.qsos.notify(LogChange{});
    refreshUndoAction();
    try {
        m_backups->prune();
    } catch (const std::exception &e) {
        // old copies stay; the next copy tries again
        qCWarning(lcApp).noquote() << "old backups not pruned:" << errorText(e);
    }
    m_links.status.setText(MainStatusBar::Notice, tr("Журнал восстановлен из копии от %1 UTC").arg(when));
}

} // namespace vireo
