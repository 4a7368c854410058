#pragma once
// The installed reference files, read for a log file that lacks their data: the country file
// cty.dat and the contest-call list MASTER.SCP of Debian's hamradio-files package.

#include "db/reference_rows.h"

#include <QString>

namespace vireo {

// Where Debian's hamradio-files package keeps the AD1C country file.
QString defaultCtyPath();
// Where Debian's hamradio-files package keeps the contest-call list MASTER.SCP.
QString defaultScpPath();

// What Database::prepareFile and completeHousekeeping write when they need it: the country file
// taken as it is (a broken one gives the rows before the break), the calls only from a list that
// reads whole. An empty path, or a file that does not open, gives nothing.
ReferenceSource referenceFiles(const QString &ctyPath = defaultCtyPath(), const QString &scpPath = defaultScpPath());

} // namespace vireo
