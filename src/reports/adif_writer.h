#pragma once
// ADIF lines: the seven header lines and one record line per QSO, and the whole file.

#include "db/qso_record.h"
#include "reports/qsl_message.h"
#include "reports/report_file.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

namespace vireo {

class QsoStore;

namespace adif {

// The text without its "-", ":" and "." characters.
QString StripDateTime(const QString &text);

// The number of characters the value takes in the file: each is written as one Windows-1251
// byte, and a character outside the Basic Multilingual Plane (two UTF-16 units) as one "?".
qsizetype writtenLength(const QString &value);

// "<NAME:length>value", the length counted in characters written.
QString field(const QString &name, const QString &value);

// kHz digits as MHz: 4, 5 or 6 characters get a point before the last three; any other
// length gives an empty text.
QString freqMhz(const QString &freqTrimmed);

// dd.mm.yyyy as yyyymmdd.
QString qsoDate(const QString &data);

// The ADIF mode of a stored code (reports/mode_codes.h); empty for a code nothing is known about.
QString adifMode(const QString &mode);

// One to nine digits 0-9 and nothing else.
bool isPlainInteger(const QString &text);

// The field of an exchange: the integer field (SRX, STX) for a plain integer or an empty
// value, the text field (SRX_STRING, STX_STRING) for anything else.
QString exchangeFieldName(const char *integerName, const QString &exchangeTrimmed);

// The QSL message of one record.
QString qslMessageFor(const QslMessage &qsl, const QString &call2);

// The seven header lines; created is the local time of the export, shown in the locale's
// short date and long time formats.
QStringList header(const QDateTime &createdLocal, const QLocale &locale);

// The record line of one QSO (without the line end). Every field is written, even empty, but
// SUBMODE and COMMENT, which stand only where the mode has a submode or ADIF has no mode for
// the code; the received number goes into SRX or SRX_STRING (exchangeFieldName).
QString recordLine(const QsoRecord &r, const QString &myCall, const QString &contestName, const QslMessage &qsl);

// Writes the file: the header, then one line per record of the log in table order.
WriteResult writeFile(const QString &path, QsoStore &qsos, const QString &myCall, const QString &contestName,
                      const QslMessage &qsl, const QDateTime &createdLocal, const QLocale &locale);

} // namespace adif
} // namespace vireo
