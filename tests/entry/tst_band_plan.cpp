// The band a frequency text gives: the radio table, the list frequencies and typed frequencies
// inside a band's edges.

#include "entry/band_plan.h"

#include <QtTest>

using namespace vireo;
using bandplan::lookupBand;

class BandPlanTest : public QObject {
    Q_OBJECT
private slots:
    void typedFrequencyWithoutRadio_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("band"); // empty: no band
        QTest::addColumn<bool>("outside");
        // The list keeps its bands, 1800 (below the 160 m edge) too.
        QTest::newRow("list 1800") << "1800"
                                   << "160M" << false;
        QTest::newRow("list 144 MHz") << "144"
                                      << "2M" << false;
        QTest::newRow("list 432 MHz") << "432"
                                      << "432" << false;
        // Edges belong to their band; one past them belongs to none.
        QTest::newRow("160 low") << "1810"
                                 << "160M" << false;
        QTest::newRow("160 high") << "2000"
                                  << "160M" << false;
        QTest::newRow("above 160") << "2001"
                                   << "" << true;
        QTest::newRow("80") << "3 573"
                            << "80M" << false;
        QTest::newRow("40 typed after 20") << "7012"
                                           << "40M" << false;
        QTest::newRow("40 high") << "7300"
                                 << "40M" << false;
        QTest::newRow("above 40") << "7301"
                                  << "" << true;
        QTest::newRow("30 low") << "10100"
                                << "30M" << false;
        QTest::newRow("above 30") << "10151"
                                  << "" << true;
        QTest::newRow("20 high") << "14350"
                                 << "20M" << false;
        QTest::newRow("17") << "18 100"
                            << "17M" << false;
        QTest::newRow("below 17") << "18067"
                                  << "" << true;
        QTest::newRow("15") << "21450"
                            << "15M" << false;
        QTest::newRow("12") << "24900"
                            << "12M" << false;
        QTest::newRow("10") << "29700"
                            << "10M" << false;
        QTest::newRow("6") << "50313"
                           << "6M" << false;
        QTest::newRow("above 6") << "54001"
                                 << "" << true;
        // Three digits are megahertz, six digits kilohertz of the VHF bands.
        QTest::newRow("2 m MHz") << "148"
                                 << "2M" << false;
        QTest::newRow("below 2 m MHz") << "143"
                                       << "" << true;
        QTest::newRow("2 m kHz") << "145 500"
                                 << "2M" << false;
        QTest::newRow("above 2 m kHz") << "148001"
                                       << "" << true;
        QTest::newRow("70 cm MHz") << "420"
                                   << "432" << false;
        QTest::newRow("above 70 cm MHz") << "451"
                                         << "" << true;
        QTest::newRow("70 cm kHz") << "435000"
                                   << "432" << false;
        QTest::newRow("broadcast") << "5000"
                                   << "" << true;
        QTest::newRow("zero") << "0"
                              << "" << true;
        // Not a frequency at all: nothing, and no warning.
        QTest::newRow("off") << " R1 OFF"
                             << "" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
        QTest::newRow("letters") << "14O25"
                                 << "" << false;
    }
    void typedFrequencyWithoutRadio()
    {
        QFETCH(QString, text);
        QFETCH(QString, band);
        QFETCH(bool, outside);
        const bandplan::BandLookup found = lookupBand(text, false);
        QCOMPARE(found.band.value_or(QString()), band);
        QCOMPARE(found.outsideBands, outside);
    }

    // With a radio followed the whole megahertz decide, as before.
    void radioTableStays()
    {
        QCOMPARE(lookupBand(QStringLiteral("14 025"), true).band.value_or(QString()), QStringLiteral("20M"));
        QCOMPARE(lookupBand(QStringLiteral("10 123"), true).band.value_or(QString()), QStringLiteral("30M"));
        QCOMPARE(lookupBand(QStringLiteral("51 999"), true).band.value_or(QString()), QStringLiteral("6M"));
        QVERIFY(!lookupBand(QStringLiteral("5 000"), true).band);
        // The radio's 7 MHz read from a text that the list would not know.
        QCOMPARE(lookupBand(QStringLiteral("7 350"), true).band.value_or(QString()), QStringLiteral("40M"));
    }

    void warningNamesTheBandThatStays()
    {
        QCOMPARE(bandplan::outsideBandsText(QStringLiteral("5 000"), QStringLiteral("40M")),
                 QStringLiteral("Частота 5000 не входит ни в один диапазон; диапазон остаётся 40M"));
        QCOMPARE(bandplan::outsideBandsText(QStringLiteral("5000"), QString()),
                 QStringLiteral("Частота 5000 не входит ни в один диапазон; диапазон не выбран"));
    }
};

QTEST_APPLESS_MAIN(BandPlanTest)
#include "tst_band_plan.moc"
