#pragma once
// The whole log at once, straight through SQLite's own interface, which reads or writes 100,000
// records in a small part of the time the general query interface takes: the read for the report
// writers and the insert of an import.

#include "db/qso_record.h"

#include <QByteArrayView>
#include <QSqlDatabase>

#include <array>

#include <functional>

namespace vireo {

// Calls visit for every record of table qso, in key order. A database error throws vireo::Error
// with SQLite's message.
void scanQsos(const QSqlDatabase &db, const std::function<void(const QsoRecord &)> &visit);

// The same, chunk records a statement: between two chunks the statement is reset and so the read
// lock let go, so that a long pass (the log check's) never holds off the program's own writes for
// longer than one chunk takes. A record written meanwhile is met if its key is above those read.
void scanQsosInChunks(const QSqlDatabase &db, int chunk, const std::function<void(const QsoRecord &)> &visit);

// Inserts the records that next() hands over until it returns false, with new keys, and returns
// how many. The caller holds the transaction; a database error throws vireo::Error.
int insertQsos(const QSqlDatabase &db, const std::function<bool(QsoRecord &)> &next);

// The thirteen values of a record as UTF-8 text, in the order of QsoRecord::columns().
using QsoTexts = std::array<QByteArrayView, 13>;

// The same for records already in UTF-8: next() points the values at text that stays valid until
// it is called again.
int insertQsoTexts(const QSqlDatabase &db, const std::function<bool(QsoTexts &)> &next);

} // namespace vireo
