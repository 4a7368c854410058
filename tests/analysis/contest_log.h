#pragma once
// A clean contest log made up for the log check's tests, benchmark and screenshot: stations
// that work each other in time order, every station's serial rising by one with each QSO it is
// heard in, each heard station once per tour, band and mode, and some stations that send a zone
// or a region instead of a serial. Nothing in it is an error.

#include "db/qso_record.h"

#include <QDateTime>
#include <QSet>
#include <QStringList>
#include <QVector>

namespace vireo::test {

struct ContestLog {
    QStringList calls;          // every station of the log
    QVector<QsoRecord> records; // in time order; id = place + 1
};

// The i-th station's call: prefixes of several countries, suffixes of three letters.
inline QString stationCall(int i)
{
    static const char *const Prefixes[] = {"UA3", "RA9", "DL1", "G4", "JA1", "K1", "UR5", "SP9", "OK1", "RW6", "EW8", "LY2"};
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
        QsoRecord r;
        r.id = i + 1;
        r.freq = QString::fromLatin1(Freqs[band]);
        r.band = QString::fromLatin1(Bands[band]);
        r.mode = QStringLiteral("CW");
        r.data = at.toString(QStringLiteral("dd.MM.yyyy"));
        r.time = at.toString(QStringLiteral("HH:mm"));
        r.call1 = log.calls[a];
        r.rst1 = QStringLiteral("599");
        r.nr1 = exchange(a);
        r.call2 = log.calls[b];
        r.rst2 = QStringLiteral("599");
        r.nr2 = exchange(b);
        r.tur = QString::number(tour + 1);
        r.radio = QStringLiteral("1");
        log.records.append(r);
    }
    return log;
}

} // namespace vireo::test
