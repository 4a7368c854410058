// Undo, timed backups, restoring the log from a backup copy, and a start on a disk that cannot
// take a write.

#include "app/tmain.h"

#include "app/backup_scheduler.h"
#include "app/logging.h"
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
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QFileInfo>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace vireo {

namespace {

// Ctrl+Z, also with another keyboard layout active (the Z key's X11 scan code).
bool isUndoKey(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo))
        return true;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    return mods == Qt::ControlModifier && (event->key() == Qt::Key_Z || event->nativeScanCode() == 52);
}

// Whether the status panel says that the log cannot be written (full disk, read-only file).
bool showsStorageNotice(const QString &text)
{
    return text == logdisk::fullStatus() || text == logdisk::readOnlyStatus();
}

} // namespace

void TMain::connectUndoHandlers()
{
    undoJournal = std::make_shared<UndoJournal>(*m_qsos);
    const std::shared_ptr<UtcClock> clock = m_ctx.services.utcClock;
    backups = new BackupScheduler(m_ctx.databasePath, BackupScheduler::read(m_ctx.settingsPath),
                                  [clock] { return clock ? clock->nowUtc() : QDateTime::currentDateTimeUtc(); }, this);
    backups->setObjectName(QStringLiteral("Backups"));
    connect(m_qsos.get(), &QsoStore::logChanged, this, [this] {
        backups->markChanged();
        refreshUndoAction();
        // The log takes writes again: a fault shown earlier, or the full disk, is over.
        QLabel *status = StatusPanels[4];
        if (status->property("databaseFault").toBool() || showsStorageNotice(status->text())) {
            status->setProperty("databaseFault", false);
            status->clear();
        }
    });
    connect(backups, &BackupScheduler::copyFailed, this, [this](const QString &text) { setStatusText(5, text); });

    actUndo->setShortcut(QKeySequence::Undo);
    wire(actUndo, &QAction::triggered, &TMain::actUndoClick);
    wire(actRestore, &QAction::triggered, &TMain::actRestoreClick);
    refreshUndoAction();
    backups->start();

    housekeepingTimer = new QTimer(this);
    housekeepingTimer->setObjectName(QStringLiteral("HousekeepingTimer"));
    housekeepingTimer->setInterval(30 * 1000);
    connect(housekeepingTimer, &QTimer::timeout, this, [this] { retryHousekeeping(); });
    QTimer::singleShot(0, this, [this] { checkLogDiskAtStart(); });
}

void TMain::checkLogDiskAtStart()
{
    const QString path = m_ctx.databasePath;
    const QFileInfo file(path);
    const bool skipped = startHousekeepingSkipped || undoJournal->pending();
    const bool readOnly = !file.isWritable() || !QFileInfo(file.absolutePath()).isWritable();
    const bool full = logdisk::full(path) || (skipped && !readOnly);
    if (!full && !readOnly)
        return;
    setStatusText(5, full ? logdisk::fullStatus() : logdisk::readOnlyStatus());
    housekeepingTimer->start();
    m_ctx.services.prompts->warning(full ? logdisk::fullNotice(file.absolutePath()) : logdisk::readOnlyNotice(path));
}

void TMain::retryHousekeeping()
{
    try {
        if (startHousekeepingSkipped)
            startHousekeepingSkipped = !Database::completeHousekeeping(m_qsos->connection(), referenceFiles());
        const bool undoDone = undoJournal->retryPending();
        if (startHousekeepingSkipped || !undoDone || logdisk::full(m_ctx.databasePath))
            return;
        housekeepingTimer->stop();
        if (showsStorageNotice(statusText(5)))
            setStatusText(5, QString());
        RefreshCounters();
    } catch (const std::exception &e) {
        // Not a matter of room or rights: trying again would only repeat it.
        housekeepingTimer->stop();
        setStatusText(5, errorText(e));
    }
}

void TMain::refreshUndoAction()
{
    actUndo->setText(undoJournal->nextCaption());
    actUndo->setEnabled(undoJournal->canUndo());
}

bool TMain::entryUndoKey(QObject *watched, QKeyEvent *event)
{
    QLineEdit *const fields[] = {edCall1, edRst1, edNr1, edCall2, edRst2, edNr2};
    const auto it = std::find(std::begin(fields), std::end(fields), watched);
    if (it == std::end(fields) || !isUndoKey(event))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // The field takes the key itself, so the menu's shortcut does not act behind its back.
        event->accept();
        return true;
    }
    if (!(*it)->text().isEmpty())
        (*it)->undo();
    else if (actUndo->isEnabled())
        guard([this] { actUndoClick(); });
    return true;
}

void TMain::actUndoClick()
{
    // Not in the middle of an edit or of manual entry (the menu "Журнал" is off then).
    if (!mnLogAction->isEnabled() || editMode())
        return;
    const int count = m_logModel->rowCount();
    const UndoJournal::Result r = undoJournal->undo();
    refreshUndoAction();
    if (r.kind == UndoJournal::Kind::None)
        return;
    m_logModel->reload();
    RefreshCounters();
    const int row = r.selectId > 0 ? m_logModel->rowOfId(r.selectId) : -1;
    if (row >= 0) {
        DBGrid1->selectRow(row);
        DBGrid1->scrollTo(m_logModel->index(row, 0));
    } else if (m_logModel->rowCount() > 0 && m_logModel->rowCount() < count) {
        selectLastRow();
    }
}

void TMain::actRestoreClick()
{
    if (editMode())
        return;
    Prompts &prompts = *m_ctx.services.prompts;
    backups->waitIdle(); // a copy being written or old ones being removed would list wrongly
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
    TRestore dialog(logbackup::folderOf(m_ctx.databasePath), items, m_ctx.settingsPath, this);
    if (prompts.showModal(dialog) != QDialog::Accepted)
        return;
    const int chosen = dialog.chosen();
    if (chosen < 0 || chosen >= copies.size())
        return;
    const logbackup::Copy &copy = copies.at(chosen);
    const QString when = TRestore::dateTimeText(copy.utc);
    if (!prompts.askYesNo(QStringLiteral("Заменить журнал резервной копией от %1 UTC (QSO: %2)?\n"
                                         "Текущий журнал будет сохранён как ещё одна резервная копия.")
                              .arg(when, TRestore::countText(items.at(chosen).qsos))))
        return;

    const QString unchanged = QStringLiteral("\nЖурнал не изменён.");
    try {
        logbackup::check(copy.path);
        backups->copyNow();
        logbackup::restore(m_qsos->connection(), copy.path);
    } catch (const std::exception &e) {
        setStatusText(5, errorText(e));
        showError(prompts, errorText(e) + unchanged);
        return;
    }
    // The history of this run belongs to the log that was replaced.
    undoJournal->reset();
    m_logModel->reload();
    selectLastRow();
    RefreshCounters();
    m_qsos->notify(LogChange{});
    refreshUndoAction();
    try {
        backups->prune();
    } catch (const std::exception &e) {
        // old copies stay; the next copy tries again
        qCWarning(lcApp).noquote() << "old backups not pruned:" << errorText(e);
    }
    setStatusText(5, QStringLiteral("Журнал восстановлен из копии от %1 UTC").arg(when));
}

} // namespace vireo
