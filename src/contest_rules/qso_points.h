#pragma once
// The points of the log without contest rules: every record counts 1, and one whose worked
// station's number (nr2) is filled in counts 2 more. The status bar counts by this rule, and so
// do the statistics unless they are asked for the points of the chosen contest's rules.

#include "db/qso_record.h"

namespace vireo {

// Whether the record carries the worked station's number (nr2 not empty, exact text).
inline bool hasWorkedNumber(const QsoRecord &r)
{
    return !r.nr2.isEmpty();
}

inline int points(int records, int recordsWithNr2)
{
    return records + 2 * recordsWithNr2;
}

inline int recordPoints(const QsoRecord &r)
{
    return points(1, hasWorkedNumber(r) ? 1 : 0);
}

} // namespace vireo
