#pragma once
// Table servntp: the list of time servers, an address and a free description each.

#include <QSqlDatabase>
#include <QString>
#include <QVector>

namespace vireo {

struct ServerRow {
    QString address;  // srvntp: a host name or an IPv4 address
    QString location; // where the server stands, as the listener wrote it
};

class ServerStore {
public:
    explicit ServerStore(QSqlDatabase db);

    // All rows in the order they were added.
    QVector<ServerRow> all();
    void append(const ServerRow &row);
    // Deletes every row with exactly this address.
    void remove(const QString &address);

private:
    QSqlDatabase m_db;
};

} // namespace vireo
