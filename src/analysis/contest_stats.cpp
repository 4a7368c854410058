#include "analysis/contest_stats.h"

#include "analysis/qso_time.h"
#include "contest_rules/qso_points.h"
#include "db/qso_store.h"
#include "db/stats_columns.h"
#include "entry/band_plan.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace vireo {

namespace {

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

void addTo(StatsCell &total, const StatsCell &c)
{
    total.qso += c.qso;
    total.points += c.points;
}

// Adds sign to a counter of a map and drops the entry when it reaches zero.
template <typename Map, typename Key>
void bump(Map &map, const Key &key, int sign)
{
    auto it = map.find(key);
    if (it == map.end()) {
        if (sign > 0)
            map.emplace(key, sign);
        return;
    }
    it->second += sign;
    if (it->second <= 0)
        map.erase(it);
}

int bandRank(const QString &band)
{
    static const QStringList plan = bandplan::bandNames();
    const int i = int(plan.indexOf(band));
    if (i >= 0)
        return i;
    return band.isEmpty() ? 2 * int(plan.size()) : int(plan.size());
}

// Messages per hour of n records made within the given number of whole minutes.
int perHour(int n, qint64 minutes)
{
    return int(std::lround(double(n) * 60.0 / double(std::max<qint64>(minutes, 1))));
}

} // namespace

void ContestStats::clear()
{
    m_cells.clear();
    m_minutes.clear();
    m_bins.clear();
    m_badTime = 0;
    m_timed = 0;
}

void ContestStats::load(QsoStore &store)
{
    clear();
    forEachStatsColumns(store.connection(), [this](const QsoRecord &r) { count(r, 1); });
}

void ContestStats::add(const QsoRecord &r)
{
    count(r, 1);
}

void ContestStats::remove(const QsoRecord &r)
{
    count(r, -1);
}

bool ContestStats::apply(const LogChange &change)
{
    switch (change.kind) {
    case LogChange::Added:
        for (const QsoRecord &r : change.after)
            add(r);
        return true;
    case LogChange::Updated:
        for (const QsoRecord &r : change.before)
            remove(r);
        for (const QsoRecord &r : change.after)
            add(r);
        return true;
    case LogChange::Removed:
        for (const QsoRecord &r : change.before)
            remove(r);
        return true;
    case LogChange::Reset:
        break;
    }
    return false;
}

std::optional<qint64> ContestStats::minuteOf(const QString &date, const QString &time)
{
    auto &times = m_parsed[date];
    const auto it = times.constFind(time);
    if (it != times.constEnd())
        return *it;
    std::optional<qint64> minute;
    if (const std::optional<QDateTime> t = qsoUtc(date, time))
        minute = t->toSecsSinceEpoch() / 60;
    times.insert(time, minute);
    return minute;
}

void ContestStats::count(const QsoRecord &r, int sign)
{
    const std::pair<QString, QString> key{r.band, r.tur};
    auto cell = m_cells.find(key);
    if (cell == m_cells.end()) {
        if (sign < 0)
            return; // not counted: nothing to take away
        cell = m_cells.emplace(key, StatsCell{}).first;
    }
    cell->second.qso += sign;
    cell->second.points += sign * recordPoints(r);
    if (cell->second.qso <= 0)
        m_cells.erase(cell);

    const std::optional<qint64> minute = minuteOf(r.data, r.time);
    if (!minute) {
        m_badTime = std::max(0, m_badTime + sign);
        return;
    }
    m_timed = std::max(0, m_timed + sign);
    bump(m_minutes, *minute, sign);
    const std::pair<QString, QString> binKey{r.tur, r.band};
    auto bins = m_bins.find(binKey);
    if (bins == m_bins.end()) {
        if (sign < 0)
            return;
        bins = m_bins.emplace(binKey, Bins{}).first;
    }
    bump(bins->second, floorDiv(*minute, BinMinutes), sign);
    if (bins->second.empty())
        m_bins.erase(bins);
}

QStringList ContestStats::bands() const
{
    QStringList list;
    for (const auto &[key, cell] : m_cells)
        if (list.isEmpty() || list.last() != key.first) // the map is ordered by band first
            list << key.first;
    std::sort(list.begin(), list.end(), [](const QString &a, const QString &b) {
        const int ra = bandRank(a), rb = bandRank(b);
        return ra != rb ? ra < rb : a < b;
    });
    return list;
}

QStringList ContestStats::tours() const
{
    QStringList list;
    for (const auto &[key, cell] : m_cells)
        list << key.second;
    list.removeDuplicates();
    std::sort(list.begin(), list.end(), [](const QString &a, const QString &b) {
        bool okA = false, okB = false;
        const qlonglong na = a.toLongLong(&okA), nb = b.toLongLong(&okB);
        if (okA != okB)
            return okA;
        if (okA && na != nb)
            return na < nb;
        return a < b;
    });
    return list;
}

StatsCell ContestStats::cell(const QString &band, const QString &tour) const
{
    const auto it = m_cells.find({band, tour});
    return it == m_cells.end() ? StatsCell{} : it->second;
}

StatsCell ContestStats::bandTotal(const QString &band) const
{
    StatsCell t;
    for (auto it = m_cells.lower_bound({band, QString()}); it != m_cells.end() && it->first.first == band; ++it)
        addTo(t, it->second);
    return t;
}

StatsCell ContestStats::tourTotal(const QString &tour) const
{
    StatsCell t;
    for (const auto &[key, cell] : m_cells)
        if (key.second == tour)
            addTo(t, cell);
    return t;
}

StatsCell ContestStats::total() const
{
    StatsCell t;
    for (const auto &[key, cell] : m_cells)
        addTo(t, cell);
    return t;
}

StatsRates ContestStats::rates(const QDateTime &nowUtc) const
{
    StatsRates r;
    const qint64 now = floorDiv(nowUtc.toSecsSinceEpoch(), 60);
    const auto end = m_minutes.upper_bound(now);
    for (auto it = m_minutes.lower_bound(now - 59); it != end; ++it) {
        r.lastSixtyMinutes += it->second;
        if (it->first > now - 10)
            r.lastTenMinutes += it->second;
    }
    // The last n records up to now: from the minute of the n-th latest to the latest one.
    auto lastRecords = [this, end](int n) -> std::optional<int> {
        if (end == m_minutes.begin())
            return std::nullopt;
        const qint64 latest = std::prev(end)->first;
        int seen = 0;
        for (auto it = std::make_reverse_iterator(end); it != m_minutes.rend(); ++it) {
            seen += it->second;
            if (seen >= n)
                return perHour(n, latest - it->first + 1);
        }
        return std::nullopt;
    };
    r.lastTenQsos = lastRecords(10);
    r.lastHundredQsos = lastRecords(100);
    return r;
}

ContestStats::BandBins ContestStats::bins(const std::optional<QString> &tour) const
{
    BandBins out;
    for (const auto &[key, bins] : m_bins) {
        if (tour && key.first != *tour)
            continue;
        Bins &target = out[key.second];
        for (const auto &[bin, n] : bins)
            target[bin] += n;
    }
    return out;
}

QDateTime ContestStats::binStart(qint64 bin)
{
    return QDateTime::fromSecsSinceEpoch(bin * BinMinutes * 60, Qt::UTC);
}

// ---------------------------------------------------------------------------------------------

namespace statstext {

QString bandTitle(const QString &band)
{
    return band.isEmpty() ? QStringLiteral("—") : band;
}

QString tourTitle(const QString &tour)
{
    return QCoreApplication::translate("vireo::StatsText", "Тур %1").arg(tour.isEmpty() ? QStringLiteral("—") : tour);
}

QString totalTitle()
{
    return QCoreApplication::translate("vireo::StatsText", "Всего");
}

QString cellText(const StatsCell &c)
{
    return QStringLiteral("%1 / %2").arg(c.qso).arg(c.points);
}

QString badTimeText(int count)
{
    return QCoreApplication::translate(
               "vireo::StatsText",
               "Записей с неверной датой или временем: %1 (в таблице учтены, в темп и график не входят)")
        .arg(count);
}

QStringList tableLines(const ContestStats &stats)
{
    const QStringList bands = stats.bands();
    const QStringList tours = stats.tours();
    QList<QStringList> rows;
    QStringList heading{QCoreApplication::translate("vireo::StatsText", "Диапазон")};
    for (const QString &t : tours)
        heading << tourTitle(t);
    heading << totalTitle();
    rows << heading;
    for (const QString &b : bands) {
        QStringList row{bandTitle(b)};
        for (const QString &t : tours)
            row << cellText(stats.cell(b, t));
        row << cellText(stats.bandTotal(b));
        rows << row;
    }
    QStringList totals{totalTitle()};
    for (const QString &t : tours)
        totals << cellText(stats.tourTotal(t));
    totals << cellText(stats.total());
    rows << totals;

    QVector<int> widths(heading.size(), 0);
    for (const QStringList &row : rows)
        for (int c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], int(row[c].size()));
    QStringList lines{QCoreApplication::translate("vireo::StatsText", "Статистика журнала: QSO / очки"), QString()};
    for (const QStringList &row : rows) {
        QString line = row[0].leftJustified(widths[0]);
        for (int c = 1; c < row.size(); ++c)
            line += QStringLiteral("  ") + row[c].rightJustified(widths[c]);
        lines << line;
    }
    lines << QString() << badTimeText(stats.badTimeCount());
    return lines;
}

} // namespace statstext

} // namespace vireo
