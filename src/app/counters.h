#pragma once
// The log counters of the status bar. Every record counts 1 point, and one whose worked
// station's number (nr2) is filled in counts 2 more.

#include <QString>

namespace vireo {

struct CounterTexts {
    QString qso;    // "QSO: " + records
    QString points; // "Points: " + points
};

inline int points(int records, int recordsWithNr2)
{
    return records + 2 * recordsWithNr2;
}

inline CounterTexts counterTexts(int records, int recordsWithNr2)
{
    return {QStringLiteral("QSO: ") + QString::number(records),
            QStringLiteral("Points: ") + QString::number(points(records, recordsWithNr2))};
}

} // namespace vireo
