// The contest rules in the log check and the statistics: the records the rules refuse listed as
// findings with the reason, the pause of the rules' gap limits taken for "the same pair again
// too soon", and the statistics table showing the rules' points per band and tour.

#include "analysis/contest_stats.h"
#include "analysis/log_check.h"
#include "analysis/ui/stats_table_model.h"
#include "contest_rules/scorer.h"
#include "rules_log.h"

#include <QtTest>

using namespace vireo;
using namespace vireo::rules;
using vireo::test::qso;

class TestRulesInChecks : public QObject {
    Q_OBJECT
private slots:
    void refusedRecordsAreFindings();
    void pairPauseFromTheRules();
    void statisticsWithTheRulesPoints();
};

void TestRulesInChecks::refusedRecordsAreFindings()
{
    Definition d = test::definition(3, 1);
    d.limits << test::limit(Limit::Kind::Max, Station::Correspondent, "band", 1);
    QVector<QsoRecord> log{qso(1, "DL1AA", "UA3AA", "20M", "12:00"), qso(2, "G4AA", "UA3AA", "20M", "12:01"),
                           qso(3, "K1AA", "UA3AA", "20M", "12:02"), qso(4, "JA1AA", "UA3AA", "40M", "12:03")};
    Scorer s(d, test::testPrefixes());
    s.load(log);
    logcheck::Options options;
    options.minRepeatMinutes = 0;
    options.refusedByRules = s.refusedByLimit();
    options.refusedByRules.append({99, QStringLiteral("запись, которой уже нет")});
    const std::optional<logcheck::Findings> f =
        logcheck::check(log, {"DL1AA", "G4AA", "K1AA", "JA1AA", "UA3AA"}, options);
    QVERIFY(f.has_value());
    QStringList refused;
    for (const logcheck::Finding &x : f->all())
        if (x.kind == logcheck::Kind::RuleRefused)
            refused << QStringLiteral("%1 %2: %3").arg(x.record.id).arg(x.record.call1, x.text);
    QCOMPARE(refused, QStringList({QStringLiteral("2 G4AA: UA3AA корреспондент уже 1 раз на 20M: не засчитывается"),
                                   QStringLiteral("3 K1AA: UA3AA корреспондент уже 2 раза на 20M: не засчитывается")}));
    QCOMPARE(logcheck::kindName(logcheck::Kind::RuleRefused), QStringLiteral("Не засчитана"));
}

void TestRulesInChecks::pairPauseFromTheRules()
{
    Definition d = test::definition(1, 1);
    QCOMPARE(pairGapMinutes(d), std::nullopt);
    d.limits << test::limit(Limit::Kind::Gap, Station::Correspondent, "band", 0, 5)
             << test::limit(Limit::Kind::Max, Station::Heard, "band", 1)
             << test::limit(Limit::Kind::Gap, Station::Either, "contest", 0, 15);
    QCOMPARE(pairGapMinutes(d), std::optional<int>(15));
}

void TestRulesInChecks::statisticsWithTheRulesPoints()
{
    // Two bands in tour 1, one record refused on 20M: the rules give 20M 3 points (the log's
    // own rule 6), 40M 1 (1), together 4 (7).
    Definition d = test::definition(3, 1);
    d.limits << test::limit(Limit::Kind::Max, Station::Heard, "band", 1);
    QVector<QsoRecord> log{qso(1, "DL1AA", "UA3AA", "20M", "12:00", "1", "2", "CW", "1"),
                           qso(2, "DL1AA", "G4AA", "20M", "12:01", "1", "2", "CW", "1"),
                           qso(3, "DL1AA", "", "40M", "12:02", "1", "", "CW", "1")};
    Scorer s(d, test::testPrefixes());
    s.load(log);
    ContestStats stats;
    for (const QsoRecord &r : log)
        stats.add(r);
    StatsTableModel model(stats);
    model.refresh();
    auto text = [&model](int row, int column) { return model.index(row, column).data().toString(); };
    // Rows 40M, 20M, total; columns tour 1, total.
    QCOMPARE(text(1, 0), QStringLiteral("2 / 6"));
    QCOMPARE(text(2, 1), QStringLiteral("3 / 7"));
    model.setRulePoints(s.pointsByBandAndTour());
    QVERIFY(model.showsRulePoints());
    QCOMPARE(text(0, 0), QStringLiteral("1 / 1"));
    QCOMPARE(text(1, 0), QStringLiteral("2 / 3"));
    QCOMPARE(text(1, 1), QStringLiteral("2 / 3"));
    QCOMPARE(text(2, 0), QStringLiteral("3 / 4"));
    QCOMPARE(text(2, 1), QStringLiteral("3 / 4"));
    model.setRulePoints(std::nullopt);
    QCOMPARE(text(2, 1), QStringLiteral("3 / 7"));
}

QTEST_MAIN(TestRulesInChecks)
#include "tst_rules_in_checks.moc"
