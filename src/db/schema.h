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
// Adds the indexes, the totals table and its triggers a file made by an older program may lack,
// counting the totals anew from the rows when they were not kept (never changes the log's tables
// or rows). Also for a file whose contents were replaced as a whole, such as a restored copy.
void ensureIndexes(QSqlDatabase db);
// Deletes every record of the log, inside the caller's transaction, as fast as a table without
// triggers, and leaves the totals at zero with their triggers in place.
void deleteAllRecords(QSqlDatabase db);
// Tables of the list that the database lacks.
QStringList missingTables(QSqlDatabase db);

} // namespace vireo::schema
