// The station lookup over reference tables made by the test and over the real country file.

#include "db/database.h"
#include "db/reference_store.h"
#include "stationinfo/reference_files.h"
#include "stationinfo/station_lookup.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace vireo;

namespace {

PrefixRow prefixRow(const QString &prefix, const QString &dxcc, const QString &lat = QString(),
                    const QString &lon = QString(), const QString &state = QString())
{
    PrefixRow r;
    r.prefix = prefix;
    r.dxccPrefix = dxcc;
    r.cqZone = QStringLiteral("C") + prefix;
    r.ituZone = QStringLiteral("I") + prefix;
    r.state = state;
    r.country = QStringLiteral("Land ") + prefix;
    r.continent = QStringLiteral("EU");
    r.latitude = lat;
    r.longitude = lon;
    return r;
}

// Independent distance on the same sphere (haversine), for the expected kilometres.
double haversineMetres(double lat1, double lon1, double lat2, double lon2)
{
    const long double r = 3.141592653589793238462643383279502884L / 180.0L;
    const long double dp = (lat2 - lat1) * r, dl = (lon2 - lon1) * r;
    const long double h = std::sin(dp / 2) * std::sin(dp / 2)
                          + std::cos(lat1 * r) * std::cos(lat2 * r) * std::sin(dl / 2) * std::sin(dl / 2);
    return double(2.0L * 6372795.0L * std::asin(std::sqrt(h)));
}

double vectorBearing(double lat1, double lon1, double lat2, double lon2)
{
    const double r = M_PI / 180;
    const double t[3] = {std::cos(lat2 * r) * std::cos(lon2 * r), std::cos(lat2 * r) * std::sin(lon2 * r),
                         std::sin(lat2 * r)};
    const double e = -t[0] * std::sin(lon1 * r) + t[1] * std::cos(lon1 * r);
    const double n = -t[0] * std::sin(lat1 * r) * std::cos(lon1 * r) - t[1] * std::sin(lat1 * r) * std::sin(lon1 * r)
                     + t[2] * std::cos(lat1 * r);
    double b = std::atan2(e, n) * 180 / M_PI;
    return b < 0 ? b + 360 : b;
}

} // namespace

class TestLookup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void shortCallsReset();
    void longestPrefixWins();
    void nothingFound();
    void positionRules();
    void callbookPrecedence();
    void russianRegionOnlyForRussia();
    void distanceTexts();
    void realCountryFile_data();
    void realCountryFile();
    void cleanupTestCase();

private:
    void makeDatabase(const QString &ctyPath);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<ReferenceStore> m_refs;
    std::unique_ptr<QTemporaryDir> m_realDir;
    std::unique_ptr<Database> m_real;
    std::unique_ptr<ReferenceStore> m_realRefs;
    QLocale m_locale{QLocale::English, QLocale::UnitedStates};
};

void TestLookup::makeDatabase(const QString &ctyPath)
{
    m_refs.reset();
    m_db.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    const QString path = m_dir->filePath(QStringLiteral("vireolog.db"));
    Database::prepareFile(path, referenceFiles(ctyPath));
    m_db = std::make_unique<Database>(path, QStringLiteral("lookup-test"));
    m_refs = std::make_unique<ReferenceStore>(m_db->connection());
}

void TestLookup::init()
{
    makeDatabase(QString()); // no country file: empty prefix table
}

void TestLookup::cleanup()
{
    m_refs.reset();
    m_db.reset();
}

void TestLookup::cleanupTestCase()
{
    m_realRefs.reset();
    m_real.reset();
}

void TestLookup::shortCallsReset()
{
    m_refs->fillPrefixes(
        {prefixRow(QStringLiteral("U"), QStringLiteral("UA"), QStringLiteral("55"), QStringLiteral("37"))});
    StationLookup lookup(*m_refs, m_locale);
    for (const QString &call :
         {QString(), QStringLiteral("U"), QStringLiteral("/"), QStringLiteral("UA3ABC/"), QStringLiteral("UA3ABC/ ")}) {
        const StationDisplay d = lookup.lookup(call, 0, 0);
        QVERIFY2(d.reset, qPrintable(call));
        QCOMPARE(d.distance, QStringLiteral("0 km"));
        QCOMPARE(d.cq, QStringLiteral("CQ:"));
        QCOMPARE(*d.ru, QStringLiteral("RU:"));
        QCOMPARE(d.deg, QStringLiteral("DEG:"));
    }
    QVERIFY(!lookup.lookup(QStringLiteral("UA"), 0, 0).reset);
}

void TestLookup::longestPrefixWins()
{
    m_refs->fillPrefixes({prefixRow(QStringLiteral("U"), QStringLiteral("U")),
                          prefixRow(QStringLiteral("UA"), QStringLiteral("UA")),
                          prefixRow(QStringLiteral("UA3"), QStringLiteral("UA3")),
                          prefixRow(QStringLiteral("RZ9"), QStringLiteral("RZ9"))});
    StationLookup lookup(*m_refs, m_locale);
    StationDisplay d = lookup.lookup(QStringLiteral("UA3ABC"), 0, 0);
    QCOMPARE(lookup.chosenLength(), 3);
    QCOMPARE(d.prefix, QStringLiteral("UA3"));
    QCOMPARE(d.cq, QStringLiteral("CQ:CUA3"));
    QCOMPARE(d.itu, QStringLiteral("ITU:IUA3"));
    QCOMPARE(d.continent, QStringLiteral("EU"));

    // Only the three-character row: found although one and two characters fail.
    d = lookup.lookup(QStringLiteral("RZ9XX"), 0, 0);
    QCOMPARE(lookup.chosenLength(), 3);
    QCOMPARE(d.dxcc, QStringLiteral("RZ9"));

    // A two-character call that is itself a prefix matches at every length from 2 on.
    d = lookup.lookup(QStringLiteral("UA"), 0, 0);
    QCOMPARE(lookup.chosenLength(), 4);
    QCOMPARE(d.prefix, QStringLiteral("UA"));

    // The normalised call is looked up: a call with "/1" as "UA1", a prefix before "/" dropped.
    d = lookup.lookup(QStringLiteral("UA3ABC/1"), 0, 0);
    QCOMPARE(d.prefix, QStringLiteral("UA"));
    d = lookup.lookup(QStringLiteral("DL/UA3ABC"), 0, 0);
    QCOMPARE(d.prefix, QStringLiteral("UA3"));
}

void TestLookup::nothingFound()
{
    m_refs->fillPrefixes(
        {prefixRow(QStringLiteral("DL"), QStringLiteral("DL"), QStringLiteral("51"), QStringLiteral("10"))});
    StationLookup lookup(*m_refs, m_locale);
    StationDisplay d = lookup.lookup(QStringLiteral("ZZ1AA"), 55.75, 37.62);
    QVERIFY(!d.reset);
    QCOMPARE(lookup.chosenLength(), 0);
    QCOMPARE(d.dxcc, QString());
    QCOMPARE(d.prefix, QString());
    QCOMPARE(d.continent, QString());
    QCOMPARE(d.cq, QStringLiteral("CQ:"));
    QCOMPARE(d.itu, QStringLiteral("ITU:"));
    QCOMPARE(d.state, QStringLiteral("STATE:"));
    QCOMPARE(d.deg, QStringLiteral("DEG:"));
    QCOMPARE(d.loc, QStringLiteral("LOC:"));
    QCOMPARE(d.distance, QStringLiteral("0 km"));
    QCOMPARE(d.country, QStringLiteral("Az:000  "));
    QVERIFY(!d.ru); // the RU caption keeps what it showed
    QCOMPARE(d.stationLatitude, 55.75);

    // The callbook still fills STATE, DEG and LOC.
    m_refs->addCallbook(
        {CallbookRow{QStringLiteral("ZZ1AA"), QStringLiteral("XY"), QStringLiteral("AB12"), QStringLiteral("1N2O")}});
    d = lookup.lookup(QStringLiteral("ZZ1AA"), 55.75, 37.62);
    QCOMPARE(d.state, QStringLiteral("STATE:XY"));
    QCOMPARE(d.deg, QStringLiteral("DEG:1N2O"));
    QCOMPARE(d.loc, QStringLiteral("LOC:AB12"));
}

void TestLookup::positionRules()
{
    m_refs->fillPrefixes(
        {prefixRow(QStringLiteral("AA"), QStringLiteral("AA")), // no position
         prefixRow(QStringLiteral("BB"), QStringLiteral("BB"), QStringLiteral("-33,87"), QStringLiteral("151.21")),
         prefixRow(QStringLiteral("CC"), QStringLiteral("CC"), QStringLiteral("north"), QStringLiteral("10")),
         prefixRow(QStringLiteral("DD"), QStringLiteral("DD"), QStringLiteral("10"), QString()),
         prefixRow(QStringLiteral("EE"), QStringLiteral("EE"), QStringLiteral("0"), QStringLiteral("90"))});
    StationLookup lookup(*m_refs, m_locale);

    StationDisplay d = lookup.lookup(QStringLiteral("AA1A"), 40.0, -74.0);
    QCOMPARE(d.distance, QStringLiteral("0 km"));
    QCOMPARE(d.country, QStringLiteral("Az:000  Land AA"));
    QCOMPARE(d.deg, QStringLiteral("DEG:"));
    QCOMPARE(d.loc, QStringLiteral("LOC:"));
    QCOMPARE(d.stationLatitude, 40.0);
    QCOMPARE(d.stationLongitude, -74.0);

    // "," as the decimal point.
    d = lookup.lookup(QStringLiteral("BB1A"), 0, 0);
    QCOMPARE(d.stationLatitude, -33.87);
    QCOMPARE(d.deg, QStringLiteral("DEG:34S151O"));
    QCOMPARE(d.loc, QStringLiteral("LOC:QF56"));

    // A coordinate that is not a number, or only one of the two: the own position, no error.
    for (const QString &call : {QStringLiteral("CC1A"), QStringLiteral("DD1A")}) {
        d = lookup.lookup(call, 10, 20);
        QCOMPARE(d.distanceMetres, 0);
        QCOMPARE(d.distance, QStringLiteral("0 km"));
        QVERIFY(d.country.endsWith(QStringLiteral("Land ") + call.left(2)));
    }

    // A quarter of the equator east.
    d = lookup.lookup(QStringLiteral("EE1A"), 0, 0);
    QCOMPARE(d.distanceMetres, 10010363);
    QCOMPARE(d.azimuthDegrees, 90);
    QCOMPARE(d.distance, QStringLiteral("10,010 km"));
    QCOMPARE(d.country, QStringLiteral("Az:090  Land EE"));
    QCOMPARE(d.deg, QStringLiteral("DEG:0N90O"));
    QCOMPARE(d.loc, QStringLiteral("LOC:NJ50"));
}

void TestLookup::callbookPrecedence()
{
    m_refs->fillPrefixes(
        {prefixRow(QStringLiteral("K"), QStringLiteral("K"), QStringLiteral("40"), QStringLiteral("-74"),
                   QStringLiteral("NY")),
         prefixRow(QStringLiteral("N"), QStringLiteral("K"), QStringLiteral("40"), QStringLiteral("-74"))});
    m_refs->addCallbook(
        {CallbookRow{QStringLiteral("K1AA"), QStringLiteral("CT"), QString(), QString()},
         CallbookRow{QStringLiteral("K1BB"), QStringLiteral("MAS"), QStringLiteral("FN42"), QString()},
         CallbookRow{QStringLiteral("N1CC"), QStringLiteral("ME"), QString(), QStringLiteral("45N69W")}});
    StationLookup lookup(*m_refs, m_locale);
    StationDisplay d = lookup.lookup(QStringLiteral("K1AA"), 55.75, 37.62);
    QCOMPARE(d.state, QStringLiteral("STATE:NY")); // two characters do not replace two
    QCOMPARE(d.deg, QStringLiteral("DEG:40N74W"));
    QCOMPARE(d.loc, QStringLiteral("LOC:FN30"));
    d = lookup.lookup(QStringLiteral("K1BB"), 55.75, 37.62);
    QCOMPARE(d.state, QStringLiteral("STATE:MAS")); // three do
    QCOMPARE(d.loc, QStringLiteral("LOC:FN42"));
    d = lookup.lookup(QStringLiteral("N1CC"), 55.75, 37.62);
    QCOMPARE(d.state, QStringLiteral("STATE:ME")); // anything replaces an empty state
    QCOMPARE(d.deg, QStringLiteral("DEG:45N69W"));
    // The callbook is asked for the call as typed, case and suffix included.
    d = lookup.lookup(QStringLiteral("K1BB/P"), 55.75, 37.62);
    QCOMPARE(d.state, QStringLiteral("STATE:NY"));
}

void TestLookup::russianRegionOnlyForRussia()
{
    m_refs->fillPrefixes(
        {prefixRow(QStringLiteral("UA"), QStringLiteral("UA")), prefixRow(QStringLiteral("UA9"), QStringLiteral("UA9")),
         prefixRow(QStringLiteral("UA2"), QStringLiteral("UA2")), prefixRow(QStringLiteral("UR"), QStringLiteral("UR")),
         prefixRow(QStringLiteral("R1"), QStringLiteral("UA1")),
         prefixRow(QStringLiteral("R8"), QStringLiteral("UA8"))});
    StationLookup lookup(*m_refs, m_locale);
    QCOMPARE(*lookup.lookup(QStringLiteral("UA9AB"), 0, 0).ru, QStringLiteral("RU:3"));
    QCOMPARE(*lookup.lookup(QStringLiteral("UA3ABC"), 0, 0).ru, QStringLiteral("RU:2"));
    QCOMPARE(*lookup.lookup(QStringLiteral("UA2FA"), 0, 0).ru, QStringLiteral("RU:1"));
    QCOMPARE(*lookup.lookup(QStringLiteral("R1HZ"), 0, 0).ru, QStringLiteral("RU:")); // no entry
    QVERIFY(!lookup.lookup(QStringLiteral("UR5CX"), 0, 0).ru);
    QVERIFY(!lookup.lookup(QStringLiteral("R8AB"), 0, 0).ru); // a Russian call of another entity prefix
}

void TestLookup::distanceTexts()
{
    QCOMPARE(distanceText(0, m_locale), QStringLiteral("0 km"));
    QCOMPARE(distanceText(499, m_locale), QStringLiteral("0 km"));
    QCOMPARE(distanceText(500, m_locale), QStringLiteral("0 km"));
    QCOMPARE(distanceText(1500, m_locale), QStringLiteral("2 km"));
    QCOMPARE(distanceText(2500, m_locale), QStringLiteral("2 km"));
    QCOMPARE(distanceText(1234567, m_locale), QStringLiteral("1,235 km"));
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QVERIFY(russian.groupSeparator().trimmed().isEmpty()); // a blank of some kind
    QCOMPARE(distanceText(1234567, russian), QStringLiteral("1") + russian.groupSeparator() + QStringLiteral("235 km"));
    QLocale omitting = m_locale;
    omitting.setNumberOptions(QLocale::OmitGroupSeparator);
    QCOMPARE(distanceText(20000000, omitting), QStringLiteral("20,000 km"));

    QCOMPARE(parseCoordinate(QStringLiteral("55,75")).value_or(0), 55.75);
    QCOMPARE(parseCoordinate(QStringLiteral(" -10.5 ")).value_or(0), -10.5);
    QVERIFY(!parseCoordinate(QStringLiteral("1.000.5")));
    QVERIFY(!parseCoordinate(QStringLiteral("inf")));
    QVERIFY(!parseCoordinate(QStringLiteral("nan")));
    QVERIFY(!parseCoordinate(QStringLiteral("12N")));
}

void TestLookup::realCountryFile_data()
{
    // Expected values as the country file states them (longitude there is West-positive).
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("dxcc");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("continent");
    QTest::addColumn<QString>("cq");
    QTest::addColumn<QString>("itu");
    QTest::addColumn<QString>("country");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("ru");
    QTest::newRow("Germany") << "DL1ABC"
                             << "DL"
                             << "DL"
                             << "EU"
                             << "14"
                             << "28"
                             << "Fed. Rep. of Germany" << 51.00 << 10.00 << "-";
    QTest::newRow("Japan") << "JA1XYZ"
                           << "JA"
                           << "JA"
                           << "AS"
                           << "25"
                           << "45"
                           << "Japan" << 36.40 << 138.38 << "-";
    QTest::newRow("USA") << "W1AW"
                         << "K"
                         << "W"
                         << "NA"
                         << "5"
                         << "8"
                         << "United States of America" << 37.60 << -91.87 << "-";
    QTest::newRow("Brazil") << "PY2ABC"
                            << "PY"
                            << "PY"
                            << "SA"
                            << "11"
                            << "15"
                            << "Brazil" << -10.00 << -53.00 << "-";
    QTest::newRow("Australia") << "VK2ABC"
                               << "VK"
                               << "VK"
                               << "OC"
                               << "30"
                               << "59"
                               << "Australia" << -23.70 << 132.33 << "-";
    QTest::newRow("South Africa") << "ZS6ABC"
                                  << "ZS"
                                  << "ZS"
                                  << "AF"
                                  << "38"
                                  << "57"
                                  << "South Africa" << -29.07 << 22.63 << "-";
    QTest::newRow("Asiatic Russia") << "UA9ABC"
                                    << "UA9"
                                    << "UA9"
                                    << "AS"
                                    << "17"
                                    << "30"
                                    << "Asiatic Russia" << 55.88 << 84.08 << "RU:3";
    QTest::newRow("Kaliningrad") << "UA2FAA"
                                 << "UA2"
                                 << "UA2"
                                 << "EU"
                                 << "15"
                                 << "29"
                                 << "Kaliningrad" << 54.72 << 20.52 << "RU:1";
    QTest::newRow("Ukraine") << "UR5CX"
                             << "UR"
                             << "UR"
                             << "EU"
                             << "16"
                             << "29"
                             << "Ukraine" << 50.00 << 30.00 << "-";
}

void TestLookup::realCountryFile()
{
    if (!QFile::exists(defaultCtyPath()))
        QSKIP("the country file of hamradio-files is not installed");
    if (!m_real) { // one database from the country file for every row
        m_realDir = std::make_unique<QTemporaryDir>();
        const QString path = m_realDir->filePath(QStringLiteral("vireolog.db"));
        Database::prepareFile(path, referenceFiles());
        m_real = std::make_unique<Database>(path, QStringLiteral("lookup-real"));
        m_realRefs = std::make_unique<ReferenceStore>(m_real->connection());
    }
    QFETCH(QString, call);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, ru);
    QFETCH(QString, country);
    const double ownLat = 55.75, ownLon = 37.62; // Moscow
    StationLookup lookup(*m_realRefs, m_locale);
    const StationDisplay d = lookup.lookup(call, ownLat, ownLon);
    QTEST(d.dxcc, "dxcc");
    QTEST(d.prefix, "prefix");
    QTEST(d.continent, "continent");
    QFETCH(QString, cq);
    QFETCH(QString, itu);
    QCOMPARE(d.cq, QStringLiteral("CQ:") + cq);
    QCOMPARE(d.itu, QStringLiteral("ITU:") + itu);
    QCOMPARE(d.stationLatitude, lat);
    QCOMPARE(d.stationLongitude, lon);

    const double metres = haversineMetres(ownLat, ownLon, lat, lon);
    QVERIFY2(std::fabs(d.distanceMetres - metres) <= 1.0,
             QByteArray::number(d.distanceMetres) + " vs " + QByteArray::number(metres));
    const int km = int(std::lround(metres / 1000)); // no distance here ends in exactly half a kilometre
    QCOMPARE(d.distance, m_locale.toString(km) + QStringLiteral(" km"));
    const double bearing = vectorBearing(ownLat, ownLon, lat, lon);
    QVERIFY2(std::fabs(d.azimuthDegrees - bearing) <= 0.5,
             QByteArray::number(d.azimuthDegrees) + " vs " + QByteArray::number(bearing));
    QCOMPARE(d.country, QStringLiteral("Az:%1  ").arg(d.azimuthDegrees, 3, 10, QLatin1Char('0')) + country);
    QCOMPARE(d.deg, QStringLiteral("DEG:%1%2%3%4")
                        .arg(std::abs(std::lround(lat)))
                        .arg(lat >= 0 ? "N" : "S")
                        .arg(std::abs(std::lround(lon)))
                        .arg(lon >= 0 ? "O" : "W"));
    const QString loc = QString(QChar('A' + int((lon + 180) / 20))) + QChar('A' + int((lat + 90) / 10))
                        + QChar('0' + int(std::fmod(lon + 180, 20) / 2)) + QChar('0' + int(std::fmod(lat + 90, 10)));
    QCOMPARE(d.loc, QStringLiteral("LOC:") + loc);
    if (ru == QLatin1String("-"))
        QVERIFY(!d.ru);
    else
        QCOMPARE(d.ru.value_or(QStringLiteral("none")), ru);
}

QTEST_MAIN(TestLookup)
#include "tst_lookup.moc"
