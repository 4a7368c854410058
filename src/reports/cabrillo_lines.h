#pragma once
// The Cabrillo report's text rules: the small text operations, the exchange layout of the
// eleven formats, the frequency column and one QSO line. Plain functions without widgets.

#include "db/qso_record.h"

#include <QString>

namespace vireo::cabrillo {

// The text with every blank, "-", ":", "," and "." removed.
QString StripSeparators(const QString &text);
// Year, "-", month, "-", day and one blank from a stored date dd.mm.yyyy, taken by position only.
QString CabrilloDate(const QString &text);
// Blanks appended (PadRight) or put in front (PadLeft) up to n characters; never cut.
QString PadRight(const QString &text, int n);
QString PadLeft(const QString &text, int n);

// The column reserved for each exchange: 11 for formats 1 to 6, 14 for 7 to 10, 21 for 11,
// 0 for any other number.
int ExchangeWidth(int format);
// The laid-out exchange of one side ("report number") in the given format; empty text for a
// format outside 1..11. The result is not yet widened to ExchangeWidth.
QString FormatExchange(const QString &text, int format);

// What stands in a column the record has nothing for: a call or an exchange word never heard.
constexpr QChar MissingField = QLatin1Char('-');

// The exchange of a side the record holds nothing for: MissingField in each of the format's
// columns, padded as FormatExchange pads them; empty text for a format outside 1..11.
QString MissingExchange(int format);

// The frequency column: the value right-aligned in five places and followed by a blank; a
// longer value pushes the rest of the line, never running into the mode.
QString FrequencyColumn(const QString &freq);

// One "QSO:" line of the record: heard station first, worked station second. Not trimmed.
// The mode column holds the Cabrillo mode of the code (reports/mode_codes.h); an empty call
// and a side without any exchange are written as MissingField.
QString QsoLine(const QsoRecord &record, int format);

// The exchange format number typed or chosen in the window: a whole decimal number, blanks
// around it allowed. False for anything else.
bool ParseFormatNumber(const QString &text, int *format);

// A block of the format table: rows first..last (0-based) show one format. The first two rows
// (column names and mask) are painted red, the example rows after them blue.
struct FormatBlock {
    int first = -1;
    int last = -1;
    int format = 1;

    bool isValid() const { return first >= 0; }
    bool isRedRow(int row) const { return row == first || row == first + 1; }
};

// The block that holds the given 0-based row of the format table, or an invalid block for a
// caption, ruler or blank row.
FormatBlock FormatBlockAt(int row);

// The fixed text of the format table, 64 rows.
QString FormatTableText();

} // namespace vireo::cabrillo
