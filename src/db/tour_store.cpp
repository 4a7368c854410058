#include "db/tour_store.h"

#include "db/sql.h"

namespace vireo {

namespace {
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString TimeFormat = QStringLiteral("HH:mm:ss");
} // namespace

TourStore::TourStore(QSqlDatabase db, QObject *parent) : QObject(parent), m_db(db) {}

QVector<TourRow> TourStore::all()
{
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT rowid, tour, datebegin, timebegin, dateend, timeend FROM tour"
                                                " ORDER BY rowid"));
    QVector<TourRow> rows;
    while (q.next()) {
        TourRow r;
        r.rowid = q.value(0).toLongLong();
        r.tour = q.value(1).toInt();
        r.dateBegin = QDate::fromString(q.value(2).toString(), DateFormat);
        r.timeBegin = QTime::fromString(q.value(3).toString(), TimeFormat);
        r.dateEnd = QDate::fromString(q.value(4).toString(), DateFormat);
        r.timeEnd = QTime::fromString(q.value(5).toString(), TimeFormat);
        rows.append(r);
    }
    return rows;
}

void TourStore::append(const TourRow &r)
{
    sql::run(m_db,
             QStringLiteral("INSERT INTO tour (tour, datebegin, timebegin, dateend, timeend) VALUES (?, ?, ?, ?, ?)"),
             {r.tour, r.dateBegin.toString(DateFormat), r.timeBegin.toString(TimeFormat),
              r.dateEnd.toString(DateFormat), r.timeEnd.toString(TimeFormat)});
    emit changed();
}

void TourStore::clear()
{
    sql::run(m_db, QStringLiteral("DELETE FROM tour"));
    emit changed();
}

void TourStore::remove(qint64 rowid)
{
    sql::run(m_db, QStringLiteral("DELETE FROM tour WHERE rowid = ?"), {rowid});
    emit changed();
}

} // namespace vireo
