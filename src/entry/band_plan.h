#pragma once
// Frequencies, modes and bands of the entry line.

#include <QString>
#include <QStringList>

#include <optional>

namespace vireo::bandplan {

QStringList frequencyList(); // "1800" ... "432"
QStringList modeList();      // "CW (CW)" ... "TV (SSTV)"
QStringList bandNames();     // "160M" ... "1.2G"

// The band for a frequency text. With a radio followed on line the whole megahertz are read
// from the text and looked up in the radio table; otherwise the text without blanks must be
// exactly one of the list frequencies. No match, or a text that gives no integer, gives nothing:
// the current band then stays as it is.
std::optional<QString> freqToBand(const QString &frequencyText, bool radioOnline);

// The first two characters of a mode box text.
QString modeCode(const QString &modeText);

} // namespace vireo::bandplan
