#include "db/undo_journal.h"

#include "db/database_error.h"
#include "db/logging.h"
#include "db/schema.h"
#include "db/sql.h"

#include <QDateTime>

#include <algorithm>
#include <optional>

namespace vireo {

namespace {

const QString Columns = QStringLiteral("freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, band, tur, radio");

// Steps larger than this are announced to the listeners as a Reset instead of record by record.
constexpr int SmallStep = 100;
// Steps from this size on may rebuild the log's indexes instead of updating them.
constexpr int BulkStep = 5000;

QString oldColumns()
{
    QStringList c;
    for (const QString &name : Columns.split(QStringLiteral(", ")))
        c << QStringLiteral("old.") + name;
    return c.join(QStringLiteral(", "));
}

// The history table lives in the log file; the step counter, the captions and the triggers are
// temporary objects of this connection, so another program on the same file writes no history.
QStringList tableStatements()
{
    return {
        // The triggers read the step counter for every row they journal: keep it in memory, not
        // in a temporary file (five times faster on a large import).
        QStringLiteral("PRAGMA temp_store = MEMORY"),
        // The temporary ones first: they need no room on the disk, so a full one still gets them.
        QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS undo_current (step INTEGER NOT NULL, active INTEGER NOT NULL)"),
        QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS undo_caption (step INTEGER PRIMARY KEY, kind INTEGER NOT NULL,"
                       " subject TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS undo_row (seq INTEGER PRIMARY KEY, step INTEGER NOT NULL,"
                       " op TEXT NOT NULL, id INTEGER NOT NULL, freq TEXT, mode TEXT, data TEXT, time TEXT,"
                       " call1 TEXT, rst1 TEXT, nr1 TEXT, call2 TEXT, rst2 TEXT, nr2 TEXT, band TEXT, tur TEXT,"
                       " radio TEXT)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS undo_row_step ON undo_row(step, op)"),
        // The instants of the saves (qso_audio) that a step added or removed.
        QStringLiteral("CREATE TABLE IF NOT EXISTS undo_audio (seq INTEGER PRIMARY KEY, step INTEGER NOT NULL,"
                       " op TEXT NOT NULL, qso_id INTEGER NOT NULL, at_ms INTEGER)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS undo_audio_step ON undo_audio(step, op)"),
    };
}

// Whether the instants of the saves are there to journal (a file of an older version on a full
// disk may lack either table for a while).
bool instantsJournaled(const QSqlDatabase &db)
{
    return schema::tableExists(db, QStringLiteral("qso_audio"))
           && schema::tableExists(db, QStringLiteral("undo_audio"));
}

const char *const Triggers[] = {"undo_qso_insert", "undo_qso_delete", "undo_qso_update", "undo_audio_insert",
                                "undo_audio_delete"};

void removeTriggers(const QSqlDatabase &db)
{
    for (const char *name : Triggers)
        sql::run(db, QStringLiteral("DROP TRIGGER IF EXISTS temp.%1").arg(QLatin1String(name)));
}

// The triggers journal a row as it is written. Temporary objects too change with the
// transaction: if it rolls back, they are as they were before it. True when the instants of
// the saves are journaled too.
bool installTriggers(const QSqlDatabase &db)
{
    removeTriggers(db);
    const QString journal =
        QStringLiteral("INSERT INTO undo_row (step, op, id, %1) SELECT step, '%2', old.id, %3 FROM temp.undo_current;")
            .arg(Columns);
    const QString when = QStringLiteral("WHEN (SELECT active FROM temp.undo_current) = 1");
    // An added record needs only its key to be taken out again.
    sql::run(db,
             QStringLiteral("CREATE TEMP TRIGGER undo_qso_insert AFTER INSERT ON main.qso %1 BEGIN"
                            " INSERT INTO undo_row (step, op, id) SELECT step, 'I', new.id FROM temp.undo_current; END")
                 .arg(when));
    sql::run(db, QStringLiteral("CREATE TEMP TRIGGER undo_qso_delete AFTER DELETE ON main.qso %1 BEGIN %2 END")
                     .arg(when, journal.arg(QStringLiteral("D"), oldColumns())));
    sql::run(db, QStringLiteral("CREATE TEMP TRIGGER undo_qso_update AFTER UPDATE ON main.qso %1 BEGIN %2 END")
                     .arg(when, journal.arg(QStringLiteral("U"), oldColumns())));
    // A file that lacks the table of instants yet (an older version's on a full disk) saves without them.
    if (!instantsJournaled(db))
        return false;
    sql::run(db, QStringLiteral("CREATE TEMP TRIGGER undo_audio_insert AFTER INSERT ON main.qso_audio %1 BEGIN"
                                " INSERT INTO undo_audio (step, op, qso_id) SELECT step, 'I', new.qso_id"
                                " FROM temp.undo_current; END")
                     .arg(when));
    sql::run(db,
             QStringLiteral("CREATE TEMP TRIGGER undo_audio_delete AFTER DELETE ON main.qso_audio %1 BEGIN"
                            " INSERT INTO undo_audio (step, op, qso_id, at_ms) SELECT step, 'D', old.qso_id, old.at_ms"
                            " FROM temp.undo_current; END")
                 .arg(when));
    return true;
}

// The status bar totals follow the rows the undo put back or took out.
void refreshTotals(const QSqlDatabase &db)
{
    sql::run(db, QStringLiteral("UPDATE qso_totals SET total = (SELECT COUNT(*) FROM qso),"
                                " with_nr2 = (SELECT COUNT(*) FROM qso WHERE nr2 <> '') WHERE id = 1"));
}

QsoRecord readColumns(const QSqlQuery &q, int first)
{
    QsoRecord r;
    int i = first;
    for (QString *value : r.columns())
        *value = q.value(i++).toString();
    return r;
}

} // namespace

UndoJournal::UndoJournal(QsoStore &store) : m_store(store)
{
    // Numbered from the time of the start, so a second program on the same file never shares a step.
    m_firstStep = QDateTime::currentMSecsSinceEpoch() * 1000;
    reset();
    connect(&m_store, &QsoStore::logChanged, this, &UndoJournal::stepCommitted);
    m_store.watchBulkWrites(this);
}

UndoJournal::~UndoJournal()
{
    m_store.stopWatchingBulkWrites(this);
}

void UndoJournal::beforeBulkWrite(bool removingAll)
{
    const QSqlDatabase db = m_store.connection();
    if (removingAll)
        sql::run(db, QStringLiteral("INSERT INTO undo_row (step, op, id, %1) SELECT c.step, 'D', q.id, %2"
                                    " FROM temp.undo_current AS c, main.qso AS q WHERE c.active = 1 ORDER BY q.id")
                         .arg(Columns,
                              QStringLiteral("q.") + Columns.split(QStringLiteral(", ")).join(QStringLiteral(", q."))));
    if (removingAll && instantsJournaled(db))
        sql::run(db,
                 QStringLiteral("INSERT INTO undo_audio (step, op, qso_id, at_ms) SELECT c.step, 'D', a.qso_id, a.at_ms"
                                " FROM temp.undo_current AS c, main.qso_audio AS a WHERE c.active = 1"));
    // Without triggers SQLite empties a table at once, and adds rows without a statement each.
    removeTriggers(db);
}

void UndoJournal::afterBulkWrite(qint64 lastKeyBefore)
{
    const QSqlDatabase db = m_store.connection();
    sql::run(
        db,
        QStringLiteral("INSERT INTO undo_row (step, op, id) SELECT c.step, 'I', q.id"
                       " FROM temp.undo_current AS c, main.qso AS q WHERE c.active = 1 AND q.id > ? ORDER BY q.id"),
        {lastKeyBefore});
    m_instantsFollowed = installTriggers(db);
}

void UndoJournal::install()
{
    const QSqlDatabase db = m_store.connection();
    for (const QString &statement : tableStatements())
        sql::run(db, statement);
    m_instantsFollowed = installTriggers(db);
}

bool UndoJournal::historyTableExists()
{
    QSqlQuery q =
        sql::run(m_store.connection(), QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'"
                                                      " AND name IN ('undo_row', 'undo_audio')"));
    return sql::scalar(q) == 2;
}

void UndoJournal::reset()
{
    const QSqlDatabase db = m_store.connection();
    // Steps of this run already taken (and any a restored copy brought along) are left behind:
    // this run's history starts anew at the next step.
    {
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("SELECT step FROM temp.undo_current")) && q.next())
            m_firstStep = std::max(m_firstStep, q.value(0).toLongLong());
    }
    m_pending = false;
    try {
        install();
    } catch (const DatabaseError &e) {
        // A file of an older version lacks the history table, and the disk cannot take it now.
        // The log is saved without a history until it can.
        if (!e.cannotWrite())
            throw;
        m_pending = true;
        if (historyTableExists()) {
            m_instantsFollowed = installTriggers(db);
        } else {
            removeTriggers(db);
            m_instantsFollowed = false;
        }
    }
    // The step counter and the captions live in memory and need no room on the disk.
    sql::run(db, QStringLiteral("DELETE FROM temp.undo_caption"));
    sql::run(db, QStringLiteral("DELETE FROM temp.undo_current"));
    sql::run(db, QStringLiteral("INSERT INTO temp.undo_current (step, active) VALUES (?, 1)"), {m_firstStep});
    if (!m_pending)
        forgetEarlierSteps();
}

void UndoJournal::forgetEarlierSteps()
{
    // The rows of earlier runs only take room: a disk that cannot take the change now keeps them
    // until a later try.
    try {
        sql::Transaction t(m_store.connection());
        sql::run(m_store.connection(), QStringLiteral("DELETE FROM undo_row WHERE step < ?"), {m_firstStep});
        sql::run(m_store.connection(), QStringLiteral("DELETE FROM undo_audio WHERE step < ?"), {m_firstStep});
        t.commit();
        m_pending = false;
    } catch (const DatabaseError &e) {
        if (!e.cannotWrite())
            throw;
        m_pending = true;
    }
}

bool UndoJournal::retryPending()
{
    if (!m_pending)
        return true;
    try {
        if (!historyTableExists())
            install();
    } catch (const DatabaseError &e) {
        if (!e.cannotWrite())
            throw;
        return false;
    }
    forgetEarlierSteps();
    return !m_pending;
}

void UndoJournal::stepCommitted(const LogChange &change)
{
    if (m_undoing)
        return;
    // Called after the write has been committed: a failure here must not turn a good save into
    // an error. At worst the next write joins this step.
    try {
        if (m_pending)
            retryPending();
        const QSqlDatabase db = m_store.connection();
        // The table of instants came later (a file of an older version once the disk had room).
        if (!m_pending && !m_instantsFollowed && instantsJournaled(db))
            m_instantsFollowed = installTriggers(db);
        QSqlQuery s = sql::run(db, QStringLiteral("SELECT step FROM temp.undo_current"));
        const qint64 step = sql::scalar(s);
        s.finish();
        sql::run(db, QStringLiteral("UPDATE temp.undo_current SET step = step + 1"));
        QSqlQuery rows = sql::run(db,
                                  QStringLiteral("SELECT EXISTS (SELECT 1 FROM undo_row WHERE step = ?),"
                                                 " EXISTS (SELECT 1 FROM undo_row WHERE step = ? AND op = 'I')"),
                                  {step, step});
        rows.next();
        if (rows.value(0).toBool()) {
            Kind kind = Kind::Clear;
            QString subject;
            switch (change.kind) {
            case LogChange::Added:
                kind = Kind::Save;
                subject = change.after.isEmpty() ? QString() : change.after.first().call1;
                break;
            case LogChange::Removed:
                kind = Kind::Delete;
                subject = change.before.isEmpty() ? QString() : change.before.first().call1;
                break;
            case LogChange::Updated:
                kind = Kind::Edit;
                subject = change.after.isEmpty() ? QString() : change.after.first().call1;
                break;
            case LogChange::Reset:
                kind = rows.value(1).toBool() ? Kind::Import : Kind::Clear;
                break;
            }
            sql::run(db,
                     QStringLiteral("INSERT OR REPLACE INTO temp.undo_caption (step, kind, subject) VALUES (?, ?, ?)"),
                     {step, int(kind), QString(QLatin1String("") + subject.trimmed())});
        }
        rows.finish();
    } catch (const Error &e) {
        qCWarning(lcDb).noquote() << "undo step caption not kept:" << e.text();
    }
}

qint64 UndoJournal::topStep()
{
    // A file of an older version on a disk that could not take the history table yet.
    if (m_pending && !historyTableExists())
        return 0;
    QSqlQuery q =
        sql::run(m_store.connection(), QStringLiteral("SELECT MAX(step) FROM undo_row WHERE step >= ?"), {m_firstStep});
    return sql::scalar(q);
}

UndoJournal::Kind UndoJournal::nextKind()
{
    const qint64 step = topStep();
    if (step == 0)
        return Kind::None;
    QSqlQuery q =
        sql::run(m_store.connection(), QStringLiteral("SELECT kind FROM temp.undo_caption WHERE step = ?"), {step});
    if (q.next())
        return Kind(q.value(0).toInt());
    // A step whose caption was not written: name it by what it holds.
    QSqlQuery ops =
        sql::run(m_store.connection(),
                 QStringLiteral("SELECT EXISTS (SELECT 1 FROM undo_row WHERE step = ? AND op = 'I')"), {step});
    return sql::scalar(ops) ? Kind::Import : Kind::Clear;
}

QString UndoJournal::nextSubject()
{
    const qint64 step = topStep();
    QSqlQuery q =
        sql::run(m_store.connection(), QStringLiteral("SELECT subject FROM temp.undo_caption WHERE step = ?"), {step});
    return q.next() ? q.value(0).toString() : QString();
}

QString UndoJournal::nextCaption()
{
    const Kind kind = nextKind();
    return caption(kind, kind == Kind::None ? QString() : nextSubject());
}

QString UndoJournal::caption(Kind kind, const QString &subject)
{
    const QString call = subject.trimmed();
    auto named = [&call](const QString &what, const QString &unnamed) {
        return tr("Отменить ") + (call.isEmpty() ? unnamed : what + QLatin1Char(' ') + call);
    };
    switch (kind) {
    case Kind::None:
        break;
    case Kind::Save:
        return named(tr("запись QSO"), tr("запись QSO"));
    case Kind::Delete:
        return named(tr("удаление"), tr("удаление записи"));
    case Kind::Edit:
        return named(tr("правку"), tr("правку записи"));
    case Kind::Clear:
        return tr("Отменить очистку журнала");
    case Kind::Import:
        return tr("Отменить импорт журнала");
    }
    return tr("Отменить");
}

UndoJournal::Result UndoJournal::undo()
{
    const qint64 step = topStep();
    if (step == 0)
        return {};
    const QSqlDatabase db = m_store.connection();
    Result result;
    result.kind = nextKind();

    int added = 0, deleted = 0, updated = 0;
    {
        QSqlQuery q =
            sql::run(db, QStringLiteral("SELECT op, COUNT(*) FROM undo_row WHERE step = ? GROUP BY op"), {step});
        while (q.next()) {
            const QString op = q.value(0).toString();
            (op == QLatin1String("I") ? added : op == QLatin1String("D") ? deleted : updated) = q.value(1).toInt();
        }
    }
    // Records added in the step are taken out; records it deleted come back with their keys
    // (unless the step had added them itself); changed records get their earliest old values.
    const QString addedIds = QStringLiteral("SELECT id FROM undo_row WHERE step = :step AND op = 'I'");
    const QString notAdded = added > 0 ? QStringLiteral(" AND id NOT IN (%1)").arg(addedIds) : QString();
    const QString deletedRows =
        QStringLiteral("SELECT id, %1 FROM undo_row WHERE step = :step AND op = 'D'%2 ORDER BY seq")
            .arg(Columns, notAdded);
    const QString firstUpdates =
        QStringLiteral("SELECT id, %1 FROM undo_row WHERE seq IN (SELECT MIN(seq) FROM undo_row"
                       " WHERE step = :step AND op = 'U' GROUP BY id)%2")
            .arg(Columns, notAdded);
    auto bound = [&db, step](const QString &statement) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        sql::prepare(q, statement);
        q.bindValue(QStringLiteral(":step"), step);
        if (!q.exec())
            sql::fail(q.lastError());
        return q;
    };

    // What the listeners are told: record by record for small steps of one kind.
    const bool small =
        added + deleted + updated <= SmallStep && int(added > 0) + int(deleted > 0) + int(updated > 0) == 1;
    LogChange change; // Reset
    if (small && added > 0) {
        change.kind = LogChange::Removed;
        QSqlQuery q = bound(QStringLiteral("SELECT id FROM qso WHERE id IN (%1) ORDER BY id").arg(addedIds));
        QVector<qint64> ids;
        while (q.next())
            ids << q.value(0).toLongLong();
        for (qint64 id : ids)
            change.before << m_store.byId(id);
    } else if (small && deleted > 0) {
        change.kind = LogChange::Added;
        QSqlQuery q = bound(deletedRows);
        while (q.next()) {
            QsoRecord r = readColumns(q, 1);
            r.id = q.value(0).toLongLong();
            change.after << r;
        }
    } else if (small && updated > 0) {
        change.kind = LogChange::Updated;
        QSqlQuery q = bound(firstUpdates);
        QVector<QsoRecord> old;
        while (q.next()) {
            QsoRecord r = readColumns(q, 1);
            r.id = q.value(0).toLongLong();
            old << r;
        }
        for (const QsoRecord &r : old) {
            change.before << m_store.byId(r.id);
            change.after << r;
        }
    }
    if (added == 0) {
        QSqlQuery q = bound(QStringLiteral("SELECT MIN(id) FROM undo_row WHERE step = :step AND op IN ('D', 'U')"));
        result.selectId = sql::scalar(q);
        QSqlQuery u = bound(QStringLiteral("SELECT COUNT(DISTINCT id) FROM undo_row WHERE step = :step AND op = 'U'"));
        result.restored = deleted + int(sql::scalar(u));
    } else {
        QSqlQuery q = bound(QStringLiteral("SELECT MIN(id), COUNT(*) FROM (%1 UNION ALL SELECT id FROM (%2))")
                                .arg(QStringLiteral("SELECT id FROM (%1)").arg(deletedRows), firstUpdates));
        if (q.next()) {
            result.selectId = q.value(0).toLongLong();
            result.restored = q.value(1).toInt();
        }
    }

    // A large step rewrites the log's indexes all over: give it a page cache that holds them, so
    // that no page is written out twice in the middle of the transaction.
    std::optional<sql::LargeCache> cache;
    if (added + deleted + updated > SmallStep)
        cache.emplace(db);
    {
        sql::Transaction t(db);
        sql::run(db, QStringLiteral("UPDATE temp.undo_current SET active = 0"));
        // When most of the log is taken out or put back (the undo of a clear or of an import),
        // the log's indexes are built afresh from the rows instead of being updated row by row.
        const qint64 after = m_store.count() - added + deleted;
        const bool rebuild = added + deleted >= BulkStep && 2 * qint64(added + deleted) >= after;
        const bool bulk = added + deleted >= BulkStep;
        const std::function<void()> replaceRows = [&] {
            if (added > 0 && added == m_store.count()) {
                // Every record of the log came with this step (an import that replaced the log): the
                // table is emptied at once, which SQLite does only while no trigger watches it.
                removeTriggers(db);
                QSqlQuery gone = sql::run(db, QStringLiteral("DELETE FROM qso"));
                result.removed = gone.numRowsAffected();
                gone.finish();
                m_instantsFollowed = installTriggers(db);
            } else {
                QSqlQuery gone = bound(QStringLiteral("DELETE FROM qso WHERE id IN (%1)").arg(addedIds));
                result.removed = gone.numRowsAffected();
            }
            bound(QStringLiteral("INSERT INTO qso (id, %1) SELECT id, %1 FROM (%2)").arg(Columns, deletedRows));
        };
        const std::function<void()> apply = [&] {
            if (rebuild)
                schema::withIndexesRebuilt(db, replaceRows);
            else
                replaceRows();
            QStringList sets;
            for (const QString &name : Columns.split(QStringLiteral(", ")))
                sets << QStringLiteral("%1 = u.%1").arg(name);
            bound(QStringLiteral("UPDATE qso SET %1 FROM (%2) AS u WHERE qso.id = u.id")
                      .arg(sets.join(QStringLiteral(", ")), firstUpdates));
        };
        // A big step goes without the per-row counting triggers (which would cost seconds for a
        // hundred thousand rows and keep SQLite from emptying the table at once); the totals
        // are counted once before the transaction commits.
        if (bulk)
            schema::withoutCounting(db, apply);
        else
            apply();
        // The instants of the saves go back with their records: those the step noted are taken
        // out, those it removed come back.
        if (instantsJournaled(db)) {
            bound(QStringLiteral("DELETE FROM qso_audio WHERE qso_id IN (SELECT qso_id FROM undo_audio"
                                 " WHERE step = :step AND op = 'I')"));
            bound(QStringLiteral("INSERT OR REPLACE INTO qso_audio (qso_id, at_ms) SELECT qso_id, at_ms FROM undo_audio"
                                 " WHERE step = :step AND op = 'D' ORDER BY seq"));
            sql::run(db, QStringLiteral("DELETE FROM undo_audio WHERE step = ?"), {step});
        }
        sql::run(db, QStringLiteral("DELETE FROM undo_row WHERE step = ?"), {step});
        refreshTotals(db);
        sql::run(db, QStringLiteral("UPDATE temp.undo_current SET active = 1"));
        t.commit();
    }
    sql::run(db, QStringLiteral("DELETE FROM temp.undo_caption WHERE step = ?"), {step});

    m_undoing = true;
    try {
        m_store.notify(change);
    } catch (...) {
        m_undoing = false;
        throw;
    }
    m_undoing = false;
    return result;
}

} // namespace vireo
