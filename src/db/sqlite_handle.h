#pragma once
// The SQLite connection under a Qt SQL connection, for what only SQLite's own interface offers
// (busy handler, statement trace, online backup, whole-log reads and writes). vireo_db links the
// same shared SQLite library the Qt driver uses.

#include <QSqlDatabase>

struct sqlite3;

namespace vireo {

// Null when the connection is not open or not an SQLite one.
sqlite3 *sqliteHandle(const QSqlDatabase &db);

} // namespace vireo
