#include "db/cty_parser.h"

#include <QStringList>

namespace vireo {

namespace {

QString zone(const QString &s)
{
    bool ok = false;
    const int n = s.trimmed().toInt(&ok);
    return ok ? QString::number(n) : s.trimmed();
}

// cty.dat gives longitude positive West.
QString eastLongitude(const QString &west)
{
    bool ok = false;
    const double w = west.trimmed().toDouble(&ok);
    if (!ok)
        return QString();
    const double e = w == 0 ? 0.0 : -w;
    return QString::number(e, 'f', 2);
}

QString latitude(const QString &s)
{
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    return ok ? QString::number(v, 'f', 2) : QString();
}

// Text between the first open and the next close character, or empty.
QString between(const QString &token, QChar open, QChar close)
{
    const int a = token.indexOf(open);
    if (a < 0)
        return {};
    const int b = token.indexOf(close, a + 1);
    if (b < 0)
        return {};
    return token.mid(a + 1, b - a - 1);
}

} // namespace

QVector<PrefixRow> parseCty(const QByteArray &bytes)
{
    QVector<PrefixRow> rows;
    const QString text = QString::fromLatin1(bytes);
    int pos = 0;
    const int n = text.size();
    while (pos < n) {
        // Entity header: eight fields separated by ':'.
        QStringList fields;
        int p = pos;
        while (fields.size() < 8 && p < n) {
            const int colon = text.indexOf(QLatin1Char(':'), p);
            const int semi = text.indexOf(QLatin1Char(';'), p);
            if (colon < 0 || (semi >= 0 && semi < colon))
                break;
            fields << text.mid(p, colon - p).trimmed();
            p = colon + 1;
        }
        const int end = text.indexOf(QLatin1Char(';'), p);
        if (fields.size() < 8 || end < 0)
            break; // truncated or malformed tail: keep what was read
        const QString aliases = text.mid(p, end - p);
        pos = end + 1;

        QString primary = fields.at(7);
        if (primary.startsWith(QLatin1Char('*')))
            continue; // not a DXCC entity
        const QString country = fields.at(0);
        const QString cq = zone(fields.at(1));
        const QString itu = zone(fields.at(2));
        const QString cont = fields.at(3);
        const QString lat = latitude(fields.at(4));
        const QString lon = eastLongitude(fields.at(5));

        const QStringList tokens = aliases.split(QLatin1Char(','));
        for (QString token : tokens) {
            token = token.trimmed();
            if (token.isEmpty() || token.startsWith(QLatin1Char('=')))
                continue;
            int cut = token.size();
            for (QChar c : {QLatin1Char('('), QLatin1Char('['), QLatin1Char('<'), QLatin1Char('{'), QLatin1Char('~')}) {
                const int i = token.indexOf(c);
                if (i >= 0 && i < cut)
                    cut = i;
            }
            const QString alias = token.left(cut).trimmed().toUpper();
            if (alias.isEmpty() || alias.size() > 4)
                continue;
            PrefixRow row;
            row.prefix = alias;
            row.dxccPrefix = primary;
            row.country = country;
            row.cqZone = cq;
            row.ituZone = itu;
            row.continent = cont;
            row.latitude = lat;
            row.longitude = lon;
            const QString cqOverride = between(token, QLatin1Char('('), QLatin1Char(')'));
            if (!cqOverride.isEmpty())
                row.cqZone = zone(cqOverride);
            const QString ituOverride = between(token, QLatin1Char('['), QLatin1Char(']'));
            if (!ituOverride.isEmpty())
                row.ituZone = zone(ituOverride);
            const QString pos2 = between(token, QLatin1Char('<'), QLatin1Char('>'));
            if (!pos2.isEmpty()) {
                const QStringList ll = pos2.split(QLatin1Char('/'));
                if (ll.size() == 2) {
                    row.latitude = latitude(ll.at(0));
                    row.longitude = eastLongitude(ll.at(1));
                }
            }
            const QString contOverride = between(token, QLatin1Char('{'), QLatin1Char('}'));
            if (!contOverride.isEmpty())
                row.continent = contOverride;
            rows.append(row);
        }
    }
    return rows;
}

} // namespace vireo
