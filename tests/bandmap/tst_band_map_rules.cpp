// The band map's rules without a log: frequencies, moments and ages, fading, one station's entry
// from its records and marks, the next station above or below, the radio's mode, the labels.

#include "bandmap/band_map_layout.h"
#include "bandmap/band_map_rules.h"
#include "rig/rig_server.h"

#include <QtTest>

using namespace vireo;
using namespace vireo::bandmap;

namespace {

const QDateTime Now(QDate(2026, 3, 5), QTime(7, 4, 9), Qt::UTC);

BandMapRecord record(qint64 id, const QString &freq, const QString &time, const QString &call2 = QString(),
                     const QString &date = QStringLiteral("05.03.2026"))
{
    return BandMapRecord{id, freq, date, time, QStringLiteral("UA3ABC"), call2};
}

BandMark markAt(qint64 id, const QString &freq, const QTime &time)
{
    BandMark m;
    m.id = id;
    m.call = QStringLiteral("UA3ABC");
    m.freq = freq;
    m.at = QDateTime(QDate(2026, 3, 5), time, Qt::UTC);
    return m;
}

Entry at(qint64 khz, const QString &call)
{
    Entry e;
    e.khz = khz;
    e.call = call;
    return e;
}

} // namespace

class TestBandMapRules : public QObject {
    Q_OBJECT
private slots:
    void frequencies_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("khz");
        QTest::newRow("kHz as typed") << "14025" << qint64(14025);
        QTest::newRow("radio's text with a blank") << "14 026" << qint64(14026);
        QTest::newRow("160 m") << "1 834" << qint64(1834);
        QTest::newRow("list 2 m in MHz") << "144" << qint64(144000);
        QTest::newRow("radio's 2 m in kHz") << "144 300" << qint64(144300);
        QTest::newRow("list 70 cm") << "432" << qint64(432000);
        QTest::newRow("radio off line") << " R1 OFF" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
        QTest::newRow("sign") << "-14025" << qint64(-1);
        QTest::newRow("zero") << "0" << qint64(-1);
        QTest::newRow("decimal point") << "14025.5" << qint64(-1);
        QTest::newRow("other digits") << QString::fromUtf8("١٤٠٢٥") << qint64(-1);
    }
    void frequencies()
    {
        QFETCH(QString, text);
        QFETCH(qint64, khz);
        const auto got = khzOf(text);
        QCOMPARE(got.value_or(-1), khz);
        QCOMPARE(hzOf(text).value_or(-1), khz < 0 ? qint64(-1) : khz * 1000);
    }

    // Record moments, the days the listener's time touches, ages and their texts, fading.
    void agesAndFading()
    {
        QCOMPARE(recordMoment(QStringLiteral("05.03.2026"), QStringLiteral("07:01")),
                 QDateTime(QDate(2026, 3, 5), QTime(7, 1), Qt::UTC));
        QCOMPARE(recordMoment(QStringLiteral("05.03.2026"), QStringLiteral("07:01:30")),
                 QDateTime(QDate(2026, 3, 5), QTime(7, 1, 30), Qt::UTC));
        QVERIFY(!recordMoment(QStringLiteral("2026-03-05"), QStringLiteral("07:01")).isValid());
        QVERIFY(!recordMoment(QStringLiteral("05.03.2026"), QStringLiteral("7.01")).isValid());
        QVERIFY(!recordMoment(QString(), QString()).isValid());

        QCOMPARE(daysOf(Now, 60), QStringList{QStringLiteral("05.03.2026")});
        // An hour back from 07:04 on the 5th reaches into the 4th only with more than 424 minutes.
        QCOMPARE(daysOf(Now, 424), QStringList{QStringLiteral("05.03.2026")});
        QCOMPARE(daysOf(Now, 425), (QStringList{QStringLiteral("05.03.2026"), QStringLiteral("04.03.2026")}));
        QCOMPARE(daysOf(QDateTime(QDate(2026, 1, 1), QTime(0, 10), Qt::UTC), 60),
                 (QStringList{QStringLiteral("01.01.2026"), QStringLiteral("31.12.2025")}));

        const QDateTime three = Now.addSecs(-3 * 60 - 59);
        QCOMPARE(ageMinutes(three, Now), 3);
        QCOMPARE(ageMinutes(Now.addSecs(120), Now), 0); // a record ahead of the clock
        QCOMPARE(ageText(3), QStringLiteral("3 мин"));
        QCOMPARE(ageText(0), QStringLiteral("0 мин"));
        QCOMPARE(ageText(59), QStringLiteral("59 мин"));
        QCOMPARE(ageText(65), QStringLiteral("1 ч 05 мин"));
        QCOMPARE(ageText(130), QStringLiteral("2 ч 10 мин"));

        QVERIFY(onMap(59, 60));
        QVERIFY(!onMap(60, 60));
        QCOMPARE(fade(0, 60), 1.0);
        QCOMPARE(fade(30, 60), 1.0);
        QVERIFY(fade(31, 60) < 1.0);
        QVERIFY(fade(45, 60) < fade(40, 60));
        QVERIFY(qAbs(fade(45, 60) - (1.0 + MinimumFade) / 2) < 1e-9);
        QCOMPARE(fade(60, 60), MinimumFade);
        QCOMPARE(fade(500, 60), MinimumFade);

        QCOMPARE(clampMaxAge(0), MinMaxAgeMinutes);
        QCOMPARE(clampMaxAge(60), 60);
        QCOMPARE(clampMaxAge(100000), MaxMaxAgeMinutes);
    }

    // One station: its last sighting in the time, its correspondents there, marks and records.
    void oneStationsEntry()
    {
        // Three QSOs at 14025 (one off by a kHz), the last at 14031 with another correspondent.
        const QVector<BandMapRecord> records{
            record(1, QStringLiteral("14025"), QStringLiteral("06:20"), QStringLiteral("RW1A")),
            record(2, QStringLiteral("14026"), QStringLiteral("06:40"), QStringLiteral("RA9B")),
            record(3, QStringLiteral("14025"), QStringLiteral("06:50"), QStringLiteral("RW1A")),
            record(4, QStringLiteral("14031"), QStringLiteral("07:02"), QStringLiteral("DL1X")),
        };
        auto e = composeEntry(QStringLiteral("UA3ABC"), records, {}, Now, 60);
        QVERIFY(e);
        QCOMPARE(e->khz, qint64(14031));
        QCOMPARE(e->freq, QStringLiteral("14031"));
        QCOMPARE(e->heardAt, QDateTime(QDate(2026, 3, 5), QTime(7, 2), Qt::UTC));
        QCOMPARE(e->correspondents, QStringList{QStringLiteral("DL1X")});
        QVERIFY(!e->marked);

        // Without the last one: the three at 14025, each correspondent once, in the order logged.
        e = composeEntry(QStringLiteral("UA3ABC"), records.mid(0, 3), {}, Now, 60);
        QCOMPARE(e->khz, qint64(14025));
        QCOMPARE(e->correspondents, (QStringList{QStringLiteral("RW1A"), QStringLiteral("RA9B")}));
        // With a shorter time the oldest correspondent is gone, and with a shorter one still the entry.
        e = composeEntry(QStringLiteral("UA3ABC"), records.mid(0, 3), {}, Now, 30);
        QCOMPARE(e->correspondents, (QStringList{QStringLiteral("RA9B"), QStringLiteral("RW1A")}));
        QVERIFY(!composeEntry(QStringLiteral("UA3ABC"), records.mid(0, 3), {}, Now, 10));

        // Records of another day, without a time or frequency, do not count.
        QVERIFY(!composeEntry(
            QStringLiteral("UA3ABC"),
            {record(5, QStringLiteral("14025"), QStringLiteral("07:00"), QString(), QStringLiteral("04.03.2026")),
             record(6, QStringLiteral(" R1 OFF"), QStringLiteral("07:00")),
             record(7, QStringLiteral("14025"), QString())},
            {}, Now, 60));

        // A mark after the last QSO moves the station; a QSO in the minute of the mark or later
        // replaces it.
        const QVector<BandMapRecord> one{
            record(1, QStringLiteral("14025"), QStringLiteral("06:50"), QStringLiteral("RW1A"))};
        e = composeEntry(QStringLiteral("UA3ABC"), one, {markAt(9, QStringLiteral("14040"), QTime(6, 55, 10))}, Now,
                         60);
        QVERIFY(e->marked);
        QCOMPARE(e->khz, qint64(14040));
        QCOMPARE(e->heardAt, QDateTime(QDate(2026, 3, 5), QTime(6, 55, 10), Qt::UTC));
        QVERIFY(e->correspondents.isEmpty());
        e = composeEntry(QStringLiteral("UA3ABC"), one, {markAt(9, QStringLiteral("14040"), QTime(6, 50, 40))}, Now,
                         60);
        QVERIFY(!e->marked);
        QCOMPARE(e->khz, qint64(14025));
        // A mark alone, and the later of two marks; an aged mark is nothing.
        e = composeEntry(
            QStringLiteral("UA3ABC"), {},
            {markAt(8, QStringLiteral("14 010"), QTime(7, 0)), markAt(9, QStringLiteral("14012"), QTime(6, 59))}, Now,
            60);
        QVERIFY(e->marked);
        QCOMPARE(e->khz, qint64(14010));
        QCOMPARE(e->freq, QStringLiteral("14010"));
        QVERIFY(
            !composeEntry(QStringLiteral("UA3ABC"), {}, {markAt(8, QStringLiteral("14010"), QTime(6, 0))}, Now, 60));
    }

    void stepsAndOrder()
    {
        std::vector<Entry> entries{at(14030, QStringLiteral("B")), at(14010, QStringLiteral("A")),
                                   at(14030, QStringLiteral("A")), at(14050, QStringLiteral("C"))};
        std::sort(entries.begin(), entries.end(), before);
        QCOMPARE(entries[1].call, QStringLiteral("A"));
        QCOMPARE(entries[1].khz, qint64(14030));
        QCOMPARE(nextAbove(entries, 14010)->khz, qint64(14030));
        QCOMPARE(nextAbove(entries, 14010)->call, QStringLiteral("A"));
        QCOMPARE(nextAbove(entries, 14030)->call, QStringLiteral("C"));
        QCOMPARE(nextAbove(entries, 14000)->call, QStringLiteral("A"));
        QVERIFY(!nextAbove(entries, 14050));
        QCOMPARE(nextBelow(entries, 14050)->call, QStringLiteral("B"));
        QCOMPARE(nextBelow(entries, 14030)->khz, qint64(14010));
        QVERIFY(!nextBelow(entries, 14010));
        QVERIFY(!nextAbove({}, 14000));

        QCOMPARE(repeatOf(1, 0), Repeat::Heard);
        QCOMPARE(repeatOf(2, 3), Repeat::Heard);
        QCOMPARE(repeatOf(0, 1), Repeat::Worked);
        QCOMPARE(repeatOf(0, 0), Repeat::None);
    }

    void radioModes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<qint64>("hz");
        QTest::addColumn<quint32>("radio");
        QTest::addColumn<QString>("mode");
        QTest::newRow("CW from FM") << "CW" << qint64(14025000) << quint32(RigServer::PM_FM) << "CW";
        QTest::newRow("CW kept") << "CW" << qint64(14025000) << quint32(RigServer::PM_CW_L) << "";
        QTest::newRow("CW from nothing known") << "CW" << qint64(14025000) << quint32(0) << "CW";
        QTest::newRow("phone on 40 m") << "PH" << qint64(7080000) << quint32(RigServer::PM_CW_U) << "LSB";
        QTest::newRow("phone on 20 m") << "PH" << qint64(14200000) << quint32(RigServer::PM_DIG_U) << "USB";
        QTest::newRow("phone kept in AM") << "PH" << qint64(7080000) << quint32(RigServer::PM_AM) << "";
        QTest::newRow("phone kept in USB") << "PH" << qint64(7080000) << quint32(RigServer::PM_SSB_U) << "";
        QTest::newRow("RTTY") << "RY" << qint64(14085000) << quint32(RigServer::PM_SSB_U) << "RTTY";
        QTest::newRow("RTTY kept in data") << "RY" << qint64(14085000) << quint32(RigServer::PM_DIG_L) << "";
        QTest::newRow("PSK31") << "PS" << qint64(14070000) << quint32(RigServer::PM_CW_U) << "PKTUSB";
        QTest::newRow("FM") << "FM" << qint64(145500000) << quint32(RigServer::PM_SSB_U) << "FM";
        QTest::newRow("FM kept") << "FM" << qint64(145500000) << quint32(RigServer::PM_FM) << "";
    }
    void radioModes()
    {
        QFETCH(QString, code);
        QFETCH(qint64, hz);
        QFETCH(quint32, radio);
        QFETCH(QString, mode);
        QCOMPARE(rigModeFor(code, hz, radio), mode);
    }

    void labels()
    {
        // Apart: where they want to be.
        QCOMPARE(placeLabels({0, 40, 80}, 16, 0, 200), (std::vector<int>{0, 40, 80}));
        // Close together: each just below the one above.
        QCOMPARE(placeLabels({50, 52, 54, 100}, 16, 0, 200), (std::vector<int>{50, 66, 82, 100}));
        // Pushed past the bottom: moved up again.
        QCOMPARE(placeLabels({150, 170, 180}, 16, 0, 200), (std::vector<int>{150, 168, 184}));
        // Above the top: down to it.
        QCOMPARE(placeLabels({-10, 0}, 16, 0, 200), (std::vector<int>{0, 16}));
        // More than there is room for: in order from the top, none above it.
        const std::vector<int> crowded = placeLabels({0, 0, 0, 0}, 16, 0, 40);
        QCOMPARE(crowded.front(), 0);
        for (size_t i = 1; i < crowded.size(); ++i)
            QVERIFY(crowded[i] >= crowded[i - 1] + 16 || crowded[i] >= 40 - 16);
        QVERIFY(placeLabels({}, 16, 0, 40).empty());
    }
};

QTEST_APPLESS_MAIN(TestBandMapRules)
#include "tst_band_map_rules.moc"
