#include "db/server_store.h"

#include "db/sql.h"

namespace vireo {

ServerStore::ServerStore(QSqlDatabase db, QObject *parent) : QObject(parent), m_db(db) {}

QVector<ServerRow> ServerStore::all()
{
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT srvntp, location FROM servntp ORDER BY rowid"));
    QVector<ServerRow> rows;
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toString()});
    return rows;
}

void ServerStore::append(const ServerRow &row)
{
    sql::run(m_db, QStringLiteral("INSERT INTO servntp (srvntp, location) VALUES (?, ?)"), {row.address, row.location});
    emit changed();
}

void ServerStore::remove(const QString &address)
{
    sql::run(m_db, QStringLiteral("DELETE FROM servntp WHERE srvntp = ?"), {address});
    emit changed();
}

} // namespace vireo
