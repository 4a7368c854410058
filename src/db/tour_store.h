#pragma once
// Table tour: the tour schedule. Dates are kept as yyyy-MM-dd, times as HH:mm:ss.

#include <QDate>
#include <QSqlDatabase>
#include <QTime>
#include <QVector>

namespace vireo {

struct TourRow {
    qint64 rowid = 0; // identity of the row for deletion
    int tour = 0;
    QDate dateBegin;
    QTime timeBegin;
    QDate dateEnd;
    QTime timeEnd;
};

class TourStore {
public:
    explicit TourStore(QSqlDatabase db);

    // All rows in table order.
    QVector<TourRow> all();
    void append(const TourRow &row);
    void clear();
    void remove(qint64 rowid);

private:
    QSqlDatabase m_db;
};

} // namespace vireo
