#pragma once
// The log database's schema and the check that a file holds it.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace vireo::schema {

// The five tables every log file must hold.
QStringList requiredTables();
// Creates the tables and indexes on an empty database.
void create(QSqlDatabase db);
// Adds indexes a file made by an older program may lack (never changes tables or rows).
void ensureIndexes(QSqlDatabase db);
// Tables of the list that the database lacks.
QStringList missingTables(QSqlDatabase db);

} // namespace vireo::schema
