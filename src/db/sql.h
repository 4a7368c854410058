#pragma once
// The one routine every statement goes through: prepare, bind, execute, and turn any failure
// into vireo::DatabaseError: a Russian sentence for the listener with the database's own message.

#include "base/error.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <initializer_list>

namespace vireo::sql {

[[noreturn]] void fail(const QSqlError &error);

// Prepares a statement once (queries keep it for re-use).
void prepare(QSqlQuery &query, const QString &statement);
// Binds the values positionally and executes.
void exec(QSqlQuery &query, std::initializer_list<QVariant> values = {});
// One-off statement on a connection.
QSqlQuery run(const QSqlDatabase &db, const QString &statement, std::initializer_list<QVariant> values = {});
// First column of the first row as an integer (for counts).
qint64 scalar(QSqlQuery &query);

// A write transaction (it holds the write lock from its start) that rolls back unless commit() is called.
class Transaction {
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    void commit();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    QSqlDatabase m_db;
    bool m_done = false;
};

// A page cache large enough for every page a change of a hundred thousand rows touches, for as
// long as it lives; the connection's own size comes back after. With the default cache such a
// change writes pages out and reads them back over and over in the middle of its transaction.
class LargeCache {
public:
    explicit LargeCache(QSqlDatabase db);
    ~LargeCache();
    LargeCache(const LargeCache &) = delete;
    LargeCache &operator=(const LargeCache &) = delete;

private:
    QSqlDatabase m_db;
    qint64 m_size = 0;
    bool m_set = false;
};

} // namespace vireo::sql
