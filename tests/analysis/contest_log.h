#pragma once
// A clean contest log made up for the log check's tests, benchmark and screenshot: stations
// that work each other in time order, every station's serial rising by one with each QSO it is
// heard in, each heard station once per tour, band and mode, and some stations that send a zone
// or a region instead of a serial. Nothing in it is an error.

#include "db/qso_record.h"
#include "support/qso_builder.h"

#include <QDateTime>
#include <QSet>
#include <QStringList>
#include <QVector>

namespace vireo::test {

struct ContestLog {
    QStringList calls; // every station of the log
    QVector<QsoRecord> records; // in time order; id = place + 1
};

// The i-th station's call: prefixes of several countries, suffixes of three letters.
inline QString stationCall(int i)
{
    static const char *const Prefixes[] = {"UA3", "RA9", "DL1", "G4",  "JA1", "K1",
                                           "UR5", "SP9", "OK1", "RW6", "EW8", "LY2"};
    QString suffix;
    int v = i / 12;
    for (int k = 0; k < 3; ++k) {
        suffix.prepend(QChar('A' + v % 26));
        v /= 26;
    }
    return QString::fromLatin1(Prefixes[i % 12]) + suffix;
}

// records QSOs among the given number of stations, a little under one a minute, over tours of
// two hours each (tour 1 from 12:00, tour 2 from 15:00, ...). Every fifth station sends its CQ
// zone, every seventh its region letters; the others a serial.
inline ContestLog makeContestLog(int stations, int records, int bandsPerTour = 6)
{
    static const char *const Bands[] = {"40M", "20M", "80M", "15M", "10M", "160M"};
    static const char *const Freqs[] = {"7012", "14025", "3520", "21030", "28040", "1830"};
    static const char *const Regions[] = {"MO", "SP", "KR", "NS", "LO"};
    ContestLog log;
    for (int s = 0; s < stations; ++s)
        log.calls << stationCall(s);
    QVector<int> serial(stations, 0);
    const QDateTime start(QDate(2026, 3, 7), QTime(12, 0), Qt::UTC);
    // Which heard stations a tour, band and mode already holds.
    QSet<qint64> heard;
    quint32 seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % quint32(n));
    };
    const int perTour = std::max(1, records / 4);
    for (int i = 0; i < records; ++i) {
        const int tour = i / perTour;
        const int inTour = i % perTour;
        // Spread the tour's records over its two hours.
        const QDateTime at = start.addSecs(qint64(tour) * 3 * 3600 + qint64(inTour) * 7200 / perTour);
        const int band = (inTour * bandsPerTour / perTour) % 6;
        int a = next(stations), b = next(stations);
        auto key = [&](int s) { return (qint64(tour) * 6 + band) * stations + s; };
        for (int tries = 0; tries < 4 * stations; ++tries) {
            if (!heard.contains(key(a)) && a != b)
                break;
            a = (a + 1) % stations;
            if (a == b)
                b = (b + 1) % stations;
        }
        heard.insert(key(a));
        auto exchange = [&](int s) {
            if (s % 5 == 0)
                return QString::number(14 + s % 10);
            if (s % 7 == 0)
                return QString::fromLatin1(Regions[s % 5]);
            return QStringLiteral("%1").arg(++serial[s], 3, 10, QLatin1Char('0'));
        };
        const QString nr1 = exchange(a), nr2 = exchange(b); // the heard station's serial first
        log.records.append(Qso()
                               .id(i + 1)
                               .freq(QString::fromLatin1(Freqs[band]))
                               .band(QString::fromLatin1(Bands[band]))
                               .mode(QStringLiteral("CW"))
                               .at(at.toString(QStringLiteral("dd.MM.yyyy")), at.toString(QStringLiteral("HH:mm")))
                               .heard(log.calls[a], QStringLiteral("599"), nr1)
                               .worked(log.calls[b], QStringLiteral("599"), nr2)
                               .tur(QString::number(tour + 1))
                               .radio(QStringLiteral("1")));
    }
    return log;
}

} // namespace vireo::test

#include "analysis/log_check.h"

namespace vireo::test {

struct Planted {
    logcheck::Kind kind;
    qint64 id;
};

// Plants one error of every kind into a log made by makeContestLog (at least 40 stations and
// 600 records) and returns where each finding must point. Added records get ids after the last.
inline QVector<Planted> plantErrors(ContestLog &log)
{
    QVector<Planted> planted;
    auto station = [&log](const QString &call) { return log.calls.indexOf(call); };
    auto sendsSerial = [&](const QString &call) {
        const int s = station(call);
        return s % 5 != 0 && s % 7 != 0;
    };
    auto heard = [&log](const QString &call, int n) {
        for (int i = 0; i < log.records.size(); ++i)
            if (log.records[i].call1 == call && n-- == 0)
                return i;
        return -1;
    };
    auto addMinutes = [](const QString &time, int minutes) {
        return QTime::fromString(time, QStringLiteral("HH:mm")).addSecs(minutes * 60).toString(QStringLiteral("HH:mm"));
    };
    QStringList serialStations;
    for (const QString &c : log.calls)
        if (sendsSerial(c) && heard(c, 10) >= 0)
            serialStations << c;
    // a serial far below the station's earlier ones
    {
        const int i = heard(serialStations[0], 10);
        log.records[i].nr1 = QStringLiteral("%1").arg(log.records[i].nr1.toInt() / 3, 3, 10, QLatin1Char('0'));
        planted.append({logcheck::Kind::Serial, log.records[i].id});
    }
    // a serial with a digit misheard, far above its neighbours
    {
        const int i = heard(serialStations[1], 6);
        log.records[i].nr1 = QString::number(log.records[i].nr1.toInt() + 500);
        planted.append({logcheck::Kind::Serial, log.records[i].id});
    }
    qint64 nextId = log.records.last().id;
    // the same pair again two minutes later (two stations that send zones and regions)
    for (int i = 50; i < log.records.size(); ++i) {
        const QsoRecord &r = log.records[i];
        if (sendsSerial(r.call1) || sendsSerial(r.call2))
            continue;
        QsoRecord again = r;
        again.id = ++nextId;
        again.time = addMinutes(r.time, 2);
        log.records.append(again);
        planted.append({logcheck::Kind::PairTooSoon, again.id});
        planted.append({logcheck::Kind::Repeat, r.id});
        planted.append({logcheck::Kind::Repeat, again.id});
        break;
    }
    // a busted call
    {
        QsoRecord &r = log.records[120];
        QChar &last = r.call2[r.call2.size() - 1];
        last = last == QLatin1Char('Z') ? QLatin1Char('Y') : QChar(last.unicode() + 1);
        if (log.calls.contains(r.call2))
            r.call2[r.call2.size() - 2] = QLatin1Char('9');
        planted.append({logcheck::Kind::BustedCall, r.id});
    }
    // a worked station without its number
    {
        QsoRecord &r = log.records[140];
        r.nr2.clear();
        r.rst2.clear();
        planted.append({logcheck::Kind::Incomplete, r.id});
    }
    // a heard station again in the same tour, band and mode, a quarter of an hour later
    for (int i = 200; i < log.records.size(); ++i) {
        const QsoRecord &r = log.records[i];
        if (sendsSerial(r.call1))
            continue;
        QsoRecord again = r;
        again.id = ++nextId;
        again.time = addMinutes(r.time, 15);
        for (int s = 0; s < log.calls.size(); s += 5)
            if (log.calls[s] != r.call1 && log.calls[s] != r.call2) {
                again.call2 = log.calls[s];
                again.nr2 = QString::number(14 + s % 10);
                break;
            }
        log.records.append(again);
        planted.append({logcheck::Kind::Repeat, r.id});
        planted.append({logcheck::Kind::Repeat, again.id});
        break;
    }
    return planted;
}

} // namespace vireo::test
