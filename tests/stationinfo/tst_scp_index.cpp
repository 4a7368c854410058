// The partial-check index against a plain evaluation over the real contest-call list: calls that
// contain a fragment, calls one character off, and the log calls it follows.

#include "stationinfo/scp_file.h"
#include "stationinfo/scp_index.h"

#include <QFile>
#include <QtTest>

#include <algorithm>

using namespace vireo;

namespace {

const QString MasterPath = QStringLiteral("/usr/share/hamradio-files/MASTER.SCP");

// Whether b is a with one character changed, removed or added.
bool oneOff(const QString &a, const QString &b)
{
    const int la = int(a.size()), lb = int(b.size());
    if (la == lb) {
        int diff = 0;
        for (int i = 0; i < la && diff < 2; ++i)
            diff += a.at(i) != b.at(i);
        return diff == 1;
    }
    if (std::abs(la - lb) != 1)
        return false;
    const QString &longer = la > lb ? a : b;
    const QString &shorter = la > lb ? b : a;
    for (int i = 0; i < longer.size(); ++i)
        if (QString(longer).remove(i, 1) == shorter)
            return true;
    return false;
}

QStringList expectedMatches(const QStringList &calls, const QString &fragment)
{
    QStringList out;
    for (const QString &c : calls)
        if (c.contains(fragment))
            out << c;
    out.sort();
    out.removeDuplicates();
    return out;
}

QStringList expectedNear(const QStringList &calls, const QString &call)
{
    QStringList out;
    for (const QString &c : calls)
        if (oneOff(call, c))
            out << c;
    out.sort();
    out.removeDuplicates();
    return out;
}

} // namespace

class TestScpIndex : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void matchesAndNearCallsOfTheRealList_data();
    void matchesAndNearCallsOfTheRealList();
    void logCallsAreCountedAddedAndRemoved();
    void callsAddedAfterTheBuildKeepTheOrder();
    void repeatsByBandModeAndTour();

private:
    QStringList m_master;
};

void TestScpIndex::initTestCase()
{
    QFile f(MasterPath);
    QVERIFY2(f.open(QIODevice::ReadOnly), "hamradio-files is installed");
    const ScpContents scp = readScp(f.readAll()); // a broken file fails the test by its exception
    m_master = scp.calls;
    QVERIFY(m_master.size() > 80000);
}

void TestScpIndex::matchesAndNearCallsOfTheRealList_data()
{
    QTest::addColumn<QString>("typed");
    // Two characters (a gram list as it is), three, longer ones (checked against the calls),
    // a fragment in the middle or at the end, portable strokes, nothing at all, other characters.
    for (const char *t : {"UA", "K1", "3AB", "W1AW", "DL1ABC", "E0AC", "/P", "ZZ", "QQQ", "9A1A", "XYZ", "A-1", "UA3"})
        QTest::newRow(t) << QString::fromLatin1(t);
    QTest::newRow("cyrillic") << QStringLiteral("УА3");
}

void TestScpIndex::matchesAndNearCallsOfTheRealList()
{
    QFETCH(QString, typed);
    ScpIndex index;
    index.setMasterCalls(m_master);
    // A log call that is not in the list takes part like the others.
    const QString logCall = typed + QStringLiteral("LOG9");
    index.addRecord(logCall, QString(), QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("0"));
    const QStringList all = m_master + QStringList{logCall};

    const QStringList matches = index.matches(typed);
    QCOMPARE(matches, expectedMatches(all, typed));
    QVERIFY(matches.contains(logCall));
    QCOMPARE(index.nearCalls(typed), expectedNear(all, typed));
}

void TestScpIndex::logCallsAreCountedAddedAndRemoved()
{
    ScpIndex index;
    index.setMasterCalls({QStringLiteral("UA3ABC"), QStringLiteral("DL1ABC")});
    const QString b = QStringLiteral("20M"), m = QStringLiteral("CW"), t = QStringLiteral("0");
    QVERIFY(index.isKnown(QStringLiteral("UA3ABC")));
    QVERIFY(!index.isKnown(QStringLiteral("R3ABC")));
    QCOMPARE(index.matches(QStringLiteral("3AB")), (QStringList{"UA3ABC"}));

    // Saved twice, deleted once: still known.
    index.addRecord(QStringLiteral("R3ABC"), QStringLiteral("UA3ABC"), b, m, t);
    index.addRecord(QStringLiteral("R3ABC"), QString(), b, m, t);
    QCOMPARE(index.matches(QStringLiteral("3AB")), (QStringList{"R3ABC", "UA3ABC"}));
    QCOMPARE(index.logCount(QStringLiteral("R3ABC")), 2);
    QCOMPARE(index.logCount(QStringLiteral("UA3ABC")), 1);
    index.removeRecord(QStringLiteral("R3ABC"), QString(), b, m, t);
    QVERIFY(index.isKnown(QStringLiteral("R3ABC")));
    index.removeRecord(QStringLiteral("R3ABC"), QStringLiteral("UA3ABC"), b, m, t);
    QVERIFY(!index.isKnown(QStringLiteral("R3ABC")));
    QCOMPARE(index.matches(QStringLiteral("3AB")), (QStringList{"UA3ABC"}));
    // A list call leaves the log but stays in the list.
    QVERIFY(index.isKnown(QStringLiteral("UA3ABC")));
    QVERIFY(index.inMaster(QStringLiteral("UA3ABC")));
    QCOMPARE(index.logCount(QStringLiteral("UA3ABC")), 0);
    // Removing what was never there changes nothing.
    index.removeRecord(QStringLiteral("K1ZZ"), QStringLiteral("UA3ABC"), b, m, t);
    QVERIFY(index.isKnown(QStringLiteral("UA3ABC")));
    QCOMPARE(index.nearCalls(QStringLiteral("UA3ABD")), (QStringList{"UA3ABC"}));
    QCOMPARE(index.nearCalls(QStringLiteral("UA3AB")), (QStringList{"UA3ABC"}));
    QCOMPARE(index.nearCalls(QStringLiteral("UA3ABCD")), (QStringList{"UA3ABC"}));
    QCOMPARE(index.nearCalls(QStringLiteral("UA3ABC")), QStringList());

    // Clearing the log keeps the list; a new list replaces the old one.
    index.addRecord(QStringLiteral("R3ABC"), QString(), b, m, t);
    index.clearLog();
    QCOMPARE(index.matches(QStringLiteral("3AB")), (QStringList{"UA3ABC"}));
    index.setMasterCalls({QStringLiteral("DL1ABC")});
    QCOMPARE(index.matches(QStringLiteral("AB")), (QStringList{"DL1ABC"}));
    QCOMPARE(index.masterCount(), 1);
    QCOMPARE(index.matches(QStringLiteral("A")), QStringList());
}

void TestScpIndex::callsAddedAfterTheBuildKeepTheOrder()
{
    ScpIndex index;
    QStringList master = m_master.mid(0, 20000);
    index.setMasterCalls(master);
    QCOMPARE(index.matches(QStringLiteral("AB")), expectedMatches(master, QStringLiteral("AB")));
    // A few calls saved after the first search, then many (past the point where it rebuilds).
    QStringList all = master;
    for (int round : {10, 3000}) {
        for (int i = 0; i < round; ++i) {
            const QString c = QStringLiteral("%1AB%2").arg(QChar('A' + i % 26)).arg(i);
            index.addRecord(c, QString(), QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("0"));
            all << c;
        }
        for (const char *f : {"AB", "AB1", "B29", "ZAB"})
            QCOMPARE(index.matches(QString::fromLatin1(f)), expectedMatches(all, QString::fromLatin1(f)));
    }
    QCOMPARE(index.knownCount(), int(expectedMatches(all, QString()).size()));
}

void TestScpIndex::repeatsByBandModeAndTour()
{
    ScpIndex index;
    index.addRecord(QStringLiteral("UA3A"), QStringLiteral("DL1A"), QStringLiteral("20M"), QStringLiteral("CW"),
                    QStringLiteral("1"));
    index.addRecord(QStringLiteral("UA3A"), QString(), QStringLiteral("40M"), QStringLiteral("CW"),
                    QStringLiteral("1"));
    QVERIFY(index.isRepeat(QStringLiteral("UA3A"), QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("1")));
    QVERIFY(index.isRepeat(QStringLiteral("DL1A"), QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("1")));
    QVERIFY(!index.isRepeat(QStringLiteral("UA3A"), QStringLiteral("20M"), QStringLiteral("PH"), QStringLiteral("1")));
    QVERIFY(!index.isRepeat(QStringLiteral("UA3A"), QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("2")));
    QVERIFY(!index.isRepeat(QStringLiteral("UA3A"), QStringLiteral("80M"), QStringLiteral("CW"), QStringLiteral("1")));
    index.removeRecord(QStringLiteral("UA3A"), QStringLiteral("DL1A"), QStringLiteral("20M"), QStringLiteral("CW"),
                       QStringLiteral("1"));
    QVERIFY(!index.isRepeat(QStringLiteral("UA3A"), QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("1")));
    QVERIFY(index.isRepeat(QStringLiteral("UA3A"), QStringLiteral("40M"), QStringLiteral("CW"), QStringLiteral("1")));
    QCOMPARE(index.logCount(QStringLiteral("UA3A")), 1);
}

QTEST_APPLESS_MAIN(TestScpIndex)
#include "tst_scp_index.moc"
