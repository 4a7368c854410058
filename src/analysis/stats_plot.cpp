#include "analysis/stats_plot.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <set>

namespace vireo::statsplot {

namespace {

constexpr qint64 Bin = ContestStats::BinMinutes;

// Minutes between two labels of the time axis for a span.
qint64 labelStep(qint64 span)
{
    if (span <= 3 * 60)
        return 30;
    if (span <= 12 * 60)
        return 60;
    if (span <= 24 * 60)
        return 120;
    if (span <= 4 * 24 * 60)
        return 360;
    const qint64 days = span / (8 * 24 * 60) + 1;
    return days * 24 * 60;
}

QString labelText(qint64 minute, qint64 span, qint64 step)
{
    const QDateTime t = QDateTime::fromSecsSinceEpoch(minute * 60, Qt::UTC);
    if (step >= 24 * 60)
        return t.toString(QStringLiteral("dd.MM"));
    if (span >= 24 * 60)
        return t.toString(QStringLiteral("dd.MM HH:mm"));
    return t.toString(QStringLiteral("HH:mm"));
}

} // namespace

Plot stack(const ContestStats::BandBins &bins, const QStringList &bandOrder)
{
    Plot plot;
    QStringList order;
    for (const QString &b : bandOrder)
        if (bins.count(b) && !bins.at(b).empty())
            order << b;
    for (const auto &[band, counts] : bins)
        if (!counts.empty() && !order.contains(band))
            order << band;

    std::set<qint64> used;
    for (const auto &[band, counts] : bins)
        for (const auto &[bin, n] : counts)
            used.insert(bin);
    if (used.empty())
        return plot;
    const std::vector<qint64> xs(used.begin(), used.end());
    plot.originMinute = xs.front() * Bin;
    plot.spanMinutes = (xs.back() + 1) * Bin - plot.originMinute;

    std::vector<int> running(xs.size(), 0);
    for (const QString &band : order) {
        const ContestStats::Bins &counts = bins.at(band);
        Outline o;
        o.band = band;
        for (size_t i = 0; i < xs.size(); ++i) {
            const auto it = counts.find(xs[i]);
            running[i] += it == counts.end() ? 0 : it->second;
            plot.peak = std::max(plot.peak, running[i]);
            const double start = double(xs[i] * Bin - plot.originMinute);
            if (i == 0 || xs[i] != xs[i - 1] + 1) {
                if (i > 0)
                    o.upper << QPointF(double((xs[i - 1] + 1) * Bin - plot.originMinute), 0);
                o.upper << QPointF(start, 0);
            }
            o.upper << QPointF(start, running[i]) << QPointF(start + Bin, running[i]);
        }
        o.upper << QPointF(double(plot.spanMinutes), 0);
        plot.outlines.push_back(std::move(o));
    }
    return plot;
}

namespace {

// Moves the outlines of a chart that already shows the same bands over the same span; false
// when the chart must be built anew.
bool update(QChart &chart, const Plot &plot)
{
    const QList<QAbstractSeries *> series = chart.series();
    auto *time = qobject_cast<QCategoryAxis *>(chart.axes(Qt::Horizontal).value(0));
    auto *count = qobject_cast<QValueAxis *>(chart.axes(Qt::Vertical).value(0));
    if (!time || !count || series.size() != qsizetype(plot.outlines.size())
        || time->property("origin").toLongLong() != plot.originMinute
        || time->property("span").toLongLong() != plot.spanMinutes)
        return false;
    for (size_t i = 0; i < plot.outlines.size(); ++i)
        if (series[qsizetype(i)]->name() != statstext::bandTitle(plot.outlines[i].band))
            return false;
    for (size_t i = 0; i < plot.outlines.size(); ++i) {
        auto *area = static_cast<QAreaSeries *>(series[qsizetype(i)]);
        area->upperSeries()->replace(plot.outlines[i].upper);
        if (i > 0)
            area->lowerSeries()->replace(plot.outlines[i - 1].upper);
    }
    count->setRange(0, std::max(plot.peak, 1));
    count->applyNiceNumbers();
    return true;
}

} // namespace

void show(QChart &chart, const Plot &plot, const QString &title)
{
    if (chart.title() != title)
        chart.setTitle(title);
    if (!plot.outlines.empty() && update(chart, plot))
        return;
    chart.removeAllSeries();
    for (QAbstractAxis *axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }

    auto *time = new QCategoryAxis;
    time->setProperty("origin", plot.originMinute);
    time->setProperty("span", plot.spanMinutes);
    time->setTitleText(QStringLiteral("UTC"));
    time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    auto *count = new QValueAxis;
    count->setTitleText(QStringLiteral("QSO за 10 минут"));
    count->setLabelFormat(QStringLiteral("%d"));
    chart.addAxis(time, Qt::AlignBottom);
    chart.addAxis(count, Qt::AlignLeft);

    const qint64 span = std::max<qint64>(plot.spanMinutes, 60);
    time->setRange(0, double(span));
    time->setStartValue(-1);
    const qint64 step = labelStep(span);
    const qint64 end = plot.originMinute + span;
    for (qint64 m = (plot.originMinute + step - 1) / step * step; m <= end; m += step)
        time->append(labelText(m, span, step), double(m - plot.originMinute));
    count->setRange(0, std::max(plot.peak, 1));
    count->applyNiceNumbers();

    QLineSeries *below = nullptr;
    for (const Outline &o : plot.outlines) {
        auto *upper = new QLineSeries;
        upper->replace(o.upper);
        QLineSeries *lower = nullptr;
        if (below) {
            lower = new QLineSeries;
            lower->replace(below->points());
        }
        auto *area = new QAreaSeries(upper, lower);
        upper->setParent(area); // the area does not own its lines
        if (lower)
            lower->setParent(area);
        area->setName(statstext::bandTitle(o.band));
        chart.addSeries(area);
        area->attachAxis(time);
        area->attachAxis(count);
        below = upper;
    }
}

} // namespace vireo::statsplot
