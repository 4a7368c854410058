#include "db/statement_trace.h"

#include "db/sql.h"

#include <QSqlDriver>

#include <dlfcn.h>
#include <sqlite3.h>

namespace vireo {

namespace {

using TraceFn = int (*)(sqlite3 *, unsigned, int (*)(unsigned, void *, void *, void *), void *);

// The Qt driver is linked against the shared SQLite library; take its trace entry from there.
TraceFn traceFunction()
{
    static TraceFn fn = [] {
        void *lib = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_NOLOAD);
        if (!lib)
            lib = dlopen("libsqlite3.so.0", RTLD_NOW);
        return lib ? reinterpret_cast<TraceFn>(dlsym(lib, "sqlite3_trace_v2")) : nullptr;
    }();
    return fn;
}

sqlite3 *handleOf(const QSqlDatabase &db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(v.constData());
}

} // namespace

StatementRecorder::StatementRecorder(QSqlDatabase db)
{
    sqlite3 *handle = handleOf(db);
    TraceFn trace = traceFunction();
    if (!handle || !trace)
        return;
    if (trace(handle, SQLITE_TRACE_STMT, &StatementRecorder::callback, this) == SQLITE_OK)
        m_handle = handle;
}

StatementRecorder::~StatementRecorder()
{
    if (m_handle)
        traceFunction()(static_cast<sqlite3 *>(m_handle), 0, nullptr, nullptr);
}

int StatementRecorder::callback(unsigned type, void *self, void *, void *text)
{
    if (type == SQLITE_TRACE_STMT && text)
        static_cast<StatementRecorder *>(self)->m_statements << QString::fromUtf8(static_cast<const char *>(text));
    return 0;
}

QStringList queryPlan(QSqlDatabase db, const QString &statement)
{
    QSqlQuery q(db);
    sql::prepare(q, QStringLiteral("EXPLAIN QUERY PLAN ") + statement);
    if (!q.exec())
        sql::fail(q.lastError());
    QStringList lines;
    while (q.next())
        lines << q.value(3).toString();
    return lines;
}

} // namespace vireo
