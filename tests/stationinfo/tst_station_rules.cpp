// Rules without a window: region table, call normalisation, capture values, duplicate-check
// colours and repeats.

#include "stationinfo/call_normalise.h"
#include "stationinfo/dupe_check.h"
#include "stationinfo/exchange_capture.h"
#include "stationinfo/region_table.h"

#include <QSet>
#include <QtTest>

using namespace vireo;

class TestStationRules : public QObject {
    Q_OBJECT
private slots:
    void regionTableShape();
    void regionOfCall_data();
    void regionOfCall();
    void normalise_data();
    void normalise();
    void captureValues();
    void fieldColours();
    void repeatsAndReports();
};

void TestStationRules::regionTableShape()
{
    const auto &t = region::table();
    QCOMPARE(t.size(), 229);
    QSet<QString> keys;
    for (const auto &e : t) {
        QCOMPARE(e.key.size(), 2);
        QVERIFY2(e.key.at(0).isDigit() && e.key.at(1).isUpper(), qPrintable(e.key));
        keys.insert(e.key);
    }
    QCOMPARE(keys.size(), 229); // no key twice

    // Every key of every digit is either in the table or one of the listed gaps.
    const QStringList gaps = {"1H", "1I", "1U", "1V", "2A", "2B", "2J", "3J", "4E", "4G", "4J",
                              "4K", "4T", "4V", "4X", "5F", "5J", "6K", "6O", "6R", "6S", "6Z",
                              "7K", "7O", "7R", "7S", "7Z", "8E", "9E", "0G", "0P"};
    for (char d = '0'; d <= '9'; ++d)
        for (char l = 'A'; l <= 'Z'; ++l) {
            const QString key = QString(QLatin1Char(d)) + QLatin1Char(l);
            if (gaps.contains(key))
                QVERIFY2(!keys.contains(key), qPrintable(key));
        }
    QCOMPARE(keys.size() + gaps.size(), 229 + 31);
}

void TestStationRules::regionOfCall_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("region");
    QTest::newRow("9A") << "UA9AB"
                        << "3";
    QTest::newRow("5C is 12") << "RA5CX"
                              << "12";
    QTest::newRow("5D is 2") << "RA5DX"
                             << "2";
    QTest::newRow("1H none") << "UA1HZ"
                             << "";
    QTest::newRow("ends in digit") << "UA3"
                                   << "";
    QTest::newRow("no digit") << "UAABC"
                              << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("last digit counts") << "R2ABC/9X"
                                       << "3";
    QTest::newRow("lower case key") << "ua0ab"
                                    << "4";
    QTest::newRow("digit 0 region 7") << "RA0ZZ"
                                      << "7";
    QTest::newRow("digit 2 region 1") << "UA2FA"
                                      << "1";
    QTest::newRow("suffix digit") << "UA3ABC/1"
                                  << "";
}

void TestStationRules::regionOfCall()
{
    QFETCH(QString, call);
    QTEST(region::regionNumber(call), "region");
    QCOMPARE(region::numberForKey(QStringLiteral("9a")), region::numberForKey(QStringLiteral("9A")));
}

void TestStationRules::normalise_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("normal");
    QTest::newRow("plain") << "UA3ABC"
                           << "UA3ABC";
    QTest::newRow("slash digit") << "UA3ABC/1"
                                 << "UA1";
    QTest::newRow("slash letter") << "UA3ABC/P"
                                  << "UA3ABC/P";
    QTest::newRow("prefix before") << "F/UA3ABC"
                                   << "UA3ABC";
    QTest::newRow("prefix after") << "UA3ABC/4X"
                                  << "4X";
    QTest::newRow("maritime") << "UA3ABC/MM"
                              << "UA3ABC/MM";
    QTest::newRow("aero") << "UA3ABC/AM"
                          << "UA3ABC/AM";
    QTest::newRow("qrp") << "UA3ABC/QRP"
                         << "UA3ABC/QRP";
    QTest::newRow("qrpp") << "UA3ABC/QRPP"
                          << "UA3ABC/QRPP";
    QTest::newRow("lower case counts") << "UA3ABC/qrp"
                                       << "qrp";
    QTest::newRow("ends in slash") << "UA3ABC/"
                                   << "";
    QTest::newRow("slash alone") << "/"
                                 << "";
    QTest::newRow("one letter") << "U"
                                << "U";
    QTest::newRow("short with digit") << "U/1"
                                      << "U/1";
    QTest::newRow("blank suffix") << "UA3ABC/  "
                                  << "";
}

void TestStationRules::normalise()
{
    QFETCH(QString, call);
    QTEST(normaliseCall(call), "normal");
}

void TestStationRules::captureValues()
{
    using capture::Kind;
    QCOMPARE(capture::valueOfCaption(Kind::State, QStringLiteral("STATE:MOS")), QStringLiteral("MO"));
    QCOMPARE(capture::valueOfCaption(Kind::Loc, QStringLiteral("LOC:KO85")), QStringLiteral("KO85"));
    QCOMPARE(capture::valueOfCaption(Kind::Deg, QStringLiteral("DEG:34S151O")), QStringLiteral("34S151O"));
    QCOMPARE(capture::valueOfCaption(Kind::Deg, QStringLiteral("DEG:123N123W4")), QStringLiteral("123N123W"));
    QCOMPARE(capture::valueOfCaption(Kind::Loc, QStringLiteral("LOC:KO85ab:cd")), QStringLiteral("KO85ab:c"));
    QCOMPARE(capture::valueOfCaption(Kind::CQ, QStringLiteral("CQ:")), QString());

    capture::Button none[6];
    QVERIFY(!capture::copyValue(none));

    capture::Button b[6];
    b[int(Kind::CQ)] = {false, QStringLiteral("CQ:16")};
    b[int(Kind::RU)] = {true, QStringLiteral("RU:2")};
    QCOMPARE(*capture::copyValue(b), QStringLiteral("2"));
    // Should two be checked at once, STATE is examined before LOC and RU.
    b[int(Kind::State)] = {true, QStringLiteral("STATE:")};
    QCOMPARE(*capture::copyValue(b), QString()); // an empty value empties the field
}

void TestStationRules::fieldColours()
{
    using dupe::FieldColour;
    QCOMPARE(dupe::callFieldColour(1, 1, false, false), FieldColour::Red);
    QCOMPARE(dupe::callFieldColour(0, 2, false, true), FieldColour::Aqua);
    QCOMPARE(dupe::callFieldColour(0, 0, false, true), FieldColour::Yellow);
    QCOMPARE(dupe::callFieldColour(0, 0, false, false), FieldColour::Window);
    QCOMPARE(dupe::callFieldColour(3, 3, true, false), FieldColour::Window);
    QCOMPARE(dupe::callFieldColour(3, 3, true, true), FieldColour::Yellow);
}

void TestStationRules::repeatsAndReports()
{
    QCOMPARE(dupe::defaultReport(QStringLiteral("PH")), QStringLiteral("59"));
    QCOMPARE(dupe::defaultReport(QStringLiteral("CW")), QStringLiteral("599"));
    QCOMPARE(dupe::defaultReport(QStringLiteral("RY")), QStringLiteral("599"));
    QCOMPARE(dupe::defaultReport(QStringLiteral("ph")), QStringLiteral("599"));
    QCOMPARE(dupe::heardStatus(3), QStringLiteral("Повторы: Heard = 3"));
    QCOMPARE(dupe::workedStatus(0), QStringLiteral("Повторы: Worked = 0"));

    const dupe::Entry e{QStringLiteral("UA3ABC"), QStringLiteral("DL1XX"), QStringLiteral("20M"), QStringLiteral("CW"),
                        QStringLiteral("1")};
    RepeatRow r{QStringLiteral("1"),     QStringLiteral("20M"),  QStringLiteral("CW"),    QStringLiteral("05.03.2026"),
                QStringLiteral("07:04"), QStringLiteral("K1AB"), QStringLiteral("UA3ABC")};
    QVERIFY(dupe::isRepeat(r, e));
    r.call2 = QStringLiteral("DL1XX");
    QVERIFY(dupe::isRepeat(r, e)); // the other field's call counts as well
    RepeatRow other = r;
    other.band = QStringLiteral("40M");
    QVERIFY(!dupe::isRepeat(other, e));
    other = r;
    other.mode = QStringLiteral("PH");
    QVERIFY(!dupe::isRepeat(other, e));
    other = r;
    other.tur = QStringLiteral("2");
    QVERIFY(!dupe::isRepeat(other, e));
    other = r;
    other.call1 = QStringLiteral("UA3AB");
    other.call2 = QStringLiteral("ua3abc");
    QVERIFY(!dupe::isRepeat(other, e)); // exact: case and length count
}

QTEST_MAIN(TestStationRules)
#include "tst_station_rules.moc"
