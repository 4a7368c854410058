#include "db/qso_store.h"

#include "db/qso_scan.h"
#include "db/schema.h"
#include "db/sql.h"

#include <QMetaMethod>

namespace vireo {

namespace {

const QString Columns =
    QStringLiteral("id, freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, band, tur, radio");

QsoRecord readRecord(const QSqlQuery &q)
{
    QsoRecord r;
    r.id = q.value(0).toLongLong();
    r.freq = q.value(1).toString();
    r.mode = q.value(2).toString();
    r.data = q.value(3).toString();
    r.time = q.value(4).toString();
    r.call1 = q.value(5).toString();
    r.rst1 = q.value(6).toString();
    r.nr1 = q.value(7).toString();
    r.call2 = q.value(8).toString();
    r.rst2 = q.value(9).toString();
    r.nr2 = q.value(10).toString();
    r.band = q.value(11).toString();
    r.tur = q.value(12).toString();
    r.radio = q.value(13).toString();
    return r;
}

// Values of the thirteen text columns, never NULL.
QVariant text(const QString &s)
{
    return s.isNull() ? QString(QLatin1String("")) : s;
}

void bindColumns(QSqlQuery &q, const QsoRecord &r)
{
    int i = 0;
    for (const QString *s : r.columns())
        q.bindValue(i++, text(*s));
}

} // namespace

QsoStore::QsoStore(QSqlDatabase db, QObject *parent)
    : QObject(parent),
      m_db(db),
      m_insert(db),
      m_insertInstant(db),
      m_heard(db),
      m_worked(db),
      m_repeats(db),
      m_count(db),
      m_countNr2(db),
      m_pageAsc(db),
      m_pageDesc(db),
      m_version(db)
{
    for (QSqlQuery *q : {&m_insert, &m_insertInstant, &m_heard, &m_worked, &m_repeats, &m_count, &m_countNr2,
                         &m_pageAsc, &m_pageDesc, &m_version})
        q->setForwardOnly(true);
    changedElsewhere();
}

bool QsoStore::changedElsewhere()
{
    // The number changes whenever another connection, of this process or another, commits to
    // the file; this connection's own commits leave it as it is.
    if (m_version.lastQuery().isEmpty())
        sql::prepare(m_version, QStringLiteral("PRAGMA data_version"));
    sql::exec(m_version);
    const qint64 version = sql::scalar(m_version);
    m_version.finish();
    const bool changed = m_seenVersion >= 0 && version != m_seenVersion;
    m_seenVersion = version;
    return changed;
}

bool QsoStore::noticeOtherWrites()
{
    if (!changedElsewhere())
        return false;
    notify(LogChange{});
    return true;
}

void QsoStore::committed(const LogChange &change)
{
    const bool others = changedElsewhere();
    notify(change);
    if (others)
        notify(LogChange{});
}

QVector<qint64> QsoStore::append(const QVector<QsoRecord> &records)
{
    return insert(records, std::nullopt);
}

QVector<qint64> QsoStore::append(const QVector<QsoRecord> &records, qint64 savedAtMs)
{
    return insert(records, savedAtMs);
}

QVector<qint64> QsoStore::insert(const QVector<QsoRecord> &records, std::optional<qint64> savedAtMs)
{
    if (m_insert.lastQuery().isEmpty())
        sql::prepare(m_insert,
                     QStringLiteral("INSERT INTO qso (freq, mode, data, time, call1, rst1, nr1, call2, rst2,"
                                    " nr2, band, tur, radio) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    // A file that cannot take the table of instants yet still takes the records.
    const bool noteInstant = savedAtMs && instantsKept();
    if (noteInstant && m_insertInstant.lastQuery().isEmpty())
        sql::prepare(m_insertInstant, QStringLiteral("INSERT OR REPLACE INTO qso_audio (qso_id, at_ms) VALUES (?, ?)"));
    QVector<qint64> ids;
    sql::Transaction t(m_db);
    for (const QsoRecord &r : records) {
        bindColumns(m_insert, r);
        if (!m_insert.exec())
            sql::fail(m_insert.lastError());
        ids.append(m_insert.lastInsertId().toLongLong());
        if (noteInstant)
            sql::exec(m_insertInstant, {ids.last(), *savedAtMs});
    }
    t.commit();
    LogChange change{LogChange::Added, {}, records};
    for (int i = 0; i < change.after.size(); ++i)
        change.after[i].id = ids.value(i);
    committed(change);
    return ids;
}

bool QsoStore::instantsKept()
{
    // Once there, the table stays: only a file that lacked it is looked at again.
    if (!m_instantsKept)
        m_instantsKept = schema::tableExists(m_db, QStringLiteral("qso_audio"));
    return m_instantsKept;
}

std::optional<qint64> QsoStore::savedAt(qint64 id)
{
    if (!instantsKept())
        return std::nullopt;
    // Only a record that is there has an instant, whoever changed the file.
    QSqlQuery q = sql::run(m_db,
                           QStringLiteral("SELECT a.at_ms FROM qso_audio AS a JOIN qso AS q ON q.id = a.qso_id"
                                          " WHERE a.qso_id = ?"),
                           {id});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toLongLong();
}

qint64 QsoStore::append(const QsoRecord &record)
{
    return append(QVector<QsoRecord>{record}).value(0);
}

bool QsoStore::listened() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&QsoStore::logChanged));
}

void QsoStore::notify(const LogChange &change)
{
    emit logChanged(change);
}

void QsoStore::update(const QsoRecord &r)
{
    const QsoRecord before = listened() ? byId(r.id) : QsoRecord{};
    sql::Transaction t(m_db);
    QSqlQuery q(m_db);
    sql::prepare(q,
                 QStringLiteral("UPDATE qso SET freq = ?, mode = ?, data = ?, time = ?, call1 = ?, rst1 = ?,"
                                " nr1 = ?, call2 = ?, rst2 = ?, nr2 = ?, band = ?, tur = ?, radio = ? WHERE id = ?"));
    bindColumns(q, r);
    q.bindValue(13, r.id);
    if (!q.exec())
        sql::fail(q.lastError());
    t.commit();
    committed(LogChange{LogChange::Updated, {before}, {r}});
}

void QsoStore::remove(qint64 id)
{
    QVector<QsoRecord> before;
    if (listened()) {
        QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT %1 FROM qso WHERE id = ?").arg(Columns), {id});
        if (q.next())
            before.append(readRecord(q));
    }
    sql::Transaction t(m_db);
    sql::run(m_db, QStringLiteral("DELETE FROM qso WHERE id = ?"), {id});
    if (instantsKept())
        sql::run(m_db, QStringLiteral("DELETE FROM qso_audio WHERE qso_id = ?"), {id});
    t.commit();
    if (before.isEmpty()) {
        // Nothing of ours was removed; still, the log may have changed under us.
        if (changedElsewhere())
            notify(LogChange{});
        return;
    }
    committed(LogChange{LogChange::Removed, before, {}});
}

void QsoStore::clear()
{
    bulkWrite(true, [] {});
    changedElsewhere();
    notify(LogChange{});
}

void QsoStore::bulkWrite(bool removingAll, const std::function<void()> &insert)
{
    sql::LargeCache cache(m_db);
    sql::Transaction t(m_db);
    const qint64 lastKey = this->lastKey();
    schema::withoutCounting(m_db, [&] {
        if (m_bulkWatcher)
            m_bulkWatcher->beforeBulkWrite(removingAll);
        // Emptied at once, page by page, since no trigger watches the table now.
        if (removingAll) {
            sql::run(m_db, QStringLiteral("DELETE FROM qso"));
            if (instantsKept())
                sql::run(m_db, QStringLiteral("DELETE FROM qso_audio"));
        }
        // Into an empty table the rows go faster without the indexes, which are then built once.
        if (lastKey == 0 || removingAll)
            schema::withIndexesRebuilt(m_db, insert);
        else
            insert();
        if (m_bulkWatcher)
            m_bulkWatcher->afterBulkWrite(lastKey);
    });
    t.commit();
}

bool QsoStore::totalsKept()
{
    // Once there, the triggers stay: only a file that lacked them is looked at again.
    if (!m_totalsKept)
        m_totalsKept = schema::totalsKept(m_db);
    return m_totalsKept;
}

// The totals are kept by the file's own triggers, whoever writes (db/schema.cpp).
int QsoStore::count()
{
    if (!totalsKept()) {
        QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT COUNT(*) FROM qso"));
        return int(sql::scalar(q));
    }
    if (m_count.lastQuery().isEmpty())
        sql::prepare(m_count, QStringLiteral("SELECT total FROM qso_totals WHERE id = 1"));
    sql::exec(m_count);
    const int n = int(sql::scalar(m_count));
    m_count.finish();
    return n;
}

qint64 QsoStore::lastKey()
{
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT IFNULL(MAX(id), 0) FROM qso"));
    return sql::scalar(q);
}

int QsoStore::countWithNr2()
{
    if (!totalsKept()) {
        QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT COUNT(*) FROM qso WHERE nr2 > ''"));
        return int(sql::scalar(q));
    }
    if (m_countNr2.lastQuery().isEmpty())
        sql::prepare(m_countNr2, QStringLiteral("SELECT with_nr2 FROM qso_totals WHERE id = 1"));
    sql::exec(m_countNr2);
    const int n = int(sql::scalar(m_countNr2));
    m_countNr2.finish();
    return n;
}

int QsoStore::repeatCount(QSqlQuery &q, const char *column, const QString &band, const QString &mode,
                          const QString &call, const QString &tour)
{
    if (q.lastQuery().isEmpty())
        sql::prepare(q, QStringLiteral("SELECT COUNT(*) FROM qso WHERE %1 = ? AND band = ? AND mode = ? AND tur = ?")
                            .arg(QLatin1String(column)));
    sql::exec(q, {text(call), text(band), text(mode), text(tour)});
    const int n = int(sql::scalar(q));
    q.finish();
    return n;
}

int QsoStore::heardRepeatCount(const QString &band, const QString &mode, const QString &call, const QString &tour)
{
    return repeatCount(m_heard, "call1", band, mode, call, tour);
}

int QsoStore::workedRepeatCount(const QString &band, const QString &mode, const QString &call, const QString &tour)
{
    return repeatCount(m_worked, "call2", band, mode, call, tour);
}

QVector<RepeatRow> QsoStore::repeats(const QString &call)
{
    if (m_repeats.lastQuery().isEmpty())
        sql::prepare(m_repeats, QStringLiteral("SELECT tur, band, mode, data, time, call1, call2 FROM qso"
                                               " WHERE call1 = ? OR (call2 = ? AND call2 <> '') ORDER BY id"));
    sql::exec(m_repeats, {text(call), text(call)});
    QVector<RepeatRow> rows;
    while (m_repeats.next()) {
        rows.append(RepeatRow{m_repeats.value(0).toString(), m_repeats.value(1).toString(),
                              m_repeats.value(2).toString(), m_repeats.value(3).toString(),
                              m_repeats.value(4).toString(), m_repeats.value(5).toString(),
                              m_repeats.value(6).toString()});
    }
    m_repeats.finish();
    return rows;
}

QsoRecord QsoStore::byId(qint64 id)
{
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT %1 FROM qso WHERE id = ?").arg(Columns), {id});
    if (!q.next())
        throw Error(tr("Запись %1 не найдена в журнале").arg(id));
    return readRecord(q);
}

QVector<qint64> QsoStore::allIds()
{
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT id FROM qso ORDER BY id"));
    QVector<qint64> ids;
    while (q.next())
        ids.append(q.value(0).toLongLong());
    return ids;
}

QVector<QsoRecord> QsoStore::page(int offset, int limit, bool fromEnd)
{
    if (offset < 0 || limit <= 0)
        return {};
    QSqlQuery &q = fromEnd ? m_pageDesc : m_pageAsc;
    if (q.lastQuery().isEmpty())
        sql::prepare(
            q, QStringLiteral("SELECT %1 FROM qso WHERE id IN (SELECT id FROM qso INDEXED BY qso_id ORDER BY id %2"
                              " LIMIT ? OFFSET ?) ORDER BY id")
                   .arg(Columns, fromEnd ? QStringLiteral("DESC") : QStringLiteral("ASC")));
    sql::exec(q, {limit, offset});
    QVector<QsoRecord> rows;
    while (q.next())
        rows.append(readRecord(q));
    q.finish();
    return rows;
}

int QsoStore::rowOf(qint64 id)
{
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT COUNT(*) FROM qso INDEXED BY qso_id WHERE id < ?"), {id});
    return int(sql::scalar(q));
}

void QsoStore::forEach(const std::function<void(const QsoRecord &)> &visit)
{
    qint64 after = -1;
    for (;;) {
        QSqlQuery q = sql::run(
            m_db, QStringLiteral("SELECT %1 FROM qso WHERE id > ? ORDER BY id LIMIT 2000").arg(Columns), {after});
        int n = 0;
        while (q.next()) {
            const QsoRecord r = readRecord(q);
            after = r.id;
            ++n;
            visit(r);
        }
        if (n < 2000)
            return;
    }
}

int QsoStore::import(bool deleteFirst, const std::function<bool(QsoRecord &)> &next)
{
    int n = 0;
    bulkWrite(deleteFirst, [&] { n = insertQsos(m_db, next); });
    changedElsewhere();
    notify(LogChange{});
    return n;
}

int QsoStore::importTexts(bool deleteFirst, const std::function<bool(QsoTexts &)> &next)
{
    int n = 0;
    bulkWrite(deleteFirst, [&] { n = insertQsoTexts(m_db, next); });
    changedElsewhere();
    notify(LogChange{});
    return n;
}

} // namespace vireo
