#pragma once
// The clock's texts and the current tour.

#include "db/tour_store.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace vireo::tourclock {

QString utcDateText(const QDateTime &utc); // DD.MM.YYYY
QString utcTimeText(const QDateTime &utc); // HH:MM
QString utcSecondsText(const QDateTime &utc); // HH:MM:SS

struct TourState {
    QString tourText; // number of the first running tour, or "0"
    std::optional<QString> timeLeft; // HH:MM:SS, only when a tour is running
};

// When a tour runs. A daily window whose start is not later than its end runs on every day from
// the first date to the last, from the start time to the end time of the day. A window whose
// start is later than its end runs over midnight: one stretch from the start time on the first
// date to the end time on the last. Both bounds belong to the tour.
bool runsAt(const TourRow &row, const QDateTime &utc);
// Whether the tour runs at any moment at all (its end is not before its start).
bool tourRuns(const TourRow &row);
// The first and last instant as the tour window shows them, or why the tour never runs.
QString tourSpanText(const TourRow &row);

// The tour running at this moment; the first running row in table order wins. No rows: nothing.
std::optional<TourState> currentTour(const QVector<TourRow> &rows, const QDateTime &utc);

} // namespace vireo::tourclock
