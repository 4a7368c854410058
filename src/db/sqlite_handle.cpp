#include "db/sqlite_handle.h"

#include "db/database_error.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace vireo {

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(v.constData());
}

SqliteStatement::SqliteStatement(const QSqlDatabase &db, const char *statement, const QString &what)
    : m_db(sqliteHandle(db)), m_what(what)
{
    if (!m_db)
        throw Error(m_what.arg(QCoreApplication::translate("vireo::QsoScan", "база данных не открыта")));
    if (sqlite3_prepare_v2(m_db, statement, -1, &m_stmt, nullptr) != SQLITE_OK)
        fail();
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::fail() const
{
    throw DatabaseError(sqlite3_extended_errcode(m_db), QString::fromUtf8(sqlite3_errmsg(m_db)), m_what);
}

bool SqliteStatement::nextRow()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail();
    return false;
}

void SqliteStatement::run()
{
    if (sqlite3_step(m_stmt) != SQLITE_DONE)
        fail();
    sqlite3_reset(m_stmt);
}

QString SqliteStatement::text(int column) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, column)) : QString(QLatin1String(""));
}

} // namespace vireo
