#pragma once
// Rules of the duplicate check while a call is typed: the default report, the colour of the
// call field (painted by ui/call_field_colour.h), the status texts of the repeats window and which
// listed records are repeats.

#include "db/qso_record.h"

#include <QString>

namespace vireo::dupe {

// Default signal report for a mode code: "59" for phone, "599" for everything else.
QString defaultReport(const QString &modeCode);

enum class FieldColour { Window, Red, Aqua, Yellow, LightGreen };

// The background of the call field after a check.
// (Manual entry mode paints the field light green over this afterwards.)
FieldColour callFieldColour(int heardCount, int workedCount, bool callEmpty, bool editMode);

QString heardStatus(int heardCount); // "Повторы: Heard = N"
QString workedStatus(int workedCount); // "Повторы: Worked = N"

// What the entry line shows at the moment: the two calls, current band, mode code and tour.
struct Entry {
    QString call1, call2, band, mode, tour;
};

// A listed record is a repeat when band, mode and tour are the entry's and one of its calls is
// one of the entry's calls (exact text comparisons).
bool isRepeat(const RepeatRow &row, const Entry &entry);
// Whether a call cell names one of the entry's calls.
bool namesEntryCall(const QString &call, const Entry &entry);

} // namespace vireo::dupe
