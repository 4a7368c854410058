// The band map over a log made by the test: its entries, ages and fading, the repeat state of
// each station, marks kept in the log file and replaced by a QSO, the rows of another program,
// and that it follows the log change by change, not by reading the band again.

#include "band_map_records.h"

#include "bandmap/band_map.h"
#include "db/band_map_store.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "db/schema.h"
#include "db/sql.h"
#include "db/statement_trace.h"
#include "support/scripted_services.h"
#include "support/temp_log.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

using namespace vireo;
using bandmap::Entry;
using bandmap::Repeat;
using test::heardAt;

namespace {

const bandmap::Context Twenty{QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("0")};

// A log of the test's own, and the clock its map reads (05.03.2026 07:04:09 UTC).
struct Log : test::TempLog {
    test::FixedClock clock;
    void later(int minutes) { clock.now = clock.now.addSecs(minutes * 60); }
};

QStringList calls(const BandMap &map)
{
    QStringList out;
    for (const Entry &e : map.entries())
        out << e.call;
    return out;
}

// Statements of the recorder that read the band's records or marks as a whole.
int bandReads(const StatementRecorder &r)
{
    int n = 0;
    for (const QString &s : r.statements())
        n += s.contains(QLatin1String("data IN"))
             || (s.contains(QLatin1String("FROM band_mark")) && !s.contains(QLatin1String("call =")));
    return n;
}

} // namespace

class TestBandMap : public QObject {
    Q_OBJECT
private slots:
    // Who was heard where: one entry per station of the band, mode and tour, at its last
    // frequency, with its correspondents there and its age; aged stations fade and go.
    void entriesAgesAndFading()
    {
        Log log;
        log.store->append({
            heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("06:20"))
                .call2(QStringLiteral("RW1A")),
            heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("06:45"))
                .call2(QStringLiteral("RA9B")),
            heardAt(QStringLiteral("DL1XX"), QStringLiteral("14 012"), QStringLiteral("07:01"))
                .call2(QStringLiteral("UA3ABC")),
            heardAt(QStringLiteral("G4AAA"), QStringLiteral("14060"), QStringLiteral("06:30")),
            // other band, mode, tour and day: not on this map
            heardAt(QStringLiteral("OK1AA"), QStringLiteral("7012"), QStringLiteral("07:00"))
                .band(QStringLiteral("40M")),
            heardAt(QStringLiteral("OK1BB"), QStringLiteral("14200"), QStringLiteral("07:00"))
                .mode(QStringLiteral("PH")),
            heardAt(QStringLiteral("OK1CC"), QStringLiteral("14030"), QStringLiteral("07:00")).tur(QStringLiteral("1")),
            heardAt(QStringLiteral("OK1DD"), QStringLiteral("14030"), QStringLiteral("07:00"))
                .data(QStringLiteral("04.03.2026")),
            // an hour and more ago
            heardAt(QStringLiteral("SP9ZZ"), QStringLiteral("14040"), QStringLiteral("06:04")),
        });
        BandMap map(*log.store, log.clock);
        map.setContext(Twenty);
        QVERIFY(map.entries().empty()); // closed: nothing read
        QSignalSpy changed(&map, &BandMap::changed);
        map.setActive(true);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(calls(map), (QStringList{QStringLiteral("DL1XX"), QStringLiteral("UA3ABC"), QStringLiteral("G4AAA")}));

        const Entry *ua = map.entryOf(QStringLiteral("UA3ABC"));
        QCOMPARE(ua->khz, qint64(14025));
        QCOMPARE(ua->correspondents, (QStringList{QStringLiteral("RW1A"), QStringLiteral("RA9B")}));
        QCOMPARE(map.ageTextOf(*ua), QStringLiteral("19 мин"));
        QCOMPARE(ua->repeat, Repeat::Heard);
        QVERIFY(!ua->marked);
        const Entry *dl = map.entryOf(QStringLiteral("DL1XX"));
        QCOMPARE(dl->khz, qint64(14012));
        QCOMPARE(dl->freq, QStringLiteral("14012"));
        QCOMPARE(map.ageTextOf(*dl), QStringLiteral("3 мин"));
        QCOMPARE(map.fadeOf(*dl), 1.0);
        // G4AAA heard 34 minutes ago is fading already, UA3ABC at 19 minutes is not.
        QVERIFY(map.fadeOf(*map.entryOf(QStringLiteral("G4AAA"))) < 1.0);
        QCOMPARE(map.fadeOf(*ua), 1.0);

        // Half an hour later: G4AAA has gone, the others are older and fainter.
        changed.clear();
        log.later(30);
        map.tick();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(calls(map), (QStringList{QStringLiteral("DL1XX"), QStringLiteral("UA3ABC")}));
        QCOMPARE(map.ageTextOf(*map.entryOf(QStringLiteral("UA3ABC"))), QStringLiteral("49 мин"));
        QVERIFY(map.fadeOf(*map.entryOf(QStringLiteral("UA3ABC"))) < 1.0);
        // Within the same minute nothing moves, and nothing is said.
        changed.clear();
        log.clock.now = log.clock.now.addSecs(20);
        map.tick();
        QCOMPARE(changed.count(), 0);

        // A longer time brings the older stations back (SP9ZZ at 06:04 is 90 minutes old).
        map.setMaxAgeMinutes(120);
        QCOMPARE(calls(map), (QStringList{QStringLiteral("DL1XX"), QStringLiteral("UA3ABC"), QStringLiteral("SP9ZZ"),
                                          QStringLiteral("G4AAA")}));
        // The next station above or below a frequency.
        QCOMPARE(map.nextAbove(14025)->call, QStringLiteral("SP9ZZ"));
        QCOMPARE(map.nextBelow(14025)->call, QStringLiteral("DL1XX"));
        QVERIFY(!map.nextBelow(14012));

        // Another band, mode or tour is another map.
        map.setContext({QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("1")});
        QCOMPARE(calls(map), QStringList{QStringLiteral("OK1CC")});
        map.setContext({QStringLiteral("20M"), QStringLiteral("PH"), QStringLiteral("0")});
        QCOMPARE(calls(map), QStringList{QStringLiteral("OK1BB")});
        map.setContext({QString(), QStringLiteral("CW"), QStringLiteral("0")});
        QVERIFY(map.entries().empty());

        // Closed, it holds nothing.
        map.setContext(Twenty);
        map.setActive(false);
        QVERIFY(map.entries().empty());
    }

    // Saves, edits and deletions move the map one station at a time: the band is not read again.
    void followsTheLogStationByStation()
    {
        Log log;
        log.store->append(heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("06:40"))
                              .call2(QStringLiteral("RW1A")));
        BandMap map(*log.store, log.clock);
        map.setContext(Twenty);
        map.setActive(true);
        StatementRecorder trace(log.db->connection());
        QVERIFY(trace.active());

        // A new QSO with the station elsewhere moves it; its correspondents there are the new ones.
        const qint64 second =
            log.store->append(heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14031"), QStringLiteral("07:02"))
                                  .call2(QStringLiteral("DL1X")));
        const Entry *ua = map.entryOf(QStringLiteral("UA3ABC"));
        QCOMPARE(ua->khz, qint64(14031));
        QCOMPARE(ua->correspondents, QStringList{QStringLiteral("DL1X")});
        // A new station appears.
        const qint64 g4 =
            log.store->append(heardAt(QStringLiteral("G4AAA"), QStringLiteral("14050"), QStringLiteral("07:03")));
        QCOMPARE(calls(map), (QStringList{QStringLiteral("UA3ABC"), QStringLiteral("G4AAA")}));
        QCOMPARE(bandReads(trace), 0);

        // A QSO of another band reads nothing at all for the map.
        trace.clear();
        log.store->append(heardAt(QStringLiteral("OK1AA"), QStringLiteral("7012"), QStringLiteral("07:03"))
                              .band(QStringLiteral("40M")));
        for (const QString &s : trace.statements())
            QVERIFY2(!s.startsWith(QLatin1String("SELECT")), qPrintable(s));

        // An edit moves a station, one to another band takes it off; a deletion too, and the
        // station goes back to its earlier frequency.
        QsoRecord edited = log.store->byId(g4);
        edited.freq = QStringLiteral("14055");
        log.store->update(edited);
        QCOMPARE(map.entryOf(QStringLiteral("G4AAA"))->khz, qint64(14055));
        edited.band = QStringLiteral("40M");
        edited.freq = QStringLiteral("7055");
        log.store->update(edited);
        QVERIFY(!map.entryOf(QStringLiteral("G4AAA")));
        log.store->remove(second);
        QCOMPARE(map.entryOf(QStringLiteral("UA3ABC"))->khz, qint64(14025));
        QCOMPARE(map.entryOf(QStringLiteral("UA3ABC"))->correspondents, QStringList{QStringLiteral("RW1A")});
        QCOMPARE(bandReads(trace), 0);

        // A change of the whole log reads the band anew.
        log.store->clear();
        QVERIFY(map.entries().empty());
        QVERIFY(bandReads(trace) > 0);

        // Closed, a save runs no statement of the map.
        map.setActive(false);
        trace.clear();
        log.store->append(heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("07:04")));
        for (const QString &s : trace.statements())
            QVERIFY2(!s.startsWith(QLatin1String("SELECT")), qPrintable(s));
        QVERIFY(map.entries().empty());
    }

    // Marks: kept in the log file, shown until they age out, replaced by a later QSO.
    void marksKeptAndReplacedByAQso()
    {
        Log log;
        BandMap map(*log.store, log.clock);
        map.setContext(Twenty);
        map.setActive(true);

        // What cannot be marked, and why.
        QCOMPARE(map.mark(QString(), QStringLiteral("14025")).errorText(),
                 QStringLiteral("Нечего отмечать: наберите позывной услышанной станции, затем Ctrl+M."));
        QCOMPARE(map.mark(QStringLiteral("UA3ABC"), QStringLiteral(" R1 OFF")).errorText(),
                 QStringLiteral("Частота «R1 OFF» не число: UA3ABC не отмечен."));
        QCOMPARE(map.mark(QStringLiteral("UA3ABC"), QStringLiteral("7025")).errorText(),
                 QStringLiteral("Частота 7 025 кГц относится к диапазону 40M, а не 20M: UA3ABC не отмечен."));
        QVERIFY(map.entries().empty());

        const Result<QString> done = map.mark(QStringLiteral("UA3ABC "), QStringLiteral("14 027"));
        QVERIFY(done.ok());
        QCOMPARE(*done, QStringLiteral("UA3ABC отмечен на карте: 14 027 кГц, 20M."));
        const Entry *ua = map.entryOf(QStringLiteral("UA3ABC"));
        QVERIFY(ua && ua->marked);
        QCOMPARE(ua->khz, qint64(14027));
        QCOMPARE(ua->repeat, Repeat::None);
        QCOMPARE(map.ageTextOf(*ua), QStringLiteral("0 мин"));

        // In the file itself, as another program reads it, and on a map made anew.
        {
            Database other(log.path, QStringLiteral("other"));
            QSqlQuery q =
                sql::run(other.connection(), QStringLiteral("SELECT call, freq, band, mode, tur, at FROM band_mark"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("UA3ABC"));
            QCOMPARE(q.value(1).toString(), QStringLiteral("14027"));
            QCOMPARE(q.value(2).toString(), QStringLiteral("20M"));
            QCOMPARE(q.value(3).toString(), QStringLiteral("CW"));
            QCOMPARE(q.value(4).toString(), QStringLiteral("0"));
            QCOMPARE(q.value(5).toString(), QStringLiteral("2026-03-05T07:04:09"));
            QVERIFY(!q.next());
        }
        {
            BandMap again(*log.store, log.clock);
            again.setContext(Twenty);
            again.setActive(true);
            QVERIFY(again.entryOf(QStringLiteral("UA3ABC")) && again.entryOf(QStringLiteral("UA3ABC"))->marked);
        }

        // Logged as someone's correspondent, the marked station would be a worked repeat now.
        log.later(2);
        log.store->append(heardAt(QStringLiteral("DL1XX"), QStringLiteral("14012"), QStringLiteral("07:06"))
                              .call2(QStringLiteral("UA3ABC")));
        QCOMPARE(map.entryOf(QStringLiteral("UA3ABC"))->repeat, Repeat::Worked);
        QVERIFY(map.entryOf(QStringLiteral("UA3ABC"))->marked);

        // A QSO with it, in the minute of the mark or later, replaces the mark.
        const qint64 logged =
            log.store->append(heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14027"), QStringLiteral("07:06"))
                                  .call2(QStringLiteral("RW1A")));
        ua = map.entryOf(QStringLiteral("UA3ABC"));
        QVERIFY(!ua->marked);
        QCOMPARE(ua->repeat, Repeat::Heard);
        QCOMPARE(ua->correspondents, QStringList{QStringLiteral("RW1A")});
        QCOMPARE(int(map.entries().size()), 2);
        // Taken out again (as an undo does), the mark is back: nothing was lost.
        log.store->remove(logged);
        QVERIFY(map.entryOf(QStringLiteral("UA3ABC"))->marked);

        // Marked again later on another frequency: the mark moves the station.
        log.store->append(heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14027"), QStringLiteral("07:06")));
        log.later(3);
        QVERIFY(map.mark(QStringLiteral("UA3ABC"), QStringLiteral("14033")).ok());
        ua = map.entryOf(QStringLiteral("UA3ABC"));
        QVERIFY(ua->marked);
        QCOMPARE(ua->khz, qint64(14033));
        QCOMPARE(ua->repeat, Repeat::Heard); // logged in this tour already

        // Marks age out as QSOs do: off the map at once, and back with a longer time.
        log.later(61);
        map.tick();
        QVERIFY(map.entries().empty());
        map.setMaxAgeMinutes(120);
        QVERIFY(map.entryOf(QStringLiteral("UA3ABC")) && map.entryOf(QStringLiteral("UA3ABC"))->marked);
        QCOMPARE(map.entryOf(QStringLiteral("UA3ABC"))->khz, qint64(14033));
        map.setMaxAgeMinutes(60);
        QVERIFY(map.entries().empty());
        // Nor does a mark made then take them out of the file: only the longest time the
        // listener may set does.
        QVERIFY(map.mark(QStringLiteral("G4AAA"), QStringLiteral("14060")).ok());
        auto marksInFile = [&log] {
            QStringList out;
            QSqlQuery q = sql::run(log.db->connection(), QStringLiteral("SELECT call FROM band_mark ORDER BY id"));
            while (q.next())
                out << q.value(0).toString();
            return out;
        };
        QCOMPARE(marksInFile(),
                 (QStringList{QStringLiteral("UA3ABC"), QStringLiteral("UA3ABC"), QStringLiteral("G4AAA")}));

        // Marking works with the map closed too, and shows once it opens.
        map.setActive(false);
        QVERIFY(map.mark(QStringLiteral("SP9ZZ"), QStringLiteral("14070")).ok());
        map.setActive(true);
        QCOMPARE(calls(map), (QStringList{QStringLiteral("G4AAA"), QStringLiteral("SP9ZZ")}));

        // Past the longest time a mark would show, the next mark takes the old ones away.
        log.later(bandmap::MaxMaxAgeMinutes + 1);
        QVERIFY(map.mark(QStringLiteral("RA9B"), QStringLiteral("14044")).ok());
        QCOMPARE(marksInFile(), QStringList{QStringLiteral("RA9B")});

        // Without a band there is nothing to put it on.
        map.setContext({QString(), QStringLiteral("CW"), QStringLiteral("0")});
        QCOMPARE(map.mark(QStringLiteral("UA3ABC"), QStringLiteral("14025")).errorText(),
                 QStringLiteral("Диапазон не выбран: UA3ABC не отмечен."));
    }

    // Another program writing the same file: its QSOs and marks show at the next tick, with no
    // write of this program in between.
    void anotherProgramsRows()
    {
        Log log;
        log.store->append(heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("07:00")));
        BandMap map(*log.store, log.clock);
        map.setContext(Twenty);
        map.setActive(true);
        QList<LogChange::Kind> told;
        QObject::connect(log.store.get(), &QsoStore::logChanged, [&told](const LogChange &c) { told << c.kind; });

        // Nobody else wrote: a tick reads nothing but the file's change counter.
        StatementRecorder trace(log.db->connection());
        map.tick();
        QCOMPARE(trace.statements(), QStringList{QStringLiteral("PRAGMA data_version")});
        QVERIFY(told.isEmpty());

        {
            Database other(log.path, QStringLiteral("other"));
            QsoStore second(other.connection());
            second.append(heardAt(QStringLiteral("DL1XX"), QStringLiteral("14012"), QStringLiteral("07:03"))
                              .call2(QStringLiteral("UA3ABC")));
            QsoRecord moved = second.byId(1);
            moved.freq = QStringLiteral("14044");
            moved.time = QStringLiteral("07:02");
            second.update(moved);
            BandMark m;
            m.call = QStringLiteral("G4AAA");
            m.freq = QStringLiteral("14060");
            m.band = QStringLiteral("20M");
            m.mode = QStringLiteral("CW");
            m.tur = QStringLiteral("0");
            m.at = log.clock.now;
            BandMapStore(other.connection()).addMark(m, log.clock.now.addSecs(-3600));
        }
        map.tick();
        QCOMPARE(told, QList<LogChange::Kind>{LogChange::Reset}); // every follower of the log hears of it
        QCOMPARE(calls(map), (QStringList{QStringLiteral("DL1XX"), QStringLiteral("UA3ABC"), QStringLiteral("G4AAA")}));
        QCOMPARE(map.entryOf(QStringLiteral("UA3ABC"))->khz, qint64(14044));
        QVERIFY(map.entryOf(QStringLiteral("G4AAA"))->marked);
        QCOMPARE(map.entryOf(QStringLiteral("DL1XX"))->correspondents, QStringList{QStringLiteral("UA3ABC")});

        // And the other way round: only one Reset, the next tick finds nothing new.
        told.clear();
        map.tick();
        QVERIFY(told.isEmpty());
    }

    // Ctrl+PgUp and Ctrl+PgDn with the map closed read the band for the question alone.
    void stepWhileClosed()
    {
        Log log;
        log.store->append({heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("07:00")),
                           heardAt(QStringLiteral("DL1XX"), QStringLiteral("14012"), QStringLiteral("07:01")),
                           heardAt(QStringLiteral("G4AAA"), QStringLiteral("14060"), QStringLiteral("06:58"))});
        BandMap map(*log.store, log.clock);
        map.setContext(Twenty);
        QCOMPARE(map.step(14025, true)->call, QStringLiteral("G4AAA"));
        QCOMPARE(map.step(14025, false)->call, QStringLiteral("DL1XX"));
        QCOMPARE(map.step(14000, true)->call, QStringLiteral("DL1XX"));
        QVERIFY(!map.step(14060, true));
        QVERIFY(!map.isActive());
        QVERIFY(map.entries().empty());
        map.setActive(true);
        QCOMPARE(map.step(14012, true)->call, QStringLiteral("UA3ABC"));
    }

    // The map's statements are index look-ups; a file of an older version gets the marks'
    // table and the index when it is opened, and until then the map works without marks.
    void indexesAndOlderFiles()
    {
        Log log;
        log.store->append(heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("07:00")));
        {
            BandMap map(*log.store, log.clock);
            map.setContext(Twenty);
            StatementRecorder trace(log.db->connection());
            map.setActive(true);
            QVERIFY(map.mark(QStringLiteral("G4AAA"), QStringLiteral("14060")).ok());
            log.store->append(heardAt(QStringLiteral("DL1XX"), QStringLiteral("14012"), QStringLiteral("07:01")));
            int selects = 0;
            const QStringList statements = trace.statements(); // the plans below are traced too
            for (const QString &s : statements) {
                if (!s.startsWith(QLatin1String("SELECT")) || s.contains(QLatin1String("sqlite_master")))
                    continue;
                ++selects;
                const QString plan = queryPlan(log.db->connection(), s).join(QLatin1Char('\n'));
                QVERIFY2(plan.contains(QLatin1String("USING")) && !plan.contains(QLatin1String("SCAN qso"))
                             && !plan.contains(QLatin1String("SCAN band_mark")),
                         qPrintable(s + QLatin1Char('\n') + plan));
            }
            QVERIFY(selects >= 4);
        }

        // As an older version left it: no marks' table, no index for the map.
        sql::run(log.db->connection(), QStringLiteral("DROP TABLE band_mark"));
        sql::run(log.db->connection(), QStringLiteral("DROP INDEX qso_band_day"));
        {
            BandMap older(*log.store, log.clock);
            older.setContext(Twenty);
            older.setActive(true);
            QCOMPARE(calls(older), (QStringList{QStringLiteral("DL1XX"), QStringLiteral("UA3ABC")}));
        }
        log.close();
        QVERIFY(Database::prepareFile(log.path));
        log.open();
        QVERIFY(schema::bandMarksKept(log.db->connection()));
        QSqlQuery q = sql::run(log.db->connection(),
                               QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name IN"
                                              " ('qso_band_day', 'band_mark_band', 'band_mark_at')"));
        QCOMPARE(sql::scalar(q), qint64(3));
    }

    // A map whose marks' table is missing makes it with the first mark.
    void firstMarkMakesTheTable()
    {
        Log log;
        sql::run(log.db->connection(), QStringLiteral("DROP TABLE band_mark"));
        BandMap map(*log.store, log.clock);
        map.setContext(Twenty);
        map.setActive(true);
        QVERIFY(map.entries().empty());
        QVERIFY(map.mark(QStringLiteral("G4AAA"), QStringLiteral("14060")).ok());
        QVERIFY(schema::bandMarksKept(log.db->connection()));
        QCOMPARE(calls(map), QStringList{QStringLiteral("G4AAA")});
    }
};

QTEST_GUILESS_MAIN(TestBandMap)
#include "tst_band_map.moc"
