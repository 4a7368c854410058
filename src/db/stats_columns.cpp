#include "db/stats_columns.h"

#include "db/sql.h"

namespace vireo {

void forEachStatsColumns(const QSqlDatabase &db, const std::function<void(const QsoRecord &)> &visit)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    sql::prepare(q, QStringLiteral("SELECT band, tur, data, time, nr2 FROM qso"));
    sql::exec(q);
    QsoRecord r;
    while (q.next()) {
        r.band = q.value(0).toString();
        r.tur = q.value(1).toString();
        r.data = q.value(2).toString();
        r.time = q.value(3).toString();
        r.nr2 = q.value(4).toString();
        visit(r);
    }
}

} // namespace vireo
