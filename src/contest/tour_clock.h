#pragma once
// The clock's texts and the current tour.

#include "db/tour_store.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace vireo::tourclock {

QString utcDateText(const QDateTime &utc);    // DD.MM.YYYY
QString utcTimeText(const QDateTime &utc);    // HH:MM
QString utcSecondsText(const QDateTime &utc); // HH:MM:SS

struct TourState {
    QString tourText;                 // number of the first running tour, or "0"
    std::optional<QString> timeLeft;  // HH:MM:SS, only when a tour is running
};

// The tour running at this moment. Date range and daily window are tested separately, both
// bounds inclusive; the first running row in table order wins. No rows: nothing.
std::optional<TourState> currentTour(const QVector<TourRow> &rows, const QDateTime &utc);

} // namespace vireo::tourclock
