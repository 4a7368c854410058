#include "db/band_map_store.h"

#include "db/schema.h"
#include "db/sql.h"

namespace vireo {

namespace {

const QString MomentFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

// Bound values are never NULL: the columns hold text, and NULL would match nothing.
QVariant text(const QString &s)
{
    return s.isNull() ? QString(QLatin1String("")) : s;
}

QVector<BandMapRecord> readRecords(QSqlQuery &q)
{
    QVector<BandMapRecord> rows;
    while (q.next())
        rows.append(BandMapRecord{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(),
                                  q.value(3).toString(), q.value(4).toString(), q.value(5).toString()});
    q.finish();
    return rows;
}

} // namespace

BandMapStore::BandMapStore(QSqlDatabase db) : m_db(db), m_records(db), m_recordsOf(db), m_marks(db), m_marksOf(db)
{
    for (QSqlQuery *q : {&m_records, &m_recordsOf, &m_marks, &m_marksOf})
        q->setForwardOnly(true);
}

QString BandMapStore::momentText(const QDateTime &utc)
{
    return utc.toUTC().toString(MomentFormat);
}

QDateTime BandMapStore::momentOf(const QString &text)
{
    const QDateTime t = QDateTime::fromString(text, MomentFormat);
    if (!t.isValid())
        return {};
    return QDateTime(t.date(), t.time(), Qt::UTC);
}

QVector<BandMapRecord> BandMapStore::records(const QString &band, const QString &mode, const QString &tour,
                                             const QStringList &days)
{
    if (days.isEmpty())
        return {};
    if (m_records.lastQuery().isEmpty())
        sql::prepare(m_records,
                     QStringLiteral("SELECT id, freq, data, time, call1, call2 FROM qso"
                                    " WHERE band = ? AND mode = ? AND tur = ? AND data IN (?, ?) ORDER BY id"));
    sql::exec(m_records, {text(band), text(mode), text(tour), text(days.first()), text(days.value(1, days.first()))});
    return readRecords(m_records);
}

QVector<BandMapRecord> BandMapStore::recordsOf(const QString &call, const QString &band, const QString &mode,
                                               const QString &tour)
{
    if (m_recordsOf.lastQuery().isEmpty())
        sql::prepare(m_recordsOf, QStringLiteral("SELECT id, freq, data, time, call1, call2 FROM qso"
                                                 " WHERE call1 = ? AND band = ? AND mode = ? AND tur = ? ORDER BY id"));
    sql::exec(m_recordsOf, {text(call), text(band), text(mode), text(tour)});
    return readRecords(m_recordsOf);
}

bool BandMapStore::marksKept()
{
    // Once there, the table stays: only a file that lacked it is looked at again.
    if (!m_marksKept)
        m_marksKept = schema::bandMarksKept(m_db);
    return m_marksKept;
}

QVector<BandMark> BandMapStore::readMarks(QSqlQuery &q)
{
    QVector<BandMark> rows;
    while (q.next()) {
        BandMark m;
        m.id = q.value(0).toLongLong();
        m.call = q.value(1).toString();
        m.freq = q.value(2).toString();
        m.band = q.value(3).toString();
        m.mode = q.value(4).toString();
        m.tur = q.value(5).toString();
        m.at = momentOf(q.value(6).toString());
        if (m.at.isValid())
            rows.append(m);
    }
    q.finish();
    return rows;
}

QVector<BandMark> BandMapStore::marks(const QString &band, const QString &mode, const QString &tour,
                                      const QDateTime &since)
{
    if (!marksKept())
        return {};
    if (m_marks.lastQuery().isEmpty())
        sql::prepare(m_marks, QStringLiteral("SELECT id, call, freq, band, mode, tur, at FROM band_mark"
                                             " WHERE band = ? AND mode = ? AND tur = ? AND at >= ? ORDER BY id"));
    sql::exec(m_marks, {text(band), text(mode), text(tour), momentText(since)});
    return readMarks(m_marks);
}

QVector<BandMark> BandMapStore::marksOf(const QString &call, const QString &band, const QString &mode,
                                        const QString &tour, const QDateTime &since)
{
    if (!marksKept())
        return {};
    if (m_marksOf.lastQuery().isEmpty())
        sql::prepare(m_marksOf, QStringLiteral("SELECT id, call, freq, band, mode, tur, at FROM band_mark"
                                               " WHERE band = ? AND mode = ? AND tur = ? AND at >= ? AND call = ?"
                                               " ORDER BY id"));
    sql::exec(m_marksOf, {text(band), text(mode), text(tour), momentText(since), text(call)});
    return readMarks(m_marksOf);
}

qint64 BandMapStore::addMark(const BandMark &mark, const QDateTime &agedOutBefore)
{
    sql::Transaction t(m_db);
    if (!marksKept())
        schema::ensureBandMarks(m_db);
    sql::run(m_db, QStringLiteral("DELETE FROM band_mark WHERE at < ?"), {momentText(agedOutBefore)});
    QSqlQuery q = sql::run(
        m_db,
        QStringLiteral("INSERT INTO band_mark (call, freq, band, mode, tur, at)"
                       " VALUES (?, ?, ?, ?, ?, ?)"),
        {text(mark.call), text(mark.freq), text(mark.band), text(mark.mode), text(mark.tur), momentText(mark.at)});
    const qint64 id = q.lastInsertId().toLongLong();
    q.finish();
    t.commit();
    m_marksKept = true;
    return id;
}

} // namespace vireo
