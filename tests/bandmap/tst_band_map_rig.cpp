// Back to a station with a real rigctld (Hamlib's dummy radio): a click on the map tunes the
// radio's frequency and mode, Ctrl+PgUp steps to the next station, a refusal is told in
// Russian and changes nothing, and a radio set up but off line is not tuned.

#include "../rig/rigctld_process.h"
#include "band_map_log.h"

#include "bandmap/band_map.h"
#include "bandmap/band_map_tuner.h"
#include "bandmap/ui/band_scale.h"
#include "bandmap/ui/tbandmap.h"
#include "base/ini_file.h"
#include "rig/rig_server.h"
#include "rig/rigctld_client.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace vireo;
using test::heardAt;
using test::Rigctld;

namespace {

constexpr int Wait = 10000; // generous: the machine is shared

// What rigctl reads back from the radio: frequency, mode, passband.
QStringList readBack(const Rigctld &r)
{
    QProcess rigctl;
    rigctl.start(QStringLiteral("rigctl"),
                 {QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                  QStringLiteral("127.0.0.1:%1").arg(r.port()), QStringLiteral("f"), QStringLiteral("m")});
    if (!rigctl.waitForFinished(10000))
        return {QStringLiteral("rigctl did not finish")};
    return QString::fromLatin1(rigctl.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A radio server that speaks rigctld's protocol and refuses every frequency with RPRT -9, to
// see what the client does where the dummy radio takes every frequency. It keeps the lines it
// was sent.
class RefusingRadio : public QObject {
public:
    QTcpServer server;
    QStringList received;
    QString mode = QStringLiteral("CW");
    RefusingRadio()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = server.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    while (s->canReadLine())
                        answer(*s, QString::fromLatin1(s->readLine()).trimmed());
                });
        });
    }
    void answer(QTcpSocket &s, const QString &line)
    {
        received << line;
        if (line == QLatin1String("\\chk_vfo"))
            s.write("0\n");
        else if (line == QLatin1String("\\dump_caps"))
            s.write("Caps dump for model: 1\nModel name:\tRefusing\nMfg name:\tTest\nRPRT 0\n");
        else if (line == QLatin1String("+f"))
            s.write("get_freq:\nFrequency: 7012000\nRPRT 0\n");
        else if (line == QLatin1String("+m"))
            s.write(QStringLiteral("get_mode:\nMode: %1\nPassband: 500\nRPRT 0\n").arg(mode).toLatin1());
        else if (line.startsWith(QLatin1String("M "))) {
            mode = line.section(QLatin1Char(' '), 1, 1);
            s.write("RPRT 0\n");
        } else if (line.startsWith(QLatin1String("F ")))
            s.write("RPRT -9\n");
        else
            s.write("RPRT -4\n");
    }
};

void useRigctld(test::TestContext &t, quint16 port)
{
    IniFile ini(t.context.settingsPath);
    ini.writeString(QStringLiteral("Rig"), QStringLiteral("Kind1"), QStringLiteral("remote"));
    ini.writeString(QStringLiteral("Rig"), QStringLiteral("Host1"), QStringLiteral("127.0.0.1"));
    ini.writeInteger(QStringLiteral("Rig"), QStringLiteral("Port1"), port);
    ini.writeString(QStringLiteral("Rig"), QStringLiteral("Kind2"), QStringLiteral("none"));
}

} // namespace

class TestBandMapRig : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("rigctl")).isEmpty())
            QFAIL("rigctld and rigctl (package libhamlib-utils) are needed");
    }

    void clickTunesTheRadio()
    {
        Rigctld r;
        QVERIFY(r.start());
        test::BandMapLog log;
        log.store->append({heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14025"), QStringLiteral("07:01"))
                               .call2(QStringLiteral("RW1A")),
                           heardAt(QStringLiteral("G4AAA"), QStringLiteral("14060"), QStringLiteral("07:02"))});
        useRigctld(log.t, r.port());
        std::unique_ptr<RigServer> server = makeRigctldServer(log.t.context.settingsPath);
        RigServer *rig = server.get();
        server->start();
        QTRY_COMPARE_WITH_TIMEOUT(server->status(1), RigServer::StOnline, Wait);
        QCOMPARE(readBack(r).value(1), QStringLiteral("FM")); // the dummy starts at 145 MHz FM

        TBandMap w(
            log.t.context, *log.store, [rig] { return rig; }, [] { return 1; });
        w.setContext(QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("0"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy tuned(&w.tuner(), &BandMapTuner::tuned);
        QSignalSpy refused(&w.tuner(), &BandMapTuner::refused);
        QSignalSpy box(&w.tuner(), &BandMapTuner::frequencyBoxWanted);

        // A click on UA3ABC: the radio goes to 14 025 kHz in CW.
        w.bsBandMap->centreOn(14040);
        const QRect ua = w.bsBandMap->labelRect(QStringLiteral("UA3ABC"));
        QVERIFY(w.bsBandMap->viewport()->rect().contains(ua));
        QTest::mouseClick(w.bsBandMap->viewport(), Qt::LeftButton, {}, ua.center());
        QTRY_COMPARE_WITH_TIMEOUT(tuned.count(), 1, Wait);
        QStringList back = readBack(r);
        QCOMPARE(back.value(0), QStringLiteral("14025000"));
        QCOMPARE(back.value(1), QStringLiteral("CW"));
        // The client read the radio again at once: the frequency box can follow.
        QTRY_COMPARE_WITH_TIMEOUT(server->rxFrequency(1), qint64(14025000), Wait);
        QVERIFY(refused.isEmpty());
        QVERIFY(box.isEmpty());

        // Ctrl+PgUp: the next station above; the radio in CWR already is left in it.
        QVERIFY(r.set({QStringLiteral("M"), QStringLiteral("CWR"), QStringLiteral("500")}));
        QTRY_COMPARE_WITH_TIMEOUT(server->mode(1), quint32(RigServer::PM_CW_L), Wait);
        QCOMPARE(w.step(QStringLiteral("14 025"), true)->call, QStringLiteral("G4AAA"));
        QTRY_COMPARE_WITH_TIMEOUT(tuned.count(), 2, Wait);
        back = readBack(r);
        QCOMPARE(back.value(0), QStringLiteral("14060000"));
        QCOMPARE(back.value(1), QStringLiteral("CWR"));

        // Two clicks at once: the second goes after the first (or in its place, when the first
        // had not gone out yet), and the radio ends at the second.
        const QRect g4 = w.bsBandMap->labelRect(QStringLiteral("G4AAA"));
        QTest::mouseClick(w.bsBandMap->viewport(), Qt::LeftButton, {}, g4.center());
        QTest::mouseClick(w.bsBandMap->viewport(), Qt::LeftButton, {}, ua.center());
        QTRY_VERIFY_WITH_TIMEOUT(tuned.count() >= 3 && server->rxFrequency(1) == 14025000, Wait);
        QCOMPARE(readBack(r).value(0), QStringLiteral("14025000"));
        QVERIFY(refused.isEmpty());
    }

    // A radio that refuses the mode (the dummy on its VFO "MainA" answers a mode with RPRT -1,
    // while it reads and sets the frequency there): said in Russian, and the frequency stays.
    void refusalIsTold()
    {
        Rigctld r;
        QVERIFY(r.start());
        test::BandMapLog log;
        log.store->append(heardAt(QStringLiteral("UA3ABC"), QStringLiteral("14205"), QStringLiteral("07:01"))
                              .mode(QStringLiteral("PH")));
        useRigctld(log.t, r.port());
        std::unique_ptr<RigServer> server = makeRigctldServer(log.t.context.settingsPath);
        RigServer *rig = server.get();
        server->start();
        QVERIFY(r.set({QStringLiteral("M"), QStringLiteral("CW"), QStringLiteral("500"), QStringLiteral("F"),
                       QStringLiteral("7012000")}));
        QTRY_COMPARE_WITH_TIMEOUT(server->rxFrequency(1), qint64(7012000), Wait);
        QVERIFY(r.command("V MainA"));
        QTRY_COMPARE_WITH_TIMEOUT(server->rxFrequency(1), qint64(145000000), Wait);
        QCOMPARE(server->status(1), RigServer::StOnline);
        const QStringList before = readBack(r);
        QCOMPARE(before.value(0), QStringLiteral("145000000"));

        TBandMap w(
            log.t.context, *log.store, [rig] { return rig; }, [] { return 1; });
        w.setContext(QStringLiteral("20M"), QStringLiteral("PH"), QStringLiteral("0"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy tuned(&w.tuner(), &BandMapTuner::tuned);
        QSignalSpy refused(&w.tuner(), &BandMapTuner::refused);
        w.tuneTo(QStringLiteral("UA3ABC"));
        QTRY_COMPARE_WITH_TIMEOUT(refused.count(), 1, Wait);
        QCOMPARE(refused.first().at(0).toString(),
                 QStringLiteral(
                     "Радио 1 не перешло на USB (rigctld ответил RPRT -1: неверный параметр); частота не изменена."));
        QVERIFY(tuned.isEmpty());
        QCOMPARE(readBack(r), before);
        // The radio is still followed: a turn of its knob shows.
        QVERIFY(r.set({QStringLiteral("F"), QStringLiteral("145100000")}));
        QTRY_COMPARE_WITH_TIMEOUT(server->rxFrequency(1), qint64(145100000), Wait);
        QCOMPARE(server->status(1), RigServer::StOnline);

        // Back on its first VFO it takes the tune: upper side band on 20 m.
        QVERIFY(r.command("V VFOA"));
        w.tuneTo(QStringLiteral("UA3ABC"));
        QTRY_COMPARE_WITH_TIMEOUT(tuned.count(), 1, Wait);
        const QStringList after = readBack(r);
        QCOMPARE(after.value(0), QStringLiteral("14205000"));
        QCOMPARE(after.value(1), QStringLiteral("USB"));

        // A radio set up but off line is not tuned, and the frequency box is left alone.
        QSignalSpy box(&w.tuner(), &BandMapTuner::frequencyBoxWanted);
        r.stop();
        QTRY_VERIFY_WITH_TIMEOUT(server->status(1) != RigServer::StOnline, Wait);
        w.tuneTo(QStringLiteral("UA3ABC"));
        QCOMPARE(refused.count(), 2);
        QCOMPARE(refused.last().at(0).toString(), QStringLiteral("Радио 1 не на связи: перестроить его нельзя."));
        QVERIFY(box.isEmpty());
    }

    // A radio that takes the mode and refuses the frequency is given its mode back, and the
    // listener is told which frequency it refused.
    void refusedFrequencySetsTheModeBack()
    {
        RefusingRadio radio;
        QVERIFY(radio.server.isListening());
        test::TestContext t;
        useRigctld(t, radio.server.serverPort());
        std::unique_ptr<RigServer> server = makeRigctldServer(t.context.settingsPath);
        server->start();
        QTRY_COMPARE_WITH_TIMEOUT(server->status(1), RigServer::StOnline, Wait);
        QSignalSpy done(server.get(), &RigServer::tuneDone);
        radio.received.clear();
        server->tune(1, 14205000, QStringLiteral("USB"));
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, Wait);
        QCOMPARE(done.first().at(1).value<TuneResult>().errorText(),
                 QStringLiteral(
                     "Радио 1 не перестроилось на 14 205 кГц (rigctld ответил RPRT -9: радио отвергло команду)."));
        const QStringList sets = radio.received.filter(QRegularExpression(QStringLiteral("^[MF] ")));
        QCOMPARE(sets,
                 (QStringList{QStringLiteral("M USB -1"), QStringLiteral("F 14205000"), QStringLiteral("M CW -1")}));
        QCOMPARE(radio.mode, QStringLiteral("CW"));
        QCOMPARE(server->status(1), RigServer::StOnline);
    }

    // The server's own answer to a tune while the radio is off line comes from the event loop.
    void serverRefusesOffLine()
    {
        test::TestContext t;
        useRigctld(t, test::freePort());
        std::unique_ptr<RigServer> server = makeRigctldServer(t.context.settingsPath);
        QSignalSpy done(server.get(), &RigServer::tuneDone);
        server->tune(1, 14025000, QStringLiteral("CW"));
        QCOMPARE(done.count(), 0);
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(done.first().at(0).toInt(), 1);
        QCOMPARE(done.first().at(1).value<TuneResult>().errorText(),
                 QStringLiteral("Радио 1 не на связи: перестроить его нельзя."));
    }
};

QTEST_MAIN(TestBandMapRig)
#include "tst_band_map_rig.moc"
