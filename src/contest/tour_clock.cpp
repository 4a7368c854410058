#include "contest/tour_clock.h"

namespace vireo::tourclock {

namespace {
QString two(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
} // namespace

QString utcDateText(const QDateTime &utc)
{
    const QDate d = utc.date();
    return two(d.day()) + QLatin1Char('.') + two(d.month()) + QLatin1Char('.') + QString::number(d.year());
}

QString utcTimeText(const QDateTime &utc)
{
    const QTime t = utc.time();
    return two(t.hour()) + QLatin1Char(':') + two(t.minute());
}

QString utcSecondsText(const QDateTime &utc)
{
    const QTime t = utc.time();
    return two(t.hour()) + QLatin1Char(':') + two(t.minute()) + QLatin1Char(':') + two(t.second());
}

std::optional<TourState> currentTour(const QVector<TourRow> &rows, const QDateTime &utc)
{
    if (rows.isEmpty())
        return std::nullopt;
    const QDate date = utc.date();
    const QTime now = QTime(utc.time().hour(), utc.time().minute(), utc.time().second());
    TourState state;
    for (const TourRow &r : rows) {
        state.tourText = QString::number(r.tour);
        const bool running = r.dateBegin.isValid() && r.dateEnd.isValid() && r.timeBegin.isValid()
            && r.timeEnd.isValid() && date >= r.dateBegin && r.dateEnd >= date && now >= r.timeBegin
            && r.timeEnd >= now;
        if (running) {
            const int left = now.secsTo(r.timeEnd);
            state.timeLeft = two(left / 3600) + QLatin1Char(':') + two(left / 60 % 60) + QLatin1Char(':')
                + two(left % 60);
            return state;
        }
        state.tourText = QStringLiteral("0");
    }
    return state;
}

} // namespace vireo::tourclock
