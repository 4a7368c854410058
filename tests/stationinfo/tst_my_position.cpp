// The listener's own position: locators of every length to the centre of their square and back,
// degrees with either decimal mark and hemisphere letters, the checks and their messages, and
// the settings keys.

#include "base/ini_file.h"
#include "stationinfo/geometry.h"
#include "stationinfo/my_position.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace vireo;

class MyPositionTest : public QObject {
    Q_OBJECT
private slots:
    void locatorToCentre_data()
    {
        QTest::addColumn<QString>("locator");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::newRow("square") << "KO85" << 55.5 << 37.0;
        QTest::newRow("subsquare, lower case") << "ko85ts" << 55.0 + 18.0 / 24 + 1.0 / 48 << 37.625;
        QTest::newRow("extended, blanks")
            << " KO85TS12 " << 55.0 + 18.0 / 24 + 2.0 / 240 + 1.0 / 480 << 36.0 + 19.0 / 12 + 1.0 / 120 + 1.0 / 240;
        QTest::newRow("south-west corner") << "AA00aa" << -90.0 + 1.0 / 48 << -180.0 + 1.0 / 24;
        QTest::newRow("north-east corner") << "RR99xx99" << 90.0 - 1.0 / 480 << 180.0 - 1.0 / 240;
        QTest::newRow("south and west") << "FF44" << -35.5 << -71.0;
    }
    void locatorToCentre()
    {
        QFETCH(QString, locator);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        const PositionInput in = myposition::fromLocator(locator);
        QVERIFY2(in.ok(), qPrintable(in.errorText()));
        QVERIFY(in.errorText().isEmpty());
        QVERIFY2(std::abs(in->latitude - latitude) < 1e-9, qPrintable(QString::number(in->latitude, 'f', 9)));
        QVERIFY2(std::abs(in->longitude - longitude) < 1e-9, qPrintable(QString::number(in->longitude, 'f', 9)));
    }

    void badLocators_data()
    {
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << ""
                               << "Локатор состоит из 4, 6 или 8 знаков, например KO85 или KO85TS; введено 0: «».";
        QTest::newRow("five") << "KO85t"
                              << "Локатор состоит из 4, 6 или 8 знаков, например KO85 или KO85TS; введено 5: «KO85t».";
        QTest::newRow("field beyond R") << "KS85"
                                        << "В локаторе «KS85» 2-й знак («S») должен быть буквой от A до R.";
        QTest::newRow("letter for a digit") << "KO8A"
                                            << "В локаторе «KO8A» 4-й знак («A») должен быть цифрой.";
        QTest::newRow("subsquare beyond X") << "KO85ty"
                                            << "В локаторе «KO85ty» 6-й знак («y») должен быть буквой от A до X.";
        QTest::newRow("Cyrillic") << "КО85"
                                  << "В локаторе «КО85» 1-й знак («К») должен быть буквой от A до R.";
    }
    void badLocators()
    {
        QFETCH(QString, locator);
        QFETCH(QString, error);
        const PositionInput in = myposition::fromLocator(locator);
        QVERIFY(!in.ok());
        QCOMPARE(in.errorText(), error);
    }

    void locatorOfAPosition()
    {
        const GeoPosition moscow{55.75, 37.62};
        QCOMPARE(myposition::locatorOf(moscow, 4), QStringLiteral("KO85"));
        QCOMPARE(myposition::locatorOf(moscow), QStringLiteral("KO85ts"));
        QCOMPARE(myposition::locatorOf(moscow, 8), QStringLiteral("KO85ts40"));
        QCOMPARE(myposition::locatorOf({-34.6, -58.4}), QStringLiteral("GF05tj"));
        // Edges of the grid belong to its last squares; beyond them is taken as the edge.
        QCOMPARE(myposition::locatorOf({90, 180}), QStringLiteral("RR99xx"));
        QCOMPARE(myposition::locatorOf({-90, -180}), QStringLiteral("AA00aa"));
        QCOMPARE(myposition::locatorOf({123, -500}), QStringLiteral("AR09ax"));
        QCOMPARE(myposition::locatorOf({56.0, 38.0}), QStringLiteral("KO96aa"));
    }

    // Every locator gives back its own centre, and the square of a position holds it; the first
    // four characters agree with those the station panel shows.
    void roundTrips()
    {
        QRandomGenerator g(23);
        for (int i = 0; i < 5000; ++i) {
            const GeoPosition p{g.bounded(180.0) - 90.0, g.bounded(360.0) - 180.0};
            for (const int length : {4, 6, 8}) {
                const QString loc = myposition::locatorOf(p, length);
                QCOMPARE(loc.size(), length);
                const PositionInput centre = myposition::fromLocator(loc);
                QVERIFY2(centre.ok(), qPrintable(loc));
                QCOMPARE(myposition::locatorOf(*centre, length), loc);
                const double lonHalf = length == 4 ? 1.0 : length == 6 ? 1.0 / 24 : 1.0 / 240;
                QVERIFY(std::abs(centre->longitude - p.longitude) <= lonHalf + 1e-9);
                QVERIFY(std::abs(centre->latitude - p.latitude) <= lonHalf / 2 + 1e-9);
            }
            QCOMPARE(myposition::locatorOf(p, 4), geo::locator(p.latitude, p.longitude));
        }
    }

    void degrees_data()
    {
        QTest::addColumn<QString>("latitude");
        QTest::addColumn<QString>("longitude");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::newRow("point") << "55.75"
                               << "37.62" << 55.75 << 37.62;
        QTest::newRow("comma, blanks") << " 55,75 "
                                       << "37,62" << 55.75 << 37.62;
        QTest::newRow("signs") << "-33.9"
                               << "-70.6" << -33.9 << -70.6;
        QTest::newRow("letters after") << "33.9S"
                                       << "70.6 W" << -33.9 << -70.6;
        QTest::newRow("letters before, lower case") << "n 55.75"
                                                    << "e37.62" << 55.75 << 37.62;
        QTest::newRow("Russian letters") << "55.75 с"
                                         << "37.62 в" << 55.75 << 37.62;
        QTest::newRow("south, west in Russian") << "ю 12"
                                                << "з 5" << -12.0 << -5.0;
        QTest::newRow("O for east, degree sign") << "56°N"
                                                 << "38°O" << 56.0 << 38.0;
        QTest::newRow("edges") << "90"
                               << "-180" << 90.0 << -180.0;
    }
    void degrees()
    {
        QFETCH(QString, latitude);
        QFETCH(QString, longitude);
        QFETCH(double, lat);
        QFETCH(double, lon);
        const PositionInput in = myposition::fromDegrees(latitude, longitude);
        QVERIFY2(in.ok(), qPrintable(in.errorText()));
        QCOMPARE(in->latitude, lat);
        QCOMPARE(in->longitude, lon);
    }

    void badDegrees_data()
    {
        QTest::addColumn<QString>("latitude");
        QTest::addColumn<QString>("longitude");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty latitude") << ""
                                        << "37"
                                        << "Введите широту в градусах, например 55.75.";
        QTest::newRow("not a number") << "55.7.5"
                                      << "37"
                                      << "Широта «55.7.5» — не число градусов. Введите, например, 55.75 или 55,75.";
        QTest::newRow("blank inside") << "55 75"
                                      << "37"
                                      << "Широта «55 75» — не число градусов. Введите, например, 55.75 или 55,75.";
        QTest::newRow("not finite") << "inf"
                                    << "37"
                                    << "Широта «inf» — не число градусов. Введите, например, 55.75 или 55,75.";
        QTest::newRow("beyond the pole") << "90.5"
                                         << "37"
                                         << "Широта должна быть от -90 до 90 градусов; введено 90.5.";
        QTest::newRow("longitude too far") << "55"
                                           << "-181"
                                           << "Долгота должна быть от -180 до 180 градусов; введено -181.";
        QTest::newRow("sign and letter") << "-55 N"
                                         << "37"
                                         << "Широта «-55 N»: укажите либо знак минус, либо букву полушария.";
        QTest::newRow("two letters") << "N55S"
                                     << "37"
                                     << "Широта «N55S»: укажите одну букву полушария.";
        QTest::newRow("east letter in latitude")
            << "55E"
            << "37"
            << "Широта «55E» — не число градусов. Введите, например, 55.75 или 55,75.";
        QTest::newRow("longitude empty") << "55"
                                         << " "
                                         << "Введите долготу в градусах, например 37.62.";
    }
    void badDegrees()
    {
        QFETCH(QString, latitude);
        QFETCH(QString, longitude);
        QFETCH(QString, error);
        const PositionInput in = myposition::fromDegrees(latitude, longitude);
        QVERIFY(!in.ok());
        QCOMPARE(in.errorText(), error);
    }

    void degreesText()
    {
        QCOMPARE(myposition::degreesText(55.8125), QStringLiteral("55.8125"));
        QCOMPARE(myposition::degreesText(37.0), QStringLiteral("37"));
        QCOMPARE(myposition::degreesText(-0.5), QStringLiteral("-0.5"));
        QCOMPARE(myposition::degreesText(-0.000001), QStringLiteral("0"));
        QCOMPARE(myposition::degreesText(55.80208333333), QStringLiteral("55.80208"));
    }

    // The keys the main window reads at start and writes at exit, in their format; other lines stay.
    void settingsKeys()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        QCOMPARE(myposition::read(path), (GeoPosition{0, 0}));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[MySetting]\r\nCall=UA3ABC\r\n[MyPosition]\r\nLatitude=1,5\r\n");
        }
        QCOMPARE(myposition::read(path), (GeoPosition{1.5, 0}));
        myposition::write(path, GeoPosition{55.8125, -37.625});
        QCOMPARE(myposition::read(path), (GeoPosition{55.8125, -37.625}));
        const IniFile ini(path);
        QCOMPARE(ini.readString(QStringLiteral("MyPosition"), QStringLiteral("Latitude"), QString()),
                 QStringLiteral("55.8125"));
        QCOMPARE(ini.readString(QStringLiteral("MyPosition"), QStringLiteral("Longitude"), QString()),
                 QStringLiteral("-37.625"));
        QCOMPARE(ini.readString(QStringLiteral("MySetting"), QStringLiteral("Call"), QString()),
                 QStringLiteral("UA3ABC"));
    }
};

QTEST_APPLESS_MAIN(MyPositionTest)
#include "tst_my_position.moc"
