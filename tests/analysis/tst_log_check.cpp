// The log check's rules: which numbers are serials, calls one character off, and every kind of
// finding planted into clean contest logs that must otherwise give none.

#include "analysis/call_index.h"
#include "analysis/contest_log.h"
#include "analysis/log_check.h"
#include "analysis/log_check_report.h"
#include "analysis/serial_numbers.h"
#include "base/cp1251.h"
#include "support/qso_builder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace vireo;
using namespace vireo::logcheck;
using vireo::test::ContestLog;
using vireo::test::makeContestLog;

namespace {

QsoRecord rec(qint64 id, const QString &time, const QString &call1, const QString &nr1, const QString &call2,
              const QString &nr2, const QString &tur = QStringLiteral("1"), const QString &band = QStringLiteral("20M"))
{
    return test::Qso::typical()
        .id(id)
        .freq(QStringLiteral("14025"))
        .band(band)
        .at(QStringLiteral("07.03.2026"), time)
        .heard(call1, QStringLiteral("599"), nr1)
        .call2(call2)
        .nr2WithReport(nr2)
        .tur(tur);
}

QVector<Finding> run(const QVector<QsoRecord> &records, const QStringList &known, Options options = {})
{
    const auto found = check(records, known, options);
    if (!found)
        qFatal("check stopped without being asked to");
    return found->all();
}

QVector<Finding> ofKind(const QVector<Finding> &all, Kind kind)
{
    QVector<Finding> some;
    for (const Finding &f : all)
        if (f.kind == kind)
            some.append(f);
    return some;
}

QString describe(const QVector<Finding> &all)
{
    QStringList lines;
    for (const Finding &f : all)
        lines << QStringLiteral("%1 #%2: %3").arg(kindName(f.kind)).arg(f.record.id).arg(f.text);
    return lines.join(QLatin1Char('\n'));
}

// The index of the record of ContestLog whose heard station is call, the n-th such (time order).
int heardRecord(const ContestLog &log, const QString &call, int n)
{
    for (int i = 0; i < log.records.size(); ++i)
        if (log.records[i].call1 == call && n-- == 0)
            return i;
    return -1;
}

// A station of the log that sends serials and is heard as call1 at least `times` times.
QString serialStation(const ContestLog &log, int times)
{
    for (int s = 1; s < log.calls.size(); ++s) {
        if (s % 5 == 0 || s % 7 == 0)
            continue;
        int n = 0;
        for (const QsoRecord &r : log.records)
            n += r.call1 == log.calls[s];
        if (n >= times)
            return log.calls[s];
    }
    return QString();
}

} // namespace

class TestLogCheck : public QObject {
    Q_OBJECT
private slots:
    void serialValues_data()
    {
        QTest::addColumn<QString>("nr");
        QTest::addColumn<int>("value"); // -1: not a serial
        QTest::newRow("plain") << "123" << 123;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("blanks around") << " 42 " << 42;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("five digits") << "12345" << 12345;
        QTest::newRow("six digits") << "123456" << -1;
        QTest::newRow("region letters") << "MO" << -1;
        QTest::newRow("zone and serial") << "16 001" << -1;
        QTest::newRow("serial and letters") << "001SE" << -1;
        QTest::newRow("locator") << "KO85" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("sign") << "-5" << -1;
        QTest::newRow("arabic-indic digit") << QString::fromUtf8("١٢") << -1;
    }
    void serialValues()
    {
        QFETCH(QString, nr);
        QFETCH(int, value);
        const auto v = serials::serialValue(nr);
        QCOMPARE(v.has_value(), value >= 0);
        if (v)
            QCOMPARE(*v, value);
    }

    void stationsWithSerials_data()
    {
        QTest::addColumn<QVector<int>>("values");
        QTest::addColumn<bool>("serials");
        QTest::newRow("rising") << QVector<int>{3, 8, 15, 21} << true;
        QTest::newRow("one back") << QVector<int>{3, 8, 5, 21} << true;
        QTest::newRow("one far out") << QVector<int>{10, 250, 12} << true;
        QTest::newRow("two numbers only") << QVector<int>{5, 3} << false;
        QTest::newRow("zone") << QVector<int>{16, 16, 16, 16} << false;
        QTest::newRow("zone once miscopied") << QVector<int>{16, 17, 16, 16} << false;
        QTest::newRow("mostly falling") << QVector<int>{30, 20, 10, 5} << false;
        QTest::newRow("zone moved and back") << QVector<int>{16, 17, 18, 17, 16} << false;
        QTest::newRow("zone moved on, with slips")
            << QVector<int>{55, 53, 54, 54, 54, 55, 55, 55, 55, 56, 56, 56} << false;
        QTest::newRow("region with digits misheard")
            << QVector<int>{808, 808, 508, 308, 808, 898, 800, 808, 808} << false;
        QTest::newRow("heard at every QSO, one low") << QVector<int>{1, 2, 3, 4, 1, 6} << true;
        QTest::newRow("both sides of each QSO") << QVector<int>{7, 7, 8, 8, 9, 9, 3, 3, 11, 11} << true;
    }
    void stationsWithSerials()
    {
        QFETCH(QVector<int>, values);
        QFETCH(bool, serials);
        QCOMPARE(serials::looksLikeSerials(std::vector<int>(values.begin(), values.end())), serials);
    }

    void numbersOutOfOrder_data()
    {
        QTest::addColumn<QVector<int>>("values");
        QTest::addColumn<QVector<int>>("out");
        QTest::newRow("in order") << QVector<int>{1, 2, 2, 7} << QVector<int>{};
        QTest::newRow("lower than earlier") << QVector<int>{10, 12, 5, 14} << QVector<int>{2};
        QTest::newRow("high one between") << QVector<int>{10, 25, 12, 14} << QVector<int>{1};
        QTest::newRow("low one between") << QVector<int>{10, 11, 12, 3, 14, 15} << QVector<int>{3};
        QTest::newRow("either: the low one is farther") << QVector<int>{22, 7, 23, 24} << QVector<int>{1};
        QTest::newRow("either: the high one is farther") << QVector<int>{5, 6, 60, 7, 8} << QVector<int>{2};
        QTest::newRow("first too high") << QVector<int>{500, 12, 14, 16} << QVector<int>{0};
        QTest::newRow("last too low") << QVector<int>{12, 14, 16, 3} << QVector<int>{3};
    }
    void numbersOutOfOrder()
    {
        QFETCH(QVector<int>, values);
        QFETCH(QVector<int>, out);
        const std::vector<int> got = serials::outOfOrder(std::vector<int>(values.begin(), values.end()));
        QCOMPARE(QVector<int>(got.begin(), got.end()), out);
    }

    void callsOneCharacterOff()
    {
        CallIndex index;
        for (const char *c : {"UA3ABC", "UA3ABD", "UA3AB", "UA3ABCD", "UA3BAC", "DL1ABC", "UA3ABC/P", "R3A-LONGCALL1"})
            index.insert(QString::fromLatin1(c));
        QVERIFY(index.contains(QStringLiteral("UA3ABC")));
        QVERIFY(!index.contains(QStringLiteral("UA3AB0")));
        QVERIFY(index.contains(QStringLiteral("R3A-LONGCALL1")));
        // replaced, left out, put in, swapped
        QCOMPARE(index.oneOff(QStringLiteral("UA3ABX")), (QStringList{"UA3AB", "UA3ABC", "UA3ABD"}));
        QCOMPARE(index.oneOff(QStringLiteral("UA3AC")), (QStringList{"UA3AB", "UA3ABC", "UA3BAC"}));
        QCOMPARE(index.oneOff(QStringLiteral("UA3ABCE")), (QStringList{"UA3ABC", "UA3ABCD"}));
        QCOMPARE(index.oneOff(QStringLiteral("UA3ACB")), (QStringList{"UA3AB", "UA3ABC"}));
        QCOMPARE(index.oneOff(QStringLiteral("UA3ABC/F")), (QStringList{"UA3ABC/P"}));
        QCOMPARE(index.oneOff(QStringLiteral("W1XYZ")), QStringList());
        // a call of the set is not its own suggestion
        QVERIFY(!index.oneOff(QStringLiteral("UA3ABC")).contains(QStringLiteral("UA3ABC")));
        // calls too long to pack are compared as text
        QCOMPARE(index.oneOff(QStringLiteral("R3A-LONGCALL2")), (QStringList{"R3A-LONGCALL1"}));
        // ten characters pack, eleven do not
        QVERIFY(CallIndex::pack(QStringLiteral("DL/UA3ABC/")).has_value());
        QVERIFY(!CallIndex::pack(QStringLiteral("DL/UA3ABC/P")).has_value());
        QCOMPARE(CallIndex::unpack(*CallIndex::pack(QStringLiteral("9A/ZX0"))), QStringLiteral("9A/ZX0"));
    }

    // Against the plain rule, over calls drawn from a small alphabet so that many of them are one
    // edit apart, with a call added after questions were asked.
    void callsOneCharacterOffMatchTheRule()
    {
        auto oneEdit = [](const QString &a, const QString &b) {
            if (a == b)
                return false;
            if (a.size() == b.size()) {
                QVector<int> at;
                for (int i = 0; i < a.size(); ++i)
                    if (a.at(i) != b.at(i))
                        at << i;
                return at.size() == 1
                       || (at.size() == 2 && at[1] == at[0] + 1 && a.at(at[0]) == b.at(at[1])
                           && a.at(at[1]) == b.at(at[0]));
            }
            const QString &longer = a.size() > b.size() ? a : b, &shorter = a.size() > b.size() ? b : a;
            if (longer.size() != shorter.size() + 1)
                return false;
            for (int i = 0; i < longer.size(); ++i)
                if (QString(longer).remove(i, 1) == shorter)
                    return true;
            return false;
        };
        QRandomGenerator random(20261208);
        auto randomCall = [&random] {
            const QString alphabet = QStringLiteral("AB1/");
            QString c;
            const int n = 1 + int(random.bounded(10));
            for (int i = 0; i < n; ++i)
                c += alphabet.at(int(random.bounded(alphabet.size())));
            return c;
        };
        CallIndex index;
        QSet<QString> set;
        for (int i = 0; i < 3000; ++i) {
            const QString c = randomCall();
            index.insert(c);
            set.insert(c);
        }
        auto expected = [&](const QString &call) {
            QStringList e;
            for (const QString &c : set)
                if (oneEdit(call, c))
                    e << c;
            e.sort();
            return e;
        };
        for (int i = 0; i < 400; ++i) {
            const QString call = i % 2 ? randomCall() : *std::next(set.begin(), int(random.bounded(set.size())));
            QCOMPARE(index.oneOff(call), expected(call));
        }
        index.insert(QStringLiteral("AB1B"));
        set.insert(QStringLiteral("AB1B"));
        QVERIFY(index.oneOff(QStringLiteral("AB1A")).contains(QStringLiteral("AB1B")));
        QCOMPARE(index.oneOff(QStringLiteral("AB1A")), expected(QStringLiteral("AB1A")));
    }

    void cleanLogsGiveNoFinding_data()
    {
        QTest::addColumn<int>("stations");
        QTest::addColumn<int>("records");
        QTest::newRow("small") << 40 << 300;
        QTest::newRow("busy") << 300 << 4000;
    }
    void cleanLogsGiveNoFinding()
    {
        QFETCH(int, stations);
        QFETCH(int, records);
        const ContestLog log = makeContestLog(stations, records);
        QCOMPARE(log.records.size(), records);
        const QVector<Finding> found = run(log.records, log.calls);
        QVERIFY2(found.isEmpty(), qPrintable(describe(found)));
        // Without the known calls, a call heard only once is the only thing left to report.
        for (const Finding &f : run(log.records, {}))
            QCOMPARE(f.kind, Kind::BustedCall);
        QVERIFY(run({}, log.calls).isEmpty());
    }

    void everyPlantedErrorIsFound()
    {
        ContestLog log = makeContestLog(60, 900);
        QVector<vireo::test::Planted> planted = vireo::test::plantErrors(log);
        const QVector<Finding> found = run(log.records, log.calls);
        QVERIFY2(found.size() == planted.size(), qPrintable(describe(found)));
        for (const Finding &f : found) {
            bool expected = false;
            for (int k = 0; k < planted.size() && !expected; ++k)
                if (planted[k].kind == f.kind && planted[k].id == f.record.id) {
                    expected = true;
                    planted.remove(k);
                }
            QVERIFY2(expected, qPrintable(describe({f})));
        }
        QVERIFY(planted.isEmpty());
    }

    void serialBackwardsIsFound()
    {
        ContestLog log = makeContestLog(40, 600);
        const QString x = serialStation(log, 6);
        QVERIFY(!x.isEmpty());
        const int i = heardRecord(log, x, 4);
        log.records[i].nr1 = QStringLiteral("1"); // far below what the station sent before
        const QVector<Finding> found = run(log.records, log.calls);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].kind, Kind::Serial);
        QCOMPARE(found[0].record.id, log.records[i].id);
        QCOMPARE(found[0].side, 1);
        QVERIFY2(found[0].text.startsWith(QStringLiteral("Номер 1 у %1 меньше прежнего").arg(x)),
                 qPrintable(found[0].text));
    }

    void serialOutOfLineIsFound()
    {
        ContestLog log = makeContestLog(40, 600);
        const QString x = serialStation(log, 6);
        const int i = heardRecord(log, x, 3);
        const int value = log.records[i].nr1.toInt();
        log.records[i].nr1 = QString::number(value + 600); // a digit misheard: 012 for 612
        const QVector<Finding> found = run(log.records, log.calls);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].kind, Kind::Serial);
        QCOMPARE(found[0].record.id, log.records[i].id);
        QVERIFY2(found[0].text.contains(QStringLiteral("больше следующего")), qPrintable(found[0].text));
    }

    void serialRisingTooFastIsFound()
    {
        // The last number of a station: nothing after it, but no station makes 700 QSOs in 20 minutes.
        const QVector<QsoRecord> records = {
            rec(1, "12:00", "UA3AAA", "010", "DL1AAA", "100"),
            rec(2, "12:10", "UA3AAA", "015", "DL1AAB", "101"),
            rec(3, "12:20", "UA3AAA", "020", "DL1AAC", "102"),
            rec(4, "12:40", "UA3AAA", "720", "DL1AAD", "103"),
        };
        const QStringList known = {"UA3AAA", "DL1AAA", "DL1AAB", "DL1AAC", "DL1AAD"};
        // (UA3AAA heard four times in one band is also a repeat: only the numbers matter here)
        const QVector<Finding> found = ofKind(run(records, known), Kind::Serial);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].record.id, 4);
        QCOMPARE(found[0].text, QStringLiteral("Номер 720 у UA3AAA слишком велик: 20 мин назад был 020 (в 12:20)"));
    }

    void serialsAreFollowedOverBothSidesPerTour()
    {
        // UA3AAA heard as call1 and as call2; its 003 as correspondent is lower than its 009 before.
        QVector<QsoRecord> records = {
            rec(1, "12:00", "UA3AAA", "005", "DL1AAA", "011"),
            rec(2, "12:05", "UA3AAA", "009", "DL1AAB", "021"),
            rec(3, "12:09", "DL1AAC", "031", "UA3AAA", "003"),
            rec(4, "12:14", "UA3AAA", "012", "DL1AAD", "041"),
        };
        const QStringList known = {"UA3AAA", "DL1AAA", "DL1AAB", "DL1AAC", "DL1AAD"};
        QVector<Finding> found = ofKind(run(records, known), Kind::Serial);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].record.id, 3);
        QCOMPARE(found[0].side, 2);
        QCOMPARE(found[0].text, QStringLiteral("Номер 003 у UA3AAA меньше прежнего 009 (в 12:05)"));
        // Numbering that starts again in the next tour is not a fault.
        records += {rec(5, "15:00", "UA3AAA", "001", "DL1AAE", "051", "2"),
                    rec(6, "15:05", "UA3AAA", "002", "DL1AAF", "052", "2"),
                    rec(7, "15:10", "UA3AAA", "004", "DL1AAG", "053", "2")};
        found = ofKind(run(records, known + QStringList{"DL1AAE", "DL1AAF", "DL1AAG"}), Kind::Serial);
        QCOMPARE(found.size(), 1);
        // Nor in the same tour number of another contest, days later.
        QVector<QsoRecord> later = records.mid(0, 4);
        for (QsoRecord &r : later) {
            r.id += 100;
            r.data = QStringLiteral("14.03.2026");
            r.nr1 = QString::number(r.nr1.toInt() - 4);
        }
        later[2].nr2 = QStringLiteral("006");
        found = ofKind(run(records.mid(0, 4) + later, known), Kind::Serial);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].record.id, 3);
    }

    void zonesRegionsAndLettersAreLeftAlone()
    {
        // A zone copied wrongly once, region letters, and a station heard twice only.
        const QVector<QsoRecord> records = {
            rec(1, "12:00", "UA9AAA", "17", "RA3AAA", "MO"),  rec(2, "12:05", "UA9AAA", "16", "RA3AAB", "SP"),
            rec(3, "12:10", "UA9AAA", "17", "RA3AAA", "MO"),  rec(4, "12:15", "UA9AAA", "17", "RA3AAB", "SP"),
            rec(5, "12:20", "DL1AAA", "050", "RA3AAC", "KR"), rec(6, "12:25", "DL1AAA", "020", "RA3AAC", "KR"),
        };
        const QStringList known = {"UA9AAA", "RA3AAA", "RA3AAB", "RA3AAC", "DL1AAA"};
        Options o;
        o.minRepeatMinutes = 0;
        const QVector<Finding> found = ofKind(run(records, known, o), Kind::Serial);
        QVERIFY2(found.isEmpty(), qPrintable(describe(found)));
    }

    void pairAgainTooSoon()
    {
        ContestLog log = makeContestLog(40, 600);
        QsoRecord again = log.records[100];
        again.id = 10000;
        again.time =
            QTime::fromString(again.time, QStringLiteral("HH:mm")).addSecs(4 * 60).toString(QStringLiteral("HH:mm"));
        again.nr1 = again.nr2 = QStringLiteral("MO"); // keeps the serials out of it
        log.records.append(again);
        QVector<Finding> found = run(log.records, log.calls);
        const QVector<Finding> pairs = ofKind(found, Kind::PairTooSoon);
        QCOMPARE(pairs.size(), 1);
        QCOMPARE(pairs[0].record.id, qint64(10000));
        QCOMPARE(pairs[0].text,
                 QStringLiteral("Пара %1 – %2 уже записана в %3, 4 мин назад (можно не раньше чем через 10 мин)")
                     .arg(again.call1, again.call2, log.records[100].time));
        // The same heard station in the same tour, band and mode is also a repeat: both listed.
        QCOMPARE(ofKind(found, Kind::Repeat).size(), 2);
        QCOMPARE(found.size(), 3);

        Options o;
        o.minRepeatMinutes = 4; // four minutes later is allowed
        QVERIFY(ofKind(run(log.records, log.calls, o), Kind::PairTooSoon).isEmpty());
        o.minRepeatMinutes = 0; // off
        QVERIFY(ofKind(run(log.records, log.calls, o), Kind::PairTooSoon).isEmpty());
        o.minRepeatMinutes = 5;
        QCOMPARE(ofKind(run(log.records, log.calls, o), Kind::PairTooSoon).size(), 1);
    }

    void swappedCopyIsNotAPair()
    {
        // Copy-with-swap files both directions of one QSO in the same minute.
        const QVector<QsoRecord> records = {rec(1, "12:00", "UA3AAA", "MO", "DL1AAA", "14"),
                                            rec(2, "12:00", "DL1AAA", "14", "UA3AAA", "MO"),
                                            rec(3, "12:03", "UA3AAA", "MO", "DL1AAA", "14", "1", "40M")};
        QVERIFY(run(records, {"UA3AAA", "DL1AAA"}).isEmpty());
    }

    void bustedCallWithSuggestions()
    {
        ContestLog log = makeContestLog(40, 600);
        const QString right = log.records[200].call2;
        QString busted = right;
        busted[busted.size() - 1] =
            busted.at(busted.size() - 1) == QLatin1Char('Q') ? QLatin1Char('X') : QLatin1Char('Q');
        QVERIFY(!log.calls.contains(busted));
        log.records[200].call2 = busted;
        log.records[200].nr2 = QStringLiteral("MO");
        const QVector<Finding> found = run(log.records, log.calls);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].kind, Kind::BustedCall);
        QCOMPARE(found[0].side, 2);
        QVERIFY(found[0].suggestions.contains(right));
        QVERIFY2(found[0].text.startsWith(
                     QStringLiteral("%1 нет ни среди известных позывных, ни в других записях журнала; возможно: ")
                         .arg(busted)),
                 qPrintable(found[0].text));
        // Heard twice, the same call is no longer suspect; and neither is one the known calls hold.
        log.records[201].call2 = busted;
        log.records[201].nr2 = QStringLiteral("MO");
        QVERIFY(ofKind(run(log.records, log.calls), Kind::BustedCall).isEmpty());
        log.records[201].call2 = right;
        QVERIFY(run(log.records, log.calls + QStringList{busted}).isEmpty());
        // A portable station whose home call is known is not suspect.
        log.records[200].call2 = right + QStringLiteral("/P");
        QVERIFY(run(log.records, log.calls).isEmpty());
    }

    void bustedCallSuggestionsPreferTheLog()
    {
        QVector<QsoRecord> records;
        for (int i = 0; i < 3; ++i)
            records << rec(i + 1, QStringLiteral("12:0%1").arg(i), QStringLiteral("UA3AB%1").arg(QChar('A' + i)), "MO",
                           "DL1ABC", "14", QString::number(i + 1));
        records << rec(9, "12:30", "UA3AAA", "MO", "DL1ABX", "14");
        records << rec(10, "12:31", "UA3AAA", "MO", "DL1ABC", "14", "2", "40M");
        // DL1ABC is heard in the log four times; DL1ABD is only known.
        const QVector<Finding> found = ofKind(run(records, {"DL1ABD", "DL1ABE", "DL1ABF", "DL1ABG", "DL1ABH", "DL1ABI",
                                                            "UA3ABA", "UA3ABB", "UA3ABC", "UA3AAA"}),
                                              Kind::BustedCall);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].record.id, 9);
        QCOMPARE(found[0].suggestions.size(), MaxSuggestions);
        QCOMPARE(found[0].suggestions.first(), QStringLiteral("DL1ABC"));
    }

    void incompleteRecords()
    {
        ContestLog log = makeContestLog(40, 600);
        log.records[10].nr2.clear(); // worked station without its number
        log.records[10].rst2.clear();
        log.records[20].call2.clear(); // number without its call
        log.records[30].nr1.clear(); // heard station without its number
        const QVector<Finding> found = run(log.records, log.calls);
        QCOMPARE(found.size(), 3);
        for (const Finding &f : found)
            QCOMPARE(f.kind, Kind::Incomplete);
        QCOMPARE(found[0].record.id, log.records[10].id);
        QCOMPARE(found[0].text, QStringLiteral("У %1 нет контрольного номера (NR-2)").arg(log.records[10].call2));
        QCOMPARE(found[1].record.id, log.records[20].id);
        QCOMPARE(found[1].text,
                 QStringLiteral("Номер %1 без позывного корреспондента (CALL-2)").arg(log.records[20].nr2));
        QCOMPARE(found[2].text, QStringLiteral("У %1 нет контрольного номера (NR-1)").arg(log.records[30].call1));
        // A record without a heard station at all.
        const QVector<Finding> bare = run({rec(1, "12:00", "", "", "", "")}, {});
        QCOMPARE(bare.size(), 1);
        QCOMPARE(bare[0].text, QStringLiteral("Нет позывного наблюдаемой станции (CALL-1)"));
    }

    void repeatsAreListedTogether()
    {
        const QVector<QsoRecord> records = {
            rec(1, "12:00", "UA3AAA", "MO", "DL1AAA", "14"),
            rec(2, "12:01", "UA9AAA", "17", "DL1AAA", "14"),
            rec(3, "12:30", "UA3AAA", "MO", "DL1AAB", "14"),
            rec(4, "12:40", "UA9AAA", "17", "DL1AAB", "14"),
            rec(5, "12:50", "UA3AAA", "MO", "DL1AAA", "14"),
            // another band, another tour, another mode: not repeats
            rec(6, "13:00", "UA3AAA", "MO", "DL1AAB", "14", "1", "40M"),
            rec(7, "15:00", "UA3AAA", "MO", "DL1AAA", "14", "2"),
        };
        QVector<QsoRecord> all = records;
        all << rec(8, "13:10", "UA3AAA", "MO", "DL1AAB", "14");
        all.last().mode = QStringLiteral("PH");
        const QVector<Finding> found = run(all, {"UA3AAA", "UA9AAA", "DL1AAA", "DL1AAB"});
        QCOMPARE(found.size(), 5);
        QList<qint64> ids;
        for (const Finding &f : found) {
            QCOMPARE(f.kind, Kind::Repeat);
            ids << f.record.id;
        }
        QCOMPARE(ids, (QList<qint64>{1, 3, 5, 2, 4}));
        QCOMPARE(found[0].group, found[2].group);
        QVERIFY(found[0].group != found[3].group);
        QCOMPARE(found[0].text, QStringLiteral("UA3AAA в туре 1, 20M CW: первая из 3 записей"));
        QCOMPARE(found[2].text, QStringLiteral("UA3AAA в туре 1, 20M CW: повтор 3 из 3 (первая в 12:00)"));
    }

    void oneTourAndTheOrderOfKinds()
    {
        ContestLog log = makeContestLog(40, 600);
        log.records[10].nr2.clear(); // tour 1
        log.records[400].nr2.clear(); // tour 3
        log.records[401].call1 = QStringLiteral("ZZ9ZZZ"); // tour 3
        log.records[401].nr1 = QStringLiteral("MO");
        QCOMPARE(log.records[10].tur, QStringLiteral("1"));
        QCOMPARE(log.records[400].tur, QStringLiteral("3"));
        const QVector<Finding> all = run(log.records, log.calls);
        QCOMPARE(all.size(), 3);
        QCOMPARE(all[0].kind, Kind::BustedCall); // kinds in their order, then time
        QCOMPARE(all[1].record.id, log.records[10].id);
        QCOMPARE(all[2].record.id, log.records[400].id);
        Options o;
        o.tour = QStringLiteral("3");
        const QVector<Finding> tour3 = run(log.records, log.calls, o);
        QCOMPARE(tour3.size(), 2);
        for (const Finding &f : tour3)
            QCOMPARE(f.record.tur, QStringLiteral("3"));
        o.tour = QStringLiteral("2");
        QVERIFY(run(log.records, log.calls, o).isEmpty());
    }

    void recordsWithoutATimeAreStillChecked()
    {
        QVector<QsoRecord> records = {rec(1, "12:00", "UA3AAA", "MO", "DL1AAA", ""),
                                      rec(2, "  :  ", "UA3AAA", "MO", "DL1AAA", "14")};
        records[1].data = QStringLiteral("32.13.2026");
        const QVector<Finding> found = run(records, {"UA3AAA", "DL1AAA"});
        QCOMPARE(ofKind(found, Kind::Incomplete).size(), 1);
        QCOMPARE(ofKind(found, Kind::Repeat).size(), 2);
        QVERIFY(ofKind(found, Kind::PairTooSoon).isEmpty());
    }

    void progressAndStopping()
    {
        const ContestLog log = makeContestLog(600, 9000);
        QList<int> seen;
        const auto all = check(log.records, log.calls, {}, [&seen](int p) {
            seen << p;
            return true;
        });
        QVERIFY(all.has_value());
        QVERIFY(seen.size() > 5);
        QCOMPARE(seen.last(), 100);
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
        int calls = 0;
        const auto stopped = check(log.records, log.calls, {}, [&calls](int) { return ++calls < 3; });
        QVERIFY(!stopped.has_value());
        QCOMPARE(calls, 3);
    }

    void savedReport()
    {
        const QVector<QsoRecord> records = {rec(1, "12:00", "UA3AAA", "MO", "DL1AAA", ""),
                                            rec(2, "12:01", "UA3AAA", "MO", "DL1AAA", "")};
        Options o;
        o.minRepeatMinutes = 0;
        const Findings found = *check(records, {"UA3AAA", "DL1AAA"}, o);
        QCOMPARE(found.size(), 4);
        const QDateTime at(QDate(2026, 3, 7), QTime(18, 5), Qt::UTC);
        const QStringList lines = reportLines(found, QStringLiteral("2"), at);
        QCOMPARE(lines.value(0), QStringLiteral("Проверка журнала: Тур 2, 07.03.2026 18:05 UTC"));
        QCOMPARE(lines.value(1), QStringLiteral("Найдено: 4"));
        QCOMPARE(lines.value(2), QString());
        QCOMPARE(lines.value(3), QStringLiteral("Неполная   | 07.03.2026 12:00 UA3AAA       MO     DL1AAA              "
                                                "| У DL1AAA нет контрольного номера (NR-2)"));
        QCOMPARE(lines.size(), 7);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("check.txt"));
        QCOMPARE(writeReport(path, found, QString(), at), WriteResult::Ok);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith(
            cp1251::encode(QStringLiteral("Проверка журнала: Весь журнал, 07.03.2026 18:05 UTC\r\n"))));
        QCOMPARE(bytes.count("\r\n"), 7);
        QVERIFY(!bytes.contains("\n\n"));
        QCOMPARE(writeReport(dir.filePath(QStringLiteral("no/such/dir/x.txt")), found, QString(), at),
                 WriteResult::OpenFailed);
    }
};

QTEST_APPLESS_MAIN(TestLogCheck)
#include "tst_log_check.moc"
