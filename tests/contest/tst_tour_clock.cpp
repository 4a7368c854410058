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
        QTest::newRow("start") << utc(2013, 1, 1, 0, 0, 0) << "1" << "01:59:59";
        QTest::newRow("inside") << utc(2013, 1, 1, 1, 0, 0) << "1" << "00:59:59";
        QTest::newRow("end") << utc(2013, 1, 1, 1, 59, 59) << "1" << "00:00:00";
        QTest::newRow("after") << utc(2013, 1, 1, 2, 0, 0) << "0" << "";
        QTest::newRow("next day") << utc(2013, 1, 2, 1, 0, 0) << "0" << "";
        QTest::newRow("day before") << utc(2012, 12, 31, 1, 0, 0) << "0" << "";
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
        // crosses midnight: never running
        const auto night = tour(1, QDate(2012, 12, 31), QTime(23, 0, 0), Jan1, QTime(0, 59, 59));
        for (const QDateTime &t : {utc(2012, 12, 31, 23, 30, 0), utc(2013, 1, 1, 0, 30, 0)})
            QCOMPARE(currentTour({night}, t)->tourText, QStringLiteral("0"));
        // two days, daily window 10:00..12:00
        const auto twoDays = tour(1, Jan1, QTime(10, 0, 0), QDate(2013, 1, 2), QTime(12, 0, 0));
        QCOMPARE(currentTour({twoDays}, utc(2013, 1, 1, 11, 0, 0))->tourText, QStringLiteral("1"));
        QCOMPARE(currentTour({twoDays}, utc(2013, 1, 1, 13, 0, 0))->tourText, QStringLiteral("0"));
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
