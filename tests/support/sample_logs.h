#pragma once
// Logs made up for the window tests and for the screenshots of the same windows, so that the
// pictures show what the tests check.

#include "support/qso_builder.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QVector>

namespace vireo::test {

// The entry tests' record, filed the evening before the scripted time.
inline QsoRecord record(const QString &call1, const QString &nr1, const QString &call2, const QString &nr2)
{
    return Qso::typical()
        .at(QStringLiteral("04.03.2026"), QStringLiteral("18:30"))
        .heard(call1, QStringLiteral("599"), nr1)
        .call2(call2)
        .nr2WithReport(nr2)
        .tur(QStringLiteral("1"));
}

// Six records with the longest values a contest brings: 9-character calls, 8-character
// locators, 7-digit frequencies.
inline QVector<QsoRecord> longValueRecords()
{
    QVector<QsoRecord> rs;
    const char *const freqs[] = {"1296000", "144300", "28500", "3550", "144", "10368000"};
    const char *const calls[] = {"UA3ABC/QRP", "VK6ABCD/P", "R2015ABC", "ZD9ABC", "DL1XYZ", "UA0ABC/MM"};
    for (int i = 0; i < 6; ++i)
        rs << Qso(record(QString::fromLatin1(calls[i]).left(9), QStringLiteral("16 KO85RS"),
                         QString::fromLatin1(calls[5 - i]).left(9), QStringLiteral("599")))
                  .freq(QString::fromLatin1(freqs[i]).left(7))
                  .record();
    return rs;
}

// A two-tour contest: tour 1 from 06:00 to 07:59 and tour 2 from 08:00 to 09:59 UTC on
// 05.03.2026, a busy start to each tour on 80M and 40M and a little 20M, about half the records
// with both exchanges, and three typed by hand with a time that does not parse.
inline QVector<QsoRecord> twoTourContest()
{
    QRandomGenerator g(2026);
    QVector<QsoRecord> log;
    const QTime starts[2] = {QTime(6, 0), QTime(8, 0)};
    for (int tour = 0; tour < 2; ++tour) {
        for (int minute = 0; minute < 120; ++minute) {
            const int busy = minute < 30 ? 4 : minute < 80 ? 2 : 1;
            const int n = int(g.bounded(busy + 1)) + (minute % 7 == 0 ? 1 : 0);
            for (int k = 0; k < n; ++k) {
                const int pick = int(g.bounded(10));
                const QString band = QString::fromLatin1(pick < 5 ? "80M" : pick < 9 ? "40M" : "20M");
                const QString nr2 = g.bounded(2) ? QString::number(log.size() % 500) : QString();
                log << Qso(record(QStringLiteral("R%1%2A").arg(tour).arg(log.size()), QString::number(k + 1),
                                  QStringLiteral("UA%1B").arg(log.size()), nr2))
                           .band(band)
                           .freq(band == QLatin1String("80M")   ? QStringLiteral("3500")
                                 : band == QLatin1String("40M") ? QStringLiteral("7000")
                                                                : QStringLiteral("14000"))
                           .at(QStringLiteral("05.03.2026"),
                               starts[tour].addSecs(minute * 60).toString(QStringLiteral("HH:mm")))
                           .tur(QString::number(tour + 1))
                           .record();
            }
        }
    }
    for (const char *bad : {"  :  ", "25:10", "9:5"})
        log << Qso(record(QStringLiteral("UR5XX"), QStringLiteral("3"), QString(), QString()))
                   .band(QStringLiteral("40M"))
                   .tur(QStringLiteral("2"))
                   .time(QString::fromLatin1(bad))
                   .record();
    return log;
}

// Four days of a contest on six bands: a record every three minutes, the low bands at night and
// the high ones by day, as propagation has it.
inline QVector<QsoRecord> sixBandsOverDays()
{
    const char *bands[] = {"160M", "80M", "40M", "20M", "15M", "10M"};
    QVector<QsoRecord> log;
    QRandomGenerator g(23);
    const QDateTime start(QDate(2026, 3, 5), QTime(6, 0), Qt::UTC);
    for (int i = 0; i < 4 * 24 * 20; ++i) {
        const QDateTime at = start.addSecs(qint64(i) * 3 * 60);
        const int hour = at.time().hour();
        const bool day = hour >= 6 && hour < 18;
        const int pick = int(g.bounded(day ? 4 : 3)) + (day ? 2 : 0);
        log << Qso(record(QStringLiteral("R%1A").arg(i), QString::number(i + 1), QString(), QString()))
                   .band(QString::fromLatin1(bands[i % 17 == 0 ? i % 6 : pick]))
                   .at(at.toString(QStringLiteral("dd.MM.yyyy")), at.toString(QStringLiteral("HH:mm")))
                   .record();
    }
    return log;
}

// The last hour of a contest on 20M CW in tour 0 up to the scripted time: sixteen stations
// from 14008 kHz up, heard from 06:09 on every three minutes, each with its correspondent (every
// fourth with two), as the band map shows them fading with age.
inline QVector<QsoRecord> contestHourOn20m()
{
    const char *const calls[] = {"UA3ABC", "RW6HS",  "DL1XX", "OK1FFU", "SP9KR", "RA9CMO", "UR5EAW", "G4BUO",
                                 "R7AB",   "RK3DZB", "LY2IJ", "YL2KL",  "ES5TV", "OH2BH",  "UA9CGL", "RZ3AV"};
    const char *const with[] = {"RA1QD", "UA4HBW", "RN6AM", "R2DX", "UA6LV", "RX3RC"};
    const QDateTime first(QDate(2026, 3, 5), QTime(6, 9), Qt::UTC);
    QVector<QsoRecord> log;
    for (int i = 0; i < 16; ++i) {
        const QString time = first.addSecs(qint64(i) * 3 * 60).toString(QStringLiteral("HH:mm"));
        const Qso heard = Qso::typical()
                              .heard(QString::fromLatin1(calls[i]), QStringLiteral("599"), QString::number(i + 1))
                              .freq(QString::number(14008 + i * 4 + i % 3))
                              .time(time);
        log << Qso(heard).call2(QString::fromLatin1(with[i % 6])).record();
        if (i % 4 == 0)
            log << Qso(heard).call2(QString::fromLatin1(with[(i + 1) % 6])).record();
    }
    return log;
}

} // namespace vireo::test
