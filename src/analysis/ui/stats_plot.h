#pragma once
// The plot of the statistics window: QSOs per ten minutes, stacked by band, over UTC time.
// Each band is an area between the running total of the bands below it and that total plus
// its own counts, drawn as steps one bin wide.

#include "analysis/contest_stats.h"

#include <QColor>
#include <QList>
#include <QPointF>

#include <vector>

QT_BEGIN_NAMESPACE
class QCategoryAxis;
class QChart;
class QFontMetrics;
QT_END_NAMESPACE

namespace vireo::statsplot {

struct Outline {
    QString band;
    QList<QPointF> upper; // x: minutes from the first bin's start; y: QSOs of this band and those below
};

struct Plot {
    qint64 originMinute = 0; // minutes since 1970-01-01 00:00 UTC of the first bin's start
    qint64 spanMinutes = 0; // from the first bin's start to the last bin's end
    int peak = 0; // highest stack
    std::vector<Outline> outlines; // bottom band first
};

// The stacked outlines of the bands present in bins, in the given order (bands of bins that the
// order lacks follow by name).
Plot stack(const ContestStats::BandBins &bins, const QStringList &bandOrder);

// The colour of a band's area: each band of the band plan has its own, told apart at a glance;
// other band names are grey.
QColor bandColour(const QString &band);

// One label of the time axis: minutes since 1970-01-01 00:00 UTC and its text.
struct TimeLabel {
    qint64 minute = 0;
    QString text;
};

// The labels of a time axis over [origin, origin + span] minutes that is widthPixels wide, each
// drawn with the font measured by metrics. The step between labels is the shortest of the usual
// ones (half an hour, hours, days) at which each label fits its share of the width. Within a day
// a label is "HH:mm", and a label at midnight of a plot that covers more than one day is the date
// "dd.MM"; steps of a day or more give dates only.
std::vector<TimeLabel> timeLabels(qint64 origin, qint64 span, double widthPixels, const QFontMetrics &metrics);

// Puts the labels of timeLabels() on the chart's time axis for the width of its plot area; does
// nothing when the labels would stay the same.
void relabel(QChart &chart);

// Replaces the chart's series and axes with the plot: one area per band, a UTC time axis.
void show(QChart &chart, const Plot &plot, const QString &title);

} // namespace vireo::statsplot
