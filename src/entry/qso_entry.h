#pragma once
// The records a save of the entry line writes, and the checks made before it writes them.

#include "db/qso_record.h"

#include <QString>
#include <QVector>

namespace vireo::qsoentry {

// The six station fields as they stand in the entry line.
struct StationFields {
    QString call1, rst1, nr1; // heard station
    QString call2, rst2, nr2; // worked station
};

// What a record takes from outside the station fields.
struct Stamp {
    QString band;
    QString frequencyText; // the frequency box as shown; blanks are removed when stored
    QString modeText; // the mode box; its first two characters are stored
    QString date;
    QString time;
    QString tour;
    QString radio;
};

// Leading and trailing blanks removed, every inner run of blanks made one blank.
QString collapseBlanks(const QString &text);
// The text without any blank.
QString removeBlanks(const QString &text);
// After removing the blanks, every character is a decimal digit. An empty text passes.
bool isDigitsOnly(const QString &text);
// A frequency a record can be filed with: digits only, and not empty.
bool frequencyUsable(const QString &frequencyText);
QString frequencyMessage(); // " Не верное значение частоты, запись невозможна"

// Observation mode: the record of the typed QSO with its calls and reports trimmed and its
// numbers collapsed, and with copy-with-swap its mirror (the two stations exchanged), prepared
// the same way and given the same radio.
QVector<QsoRecord> observationRecords(const StationFields &fields, const Stamp &stamp, bool swap);

// Manual entry mode: the record prepared as in observation mode (calls and reports trimmed,
// numbers collapsed), no radio; with copy-with-swap its mirror, prepared the same way.
QVector<QsoRecord> manualRecords(const StationFields &fields, const Stamp &stamp, bool swap);

// An edited record: every column from the edit fields, the radio and the key of the original.
QsoRecord editedRecord(const QsoRecord &original, const StationFields &fields, const Stamp &stamp);

// The check of an edited time. Only a time of exactly five characters (after trimming) is checked;
// hours above 23 or minutes above 59 are refused. A five-character time whose hours or minutes
// are not a number throws vireo::Error naming the text.
enum class TimeCheck { Ok, BadHours, BadMinutes };
TimeCheck checkEditTime(const QString &timeText);
QString timeCheckMessage(TimeCheck result);

} // namespace vireo::qsoentry
