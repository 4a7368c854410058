// The statistics core over logs made here: the table's cells and totals against a count of the
// records, the rates against a count of their moments, records with a bad date or time, the
// plot's bins and stacks, following each kind of change of a real log, and the text export.

#include "analysis/contest_stats.h"
#include "analysis/ui/stats_export.h"
#include "analysis/ui/stats_plot.h"
#include "base/cp1251.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "support/qso_builder.h"
#include "support/temp_log.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace vireo;

namespace {

QsoRecord rec(const QString &band, const QString &tour, const QString &date, const QString &time,
              const QString &nr2 = QString())
{
    return test::Qso::plain()
        .at(date, time)
        .call1(QStringLiteral("UA3AAA"))
        .nr1(QStringLiteral("1"))
        .nr2(nr2)
        .band(band)
        .tur(tour)
        .radio(QStringLiteral("1"));
}

QDateTime utc(int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute, second), Qt::UTC);
}

// A log of n records over about six hours on two days, four bands and three tours, about a
// third with the worked station's number, and every 25th with a broken date or time.
QVector<QsoRecord> randomLog(int n, quint32 seed)
{
    QRandomGenerator g(seed);
    static const char *const Bands[] = {"80M", "40M", "20M", "15M"};
    static const char *const Bad[][2] = {
        {"31.02.2026", "12:00"}, {"05.03.2026", "24:00"}, {"", ""}, {"5.3.2026", "7:04"}};
    QVector<QsoRecord> log;
    for (int i = 0; i < n; ++i) {
        const QDateTime t = utc(5, 20, 0).addSecs(60 * g.bounded(6 * 60));
        QsoRecord r = rec(QString::fromLatin1(Bands[g.bounded(4)]), QString::number(1 + g.bounded(3)),
                          t.toString(QStringLiteral("dd.MM.yyyy")), t.toString(QStringLiteral("HH:mm")),
                          g.bounded(3) == 0 ? QStringLiteral("15") : QString());
        if (i % 25 == 24) {
            r.data = QString::fromLatin1(Bad[i % 4][0]);
            r.time = QString::fromLatin1(Bad[i % 4][1]);
        }
        r.call1 = QStringLiteral("R%1AA").arg(i);
        log.append(r);
    }
    return log;
}

std::optional<QDateTime> momentOf(const QsoRecord &r)
{
    const QDate d = QDate::fromString(r.data, QStringLiteral("dd.MM.yyyy"));
    const QTime t = QTime::fromString(r.time, QStringLiteral("HH:mm"));
    if (!d.isValid() || !t.isValid())
        return std::nullopt;
    return QDateTime(d, t, Qt::UTC);
}

// Everything the statistics show, for comparing two of them.
QString snapshot(const ContestStats &s)
{
    QStringList out = statstext::tableLines(s);
    for (const auto &[band, bins] : s.bins())
        for (const auto &[bin, n] : bins)
            out << QStringLiteral("%1 %2 %3").arg(band).arg(bin).arg(n);
    for (const QString &tour : s.tours())
        for (const auto &[band, bins] : s.bins(tour))
            for (const auto &[bin, n] : bins)
                out << QStringLiteral("tour %1 %2 %3 %4").arg(tour, band).arg(bin).arg(n);
    const StatsRates r = s.rates(utc(6, 2, 0));
    out << QStringLiteral("rates %1 %2 %3 %4 timed %5")
               .arg(r.lastTenMinutes)
               .arg(r.lastSixtyMinutes)
               .arg(r.lastTenQsos.value_or(-1))
               .arg(r.lastHundredQsos.value_or(-1))
               .arg(s.timedCount());
    return out.join(QLatin1Char('\n'));
}

} // namespace

class StatsTest : public QObject {
    Q_OBJECT
private slots:
    void tableCellsAndTotals()
    {
        const QVector<QsoRecord> log =
            randomLog(400, 17)
            + QVector<QsoRecord>{rec(QStringLiteral("160M"), QStringLiteral("10"), "05.03.2026", "21:00", "1"),
                                 rec(QStringLiteral("XX"), QStringLiteral("2"), "05.03.2026", "21:00"),
                                 rec(QString(), QStringLiteral("A"), "05.03.2026", "21:00", " ")};
        ContestStats s;
        for (const QsoRecord &r : log)
            s.add(r);

        // Rows in band-plan order, unknown bands after, the empty band last; tours by number.
        QCOMPARE(s.bands(), (QStringList{"160M", "80M", "40M", "20M", "15M", "XX", ""}));
        QCOMPARE(s.tours(), (QStringList{"1", "2", "3", "10", "A"}));

        int allQso = 0, allPoints = 0;
        for (const QString &band : s.bands()) {
            for (const QString &tour : s.tours()) {
                int qso = 0, points = 0;
                for (const QsoRecord &r : log)
                    if (r.band == band && r.tur == tour) {
                        ++qso;
                        points += r.nr2.isEmpty() ? 1 : 3;
                    }
                QCOMPARE(s.cell(band, tour), (StatsCell{qso, points}));
                allQso += qso;
                allPoints += points;
            }
            int rowQso = 0, rowPoints = 0;
            for (const QString &tour : s.tours()) {
                rowQso += s.cell(band, tour).qso;
                rowPoints += s.cell(band, tour).points;
            }
            QCOMPARE(s.bandTotal(band), (StatsCell{rowQso, rowPoints}));
        }
        for (const QString &tour : s.tours()) {
            int columnQso = 0;
            for (const QString &band : s.bands())
                columnQso += s.cell(band, tour).qso;
            QCOMPARE(s.tourTotal(tour).qso, columnQso);
        }
        // The grand total is what the status bar counts: records, and records + 2 x with nr2.
        const int withNr2 =
            int(std::count_if(log.begin(), log.end(), [](const QsoRecord &r) { return !r.nr2.isEmpty(); }));
        QCOMPARE(s.total(), (StatsCell{int(log.size()), int(log.size()) + 2 * withNr2}));
        QCOMPARE(s.total(), (StatsCell{allQso, allPoints}));
        QCOMPARE(s.cell(QStringLiteral("20M"), QStringLiteral("7")), StatsCell{});
    }

    void ratesAgainstACountOfMoments()
    {
        const QVector<QsoRecord> log = randomLog(600, 5);
        ContestStats s;
        for (const QsoRecord &r : log)
            s.add(r);
        std::vector<QDateTime> moments;
        for (const QsoRecord &r : log)
            if (const auto t = momentOf(r))
                moments.push_back(*t);
        std::sort(moments.begin(), moments.end());
        QCOMPARE(s.timedCount(), int(moments.size()));
        QCOMPARE(s.badTimeCount(), int(log.size() - moments.size()));

        for (const QDateTime &now : {utc(5, 19, 59, 30), utc(5, 20, 0, 59), utc(5, 21, 17, 5), utc(5, 23, 59, 59),
                                     utc(6, 0, 0), utc(6, 1, 55, 40), utc(6, 12, 0)}) {
            // Stamped to the minute: a record of 12:00 falls in the last ten minutes until 12:09:59.
            const QDateTime minute(now.date(), QTime(now.time().hour(), now.time().minute()), Qt::UTC);
            int ten = 0, sixty = 0;
            std::vector<QDateTime> upToNow;
            for (const QDateTime &t : moments) {
                if (t > minute)
                    continue;
                upToNow.push_back(t);
                ten += t.secsTo(minute) < 10 * 60;
                sixty += t.secsTo(minute) < 60 * 60;
            }
            auto expected = [&upToNow](int n) -> std::optional<int> {
                if (int(upToNow.size()) < n)
                    return std::nullopt;
                const qint64 minutes = upToNow[upToNow.size() - n].secsTo(upToNow.back()) / 60 + 1;
                return int(std::lround(n * 60.0 / double(minutes)));
            };
            const StatsRates r = s.rates(now);
            const QByteArray at = now.toString(Qt::ISODate).toLatin1();
            QVERIFY2(r.lastTenMinutes == ten, at);
            QVERIFY2(r.lastSixtyMinutes == sixty, at);
            QVERIFY2(r.lastTenQsos == expected(10), at);
            QVERIFY2(r.lastHundredQsos == expected(100), at);
        }
        QVERIFY(s.rates(utc(5, 19, 0)).lastTenQsos == std::nullopt); // before the log: nothing yet
        QVERIFY(s.rates(utc(5, 23, 0)).lastHundredQsos.has_value());
    }

    void ratesByHand()
    {
        ContestStats s;
        for (int i = 0; i < 9; ++i)
            s.add(rec(QStringLiteral("20M"), QStringLiteral("1"), "05.03.2026", "07:04"));
        QVERIFY(!s.rates(utc(5, 7, 4)).lastTenQsos); // nine records are not ten
        s.add(rec(QStringLiteral("20M"), QStringLiteral("1"), "05.03.2026", "07:04"));
        QCOMPARE(s.rates(utc(5, 7, 4, 59)).lastTenQsos, std::optional<int>(600)); // ten in one minute
        QCOMPARE(s.rates(utc(5, 7, 13, 59)).lastTenMinutes, 10);
        QCOMPARE(s.rates(utc(5, 7, 14)).lastTenMinutes, 0);
        QCOMPARE(s.rates(utc(5, 7, 14)).lastSixtyMinutes, 10);
        // Ten more, one every six minutes from 07:10: the last ten span 07:10 to 08:04, 55 minutes.
        for (int i = 0; i < 10; ++i)
            s.add(rec(QStringLiteral("40M"), QStringLiteral("1"), "05.03.2026",
                      QTime(7, 10).addSecs(i * 360).toString(QStringLiteral("HH:mm"))));
        QCOMPARE(s.rates(utc(5, 9, 0)).lastTenQsos, std::optional<int>(11)); // 10 * 60 / 55 = 10.9
        // A record stamped after now (a wrong manual entry) does not count yet.
        s.add(rec(QStringLiteral("40M"), QStringLiteral("1"), "05.03.2026", "08:59"));
        QCOMPARE(s.rates(utc(5, 8, 58)).lastTenMinutes, 0);
        QCOMPARE(s.rates(utc(5, 8, 58)).lastTenQsos, std::optional<int>(11));
        QCOMPARE(s.rates(utc(5, 8, 59)).lastTenMinutes, 1);
    }

    void badDatesAndTimes()
    {
        ContestStats s;
        const QVector<QsoRecord> bad{rec("20M", "1", "31.02.2026", "12:00"), rec("20M", "1", "05.03.2026", "24:00"),
                                     rec("20M", "2", "", "", "7"),           rec("40M", "1", "05.03.2026", "  :  "),
                                     rec("40M", "1", "5.3.2026", "12:00"),   rec("40M", "1", "05.03.2026", "12:0")};
        for (const QsoRecord &r : bad)
            s.add(r);
        s.add(rec("20M", "1", " 05.03.2026", "12:00 ")); // blanks around are allowed
        QCOMPARE(s.badTimeCount(), 6);
        QCOMPARE(s.timedCount(), 1);
        QCOMPARE(s.total(), (StatsCell{7, 9}));
        QCOMPARE(s.cell("20M", "2"), (StatsCell{1, 3}));
        int binned = 0;
        for (const auto &[band, bins] : s.bins())
            for (const auto &[bin, n] : bins)
                binned += n;
        QCOMPARE(binned, 1);
        QCOMPARE(s.rates(utc(5, 12, 5)).lastTenMinutes, 1);
        for (const QsoRecord &r : bad)
            s.remove(r);
        QCOMPARE(s.badTimeCount(), 0);
        QCOMPARE(s.total(), (StatsCell{1, 1}));
        QVERIFY(statstext::badTimeText(6).startsWith(QStringLiteral("Записей с неверной датой или временем: 6")));
    }

    void binsAndStacks()
    {
        ContestStats s;
        for (const char *t : {"07:00", "07:04", "07:09", "07:10", "07:40"})
            s.add(rec("20M", "1", "05.03.2026", t));
        for (const char *t : {"07:05", "07:12"})
            s.add(rec("80M", "2", "05.03.2026", t));
        const qint64 first = utc(5, 7, 0).toSecsSinceEpoch() / 600;
        QCOMPARE(ContestStats::binStart(first), utc(5, 7, 0));
        const ContestStats::BandBins all = s.bins();
        QCOMPARE(all.at("20M"), (ContestStats::Bins{{first, 3}, {first + 1, 1}, {first + 4, 1}}));
        QCOMPARE(all.at("80M"), (ContestStats::Bins{{first, 1}, {first + 1, 1}}));
        QCOMPARE(s.bins(QStringLiteral("2")).count("20M"), size_t(0));

        // 80M below 20M (band-plan order); the top outline is the sum of both, with zeros in the gap.
        const statsplot::Plot plot = statsplot::stack(all, s.bands());
        QCOMPARE(plot.originMinute, utc(5, 7, 0).toSecsSinceEpoch() / 60);
        QCOMPARE(plot.spanMinutes, qint64(50));
        QCOMPARE(plot.peak, 4);
        QCOMPARE(int(plot.outlines.size()), 2);
        QCOMPARE(plot.outlines[0].band, QStringLiteral("80M"));
        const QList<QPointF> top = plot.outlines[1].upper;
        const QList<QPointF> expected{{0, 0},  {0, 4},  {10, 4}, {10, 2}, {20, 2},
                                      {20, 0}, {40, 0}, {40, 1}, {50, 1}, {50, 0}};
        QCOMPARE(top, expected);
        QVERIFY(statsplot::stack({}, {}).outlines.empty());
    }

    void followsEveryKindOfChange()
    {
        test::TempLog log(QStringLiteral("stats-test"));
        QsoStore &store = *log.store;
        store.append(randomLog(300, 3));
        ContestStats kept;
        kept.load(store);
        int resets = 0;
        QObject::connect(&store, &QsoStore::logChanged, [&](const LogChange &c) {
            if (!kept.apply(c)) {
                ++resets;
                kept.load(store);
            }
        });
        auto fresh = [&store] {
            ContestStats s;
            s.load(store);
            return snapshot(s);
        };
        QCOMPARE(snapshot(kept), fresh());

        const QVector<qint64> ids = store.append(randomLog(30, 4));
        store.append(rec("10M", "3", "06.03.2026", "01:59", "2"));
        QCOMPARE(snapshot(kept), fresh());

        QsoRecord r = store.byId(ids[3]);
        r.band = QStringLiteral("160M");
        r.tur = QStringLiteral("9");
        r.nr2 = r.nr2.isEmpty() ? QStringLiteral("1") : QString();
        store.update(r);
        r.time = QStringLiteral("99:99"); // edited to a time that does not parse
        store.update(r);
        QCOMPARE(snapshot(kept), fresh());

        store.remove(ids[0]);
        store.remove(ids[3]);
        QCOMPARE(snapshot(kept), fresh());

        const QVector<QsoRecord> more = randomLog(40, 9);
        int next = 0;
        store.import(false, [&](QsoRecord &out) {
            if (next == more.size())
                return false;
            out = more[next++];
            return true;
        });
        QCOMPARE(resets, 1);
        QCOMPARE(snapshot(kept), fresh());
        QCOMPARE(kept.total().qso, store.count());

        store.clear();
        QCOMPARE(resets, 2);
        QCOMPARE(kept.total(), StatsCell{});
        QVERIFY(kept.bands().isEmpty());
        QVERIFY(kept.bins().empty());
    }

    void readingTheLogEqualsAddingItsRecords()
    {
        test::TempLog log(QStringLiteral("stats-test"));
        QVector<QsoRecord> records = randomLog(500, 11);
        records.append(rec(QStringLiteral("Ю2М"), QStringLiteral("тур"), "05.03.2026", "21:00", " "));
        records.append(rec(QString(), QString(), QString(), QString()));
        log.store->append(records);
        ContestStats added, loaded;
        for (const QsoRecord &r : records)
            added.add(r);
        loaded.load(*log.store);
        QCOMPARE(snapshot(loaded), snapshot(added));
        QCOMPARE(loaded.total().qso, 502);
        QCOMPARE(loaded.cell(QStringLiteral("Ю2М"), QStringLiteral("тур")), (StatsCell{1, 3}));
    }

    void textExport()
    {
        ContestStats s;
        s.add(rec("20M", "1", "05.03.2026", "07:00", "5"));
        s.add(rec("20M", "2", "05.03.2026", "09:00"));
        s.add(rec("80M", "2", "05.03.2026", "09:01"));
        s.add(rec("80M", "2", "", ""));
        const QStringList lines = statstext::tableLines(s);
        const QStringList expected{
            QStringLiteral("Статистика журнала: QSO / очки"),
            QString(),
            QStringLiteral("Диапазон  Тур 1  Тур 2  Всего"),
            QStringLiteral("80M       0 / 0  2 / 2  2 / 2"), // band-plan order
            QStringLiteral("20M       1 / 3  1 / 1  2 / 4"),
            QStringLiteral("Всего     1 / 3  3 / 3  4 / 6"),
            QString(),
            statstext::badTimeText(1),
        };
        QCOMPARE(lines, expected);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stats.txt"));
        QCOMPARE(statsexport::writeTable(path, s), WriteResult::Ok);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes, cp1251::encode(expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        QCOMPARE(statsexport::writeTable(dir.filePath(QStringLiteral("no/such/dir/stats.txt")), s),
                 WriteResult::OpenFailed);

        // The picture is written whole or not at all.
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QCOMPARE(statsexport::writePng(dir.filePath(QStringLiteral("plot.png")), image), WriteResult::Ok);
        QCOMPARE(QImage(dir.filePath(QStringLiteral("plot.png"))).size(), QSize(40, 20));
        QCOMPARE(statsexport::writePng(dir.filePath(QStringLiteral("none.png")), QImage()), WriteResult::WriteFailed);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none.png"))));
        QCOMPARE(statsexport::writePng(dir.filePath(QStringLiteral("no/such/dir/p.png")), image),
                 WriteResult::OpenFailed);
    }
};

QTEST_MAIN(StatsTest)
#include "tst_stats.moc"
