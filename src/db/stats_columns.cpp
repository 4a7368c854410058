#include "db/stats_columns.h"

#include "db/sqlite_handle.h"
#include "db/sql.h"

#include <QSqlDriver>

#include <dlfcn.h>
#include <sqlite3.h>

namespace vireo {

namespace {

const QString Statement = QStringLiteral("SELECT band, tur, data, time, nr2 FROM qso");

// The entries of the shared SQLite library that the Qt driver itself is linked against: reading
// the columns straight from it spares a QVariant per value, which is most of the time a pass
// over a large log takes.
struct SqliteApi {
    decltype(&sqlite3_prepare_v2) prepare = nullptr;
    decltype(&sqlite3_step) step = nullptr;
    decltype(&sqlite3_column_text16) text16 = nullptr;
    decltype(&sqlite3_column_bytes16) bytes16 = nullptr;
    decltype(&sqlite3_finalize) finalize = nullptr;
    decltype(&sqlite3_errmsg) errmsg = nullptr;
    bool ok() const { return prepare && step && text16 && bytes16 && finalize && errmsg; }
};

const SqliteApi &api()
{
    static const SqliteApi a = [] {
        SqliteApi s;
        void *lib = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_NOLOAD);
        if (!lib)
            return s;
        s.prepare = reinterpret_cast<decltype(s.prepare)>(dlsym(lib, "sqlite3_prepare_v2"));
        s.step = reinterpret_cast<decltype(s.step)>(dlsym(lib, "sqlite3_step"));
        s.text16 = reinterpret_cast<decltype(s.text16)>(dlsym(lib, "sqlite3_column_text16"));
        s.bytes16 = reinterpret_cast<decltype(s.bytes16)>(dlsym(lib, "sqlite3_column_bytes16"));
        s.finalize = reinterpret_cast<decltype(s.finalize)>(dlsym(lib, "sqlite3_finalize"));
        s.errmsg = reinterpret_cast<decltype(s.errmsg)>(dlsym(lib, "sqlite3_errmsg"));
        return s;
    }();
    return a;
}

QString column(const SqliteApi &a, sqlite3_stmt *s, int i)
{
    const void *text = a.text16(s, i);
    if (!text)
        return QString(QLatin1String(""));
    return QString(static_cast<const QChar *>(text), a.bytes16(s, i) / 2);
}

bool readDirectly(const QSqlDatabase &db, const std::function<void(const QsoRecord &)> &visit)
{
    const SqliteApi &a = api();
    sqlite3 *handle = sqliteHandle(db);
    if (!a.ok() || !handle)
        return false;
    sqlite3_stmt *s = nullptr;
    const QByteArray text = Statement.toUtf8();
    if (a.prepare(handle, text.constData(), int(text.size()), &s, nullptr) != SQLITE_OK)
        throw Error(QString::fromUtf8(a.errmsg(handle)));
    struct Finalize {
        const SqliteApi &a;
        sqlite3_stmt *s;
        ~Finalize() { a.finalize(s); }
    } finalize{a, s};
    QsoRecord r;
    int rc;
    while ((rc = a.step(s)) == SQLITE_ROW) {
        r.band = column(a, s, 0);
        r.tur = column(a, s, 1);
        r.data = column(a, s, 2);
        r.time = column(a, s, 3);
        r.nr2 = column(a, s, 4);
        visit(r);
    }
    if (rc != SQLITE_DONE)
        throw Error(QString::fromUtf8(a.errmsg(handle)));
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
