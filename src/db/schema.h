#pragma once
// The log database's schema and the check that a file holds it.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace vireo::schema {

// The five tables every log file must hold.
QStringList requiredTables();
// Creates the tables and indexes on an empty database.
void create(QSqlDatabase db);
// Adds the indexes, the totals table and its triggers, the table of the instants of the saves
// (qso_audio) and the other tables a file made by an older program may lack,
// counting the totals anew from the rows when they were not kept (never changes the log's tables
// or rows). Also for a file whose contents were replaced as a whole, such as a restored copy.
void ensureIndexes(QSqlDatabase db);
// Whether the file keeps the totals itself (the table and its triggers are there).
bool totalsKept(QSqlDatabase db);
// Runs a change of many records inside the caller's transaction without the per-row triggers
// that keep the totals, then counts the totals anew and puts the triggers back.
void withoutCounting(QSqlDatabase db, const std::function<void()> &change);
// Runs a change of most of the log's rows inside the caller's transaction with the indexes of
// table qso taken away, then builds them afresh from the rows: a sort of the finished table is
// several times faster than updating every index row by row. In the same transaction, so no
// reader ever finds an index missing.
void withIndexesRebuilt(QSqlDatabase db, const std::function<void()> &change);
// Whether the file has the table of the band map's marks (ensureIndexes adds it; a file of an
// older version whose disk was full at start may still lack it).
bool bandMarksKept(QSqlDatabase db);
// Adds that table and its indexes, inside the caller's transaction.
void ensureBandMarks(QSqlDatabase db);
// Whether the file holds a table of that name (in the main schema).
bool tableExists(const QSqlDatabase &db, const QString &name);
// Tables of the list that the database lacks.
QStringList missingTables(QSqlDatabase db);

} // namespace vireo::schema
