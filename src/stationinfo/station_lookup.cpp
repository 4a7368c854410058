#include "stationinfo/station_lookup.h"

#include "db/reference_store.h"
#include "stationinfo/call_normalise.h"
#include "stationinfo/geometry.h"
#include "stationinfo/region_table.h"

#include <cmath>

namespace vireo {

StationDisplay StationDisplay::cleared()
{
    StationDisplay d;
    d.reset = true;
    d.distance = QStringLiteral("0 km");
    d.cq = QStringLiteral("CQ:");
    d.itu = QStringLiteral("ITU:");
    d.state = QStringLiteral("STATE:");
    d.loc = QStringLiteral("LOC:");
    d.deg = QStringLiteral("DEG:");
    d.ru = QStringLiteral("RU:");
    return d;
}

QString distanceText(int distanceMetres, const QLocale &locale)
{
    const int km = geo::roundToInt(distanceMetres / 1000.0);
    if (km == 0)
        return QStringLiteral("0 km");
    QLocale l = locale;
    l.setNumberOptions(l.numberOptions() & ~QLocale::OmitGroupSeparator);
    return l.toString(km) + QStringLiteral(" km");
}

std::optional<double> parseCoordinate(const QString &text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

StationLookup::StationLookup(ReferenceStore &references, const QLocale &locale) : m_refs(references), m_locale(locale)
{
}

StationDisplay StationLookup::lookup(const QString &call, double ownLatitude, double ownLongitude)
{
    m_chosen = 0;
    const QString normal = normaliseCall(call);
    if (normal.size() < 2)
        return StationDisplay::cleared();

    // Four probes, always all four; the longest prefix that exists wins.
    for (int n = 1; n <= 4; ++n)
        if (m_refs.prefixMatches(normal, n))
            m_chosen = n;
    std::optional<PrefixRow> row;
    if (m_chosen > 0)
        row = m_refs.firstPrefix(normal, m_chosen);
    const PrefixRow p = row.value_or(PrefixRow());

    StationDisplay d;
    d.dxcc = p.dxccPrefix;
    d.prefix = p.prefix;
    d.cq = QStringLiteral("CQ:") + p.cqZone;
    d.itu = QStringLiteral("ITU:") + p.ituZone;
    d.state = QStringLiteral("STATE:") + p.state;
    d.continent = p.continent;

    // A coordinate that is not a number counts as no position at all.
    const std::optional<double> lat = p.latitude.isEmpty() ? std::nullopt : parseCoordinate(p.latitude);
    const std::optional<double> lon = p.longitude.isEmpty() ? std::nullopt : parseCoordinate(p.longitude);
    if (lat && lon) {
        d.stationLatitude = *lat;
        d.stationLongitude = *lon;
    } else {
        d.stationLatitude = ownLatitude;
        d.stationLongitude = ownLongitude;
    }

    const geo::DistAz da = geo::CalcDistAz(ownLatitude, ownLongitude, d.stationLatitude, d.stationLongitude);
    d.distanceMetres = da.distanceMetres;
    d.azimuthDegrees = da.azimuthDegrees;

    d.distance = distanceText(da.distanceMetres, m_locale);
    if (d.distance == QLatin1String("0 km"))
        d.deg = QStringLiteral("DEG:");
    else
        d.deg = QStringLiteral("DEG:") + geo::degreePosition(d.stationLatitude, d.stationLongitude);

    d.country = QStringLiteral("Az:") + QStringLiteral("%1").arg(da.azimuthDegrees, 3, 10, QLatin1Char('0'))
                + QStringLiteral("  ") + p.country;

    // The callbook knows better: a longer state, its own degree position and locator.
    QString grid;
    if (const std::optional<CallbookRow> cb = m_refs.callbook(call)) {
        const QString prefixState = d.state.mid(d.state.indexOf(QLatin1Char(':')) + 1);
        if (cb->state.size() > prefixState.size())
            d.state = QStringLiteral("STATE:") + cb->state;
        grid = cb->grid;
        if (!cb->deg.isEmpty())
            d.deg = QStringLiteral("DEG:") + cb->deg;
    }

    if (d.dxcc == QLatin1String("UA") || d.dxcc == QLatin1String("UA1") || d.dxcc == QLatin1String("UA2")
        || d.dxcc == QLatin1String("UA9"))
        d.ru = QStringLiteral("RU:") + region::regionNumber(call);

    if (!grid.isEmpty())
        d.loc = QStringLiteral("LOC:") + grid;
    else if (da.distanceMetres == 0)
        d.loc = QStringLiteral("LOC:");
    else
        d.loc = QStringLiteral("LOC:") + geo::locator(d.stationLatitude, d.stationLongitude);
    return d;
}

} // namespace vireo
