// The tracker over a real log file: it follows the store's writes and resets, a prefix table
// or a log that cannot be read leaves it without a half-made score and says why, the score
// comes back with the next change that reads, and a refreshed prefix table is taken up.

#include "contest_rules/rules_tracker.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "db/sql.h"
#include "rules_log.h"
#include "support/temp_log.h"

#include <QSignalSpy>
#include <QtTest>

using namespace vireo;
using namespace vireo::rules;
using vireo::test::qso;

namespace {

PrefixRow prefixRow(const QString &prefix, const QString &dxcc)
{
    PrefixRow r;
    r.prefix = prefix;
    r.dxccPrefix = dxcc;
    return r;
}

// 3 points a record with both numbers, 1 without; countries of the heard station per band;
// the correspondent at most twice per band.
Definition testRules()
{
    Definition d = test::definition(3, 1);
    d.name = QStringLiteral("Тест");
    d.limits << test::limit(Limit::Kind::Max, Station::Correspondent, "band", 2);
    d.multipliers << test::multiplier(Multiplier::Kind::Dxcc, Station::Heard, "band");
    return d;
}

void renameLog(const QString &path, const QString &from, const QString &to)
{
    Database other(path, QStringLiteral("tracker-other"));
    sql::run(other.connection(), QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(from, to));
}

} // namespace

class TestTracker : public QObject {
    Q_OBJECT
private slots:
    void followsTheStore();
    void prefixTableThatDoesNotRead();
    void logThatDoesNotReadComesBack();
    void refreshedPrefixesAreTakenUp();
};

void TestTracker::followsTheStore()
{
    test::TempLog log;
    log.store->append({qso(0, "DL1AA", "UA3AA", "20M", "12:00"), qso(0, "G4AA", "UA3AA", "20M", "12:01")});
    RulesTracker tracker(*log.store, [] { return QVector<PrefixRow>{prefixRow("DL", "DL"), prefixRow("G", "G")}; });
    QCOMPARE(tracker.claimedScore(), std::nullopt);
    QVERIFY(!tracker.check(qso(0, "DL1AA", "UA3AA", "20M", "12:05")).checked);

    tracker.setDefinition(testRules());
    QVERIFY(tracker.active());
    // 3 + 3 points, DL and G on 20M: 6 x 2.
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(12));
    QSignalSpy changed(&tracker, &RulesTracker::scoreChanged);

    // A save at the end: scored on its own, the refused record named in the signal.
    log.store->append(qso(0, "DL2BB", "UA3AA", "20M", "12:02"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toBool(), false);
    QCOMPARE(changed.at(0).at(1).toInt(), 0);
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(12));
    // A save with the stations swapped: two records, each scored in turn (UA3AA heard has no
    // country in the table; DL2BB as correspondent is new).
    log.store->append({qso(0, "G4AA", "DL2BB", "40M", "12:03"), qso(0, "DL2BB", "G4AA", "40M", "12:03")});
    QCOMPARE(changed.size(), 3);
    // 20M: 6 points, 2 countries; 40M: 6 points, G and DL: 12 x 4.
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(48));

    // An edit and a deletion score the whole log again: the third record now counts (3 points,
    // DL on 20M already there).
    QsoRecord third = log.store->byId(3);
    third.call2 = QStringLiteral("K1AA");
    log.store->update(third);
    QCOMPARE(changed.last().at(0).toBool(), true);
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(15 * 4));
    log.store->remove(1);
    // DL on 20M now from DL2BB's record: 20M 6 points, DL and G; 40M 6: 12 x 4.
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(48));
    // A clear is a reset: the log is read anew.
    log.store->clear();
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(0));
    QCOMPARE(tracker.scorer()->recordCount(), 0);

    // No rules again: nothing is scored and the store's writes are let be.
    tracker.setDefinition(std::nullopt);
    log.store->append(qso(0, "DL1AA", "UA3AA", "20M", "12:00"));
    QVERIFY(!tracker.active());
    QCOMPARE(tracker.claimedScore(), std::nullopt);
}

void TestTracker::prefixTableThatDoesNotRead()
{
    test::TempLog log;
    log.store->append(qso(0, "DL1AA", "UA3AA", "20M", "12:00"));
    RulesTracker tracker(*log.store, []() -> QVector<PrefixRow> {
        throw Error(QStringLiteral("Таблица префиксов не читается (disk I/O error)."));
    });
    QSignalSpy definition(&tracker, &RulesTracker::definitionChanged);
    try {
        tracker.setDefinition(testRules());
        QFAIL("rules chosen over a prefix table that does not read");
    } catch (const Error &e) {
        QCOMPARE(e.text(),
                 QStringLiteral("Журнал не подсчитан по правилам «Тест»: Таблица префиксов не читается (disk I/O "
                                "error)."));
    }
    // Nothing half-made: no rules, and the reason kept for the score window.
    QVERIFY(!tracker.active());
    QCOMPARE(tracker.claimedScore(), std::nullopt);
    QCOMPARE(tracker.problem(), QStringLiteral("Таблица префиксов не читается (disk I/O error)."));
    QCOMPARE(definition.size(), 1);
    // Choosing no rules clears it.
    tracker.setDefinition(std::nullopt);
    QVERIFY(tracker.problem().isEmpty());
}

void TestTracker::logThatDoesNotReadComesBack()
{
    test::TempLog log;
    log.store->append({qso(0, "DL1AA", "UA3AA", "20M", "12:00"), qso(0, "G4AA", "UA3AA", "20M", "12:01")});
    RulesTracker tracker(*log.store, [] { return QVector<PrefixRow>{prefixRow("DL", "DL"), prefixRow("G", "G")}; });
    tracker.setDefinition(testRules());
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(12));

    // The table is gone from under the program: the reset that says so cannot be scored. The
    // score stays as it was, the reason is kept, and the store's caller hears nothing of it.
    renameLog(log.path, QStringLiteral("qso"), QStringLiteral("qso_away"));
    log.store->notify(LogChange{});
    QVERIFY(!tracker.problem().isEmpty());
    QVERIFY(tracker.active());
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(12));
    QVERIFY_THROWS_EXCEPTION(Error, tracker.reload());

    // Back again: the next change reads the whole log, whatever change it was.
    renameLog(log.path, QStringLiteral("qso_away"), QStringLiteral("qso"));
    {
        Database other(log.path, QStringLiteral("tracker-writer"));
        QsoStore outside(other.connection());
        outside.append(qso(0, "K1AA", "UA9AA", "15M", "12:05"));
    }
    log.store->append(qso(0, "DL3CC", "UA9AA", "15M", "12:06"));
    QVERIFY(tracker.problem().isEmpty());
    QCOMPARE(tracker.scorer()->recordCount(), 4);
    // 20M: 6 points, DL and G; 15M: 6 points, DL (K has no row): 12 x 3.
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(36));
}

void TestTracker::refreshedPrefixesAreTakenUp()
{
    test::TempLog log;
    log.store->append({qso(0, "DL1AA", "UA3AA", "20M", "12:00"), qso(0, "K1AA", "UA3AA", "40M", "12:01")});
    QVector<PrefixRow> table{prefixRow("DL", "DL")};
    int reads = 0;
    RulesTracker tracker(*log.store, [&] {
        ++reads;
        return table;
    });
    tracker.setDefinition(testRules());
    // K has no row yet: one country, 6 points.
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(6));
    // Another choice of rules keeps the table it read.
    tracker.setDefinition(testRules());
    QCOMPARE(reads, 1);
    table << prefixRow("K", "K");
    tracker.prefixesChanged();
    QCOMPARE(reads, 2);
    QCOMPARE(tracker.claimedScore(), std::optional<qint64>(12));
}

QTEST_GUILESS_MAIN(TestTracker)
#include "tst_tracker.moc"
