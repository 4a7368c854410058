#pragma once
// The columns the statistics count by, read from every record of the log in one statement:
// faster than reading whole records when a large log is summed up at once.

#include "db/qso_record.h"

#include <QSqlDatabase>

#include <functional>

namespace vireo {

// Hands every record of the log to visit, in no particular order, with only band, tur, data,
// time and nr2 filled in.
void forEachStatsColumns(const QSqlDatabase &db, const std::function<void(const QsoRecord &)> &visit);

} // namespace vireo
