#include "analysis/ui/stats_plot.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QFontMetrics>
#include <QHash>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <set>

namespace vireo::statsplot {

namespace {

constexpr qint64 Bin = ContestStats::BinMinutes;

constexpr qint64 Day = 24 * 60;

// Steps between labels, shortest first.
constexpr qint64 Steps[] = {30, 60, 120, 180, 360, 720, Day, 2 * Day, 7 * Day, 14 * Day, 28 * Day, 56 * Day};

QString labelText(qint64 minute, qint64 span, qint64 step)
{
    const QDateTime t = QDateTime::fromSecsSinceEpoch(minute * 60, Qt::UTC);
    if (step >= Day || (span > Day && minute % Day == 0))
        return t.toString(QStringLiteral("dd.MM"));
    return t.toString(QStringLiteral("HH:mm"));
}

// Space between two labels beyond the widest one, in pixels.
constexpr int LabelGap = 14;

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

QColor bandColour(const QString &band)
{
    // Sasha Trubetskoy's twenty distinct colours, in an order that gives neighbouring bands of
    // the plan (stacked next to each other) colours far apart.
    static const QHash<QString, QColor> colours{
        {QStringLiteral("160M"), QColor(0x80, 0x00, 0x00)}, {QStringLiteral("80M"), QColor(0xE6, 0x19, 0x4B)},
        {QStringLiteral("40M"), QColor(0x43, 0x63, 0xD8)},  {QStringLiteral("30M"), QColor(0xFF, 0xE1, 0x19)},
        {QStringLiteral("20M"), QColor(0x3C, 0xB4, 0x4B)},  {QStringLiteral("17M"), QColor(0xF0, 0x32, 0xE6)},
        {QStringLiteral("15M"), QColor(0xF5, 0x82, 0x31)},  {QStringLiteral("12M"), QColor(0x42, 0xD4, 0xF4)},
        {QStringLiteral("10M"), QColor(0x91, 0x1E, 0xB4)},  {QStringLiteral("6M"), QColor(0xBF, 0xEF, 0x45)},
        {QStringLiteral("2M"), QColor(0x46, 0x99, 0x90)},   {QStringLiteral("222"), QColor(0x9A, 0x63, 0x24)},
        {QStringLiteral("432"), QColor(0x00, 0x00, 0x75)},  {QStringLiteral("903"), QColor(0x80, 0x80, 0x00)},
        {QStringLiteral("1.2G"), QColor(0xFA, 0xBE, 0xD4)},
    };
    return colours.value(band, QColor(0xA9, 0xA9, 0xA9));
}

std::vector<TimeLabel> timeLabels(qint64 origin, qint64 span, double widthPixels, const QFontMetrics &metrics)
{
    std::vector<TimeLabel> labels;
    if (span <= 0)
        return labels;
    const double perMinute = std::max(widthPixels, 1.0) / double(span);
    const qint64 end = origin + span;
    for (const qint64 step : Steps) {
        labels.clear();
        int widest = 0;
        for (qint64 m = (origin + step - 1) / step * step; m <= end; m += step) {
            TimeLabel l{m, labelText(m, span, step)};
            widest = std::max(widest, metrics.horizontalAdvance(l.text));
            labels.push_back(std::move(l));
        }
        if (double(step) * perMinute >= widest + LabelGap)
            break;
    }
    return labels;
}

namespace {

// Width of the time axis of a chart: its plot area once laid out, else the chart's width less
// room for the count axis and the legend.
double axisWidth(const QChart &chart)
{
    const double plot = chart.plotArea().width();
    if (plot > 1)
        return plot;
    return std::max(chart.size().width() - 160, 200.0);
}

void putLabels(QCategoryAxis &time, qint64 origin, const std::vector<TimeLabel> &labels)
{
    for (const QString &old : time.categoriesLabels())
        time.remove(old);
    for (const TimeLabel &l : labels)
        time.append(l.text, double(l.minute - origin));
}

// Whole numbers only: a low peak gets one tick per count instead of repeated labels.
void setCountRange(QValueAxis &count, int peak)
{
    count.setRange(0, std::max(peak, 1));
    count.applyNiceNumbers();
    const int top = int(count.max());
    if (top < count.tickCount() - 1)
        count.setTickCount(top + 1);
    else if (count.tickCount() != 5 && top >= 4)
        count.setTickCount(5);
}

QCategoryAxis *timeAxis(const QChart &chart)
{
    return qobject_cast<QCategoryAxis *>(chart.axes(Qt::Horizontal).value(0));
}

} // namespace

void relabel(QChart &chart)
{
    QCategoryAxis *time = timeAxis(chart);
    if (!time)
        return;
    const qint64 origin = time->property("origin").toLongLong();
    const qint64 span = qint64(time->max());
    const std::vector<TimeLabel> labels = timeLabels(origin, span, axisWidth(chart), QFontMetrics(time->labelsFont()));
    QStringList texts;
    for (const TimeLabel &l : labels)
        texts << l.text;
    if (texts == time->categoriesLabels())
        return;
    putLabels(*time, origin, labels);
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
    setCountRange(*count, plot.peak);
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
    // The chart's title says what is counted; the short axis title fits a low plot.
    count->setTitleText(QStringLiteral("QSO"));
    count->setLabelFormat(QStringLiteral("%d"));
    chart.addAxis(time, Qt::AlignBottom);
    chart.addAxis(count, Qt::AlignLeft);

    const qint64 span = std::max<qint64>(plot.spanMinutes, 60);
    time->setRange(0, double(span));
    time->setStartValue(-1);
    putLabels(*time, plot.originMinute,
              timeLabels(plot.originMinute, span, axisWidth(chart), QFontMetrics(time->labelsFont())));
    setCountRange(*count, plot.peak);

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
        const QColor colour = bandColour(o.band);
        area->setColor(colour);
        // No outline: at a ten-minute step over days the edges of the top band would cover the rest.
        area->setPen(Qt::NoPen);
        chart.addSeries(area);
        area->attachAxis(time);
        area->attachAxis(count);
        below = upper;
    }
}

} // namespace vireo::statsplot
