#pragma once
// Table tour: the tour schedule. Dates are kept as yyyy-MM-dd, times as HH:mm:ss.

#include <QDate>
#include <QObject>
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

// One store of the table for the whole program: every window that shows the tours reads them
// here and hears of each change.
class TourStore : public QObject {
    Q_OBJECT
public:
    explicit TourStore(QSqlDatabase db, QObject *parent = nullptr);

    // All rows in table order.
    QVector<TourRow> all();
    void append(const TourRow &row);
    void clear();
    void remove(qint64 rowid);

signals:
    // After each write of this store, once it is done.
    void changed();

private:
    QSqlDatabase m_db;
};

} // namespace vireo
