#include "contest_rules/station_entity.h"

#include "stationinfo/call_normalise.h"

namespace vireo::rules {

PrefixTable::PrefixTable(const QVector<PrefixRow> &rows) : m_rows(rows)
{
    m_byPrefix.reserve(rows.size());
    for (int i = 0; i < m_rows.size(); ++i)
        if (!m_byPrefix.contains(m_rows.at(i).prefix))
            m_byPrefix.insert(m_rows.at(i).prefix, i);
}

const PrefixRow *PrefixTable::lookup(const QString &call) const
{
    const QString normalised = normaliseCall(call);
    if (normalised.size() < 2)
        return nullptr;
    // Every length from one to four is probed; the longest that matches wins (a call shorter
    // than four characters is compared whole by the longer probes).
    const PrefixRow *found = nullptr;
    for (int n = 1; n <= 4; ++n) {
        const auto it = m_byPrefix.constFind(normalised.left(n));
        if (it != m_byPrefix.constEnd())
            found = &m_rows.at(*it);
    }
    return found;
}

namespace {

bool hasDigit(const QString &s)
{
    for (const QChar c : s)
        if (c.isDigit())
            return true;
    return false;
}

// The prefix of a call without "/": up to and including the last digit before the letters that
// end the call.
QString basePrefix(const QString &call)
{
    if (!hasDigit(call))
        return call.left(2) + QLatin1Char('0');
    int end = call.size();
    while (end > 0 && !call.at(end - 1).isDigit())
        --end;
    // end now stands after the last digit; a call ending in a digit is its own prefix.
    return call.left(end);
}

} // namespace

QString wpxPrefix(const QString &call)
{
    const QString c = call.trimmed().toUpper();
    if (c.isEmpty())
        return QString();
    static const QStringList Designators{QStringLiteral("MM"), QStringLiteral("AM"), QStringLiteral("QRP"),
                                         QStringLiteral("QRPP"), QStringLiteral("LH")};
    QStringList parts;
    QString digit;
    for (const QString &part : c.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part.size() == 1 && part.at(0).isDigit())
            digit = part;
        else if ((part.size() == 1 && part.at(0).isLetter()) || Designators.contains(part))
            continue;
        else
            parts << part;
    }
    if (parts.isEmpty())
        return QString();
    QString prefix;
    if (parts.size() >= 2) {
        // The shorter part is the portable prefix; of two of one length the first.
        const QString &a = parts.at(0);
        const QString &b = parts.at(1);
        const QString portable = b.size() < a.size() ? b : a;
        prefix = hasDigit(portable) ? basePrefix(portable) : portable.left(2) + QLatin1Char('0');
    } else {
        prefix = basePrefix(parts.at(0));
    }
    if (!digit.isEmpty()) {
        int end = prefix.size();
        while (end > 0 && prefix.at(end - 1).isDigit())
            --end;
        prefix = prefix.left(end) + digit;
    }
    return prefix;
}

} // namespace vireo::rules
