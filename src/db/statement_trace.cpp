#include "db/statement_trace.h"

#include "db/sql.h"
#include "db/sqlite_handle.h"

#include <sqlite3.h>

namespace vireo {

StatementRecorder::StatementRecorder(QSqlDatabase db)
{
    sqlite3 *handle = sqliteHandle(db);
    if (!handle)
        return;
    if (sqlite3_trace_v2(handle, SQLITE_TRACE_STMT, &StatementRecorder::callback, this) == SQLITE_OK)
        m_handle = handle;
}

StatementRecorder::~StatementRecorder()
{
    if (m_handle)
        sqlite3_trace_v2(static_cast<sqlite3 *>(m_handle), 0, nullptr, nullptr);
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
