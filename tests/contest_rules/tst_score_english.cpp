// The score's texts in the English interface: a counted word takes the English plural form (the
// Russian rule would make "21 point" of 21), and the reasons, multiplier labels, the line for the
// record being typed and the faults of a rules file read in English with no Russian left over.

#include "base/interface_language.h"
#include "contest_rules/rule_definition.h"
#include "contest_rules/score_texts.h"
#include "contest_rules/scorer.h"
#include "rules_log.h"
#include "support/cyrillic.h"

#include <QtTest>

using namespace vireo;
using namespace vireo::rules;
using vireo::test::qso;

using vireo::test::hasCyrillic;

namespace {

using K = Limit::Kind;
using M = Multiplier::Kind;

} // namespace

class TestScoreEnglish : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(installTranslations(*QCoreApplication::instance(), InterfaceLanguage::English).isEmpty());
        QCOMPARE(currentInterfaceLanguage(), InterfaceLanguage::English);
    }

    void countsTakeTheEnglishPluralForms()
    {
        QCOMPARE(text::points(1), QStringLiteral("1 point"));
        QCOMPARE(text::points(21), QStringLiteral("21 points"));
        QCOMPARE(text::points(0), QStringLiteral("0 points"));
        QCOMPARE(text::multipliers(1), QStringLiteral("1 multiplier"));
        QCOMPARE(text::multipliers(3), QStringLiteral("3 multipliers"));
        QCOMPARE(text::times(1), QStringLiteral("1 time"));
        QCOMPARE(text::times(22), QStringLiteral("22 times"));
    }

    void reasonsAndLabelsReadInEnglish()
    {
        Definition d = test::definition(3, 1);
        d.limits << test::limit(K::Max, Station::Correspondent, "band", 1)
                 << test::limit(K::Gap, Station::Heard, "band-mode", 0, 10)
                 << test::limit(K::Run, Station::Either, "contest", 2)
                 << test::limit(K::Once, Station::Heard, "band-mode-tour", 0);
        d.multipliers << test::multiplier(M::CqZone, Station::Heard, "band")
                      << test::multiplier(M::ItuZone, Station::Correspondent, "tour")
                      << test::multiplier(M::Dxcc, Station::Both, "band-mode");
        Scorer s(d, test::testPrefixes());
        s.load({qso(1, "DL1AA", "UA3AA", "20M", "12:00"), qso(2, "G4AA", "UA3AA", "20M", "12:01"),
                qso(3, "OK1AA", "DL2BB", "40M", "12:02"), qso(4, "OK1AA", "G4BB", "40M", "12:05"),
                qso(5, "SP9AA", "JA1AA", "80M", "12:10"), qso(6, "SP9AA", "K1AA", "80M", "12:30"),
                qso(7, "SP9AA", "PA3AA", "80M", "12:50"), qso(8, "LZ1AA", "", "15M", "xx")});

        QStringList reasons;
        for (int i = 0; i < s.refusedCount(); ++i)
            reasons << s.refusedAt(i).reason;
        QVERIFY2(reasons.contains(QStringLiteral("UA3AA (worked) already 1 time on 20M: not counted")),
                 qPrintable(reasons.join(QLatin1Char('\n'))));
        QVERIFY2(reasons.contains(
                     QStringLiteral("OK1AA (heard) again after 3 min on 40M CW (at least 10 min needed): not counted")),
                 qPrintable(reasons.join(QLatin1Char('\n'))));
        QVERIFY2(reasons.contains(QStringLiteral("date or time unreadable (\"07.03.2026 xx\"): not counted")),
                 qPrintable(reasons.join(QLatin1Char('\n'))));
        bool run = false;
        for (const QString &r : reasons) {
            QVERIFY2(!hasCyrillic(r), qPrintable(r));
            run = run || r.contains(QLatin1String(" times in a row in the contest"));
        }
        QVERIFY2(run, qPrintable(reasons.join(QLatin1Char('\n'))));

        QStringList labels;
        for (int i = 0; i < s.multiplierCount(); ++i) {
            labels << s.multiplierAt(i).label;
            QVERIFY2(!hasCyrillic(labels.last()), qPrintable(labels.last()));
        }
        QVERIFY2(labels.contains(QStringLiteral("CQ zone 14, 20M")), qPrintable(labels.join(QLatin1Char('\n'))));
        QVERIFY2(labels.contains(QStringLiteral("ITU zone 29, tour 0")), qPrintable(labels.join(QLatin1Char('\n'))));

        // The line of the record being typed: what it would bring, or why it does not count.
        QCOMPARE(s.check(qso(0, "JA1AA", "UA9CC", "15M", "13:00")).text(),
                 QStringLiteral("new multipliers: CQ zone 25, 15M; ITU zone 30, tour 0; JA, 15M CW; UA9, 15M CW"));
        // UA3AA is in two records of 20M, the second refused.
        QCOMPARE(s.check(qso(0, "DL1AA", "UA3AA", "20M", "13:00")).text(),
                 QStringLiteral("UA3AA (worked) already 2 times on 20M: not counted"));
    }

    void pointsOnlyLineReadsInEnglish()
    {
        Scorer three(test::definition(3, 1), test::testPrefixes());
        three.load({});
        QCOMPARE(three.check(qso(0, "DL1AA", "UA3AA", "20M", "12:00")).text(), QStringLiteral("counts: 3 points"));
        Scorer one(test::definition(1, 1), test::testPrefixes());
        one.load({});
        QCOMPARE(one.check(qso(0, "DL1AA", "UA3AA", "20M", "12:00")).text(), QStringLiteral("counts: 1 point"));
    }

    void ruleFileFaultsReadInEnglish_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("not closed") << QByteArray("{\n  \"name\": \"X\",\n  \"swl\": {\n");
        QTest::newRow("no comma") << QByteArray("{\n  \"name\": \"X\"\n  \"swl\": {}\n}\n");
        QTest::newRow("not an object") << QByteArray("[1, 2]\n");
        QTest::newRow("no swl") << QByteArray("{ \"name\": \"X\" }\n");
        QTest::newRow("unknown key") << QByteArray("{ \"name\": \"X\", \"colour\": 1, \"swl\": {} }\n");
        QTest::newRow("bad scope") << QByteArray(
            "{ \"name\": \"X\", \"swl\": { \"points\": { \"both\": 1, \"heard\": 1 },"
            " \"multipliers\": [ { \"kind\": \"dxcc\", \"station\": \"heard\","
            " \"per\": \"tour-band\" } ] } }\n");
        QTest::newRow("bad number") << QByteArray(
            "{ \"name\": \"X\", \"swl\": { \"points\": { \"both\": -1, \"heard\": 1 } } }\n");
    }

    void ruleFileFaultsReadInEnglish()
    {
        QFETCH(QByteArray, text);
        const Result<Definition> r = parseDefinition(text, QStringLiteral("bad.json"));
        QVERIFY(!r.ok());
        QVERIFY2(r.errorText().startsWith(QLatin1String("Rules file \"bad.json\", line ")), qPrintable(r.errorText()));
        QVERIFY2(!hasCyrillic(r.errorText()), qPrintable(r.errorText()));
    }
};

QTEST_GUILESS_MAIN(TestScoreEnglish)
#include "tst_score_english.moc"
