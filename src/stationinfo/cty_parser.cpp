#include "stationinfo/cty_parser.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

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

bool isNumber(const QString &s, double low, double high)
{
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    return ok && v >= low && v <= high;
}

// What is wrong with an entity header's fields, or empty.
QString headerProblem(const QStringList &f)
{
    static const QStringList continents{"AF", "AN", "AS", "EU", "NA", "OC", "SA"};
    if (f.at(0).isEmpty())
        return QCoreApplication::translate("vireo::CtyParser", "нет названия страны");
    bool ok = false;
    const int cq = f.at(1).toInt(&ok);
    if (!ok || cq < 1 || cq > 40)
        return QCoreApplication::translate("vireo::CtyParser", "зона CQ «%1» не число от 1 до 40").arg(f.at(1));
    const int itu = f.at(2).toInt(&ok);
    if (!ok || itu < 1 || itu > 90)
        return QCoreApplication::translate("vireo::CtyParser", "зона ITU «%1» не число от 1 до 90").arg(f.at(2));
    if (!continents.contains(f.at(3)))
        return QCoreApplication::translate("vireo::CtyParser", "континент «%1» неизвестен").arg(f.at(3));
    if (!isNumber(f.at(4), -90, 90) || !isNumber(f.at(5), -180, 180))
        return QCoreApplication::translate("vireo::CtyParser", "координаты «%1», «%2» не числа").arg(f.at(4), f.at(5));
    if (!isNumber(f.at(6), -24, 24))
        return QCoreApplication::translate("vireo::CtyParser", "смещение времени «%1» не число").arg(f.at(6));
    if (f.at(7).isEmpty())
        return QCoreApplication::translate("vireo::CtyParser", "нет основного префикса");
    return {};
}

// 1-based line of a character position.
class Lines {
public:
    explicit Lines(const QString &text)
    {
        m_starts.push_back(0);
        for (int i = 0; i < text.size(); ++i)
            if (text.at(i) == QLatin1Char('\n'))
                m_starts.push_back(i + 1);
    }
    int at(int pos) const { return int(std::upper_bound(m_starts.begin(), m_starts.end(), pos) - m_starts.begin()); }

private:
    std::vector<int> m_starts;
};

// The first position at or after pos that is not blank.
int skipBlanks(const QString &text, int pos)
{
    while (pos < text.size() && text.at(pos).isSpace())
        ++pos;
    return pos;
}

// Reads into out what the file holds up to its first fault, and returns that fault.
std::optional<LineError> readInto(const QByteArray &bytes, CtyContents &out)
{
    // An alias: an optional "=" (exact call), the prefix, then any overrides.
    static const QRegularExpression Token(
        QStringLiteral("^=?[A-Z0-9/]+(\\(\\d+\\)|\\[\\d+\\]|<[-+0-9.]+/[-+0-9.]+>|\\{[A-Z]{2}\\}|~[-+0-9.]+~)*$"));
    const QString text = QString::fromLatin1(bytes);
    const Lines lines(text);
    auto fail = [&lines](int pos, const QString &what) {
        return std::optional<LineError>(LineError(lines.at(pos), what));
    };
    if (bytes.contains('\0'))
        return fail(int(bytes.indexOf('\0')), QCoreApplication::translate("vireo::CtyParser", "это не текстовый файл"));

    int pos = skipBlanks(text, 0);
    const int n = text.size();
    while (pos < n) {
        const int headerAt = pos;
        // Entity header: eight fields separated by ':', on one line.
        const int lineEnd = text.indexOf(QLatin1Char('\n'), pos) < 0 ? n : text.indexOf(QLatin1Char('\n'), pos);
        QStringList fields;
        int p = pos;
        while (fields.size() < 8 && p < lineEnd) {
            const int colon = text.indexOf(QLatin1Char(':'), p);
            if (colon < 0 || colon > lineEnd)
                break;
            fields << text.mid(p, colon - p).trimmed();
            p = colon + 1;
        }
        if (fields.size() < 8)
            return fail(headerAt,
                        skipBlanks(text, lineEnd) >= n
                            ? QCoreApplication::translate("vireo::CtyParser", "файл обрывается посреди записи страны")
                            : QCoreApplication::translate(
                                "vireo::CtyParser", "строка не похожа на заголовок страны (восемь полей через «:»)"));
        if (const QString problem = headerProblem(fields); !problem.isEmpty())
            return fail(headerAt, problem);
        const int end = text.indexOf(QLatin1Char(';'), p);
        if (end < 0)
            return fail(headerAt,
                        QCoreApplication::translate("vireo::CtyParser",
                                                    "файл обрывается: список префиксов страны «%1» не закончен «;»")
                            .arg(fields.at(0)));
        const QString aliases = text.mid(p, end - p);
        if (const int colon = aliases.indexOf(QLatin1Char(':')); colon >= 0)
            return fail(p + colon,
                        QCoreApplication::translate("vireo::CtyParser", "список префиксов страны «%1» не закончен «;»")
                            .arg(fields.at(0)));
        pos = skipBlanks(text, end + 1);

        const QString primary = fields.at(7);
        const bool dxcc = !primary.startsWith(QLatin1Char('*'));
        const QString country = fields.at(0);
        const QString cq = zone(fields.at(1));
        const QString itu = zone(fields.at(2));
        const QString cont = fields.at(3);
        const QString lat = latitude(fields.at(4));
        const QString lon = eastLongitude(fields.at(5));
        if (dxcc)
            ++out.entities;

        int tokenAt = p;
        for (QString token : aliases.split(QLatin1Char(','))) {
            const int here = tokenAt;
            tokenAt += int(token.size()) + 1;
            token = token.trimmed();
            if (token.isEmpty())
                continue;
            if (!Token.match(token).hasMatch())
                return fail(
                    skipBlanks(text, here),
                    QCoreApplication::translate("vireo::CtyParser", "«%1» не префикс и не позывной").arg(token));
            if (token.startsWith(QLatin1String("=VER"))) {
                const QString v = token.mid(1);
                if (v.size() > 3 && std::all_of(v.begin() + 3, v.end(), [](QChar c) { return c.isDigit(); }))
                    out.version = v;
            }
            if (!dxcc || token.startsWith(QLatin1Char('=')))
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
            out.rows.append(row);
        }
    }
    if (out.entities == 0)
        return fail(n, QCoreApplication::translate("vireo::CtyParser", "в файле нет ни одной страны"));
    return std::nullopt;
}

} // namespace

CtyContents readCty(const QByteArray &bytes)
{
    CtyContents out;
    if (const std::optional<LineError> fault = readInto(bytes, out))
        throw *fault;
    return out;
}

CtyContents parseCty(const QByteArray &bytes)
{
    CtyContents out;
    readInto(bytes, out);
    return out;
}

} // namespace vireo
