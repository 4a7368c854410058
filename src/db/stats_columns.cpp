#include "db/stats_columns.h"

#include "db/sqlite_handle.h"
#include "db/sql.h"


#include <sqlite3.h>

#include <memory>

namespace vireo {

namespace {

const QString Statement = QStringLiteral("SELECT band, tur, data, time, nr2 FROM qso");

// Read straight through SQLite's own interface: sparing a QVariant per value is most of the time
// a pass over a large log takes.
QString column(sqlite3_stmt *s, int i)
{
    const void *text = sqlite3_column_text16(s, i);
    if (!text)
        return QString(QLatin1String(""));
    return QString(static_cast<const QChar *>(text), sqlite3_column_bytes16(s, i) / 2);
}

bool readDirectly(const QSqlDatabase &db, const std::function<void(const QsoRecord &)> &visit)
{
    sqlite3 *handle = sqliteHandle(db);
    if (!handle)
        return false;
    sqlite3_stmt *raw = nullptr;
    const QByteArray text = Statement.toUtf8();
    if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &raw, nullptr) != SQLITE_OK)
        throw Error(QString::fromUtf8(sqlite3_errmsg(handle)));
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> s(raw, sqlite3_finalize);
    QsoRecord r;
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        r.band = column(raw, 0);
        r.tur = column(raw, 1);
        r.data = column(raw, 2);
        r.time = column(raw, 3);
        r.nr2 = column(raw, 4);
        visit(r);
    }
    if (rc != SQLITE_DONE)
        throw Error(QString::fromUtf8(sqlite3_errmsg(handle)));
    return true;
}

} // namespace

void forEachStatsColumns(const QSqlDatabase &db, const std::function<void(const QsoRecord &)> &visit)
{
    if (readDirectly(db, visit))
        return;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    sql::prepare(q, Statement);
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
