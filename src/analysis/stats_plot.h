#pragma once
// The plot of the statistics window: QSOs per ten minutes, stacked by band, over UTC time.
// Each band is an area between the running total of the bands below it and that total plus
// its own counts, drawn as steps one bin wide.

#include "analysis/contest_stats.h"

#include <QList>
#include <QPointF>

#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace vireo::statsplot {

struct Outline {
    QString band;
    QList<QPointF> upper; // x: minutes from the first bin's start; y: QSOs of this band and those below
};

struct Plot {
    qint64 originMinute = 0; // minutes since 1970-01-01 00:00 UTC of the first bin's start
    qint64 spanMinutes = 0;  // from the first bin's start to the last bin's end
    int peak = 0;            // highest stack
    std::vector<Outline> outlines; // bottom band first
};

// The stacked outlines of the bands present in bins, in the given order (bands of bins that the
// order lacks follow by name).
Plot stack(const ContestStats::BandBins &bins, const QStringList &bandOrder);

// Replaces the chart's series and axes with the plot: one area per band, a UTC time axis.
void show(QChart &chart, const Plot &plot, const QString &title);

} // namespace vireo::statsplot
