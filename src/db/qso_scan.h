#pragma once
// A read of the whole log for the report writers: every record in table order, straight through
// SQLite's own interface, which reads 100,000 records in a small part of the time the general
// query interface takes.

#include "db/qso_record.h"

#include <QSqlDatabase>

#include <functional>

namespace vireo {

// Calls visit for every record of table qso, in key order. A database error throws vireo::Error
// with SQLite's message.
void scanQsos(const QSqlDatabase &db, const std::function<void(const QsoRecord &)> &visit);

} // namespace vireo
