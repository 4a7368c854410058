#pragma once
// The Cabrillo report file: the header lines from the window's values, one QSO line per record
// of the log, and the end line, written in Windows-1251 with CR LF line ends.

#include "reports/report_file.h"
#include <QString>
#include <QStringList>

namespace vireo {

class QsoStore;

namespace cabrillo {

// The header values as the window holds them, untrimmed; HeaderLines decides what is trimmed.
struct Header {
    QString contest;
    QString callsign;
    QString categoryOperator;
    QString categoryBand;
    QString categoryMode;
    QString categoryPower;
    QString categoryAssisted;
    QString categoryStation;
    QString categoryTime;
    QString categoryTransmitter;
    QString categoryOverlay;
    QStringList offTimes; // lines of the off-time box; only the first 12 are used
    QString claimedScore;
    QString location;
    QString club;
    QString email;
    QString name;
    QStringList address; // lines of the address box; only the first 3 are used
    QString operators;
    QString soapbox;
};

// How many lines of the off-time and address boxes reach the report and the settings file.
constexpr int OffTimeLines = 12;
constexpr int AddressLines = 3;

// The header from "START-OF-LOG: 3.0" to the last header line. A line whose value is empty is
// left out; the call sign, the power category and the off-time and address lines go as they
// stand, every other value without surrounding blanks.
QStringList HeaderLines(const Header &header);

// Writes the report to path (an existing file is replaced): the header, a QSO line for every
// record of the log in table order with the given exchange format, and "END-OF-LOG:" (missing
// when a write failed).
WriteResult WriteReport(const QString &path, const Header &header, int format, QsoStore &qsos);

} // namespace cabrillo
} // namespace vireo
