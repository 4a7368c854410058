#pragma once
// What the multipliers need to know of a station: its DXCC entity and zones from the prefix
// table, matched as the station panel matches them (the normalised call, the longest of the first
// one to four characters that is a prefix of the table), and its WPX prefix.

#include "db/reference_rows.h"

#include <QHash>
#include <QString>
#include <QVector>

namespace vireo::rules {

class PrefixTable {
public:
    PrefixTable() = default;
    // The rows in the table's prefix order; of several rows of one prefix the first is used.
    explicit PrefixTable(const QVector<PrefixRow> &rows);

    // The row the station panel would show for the call; nullptr when none matches.
    const PrefixRow *lookup(const QString &call) const;
    bool isEmpty() const { return m_rows.isEmpty(); }

private:
    QVector<PrefixRow> m_rows;
    QHash<QString, int> m_byPrefix;
};

// The WPX prefix of a call: the letters and digits before its suffix ("N8BJQ" -> "N8",
// "2E0ABC" -> "2E0"); a portable prefix replaces it ("N8BJQ/KH9", "KH9/N8BJQ" -> "KH9"), one
// without a digit gets "0" ("PA/N8BJQ" -> "PA0"), as does a call without one ("XEFTJW" -> "XE0");
// "/7" puts its digit in place of the call's ("N8BJQ/7" -> "N7"); /P, /M, /MM, /AM, /QRP and
// other designators of one letter do not count. Empty for an empty call.
QString wpxPrefix(const QString &call);

} // namespace vireo::rules
