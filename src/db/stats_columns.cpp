#include "db/stats_columns.h"

#include "db/sqlite_handle.h"

#include <QCoreApplication>

namespace vireo {

void forEachStatsColumns(const QSqlDatabase &db, const std::function<void(const QsoRecord &)> &visit)
{
    SqliteStatement s(db, "SELECT band, tur, data, time, nr2 FROM qso",
                      QCoreApplication::translate("vireo::QsoScan", "Ошибка чтения журнала: %1"));
    QsoRecord r;
    while (s.nextRow()) {
        r.band = s.text(0);
        r.tur = s.text(1);
        r.data = s.text(2);
        r.time = s.text(3);
        r.nr2 = s.text(4);
        visit(r);
    }
}

} // namespace vireo
