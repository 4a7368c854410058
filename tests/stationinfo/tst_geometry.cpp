// Distance, azimuth, degree position and locator, checked against the worked examples and
// against an independent evaluation (haversine distance, bearing from 3-D vectors).

#include "stationinfo/geometry.h"

#include <QtTest>

#include <cmath>

using namespace vireo;

namespace {

// Haversine distance on the same sphere, in long double.
long double haversineMetres(double lat1, double lon1, double lat2, double lon2)
{
    const long double r = 3.141592653589793238462643383279502884L / 180.0L;
    const long double p1 = lat1 * r, p2 = lat2 * r, dp = (lat2 - lat1) * r, dl = (lon2 - lon1) * r;
    const long double h =
        std::sin(dp / 2) * std::sin(dp / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2.0L * 6372795.0L * std::asin(std::min(1.0L, std::sqrt(h)));
}

// Initial bearing from unit vectors: the target's components along local north and east.
long double vectorBearingDegrees(double lat1, double lon1, double lat2, double lon2)
{
    const long double pi = 3.141592653589793238462643383279502884L, r = pi / 180.0L;
    const long double p1 = lat1 * r, l1 = lon1 * r, p2 = lat2 * r, l2 = lon2 * r;
    const long double t[3] = {std::cos(p2) * std::cos(l2), std::cos(p2) * std::sin(l2), std::sin(p2)};
    const long double east[3] = {-std::sin(l1), std::cos(l1), 0};
    const long double north[3] = {-std::sin(p1) * std::cos(l1), -std::sin(p1) * std::sin(l1), std::cos(p1)};
    const long double e = t[0] * east[0] + t[1] * east[1] + t[2] * east[2];
    const long double n = t[0] * north[0] + t[1] * north[1] + t[2] * north[2];
    long double b = std::atan2(e, n) * 180.0L / pi;
    if (b < 0)
        b += 360.0L;
    return b;
}

} // namespace

class TestGeometry : public QObject {
    Q_OBJECT
private slots:
    void distanceAndAzimuth_data();
    void distanceAndAzimuth();
    void agreesWithIndependentFormulas();
    void roundingAndNormalisation();
    void degreePosition_data();
    void degreePosition();
    void locator_data();
    void locator();
};

void TestGeometry::distanceAndAzimuth_data()
{
    QTest::addColumn<double>("lat1");
    QTest::addColumn<double>("lon1");
    QTest::addColumn<double>("lat2");
    QTest::addColumn<double>("lon2");
    QTest::addColumn<int>("metres");
    QTest::addColumn<int>("azimuth");
    QTest::newRow("same place") << 55.75 << 37.62 << 55.75 << 37.62 << 0 << 0;
    QTest::newRow("quarter east") << 0.0 << 0.0 << 0.0 << 90.0 << 10010363 << 90;
    QTest::newRow("quarter west") << 0.0 << 0.0 << 0.0 << -90.0 << 10010363 << 270;
    QTest::newRow("north pole") << 0.0 << 0.0 << 90.0 << 0.0 << 10010363 << 0;
    QTest::newRow("south pole") << 0.0 << 0.0 << -90.0 << 0.0 << 10010363 << 180;
    QTest::newRow("one degree") << 0.0 << 0.0 << 0.0 << 1.0 << 111226 << 90;
    QTest::newRow("eleven metres") << 10.0 << 20.0 << 10.0 << 20.0001 << 11 << 90;
}

void TestGeometry::distanceAndAzimuth()
{
    QFETCH(double, lat1);
    QFETCH(double, lon1);
    QFETCH(double, lat2);
    QFETCH(double, lon2);
    const geo::DistAz r = geo::CalcDistAz(lat1, lon1, lat2, lon2);
    QTEST(r.distanceMetres, "metres");
    QTEST(r.azimuthDegrees, "azimuth");
}

void TestGeometry::agreesWithIndependentFormulas()
{
    // Moscow as own position, stations on every continent.
    struct P {
        double lat, lon;
    };
    const P own[] = {{55.75, 37.62}, {-33.87, 151.21}, {40.71, -74.01}, {0, 0}};
    const P far[] = {{51.00, 10.00},  {36.40, 138.38}, {37.60, -91.87}, {-10.00, -53.00}, {-23.70, 132.33},
                     {-29.07, 22.63}, {55.88, 84.08},  {64.0, -150.0},  {-77.85, 166.67}, {21.3, -157.8}};
    for (const P &o : own) {
        for (const P &s : far) {
            const geo::DistAz r = geo::CalcDistAz(o.lat, o.lon, s.lat, s.lon);
            const long double d = haversineMetres(o.lat, o.lon, s.lat, s.lon);
            const long double b = vectorBearingDegrees(o.lat, o.lon, s.lat, s.lon);
            const QByteArray where = QByteArray::number(o.lat) + "," + QByteArray::number(o.lon) + " -> "
                                     + QByteArray::number(s.lat) + "," + QByteArray::number(s.lon);
            QVERIFY2(std::fabs(r.distanceMetres - double(d)) <= 1.0,
                     where + " distance " + QByteArray::number(r.distanceMetres));
            // Compare as directions, so that 0 and 360 agree.
            double diff = std::fabs(r.azimuthDegrees - double(b));
            diff = std::min(diff, 360.0 - diff);
            QVERIFY2(diff <= 0.5 + 1e-9, where + " azimuth " + QByteArray::number(r.azimuthDegrees));
        }
    }
}

void TestGeometry::roundingAndNormalisation()
{
    QCOMPARE(geo::roundHalfEven(0.5), 0.0);
    QCOMPARE(geo::roundHalfEven(1.5), 2.0);
    QCOMPARE(geo::roundHalfEven(2.5), 2.0);
    QCOMPARE(geo::roundHalfEven(-2.5), -2.0);
    QCOMPARE(geo::roundToInt(1e30), std::numeric_limits<int>::max());
    QCOMPARE(geo::roundToInt(std::nan("")), 0);

    const double turn = geo::FullTurn;
    QCOMPARE(geo::normaliseAngle(-1.0, turn), turn - 1.0);
    QCOMPARE(geo::normaliseAngle(1.0, turn), 1.0);
    QCOMPARE(geo::normaliseAngle(turn + 1.0, turn), turn + 1.0 - turn);
    QCOMPARE(geo::normaliseAngle(3 * turn, turn), 3 * turn - turn - turn - turn);

    // A bearing a little west of north (359.6 degrees) reads 360, not 0.
    const geo::DistAz nearlyNorth = geo::CalcDistAz(0, 0, 10, -0.0705);
    QVERIFY2(nearlyNorth.azimuthDegrees == 360, QByteArray::number(nearlyNorth.azimuthDegrees));
}

void TestGeometry::degreePosition_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("text");
    QTest::newRow("moscow") << 55.75 << 37.62 << "56N38O";
    QTest::newRow("sydney") << -33.87 << 151.21 << "34S151O";
    QTest::newRow("new york") << 40.71 << -74.01 << "41N74W";
    QTest::newRow("halves to even") << 55.5 << 54.5 << "56N54O";
    QTest::newRow("small negatives") << -0.3 << -0.4 << "0S0W";
}

void TestGeometry::degreePosition()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QTEST(geo::degreePosition(lat, lon), "text");
}

void TestGeometry::locator_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("text");
    QTest::newRow("moscow") << 55.75 << 37.62 << "KO85";
    QTest::newRow("sydney") << -33.87 << 151.21 << "QF56";
    QTest::newRow("new york") << 40.71 << -74.01 << "FN20";
    QTest::newRow("origin") << 0.0 << 0.0 << "JJ00";
    QTest::newRow("western edge") << 0.0 << 2.0 << "JJ10";
    QTest::newRow("longitude 180") << 0.0 << 180.0 << "SJ00";
    QTest::newRow("latitude 90") << 90.0 << 0.0 << "JS00";
}

void TestGeometry::locator()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QTEST(geo::locator(lat, lon), "text");
}

QTEST_MAIN(TestGeometry)
#include "tst_geometry.moc"
