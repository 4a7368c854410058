#include "contest/tour_clock.h"

#include <QCoreApplication>

namespace vireo::tourclock {

namespace {

QString two(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

const QString DateFormat = QStringLiteral("dd.MM.yyyy");
const QString TimeFormat = QStringLiteral("HH:mm:ss");

bool complete(const TourRow &r)
{
    return r.dateBegin.isValid() && r.dateEnd.isValid() && r.timeBegin.isValid() && r.timeEnd.isValid();
}

bool overMidnight(const TourRow &r)
{
    return r.timeBegin > r.timeEnd;
}

QTime toSecond(const QTime &t)
{
    return QTime(t.hour(), t.minute(), t.second());
}

QDateTime first(const TourRow &r)
{
    return QDateTime(r.dateBegin, toSecond(r.timeBegin), Qt::UTC);
}

QDateTime last(const TourRow &r)
{
    return QDateTime(r.dateEnd, toSecond(r.timeEnd), Qt::UTC);
}

// Seconds from now to the end of the tour's stretch that holds now.
qint64 secondsLeft(const TourRow &r, const QDateTime &now)
{
    if (overMidnight(r))
        return now.secsTo(last(r));
    return QTime(now.time()).secsTo(toSecond(r.timeEnd));
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

bool runsAt(const TourRow &r, const QDateTime &utc)
{
    if (!complete(r))
        return false;
    const QDateTime now(utc.date(), toSecond(utc.time()), Qt::UTC);
    if (overMidnight(r))
        return now >= first(r) && now <= last(r);
    const QDate date = now.date();
    const QTime time = now.time();
    return date >= r.dateBegin && date <= r.dateEnd && time >= r.timeBegin && time <= r.timeEnd;
}

bool tourRuns(const TourRow &r)
{
    return complete(r) && r.dateBegin <= r.dateEnd && first(r) <= last(r);
}

QString tourSpanText(const TourRow &r)
{
    if (!tourRuns(r))
        return QCoreApplication::translate("vireo::TourClock", "никогда: окончание раньше начала");
    const QString dash = QStringLiteral(" – ");
    if (r.dateBegin == r.dateEnd)
        return r.dateBegin.toString(DateFormat) + QLatin1Char(' ') + r.timeBegin.toString(TimeFormat) + dash
               + r.timeEnd.toString(TimeFormat);
    if (overMidnight(r))
        return first(r).toString(DateFormat + QLatin1Char(' ') + TimeFormat) + dash
               + last(r).toString(DateFormat + QLatin1Char(' ') + TimeFormat);
    return r.dateBegin.toString(DateFormat) + dash + r.dateEnd.toString(DateFormat)
           + QCoreApplication::translate("vireo::TourClock", ", каждый день ") + r.timeBegin.toString(TimeFormat) + dash
           + r.timeEnd.toString(TimeFormat);
}

std::optional<TourState> currentTour(const QVector<TourRow> &rows, const QDateTime &utc)
{
    if (rows.isEmpty())
        return std::nullopt;
    const QDateTime now(utc.date(), toSecond(utc.time()), Qt::UTC);
    TourState state;
    for (const TourRow &r : rows) {
        state.tourText = QString::number(r.tour);
        if (runsAt(r, now)) {
            const qint64 left = secondsLeft(r, now);
            state.timeLeft = two(int(left / 3600)) + QLatin1Char(':') + two(int(left / 60 % 60)) + QLatin1Char(':')
                             + two(int(left % 60));
            return state;
        }
        state.tourText = QStringLiteral("0");
    }
    return state;
}

} // namespace vireo::tourclock
