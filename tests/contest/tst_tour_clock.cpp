// The clock's texts and the current tour.

#include "contest/tour_clock.h"

#include <QtTest>

using namespace vireo;
using namespace vireo::tourclock;

namespace {

TourRow tour(int n, QDate d1, QTime t1, QDate d2, QTime t2)
{
    TourRow r;
    r.tour = n;
    r.dateBegin = d1;
    r.timeBegin = t1;
    r.dateEnd = d2;
    r.timeEnd = t2;
    return r;
}

QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, 999), Qt::UTC);
}

const QDate Jan1(2013, 1, 1);

} // namespace

class TestTourClock : public QObject {
    Q_OBJECT
private slots:
    void texts()
    {
        const QDateTime t = utc(2026, 3, 5, 7, 4, 9);
        QCOMPARE(utcDateText(t), QStringLiteral("05.03.2026"));
        QCOMPARE(utcTimeText(t), QStringLiteral("07:04"));
        QCOMPARE(utcSecondsText(t), QStringLiteral("07:04:09"));
    }

    void boundsAreInclusive_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("tour");
        QTest::addColumn<QString>("left");
        QTest::newRow("start") << utc(2013, 1, 1, 0, 0, 0) << "1"
                               << "01:59:59";
        QTest::newRow("inside") << utc(2013, 1, 1, 1, 0, 0) << "1"
                                << "00:59:59";
        QTest::newRow("end") << utc(2013, 1, 1, 1, 59, 59) << "1"
                             << "00:00:00";
        QTest::newRow("after") << utc(2013, 1, 1, 2, 0, 0) << "0"
                               << "";
        QTest::newRow("next day") << utc(2013, 1, 2, 1, 0, 0) << "0"
                                  << "";
        QTest::newRow("day before") << utc(2012, 12, 31, 1, 0, 0) << "0"
                                    << "";
    }
    void boundsAreInclusive()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, tour);
        QFETCH(QString, left);
        const auto s = currentTour({::tour(1, Jan1, QTime(0, 0, 0), Jan1, QTime(1, 59, 59))}, now);
        QVERIFY(s.has_value());
        QCOMPARE(s->tourText, tour);
        QCOMPARE(s->timeLeft.value_or(QString()), left);
    }

    void dateRangeAndDailyWindowAreSeparate()
    {
        // two days, daily window 10:00..12:00
        const auto twoDays = tour(1, Jan1, QTime(10, 0, 0), QDate(2013, 1, 2), QTime(12, 0, 0));
        QCOMPARE(currentTour({twoDays}, utc(2013, 1, 1, 11, 0, 0))->tourText, QStringLiteral("1"));
        QCOMPARE(currentTour({twoDays}, utc(2013, 1, 1, 13, 0, 0))->tourText, QStringLiteral("0"));
        QCOMPARE(currentTour({twoDays}, utc(2013, 1, 2, 9, 59, 59))->tourText, QStringLiteral("0"));
        QCOMPARE(currentTour({twoDays}, utc(2013, 1, 2, 10, 0, 0))->timeLeft.value_or(QString()),
                 QStringLiteral("02:00:00"));
        QCOMPARE(tourSpanText(twoDays), QStringLiteral("01.01.2013 – 02.01.2013, каждый день 10:00:00 – 12:00:00"));
        QCOMPARE(tourSpanText(tour(1, Jan1, QTime(0, 0, 0), Jan1, QTime(1, 59, 59))),
                 QStringLiteral("01.01.2013 00:00:00 – 01:59:59"));
    }

    // A window whose start is later in the day than its end runs over midnight: one stretch from
    // the start on the first day to the end on the last.
    void tourOverMidnight_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("tour");
        QTest::addColumn<QString>("left");
        // 08.12 12:00:00 to 09.12 11:59:59, a 24-hour contest.
        QTest::newRow("before") << utc(2026, 12, 8, 11, 59, 59) << "0"
                                << "";
        QTest::newRow("start") << utc(2026, 12, 8, 12, 0, 0) << "1"
                               << "23:59:59";
        QTest::newRow("evening") << utc(2026, 12, 8, 23, 59, 59) << "1"
                                 << "12:00:00";
        QTest::newRow("after midnight") << utc(2026, 12, 9, 0, 0, 0) << "1"
                                        << "11:59:59";
        QTest::newRow("morning") << utc(2026, 12, 9, 6, 30, 0) << "1"
                                 << "05:29:59";
        QTest::newRow("end") << utc(2026, 12, 9, 11, 59, 59) << "1"
                             << "00:00:00";
        QTest::newRow("after") << utc(2026, 12, 9, 12, 0, 0) << "0"
                               << "";
        QTest::newRow("next night") << utc(2026, 12, 9, 23, 0, 0) << "0"
                                    << "";
    }
    void tourOverMidnight()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, tour);
        QFETCH(QString, left);
        const TourRow contest = ::tour(1, QDate(2026, 12, 8), QTime(12, 0, 0), QDate(2026, 12, 9), QTime(11, 59, 59));
        const auto s = currentTour({contest}, now);
        QVERIFY(s.has_value());
        QCOMPARE(s->tourText, tour);
        QCOMPARE(s->timeLeft.value_or(QString()), left);
    }

    void longToursAndToursThatNeverRun()
    {
        // Over two midnights: the time left counts whole days in hours.
        const auto weekend = tour(2, QDate(2026, 12, 5), QTime(18, 0, 0), QDate(2026, 12, 7), QTime(5, 59, 59));
        QCOMPARE(currentTour({weekend}, utc(2026, 12, 5, 18, 0, 0))->timeLeft.value_or(QString()),
                 QStringLiteral("35:59:59"));
        QCOMPARE(currentTour({weekend}, utc(2026, 12, 6, 12, 0, 0))->tourText, QStringLiteral("2"));
        QCOMPARE(tourSpanText(weekend), QStringLiteral("05.12.2026 18:00:00 – 07.12.2026 05:59:59"));
        QVERIFY(tourRuns(weekend));
        // The end before the start: it never runs, and the window says so.
        const auto sameDay = tour(3, Jan1, QTime(23, 0, 0), Jan1, QTime(1, 0, 0));
        const auto backwards = tour(4, QDate(2013, 1, 5), QTime(10, 0, 0), QDate(2013, 1, 4), QTime(11, 0, 0));
        for (const TourRow &r : {sameDay, backwards}) {
            QVERIFY(!tourRuns(r));
            QCOMPARE(tourSpanText(r), QStringLiteral("никогда: окончание раньше начала"));
            for (const QDateTime &t :
                 {utc(2013, 1, 1, 23, 30, 0), utc(2013, 1, 1, 0, 30, 0), utc(2013, 1, 4, 10, 30, 0)})
                QCOMPARE(currentTour({r}, t)->tourText, QStringLiteral("0"));
        }
    }

    void firstRunningRowWinsAndEmptyTableChangesNothing()
    {
        const QVector<TourRow> rows{tour(5, Jan1, QTime(3, 0, 0), Jan1, QTime(4, 0, 0)),
                                    tour(2, Jan1, QTime(0, 0, 0), Jan1, QTime(23, 0, 0)),
                                    tour(3, Jan1, QTime(0, 0, 0), Jan1, QTime(23, 0, 0))};
        QCOMPARE(currentTour(rows, utc(2013, 1, 1, 1, 0, 0))->tourText, QStringLiteral("2"));
        QCOMPARE(currentTour(rows, utc(2013, 1, 1, 3, 30, 0))->tourText, QStringLiteral("5"));
        QVERIFY(!currentTour({}, utc(2013, 1, 1, 1, 0, 0)).has_value());
    }
};

QTEST_APPLESS_MAIN(TestTourClock)
#include "tst_tour_clock.moc"
