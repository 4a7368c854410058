#pragma once
// The SQLite connection under a Qt SQL connection, for what only SQLite's own interface offers
// (busy handler, statement trace, online backup, whole-log reads and writes). vireo_db links the
// same shared SQLite library the Qt driver uses.

#include <QSqlDatabase>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace vireo {

// Null when the connection is not open or not an SQLite one.
sqlite3 *sqliteHandle(const QSqlDatabase &db);

// One statement prepared straight on the SQLite connection under db, finalized when it goes: a
// pass over the whole log this way spares a QVariant per value, most of the time such a pass
// takes. Every failure throws vireo::DatabaseError with what, whose %1 becomes the reason.
class SqliteStatement {
public:
    SqliteStatement(const QSqlDatabase &db, const char *statement, const QString &what);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    sqlite3_stmt *get() const { return m_stmt; }
    // The next row: false when there is none left.
    bool nextRow();
    // Runs a statement that gives no rows and makes it ready to run again.
    void run();
    // A text column of the current row; NULL reads as empty text.
    QString text(int column) const;
    [[noreturn]] void fail() const;

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_what;
};

} // namespace vireo
