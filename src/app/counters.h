#pragma once
// The log counters of the status bar, counted by the points rule of contest_rules/qso_points.h.

#include "contest_rules/qso_points.h"

#include <QString>

namespace vireo {

struct CounterTexts {
    QString qso; // "QSO: " + records
    QString points; // "Points: " + points
};

inline CounterTexts counterTexts(int records, int recordsWithNr2)
{
    return {QStringLiteral("QSO: ") + QString::number(records),
            QStringLiteral("Points: ") + QString::number(points(records, recordsWithNr2))};
}

} // namespace vireo
