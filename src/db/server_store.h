#pragma once
// Table servntp: the list of time servers, an address and a free description each.

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

namespace vireo {

struct ServerRow {
    QString address; // srvntp: a host name or an IPv4 address
    QString location; // where the server stands, as the listener wrote it
};

// One store of the table for the whole program, handed to the windows that show it.
class ServerStore : public QObject {
    Q_OBJECT
public:
    explicit ServerStore(QSqlDatabase db, QObject *parent = nullptr);

    // All rows in the order they were added.
    QVector<ServerRow> all();
    void append(const ServerRow &row);
    // Deletes every row with exactly this address.
    void remove(const QString &address);

signals:
    // After each write of this store, once it is done.
    void changed();

private:
    QSqlDatabase m_db;
};

} // namespace vireo
