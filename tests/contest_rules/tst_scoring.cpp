// The scorer over logs made here, with every score worked out by hand in the comments: the points,
// each kind of limit, each kind of multiplier with weights, the order of the records, records
// whose date or time does not read, the line for the record being typed, and the incremental
// paths against a fresh scoring of the same log.

#include "contest_rules/score_texts.h"
#include "contest_rules/scorer.h"
#include "rules_log.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>

using namespace vireo;
using namespace vireo::rules;
using vireo::test::qso;

namespace {

using K = Limit::Kind;
using M = Multiplier::Kind;

QStringList refusedTexts(const Scorer &s)
{
    QStringList out;
    for (int i = 0; i < s.refusedCount(); ++i)
        out << QStringLiteral("%1: %2").arg(s.refusedAt(i).id).arg(s.refusedAt(i).reason);
    return out;
}

QStringList multiplierLabels(const Scorer &s)
{
    QStringList out;
    for (int i = 0; i < s.multiplierCount(); ++i)
        out << s.multiplierAt(i).label;
    return out;
}

// Everything the score window shows, for comparing two scorers.
QString snapshot(const Scorer &s)
{
    QStringList lines;
    lines
        << QStringLiteral("score %1 points %2 mult %3").arg(s.claimedScore()).arg(s.points()).arg(s.multiplierTotal());
    for (const BandScore &b : s.bands())
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg(b.band)
                     .arg(b.records)
                     .arg(b.scoring)
                     .arg(b.refused)
                     .arg(b.points)
                     .arg(b.multipliers);
    lines << refusedTexts(s);
    for (int i = 0; i < s.multiplierCount(); ++i)
        lines << s.multiplierAt(i).label + QLatin1Char(' ') + QString::number(s.multiplierAt(i).id);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void pointsAndBadTimes();
    void maxPerBandModeCountsRefusedRecords();
    void maxCorrespondentPerBand();
    void orderIsTimeThenKey();
    void gapCountsEveryEarlierRecord();
    void runNeedsOthersInARow();
    void onceOnEitherSide();
    void dxccWithBandWeights();
    void everyMultiplierKind();
    void limitThatYieldsToANewMultiplier();
    void callsByPatternAndTheProductOfLists();
    void liveCheckTexts();
    void liveCheckOfARecordBeforeTheLast();
    void appendInOrderIsIncremental();
    void incrementalPathsMatchAFreshScore();
    void pluralsAndScopes();
};

void TestScoring::pointsAndBadTimes()
{
    // 3 for a record with both numbers, 1 for one with the heard station's only; a record whose
    // date does not read is listed and scores nothing: 3 + 1 = 4, no multipliers.
    Scorer s(test::definition(3, 1), test::testPrefixes());
    s.load({qso(1, "UA3AAA", "DL1AA", "20M", "12:00"), qso(2, "UA3BBB", "", "20M", "12:01", "001", ""),
            qso(3, "UA3CCC", "DL1AA", "20M", "12:02", "001", "002", "CW", "0", "31.02.2026"),
            qso(4, "UA3DDD", "DL1AA", "20M", "25:10")});
    QCOMPARE(s.points(), 4);
    QCOMPARE(s.claimedScore(), 4);
    QCOMPARE(s.total().records, 4);
    QCOMPARE(s.total().scoring, 2);
    QCOMPARE(s.total().refused, 2);
    QCOMPARE(refusedTexts(s),
             QStringList({QStringLiteral("3: дата или время не читаются («31.02.2026 12:02»): не засчитывается"),
                          QStringLiteral("4: дата или время не читаются («07.03.2026 25:10»): не засчитывается")}));
    QVERIFY(s.refusedAt(0).badTime);
    QCOMPARE(s.outcomeOf(3)->scores, false);
    QCOMPARE(s.outcomeOf(2)->points, 1);
}

void TestScoring::maxPerBandModeCountsRefusedRecords()
{
    // The heard station once per band and mode. Records 2 and 3 repeat record 1 on 20M CW; the
    // third is refused with two earlier records counted, the refused one among them. 40M CW and
    // 20M PH are other scopes. 3 scoring records x 3 points = 9.
    Definition d = test::definition(3, 1);
    d.limits << test::limit(K::Max, Station::Heard, "band-mode", 1);
    Scorer s(d, test::testPrefixes());
    s.load({qso(1, "UA3AAA", "DL1AA", "20M", "12:00"), qso(2, "UA3AAA", "G4BB", "20M", "12:05"),
            qso(3, "UA3AAA", "K1CC", "20M", "12:10"), qso(4, "UA3AAA", "DL1AA", "40M", "12:15"),
            qso(5, "UA3AAA", "DL1AA", "20M", "12:20", "001", "002", "PH")});
    QCOMPARE(s.claimedScore(), 9);
    QCOMPARE(refusedTexts(s),
             QStringList({QStringLiteral("2: UA3AAA слышимая станция уже 1 раз на 20M CW: не засчитывается"),
                          QStringLiteral("3: UA3AAA слышимая станция уже 2 раза на 20M CW: не засчитывается")}));
    const QVector<BandScore> bands = s.bands();
    QCOMPARE(bands.size(), 2);
    QCOMPARE(bands.at(0).band, QStringLiteral("40M")); // band-plan order
    QCOMPARE(bands.at(1).band, QStringLiteral("20M"));
    QCOMPARE(bands.at(1).records, 4);
    QCOMPARE(bands.at(1).refused, 2);
    QCOMPARE(bands.at(1).points, 6);
}

void TestScoring::maxCorrespondentPerBand()
{
    // The correspondent at most 10 times per band: 12 records with UA2XYZ on 20M, the 11th and
    // 12th refused; one more on 40M scores. 11 x 3 = 33.
    Definition d = test::definition(3, 1);
    d.limits << test::limit(K::Max, Station::Correspondent, "band", 10);
    Scorer s(d, test::testPrefixes());
    QVector<QsoRecord> log;
    for (int i = 0; i < 12; ++i)
        log << qso(i + 1, QStringLiteral("DL%1AA").arg(i), "UA2XYZ", "20M",
                   QStringLiteral("12:%1").arg(i, 2, 10, QLatin1Char('0')));
    log << qso(13, "DL1ZZ", "UA2XYZ", "40M", "12:30");
    s.load(log);
    QCOMPARE(s.claimedScore(), 33);
    QCOMPARE(refusedTexts(s),
             QStringList({QStringLiteral("11: UA2XYZ корреспондент уже 10 раз на 20M: не засчитывается"),
                          QStringLiteral("12: UA2XYZ корреспондент уже 11 раз на 20M: не засчитывается")}));
}

void TestScoring::orderIsTimeThenKey()
{
    // Keys do not follow the clock: key 5 at 12:00 comes before key 2 at 12:10, so key 2 is the
    // repeat; keys 7 and 3 share 12:30 and key 3 comes first.
    Definition d = test::definition(1, 1);
    d.limits << test::limit(K::Max, Station::Heard, "band", 1);
    Scorer s(d, test::testPrefixes());
    s.load({qso(2, "OK1AA", "DL1AA", "20M", "12:10"), qso(7, "SP9AA", "DL1AA", "15M", "12:30"),
            qso(5, "OK1AA", "G4AA", "20M", "12:00"), qso(3, "SP9AA", "G4AA", "15M", "12:30")});
    QCOMPARE(refusedTexts(s),
             QStringList({QStringLiteral("2: OK1AA слышимая станция уже 1 раз на 20M: не засчитывается"),
                          QStringLiteral("7: SP9AA слышимая станция уже 1 раз на 15M: не засчитывается")}));
    QCOMPARE(s.claimedScore(), 2);
    // The next day comes after the last minute of the day before.
    s.load({qso(1, "OK1AA", "DL1AA", "20M", "00:01", "1", "2", "CW", "0", "08.03.2026"),
            qso(2, "OK1AA", "G4AA", "20M", "23:59", "1", "2", "CW", "0", "07.03.2026")});
    QCOMPARE(refusedTexts(s),
             QStringList({QStringLiteral("1: OK1AA слышимая станция уже 1 раз на 20M: не засчитывается")}));
}

void TestScoring::gapCountsEveryEarlierRecord()
{
    // The correspondent not again within 5 minutes on one band. 12:03 is 3 minutes after 12:00:
    // refused; 12:07 is 4 minutes after the refused 12:03, which counts too: refused; 12:12 is 5
    // minutes after 12:07: scores; 40M is another band. 3 scoring x 3 = 9.
    Definition d = test::definition(3, 1);
    d.limits << test::limit(K::Gap, Station::Correspondent, "band", 0, 5);
    Scorer s(d, test::testPrefixes());
    s.load({qso(1, "DL1AA", "PA1X", "20M", "12:00"), qso(2, "DL2AA", "PA1X", "20M", "12:03"),
            qso(3, "DL3AA", "PA1X", "20M", "12:07"), qso(4, "DL4AA", "PA1X", "20M", "12:12"),
            qso(5, "DL5AA", "PA1X", "40M", "12:13")});
    QCOMPARE(s.claimedScore(), 9);
    QCOMPARE(
        refusedTexts(s),
        QStringList(
            {QStringLiteral("2: PA1X корреспондент снова через 3 мин на 20M (нужно не меньше 5 мин): не засчитывается"),
             QStringLiteral(
                 "3: PA1X корреспондент снова через 4 мин на 20M (нужно не меньше 5 мин): не засчитывается")}));
}

void TestScoring::runNeedsOthersInARow()
{
    // At most 5 records in a row with one correspondent, then 5 with others before it counts
    // again. Correspondents: S S S S S S x x S x x x x x S. The 6th S is refused (0 others since),
    // the 9th record too (2 others since); after five others the last S scores. 13 scoring x 3.
    Definition d = test::definition(3, 1);
    d.limits << test::limit(K::Run, Station::Correspondent, "contest", 5);
    Scorer s(d, test::testPrefixes());
    const QString pattern = QStringLiteral("SSSSSSxxSxxxxxS");
    QVector<QsoRecord> log;
    for (int i = 0; i < pattern.size(); ++i)
        log << qso(i + 1, QStringLiteral("OK%1AA").arg(i),
                   pattern.at(i) == QLatin1Char('S') ? QStringLiteral("DL0S") : QStringLiteral("G%1X").arg(i),
                   i % 2 ? "20M" : "40M", QStringLiteral("12:%1").arg(i, 2, 10, QLatin1Char('0')));
    s.load(log);
    QCOMPARE(refusedTexts(s), QStringList({QStringLiteral("6: DL0S корреспондент после 5 раз подряд в соревновании: "
                                                          "других записей 0, нужно 5: не засчитывается"),
                                           QStringLiteral("9: DL0S корреспондент после 5 раз подряд в соревновании: "
                                                          "других записей 2, нужно 5: не засчитывается")}));
    QCOMPARE(s.claimedScore(), 39);
    // Per band the runs are separate: S on 40M and 20M alternately never makes a run of 5 on one
    // band within... every second record; with "band" scope the sequence of each band is its own.
    Definition perBand = test::definition(1, 1);
    perBand.limits << test::limit(K::Run, Station::Correspondent, "band", 2);
    Scorer b(perBand, test::testPrefixes());
    // 20M: S S x S -> the third S has 1 other since the run of 2: refused. 40M: S x x S scores.
    b.load({qso(1, "A1", "DL0S", "20M", "12:00"), qso(2, "A2", "DL0S", "20M", "12:01"),
            qso(3, "A3", "DL0S", "40M", "12:02"), qso(4, "A4", "G1X", "20M", "12:03"),
            qso(5, "A5", "G2X", "40M", "12:04"), qso(6, "A6", "G3X", "40M", "12:05"),
            qso(7, "A7", "DL0S", "20M", "12:06"), qso(8, "A8", "DL0S", "40M", "12:07")});
    QCOMPARE(refusedTexts(b),
             QStringList({QStringLiteral(
                 "7: DL0S корреспондент после 2 раз подряд на 20M: других записей 1, нужно 2: не засчитывается")}));
    QCOMPARE(b.claimedScore(), 7);
}

void TestScoring::onceOnEitherSide()
{
    // A station counts once per band, heard or correspondent. Record 2's heard JA2BB was record
    // 1's correspondent; record 3's correspondent JA1AA was record 1's heard station; record 6's
    // JA3CC stands in the refused record 2. 40M is another band. 3 scoring x 1 = 3.
    Definition d = test::definition(1, 1);
    d.limits << test::limit(K::Once, Station::Either, "band", 0);
    Scorer s(d, test::testPrefixes());
    s.load({qso(1, "JA1AA", "JA2BB", "20M", "12:00"), qso(2, "JA2BB", "JA3CC", "20M", "12:01"),
            qso(3, "JA4DD", "JA1AA", "20M", "12:02"), qso(4, "JA1AA", "JA5EE", "40M", "12:03"),
            qso(5, "JA6FF", "JA7GG", "20M", "12:04"), qso(6, "JA8HH", "JA3CC", "20M", "12:05")});
    QCOMPARE(
        refusedTexts(s),
        QStringList({QStringLiteral("2: JA2BB уже есть в журнале на 20M (засчитывается один раз): не засчитывается"),
                     QStringLiteral("3: JA1AA уже есть в журнале на 20M (засчитывается один раз): не засчитывается"),
                     QStringLiteral("6: JA3CC уже есть в журнале на 20M (засчитывается один раз): не засчитывается")}));
    QCOMPARE(s.claimedScore(), 3);
    // Only the heard station is checked, but wherever it stood before: record 2 is refused, record
    // 3 (whose heard JA4DD is new) scores.
    Definition heard = test::definition(1, 1);
    heard.limits << test::limit(K::Once, Station::Heard, "band", 0);
    Scorer h(heard, test::testPrefixes());
    h.load({qso(1, "JA1AA", "JA2BB", "20M", "12:00"), qso(2, "JA2BB", "JA3CC", "20M", "12:01"),
            qso(3, "JA4DD", "JA1AA", "20M", "12:02")});
    QCOMPARE(refusedTexts(h),
             QStringList({QStringLiteral(
                 "2: JA2BB слышимая станция уже есть в журнале на 20M (засчитывается один раз): не засчитывается")}));
}

void TestScoring::dxccWithBandWeights()
{
    // Entities of the heard station per band, 80M x4, 40M x3, others x2. 20M: DL, UA9 (2 x 2 =
    // 4); 40M: DL (3); 80M: G (4); XX1AA has no entity. M = 11; 6 records x 1 point: 66.
    Definition d = test::definition(1, 1);
    Multiplier m = test::multiplier(M::Dxcc, Station::Heard, "band");
    m.weights = {{QStringLiteral("80M"), 4}, {QStringLiteral("40M"), 3}, {QStringLiteral("*"), 2}};
    d.multipliers << m;
    Scorer s(d, test::testPrefixes());
    s.load({qso(1, "DL1AA", "UA3AA", "20M", "12:00"), qso(2, "DL2BB", "UA3AA", "20M", "12:01"),
            qso(3, "UA9AA", "DL1AA", "20M", "12:02"), qso(4, "DL1AA", "G4AA", "40M", "12:03"),
            qso(5, "G4AA", "DL1AA", "80M", "12:04"), qso(6, "XX1AA", "DL1AA", "80M", "12:05")});
    QCOMPARE(s.multiplierTotal(), 11);
    QCOMPARE(s.claimedScore(), 66);
    QCOMPARE(multiplierLabels(s), QStringList({QStringLiteral("DL, 20M"), QStringLiteral("UA9, 20M"),
                                               QStringLiteral("DL, 40M"), QStringLiteral("G, 80M")}));
    QCOMPARE(s.multiplierAt(1).call, QStringLiteral("UA9AA"));
    QCOMPARE(s.multiplierAt(1).id, 3);
}

void TestScoring::everyMultiplierKind()
{
    // Five lists at once (points 3 with nr2, 1 without):
    //   A cq-zone, both stations, contest; B itu-zone of the correspondent per band and mode;
    //   C wpx of the heard station, contest; D the heard station's number per band, only BU or SF;
    //   E the correspondent's number, numeric, contest.
    // 1 DL1AA BU -> UA3AA 001, 20M CW: A 14, 16; B 29@20M CW; C DL1; D BU@20M; E 1   (3 points)
    // 2 DL1AA XX -> SP9BB 01,  20M CW: A 15;     B 28@20M CW; -;     -  (XX);  - (01 is 1) (3)
    // 3 G4ZZ SF -> DL1AA "",   20M PH: A - (14 twice); B 28@20M PH; C G4; D SF@20M; -   (1)
    // 4 JA1AA BU -> K1AA 7,    40M CW: A 25, 5; B 8@40M CW; C JA1; D BU@40M; E 7      (3)
    // Points 10; A 5 + B 4 + C 3 + D 3 + E 2 = 17; score 170.
    Definition d = test::definition(3, 1);
    d.multipliers << test::multiplier(M::CqZone, Station::Both, "contest")
                  << test::multiplier(M::ItuZone, Station::Correspondent, "band-mode")
                  << test::multiplier(M::Wpx, Station::Heard, "contest");
    Multiplier districts = test::multiplier(M::Exchange, Station::Heard, "band");
    districts.values = {QStringLiteral("BU"), QStringLiteral("SF")};
    Multiplier numbers = test::multiplier(M::Exchange, Station::Correspondent, "contest");
    numbers.numeric = true;
    d.multipliers << districts << numbers;
    Scorer s(d, test::testPrefixes());
    s.load({qso(1, "DL1AA", "UA3AA", "20M", "12:00", "BU", "001"), qso(2, "DL1AA", "SP9BB", "20M", "12:01", "XX", "01"),
            qso(3, "G4ZZ", "DL1AA", "20M", "12:02", "SF", "", "PH"),
            qso(4, "JA1AA", "K1AA", "40M", "12:03", "BU", "7")});
    QCOMPARE(s.points(), 10);
    QCOMPARE(s.multiplierTotal(), 17);
    QCOMPARE(s.claimedScore(), 170);
    QCOMPARE(multiplierLabels(s),
             QStringList({"зона CQ 14", "зона CQ 16", "зона ITU 29, 20M CW", "DL1", "BU, 20M", "1", "зона CQ 15",
                          "зона ITU 28, 20M CW", "зона ITU 28, 20M PH", "G4", "SF, 20M", "зона CQ 25", "зона CQ 5",
                          "зона ITU 8, 40M CW", "JA1", "BU, 40M", "7"}));
    // A refused record brings no multiplier: with the heard station once per contest, record 2
    // (DL1AA again) is refused and its zone 15, ITU 28 and number are not counted.
    d.limits << test::limit(K::Max, Station::Heard, "contest", 1);
    Scorer limited(d, test::testPrefixes());
    limited.load(
        {qso(1, "DL1AA", "UA3AA", "20M", "12:00", "BU", "001"), qso(2, "DL1AA", "SP9BB", "20M", "12:01", "XX", "02")});
    QCOMPARE(multiplierLabels(limited),
             QStringList({"зона CQ 14", "зона CQ 16", "зона ITU 29, 20M CW", "DL1", "BU, 20M", "1"}));
    QCOMPARE(limited.claimedScore(), 3 * 6);
}

void TestScoring::limitThatYieldsToANewMultiplier()
{
    // Once per band and mode, unless the record brings a new multiplier (the Polish stations'
    // province letters per band). Record 2 repeats SP9AA with a new province: it counts; record 3
    // repeats it with a province already counted: refused. Record 5 is refused: it
    // repeats a correspondent beyond a plain limit that does not yield. 3 scoring x 3 points x
    // 3 provinces (B, C, D) = 27.
    Definition d = test::definition(3, 3);
    Limit once = test::limit(K::Max, Station::Heard, "band-mode", 1);
    once.unlessNewMultiplier = true;
    d.limits << once << test::limit(K::Max, Station::Correspondent, "contest", 2);
    Multiplier provinces = test::multiplier(M::Exchange, Station::Both, "band");
    provinces.values = {QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
    d.multipliers << provinces;
    Scorer s(d, test::testPrefixes());
    s.load({qso(1, "SP9AA", "DL1AA", "20M", "12:00", "B", "001"), qso(2, "SP9AA", "G4AA", "20M", "12:01", "C", "002"),
            qso(3, "SP9AA", "K1AA", "20M", "12:02", "C", "003"), qso(4, "SP5ZZ", "DL1AA", "20M", "12:03", "D", "004"),
            qso(5, "SP6YY", "DL1AA", "20M", "12:04", "B", "005")});
    QCOMPARE(refusedTexts(s),
             QStringList({QStringLiteral("3: SP9AA слышимая станция уже 2 раза на 20M CW: не засчитывается"),
                          QStringLiteral("5: DL1AA корреспондент уже 2 раза в соревновании: не засчитывается")}));
    QCOMPARE(multiplierLabels(s), QStringList({"B, 20M", "C, 20M", "D, 20M"}));
    QCOMPARE(s.claimedScore(), 3 * 3 * 3);
    // The record being typed is judged alike.
    QCOMPARE(s.check(qso(0, "SP9AA", "JA1AA", "20M", "12:10", "C", "1")).text(),
             QStringLiteral("SP9AA слышимая станция уже 3 раза на 20M CW: не засчитывается"));
    QCOMPARE(s.check(qso(0, "SP9AA", "JA1AA", "40M", "12:10", "C", "1")).text(),
             QStringLiteral("новый множитель: C, 40M"));
}

void TestScoring::callsByPatternAndTheProductOfLists()
{
    // Stations of call area 0 (or signing /0) each count once, on either side; the score is the
    // product of two lists' sums: prefixes per band (DL1, DL2, JA0 on 20M; JA0 on 40M: 4) times
    // area-0 stations (JA0AA, JA0BB, JG1XX/0: 3) = 12, points not used.
    Definition d = test::definition(1, 1);
    d.score = Definition::Score::MultipliersProduct;
    d.multipliers << test::multiplier(M::Wpx, Station::Heard, "band");
    Multiplier area = test::multiplier(M::Call, Station::Both, "contest");
    area.pattern = QStringLiteral("[A-Z0-9]?[A-Z]0.*|.*/0");
    d.multipliers << area;
    Scorer s(d, test::testPrefixes());
    s.load({qso(1, "DL1AA", "JA0AA", "20M", "12:00"), qso(2, "DL2BB", "JG1XX/0", "20M", "12:01"),
            qso(3, "JA0BB", "JA0AA", "20M", "12:02"), qso(4, "JA0BB", "DL1AA", "40M", "12:03")});
    QCOMPARE(s.listTotal(0), 4);
    QCOMPARE(s.listTotal(1), 3);
    QCOMPARE(s.claimedScore(), 12);
    QCOMPARE(multiplierLabels(s),
             QStringList({"DL1, 20M", "JA0AA", "DL2, 20M", "JG1XX/0", "JA0, 20M", "JA0BB", "JA0, 40M"}));
}

void TestScoring::liveCheckTexts()
{
    Definition d = test::definition(3, 1);
    d.limits << test::limit(K::Max, Station::Correspondent, "band", 10);
    d.multipliers << test::multiplier(M::Dxcc, Station::Heard, "band");
    Scorer s(d, test::testPrefixes());
    QVector<QsoRecord> log;
    for (int i = 0; i < 10; ++i)
        log << qso(i + 1, QStringLiteral("DL%1AA").arg(i), "UA2XYZ", "20M",
                   QStringLiteral("12:%1").arg(i, 2, 10, QLatin1Char('0')));
    s.load(log);
    // The 11th with UA2XYZ on 20M is refused, as the main window says while it is typed.
    QCOMPARE(s.check(qso(0, "G4AA", "UA2XYZ", "20M", "12:30")).text(),
             QStringLiteral("UA2XYZ корреспондент уже 10 раз на 20M: не засчитывается"));
    // A heard station of an entity not yet on this band.
    const LiveCheck fresh = s.check(qso(0, "DL5XX", "UA3AA", "15M", "12:30"));
    QVERIFY(fresh.scores);
    QCOMPARE(fresh.text(), QStringLiteral("новый множитель: DL, 15M"));
    // DL on 20M is counted already; a call the log never held is checked all the same.
    QCOMPARE(s.check(qso(0, "DL5XX", "UA3AA", "20M", "12:30")).text(), QStringLiteral("засчитывается: 3 очка"));
    QCOMPARE(s.check(qso(0, "DL5XX", "UA3AA", "20M", "12:30", "001", "")).text(),
             QStringLiteral("засчитывается: 1 очко"));
    // Until both calls are typed there is nothing to say.
    QCOMPARE(s.check(qso(0, "DL5XX", "", "20M", "12:30")).text(), QString());
    QVERIFY(!s.check(qso(0, "", "UA3AA", "20M", "12:30")).checked);
    // A new band for the correspondent, and the checks do not change the score.
    QCOMPARE(s.check(qso(0, "UA9AA", "UA2XYZ", "40M", "12:30")).text(), QStringLiteral("новый множитель: UA9, 40M"));
    QCOMPARE(s.claimedScore(), 30 * 1);
    // Two lists at once.
    Definition two = d;
    two.multipliers << test::multiplier(M::ItuZone, Station::Correspondent, "band");
    Scorer t(two, test::testPrefixes());
    t.load(log);
    QCOMPARE(t.check(qso(0, "JA1AA", "K1AA", "20M", "12:30")).text(),
             QStringLiteral("новые множители: JA, 20M; зона ITU 8, 20M"));
}

void TestScoring::liveCheckOfARecordBeforeTheLast()
{
    // The record being typed is checked as the latest, even when the clock is behind the log.
    Definition d = test::definition(1, 1);
    d.limits << test::limit(K::Gap, Station::Heard, "band", 0, 10);
    Scorer s(d, test::testPrefixes());
    s.load({qso(1, "OK1AA", "DL1AA", "20M", "12:30")});
    QCOMPARE(
        s.check(qso(0, "OK1AA", "G4AA", "20M", "12:00")).text(),
        QStringLiteral("OK1AA слышимая станция снова через 0 мин на 20M (нужно не меньше 10 мин): не засчитывается"));
    QCOMPARE(s.check(qso(0, "OK1AA", "G4AA", "20M", "12:40")).text(), QStringLiteral("засчитывается: 1 очко"));
    QCOMPARE(s.check(qso(0, "OK1AA", "G4AA", "20M", "99:99")).text(),
             QStringLiteral("дата или время не читаются («07.03.2026 99:99»): не засчитывается"));
}

void TestScoring::appendInOrderIsIncremental()
{
    Definition d = test::definition(3, 1);
    d.limits << test::limit(K::Max, Station::Heard, "band", 1);
    d.multipliers << test::multiplier(M::Dxcc, Station::Heard, "band");
    Scorer s(d, test::testPrefixes());
    s.load({qso(1, "DL1AA", "UA3AA", "20M", "12:00"), qso(2, "BAD", "UA3AA", "20M", "xx")});
    Scorer::Delta a = s.append(qso(3, "G4AA", "UA3AA", "20M", "12:01"));
    QVERIFY(!a.rescored);
    QCOMPARE(a.multipliersAdded, 1);
    QCOMPARE(a.refusedInsertedAt, -1);
    // A refused record goes after the record with the bad time.
    a = s.append(qso(4, "G4AA", "UA3AA", "20M", "12:02"));
    QVERIFY(!a.rescored);
    QCOMPARE(a.refusedInsertedAt, 1);
    QCOMPARE(a.multipliersAdded, 0);
    // A record with a bad time goes among those by key.
    a = s.append(qso(5, "X", "Y", "20M", ""));
    QCOMPARE(a.refusedInsertedAt, 1);
    QCOMPARE(s.refusedAt(1).id, 5);
    // One earlier than the last: everything is scored again.
    a = s.append(qso(6, "JA1AA", "UA3AA", "20M", "11:00"));
    QVERIFY(a.rescored);
    QCOMPARE(s.claimedScore(), (3 + 3 + 3) * 3);
}

void TestScoring::incrementalPathsMatchAFreshScore()
{
    // Every kind of limit and multiplier over a random log, scored record by record as saves
    // come (most at the end, some earlier), then with records changed and removed; after each
    // step the result equals a fresh scoring of the same records.
    Definition d = test::definition(3, 1);
    d.limits << test::limit(K::Max, Station::Correspondent, "band", 3)
             << test::limit(K::Gap, Station::Heard, "band-mode", 0, 4)
             << test::limit(K::Run, Station::Either, "contest", 3)
             << test::limit(K::Once, Station::Heard, "band-mode-tour", 0);
    Multiplier weighted = test::multiplier(M::Dxcc, Station::Both, "band");
    weighted.weights = {{QStringLiteral("80M"), 3}};
    d.multipliers << weighted << test::multiplier(M::CqZone, Station::Heard, "contest")
                  << test::multiplier(M::Wpx, Station::Correspondent, "band-mode")
                  << test::multiplier(M::Exchange, Station::Heard, "tour");
    static const char *const Calls[] = {"DL1AA", "DL2BB", "UA3AA", "UA9CC", "G4DD", "JA1EE",
                                        "K1FF",  "SP9GG", "OK1HH", "PA3II", "XX1ZZ"};
    static const char *const Bands[] = {"20M", "40M", "80M"};
    QRandomGenerator g(2026);
    QVector<QsoRecord> log;
    Scorer incremental(d, test::testPrefixes());
    incremental.load({});
    for (int i = 0; i < 600; ++i) {
        const int minute = i % 40 == 39 ? int(g.bounded(i)) : i; // now and then a record earlier than the last
        QsoRecord r = qso(i + 1, QString::fromLatin1(Calls[g.bounded(11)]),
                          g.bounded(8) ? QString::fromLatin1(Calls[g.bounded(11)]) : QString(),
                          QString::fromLatin1(Bands[g.bounded(3)]),
                          QStringLiteral("%1:%2")
                              .arg(10 + minute / 60, 2, 10, QLatin1Char('0'))
                              .arg(minute % 60, 2, 10, QLatin1Char('0')),
                          QString::number(g.bounded(5)), g.bounded(3) ? QStringLiteral("5") : QString(),
                          g.bounded(2) ? "CW" : "PH", QString::number(g.bounded(2)));
        if (i % 97 == 5)
            r.time = QStringLiteral("1260");
        log << r;
        incremental.append(r);
        if (i % 150 == 149) {
            Scorer fresh(d, test::testPrefixes());
            fresh.load(log);
            QCOMPARE(snapshot(incremental), snapshot(fresh));
        }
    }
    QVERIFY(incremental.refusedCount() > 50);
    QVERIFY(incremental.multiplierCount() > 30);
    // Change some, remove some.
    for (int k = 0; k < 5; ++k) {
        const int at = int(g.bounded(log.size()));
        log[at].call1 = QStringLiteral("JA1EE");
        log[at].band = QStringLiteral("80M");
        incremental.update(log.at(at));
        const int gone = int(g.bounded(log.size()));
        incremental.remove(log.at(gone).id);
        log.remove(gone);
        Scorer fresh(d, test::testPrefixes());
        fresh.load(log);
        QCOMPARE(snapshot(incremental), snapshot(fresh));
    }
    // Loading the records in another order gives the same score.
    QVector<QsoRecord> shuffled = log;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    Scorer again(d, test::testPrefixes());
    again.load(shuffled);
    QCOMPARE(snapshot(again), snapshot(incremental));
}

void TestScoring::pluralsAndScopes()
{
    QCOMPARE(text::times(1), QStringLiteral("1 раз"));
    QCOMPARE(text::times(3), QStringLiteral("3 раза"));
    QCOMPARE(text::times(11), QStringLiteral("11 раз"));
    QCOMPARE(text::times(22), QStringLiteral("22 раза"));
    QCOMPARE(text::points(21), QStringLiteral("21 очко"));
    QCOMPARE(text::points(14), QStringLiteral("14 очков"));
    QCOMPARE(text::multipliers(102), QStringLiteral("102 множителя"));
    const Scope bandTour = *scopeFromName(QStringLiteral("band-tour"));
    QCOMPARE(text::scopeWhere(bandTour, "20M", "CW", "2"), QStringLiteral("на 20M в туре 2"));
    QCOMPARE(text::scopeWhere(*scopeFromName(QStringLiteral("tour")), "20M", "CW", "2"), QStringLiteral("в туре 2"));
    QCOMPARE(text::scopeSuffix(bandTour, "20M", "CW", "2"), QStringLiteral(", 20M, тур 2"));
    QCOMPARE(text::scopeSuffix(Scope{}, "20M", "CW", "2"), QString());
    QVERIFY(!scopeFromName(QStringLiteral("mode-band")));
    QVERIFY(!scopeFromName(QStringLiteral("band-band")));
    QVERIFY(!scopeFromName(QStringLiteral("bands")));
    QCOMPARE(scopeName(*scopeFromName(QStringLiteral("band-mode-tour"))), QStringLiteral("band-mode-tour"));
}

QTEST_APPLESS_MAIN(TestScoring)
#include "tst_scoring.moc"
