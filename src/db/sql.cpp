#include "db/sql.h"

#include "db/database_error.h"

namespace vireo::sql {

void fail(const QSqlError &error)
{
    // SQLite's own words when there are any, else the driver's ("Unable to fetch row", ...).
    QString detail = error.databaseText().trimmed();
    if (detail.isEmpty())
        detail = error.driverText().trimmed();
    throw DatabaseError(sqliteCodeOf(error.nativeErrorCode()), detail);
}

void prepare(QSqlQuery &query, const QString &statement)
{
    if (!query.prepare(statement))
        fail(query.lastError());
}

void exec(QSqlQuery &query, std::initializer_list<QVariant> values)
{
    int i = 0;
    for (const QVariant &v : values)
        query.bindValue(i++, v);
    if (!query.exec())
        fail(query.lastError());
}

QSqlQuery run(const QSqlDatabase &db, const QString &statement, std::initializer_list<QVariant> values)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    prepare(q, statement);
    exec(q, values);
    return q;
}

qint64 scalar(QSqlQuery &query)
{
    if (!query.next())
        return 0;
    return query.value(0).toLongLong();
}

Transaction::Transaction(QSqlDatabase db) : m_db(db)
{
    // The write lock is taken at the start, waiting for another program's lock as long as the
    // busy timeout allows: a transaction that began reading could not wait for it later.
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        fail(q.lastError());
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.rollback();
}

void Transaction::commit()
{
    if (!m_db.commit())
        fail(m_db.lastError());
    m_done = true;
}

LargeCache::LargeCache(QSqlDatabase db) : m_db(db)
{
    QSqlQuery q = run(m_db, QStringLiteral("PRAGMA cache_size"));
    m_size = scalar(q);
    q.finish();
    run(m_db, QStringLiteral("PRAGMA cache_size = -65536")); // 64 MiB, freed as the cache shrinks back
    m_set = true;
}

LargeCache::~LargeCache()
{
    if (m_set)
        QSqlQuery(m_db).exec(QStringLiteral("PRAGMA cache_size = %1").arg(m_size));
}

} // namespace vireo::sql
