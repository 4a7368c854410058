// Mode texts, the frequency text and the refresh and switch decisions of rig control.

#include "rig/rig_display.h"
#include "rig/rig_server.h"

#include "base/ini_file.h"
#include "rig/rig_settings.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vireo;
using rig::RadioState;

class TestRigDisplay : public QObject {
    Q_OBJECT
private slots:
    void frequencyText_data()
    {
        QTest::addColumn<qint64>("hz");
        QTest::addColumn<QString>("text");
        QTest::newRow("half rounds up") << qint64(14025500) << "14 026";
        QTest::newRow("just under half") << qint64(14025499) << "14 025";
        QTest::newRow("80 m") << qint64(3512000) << "3 512";
        QTest::newRow("2 m") << qint64(144300000) << "144 300";
        QTest::newRow("leading zeros kept") << qint64(7001000) << "7 001";
        QTest::newRow("rounds into the next MHz") << qint64(7999500) << "8 000";
        QTest::newRow("GHz") << qint64(1296200000) << "1296 200";
        QTest::newRow("exactly 1 MHz") << qint64(1000000) << "1 000";
        QTest::newRow("below 1 MHz is a plain number") << qint64(531000) << "531";
        QTest::newRow("999.5 kHz rounds to 1 MHz") << qint64(999500) << "1 000";
        QTest::newRow("zero") << qint64(0) << "0";
        QTest::newRow("negative is zero") << qint64(-5) << "0";
    }
    void frequencyText()
    {
        QFETCH(qint64, hz);
        QFETCH(QString, text);
        QCOMPARE(rig::frequencyText(hz), text);
    }

    void modes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("bit");
        QTest::addColumn<QString>("text");
        QTest::newRow("CW") << "CW" << quint32(RigServer::PM_CW_U) << "CW";
        QTest::newRow("CWR") << "CWR" << quint32(RigServer::PM_CW_L) << "CW";
        QTest::newRow("USB") << "USB" << quint32(RigServer::PM_SSB_U) << "PH";
        QTest::newRow("LSB") << "LSB" << quint32(RigServer::PM_SSB_L) << "PH";
        QTest::newRow("PKTUSB") << "PKTUSB" << quint32(RigServer::PM_DIG_U) << "DIG";
        QTest::newRow("RTTY") << "RTTY" << quint32(RigServer::PM_DIG_U) << "DIG";
        QTest::newRow("PKTLSB") << "PKTLSB" << quint32(RigServer::PM_DIG_L) << "DIG";
        QTest::newRow("RTTYR") << "RTTYR" << quint32(RigServer::PM_DIG_L) << "DIG";
        QTest::newRow("AM") << "AM" << quint32(RigServer::PM_AM) << "PH";
        QTest::newRow("FM") << "FM" << quint32(RigServer::PM_FM) << "PH";
        QTest::newRow("WFM") << "WFM" << quint32(RigServer::PM_FM) << "PH";
        QTest::newRow("lower case and blanks") << " usb " << quint32(RigServer::PM_SSB_U) << "PH";
        QTest::newRow("FM-D is unknown") << "FM-D" << quint32(0) << "UN";
        QTest::newRow("empty is unknown") << "" << quint32(0) << "UN";
        QTest::newRow("DSB is unknown") << "DSB" << quint32(0) << "UN";
    }
    void modes()
    {
        QFETCH(QString, name);
        QFETCH(quint32, bit);
        QFETCH(QString, text);
        QCOMPARE(rig::modeBitFromName(name), bit);
        QCOMPARE(rig::modeText(bit), text);
    }

    void modeTextOfOddBits()
    {
        // Two bits at once, or a bit outside the table, are not a mode.
        QCOMPARE(rig::modeText(RigServer::PM_CW_U | RigServer::PM_SSB_U), QStringLiteral("UN"));
        QCOMPARE(rig::modeText(0x80000000u), QStringLiteral("UN"));
        QCOMPARE(rig::modeText(RigServer::PM_FREQ), QStringLiteral("UN"));
    }

    void paramsRefresh()
    {
        const RadioState off;
        const RadioState cw1{true, 7012345, RigServer::PM_CW_L};
        const RadioState usb2{true, 14200000, RigServer::PM_SSB_U};
        const RadioState dig1{true, 14070000, RigServer::PM_DIG_U};

        // Neither on line: the defaults, whichever radio is chosen.
        for (int selected : {1, 2}) {
            const auto u = rig::paramsRefresh(off, off, selected, QStringLiteral("RY"));
            QCOMPARE(u.freq, std::optional<QString>(QStringLiteral("14000")));
            QCOMPARE(u.mode, std::optional<QString>(QStringLiteral("CW")));
        }
        // The chosen radio off line, the other on line: its OFF text, the mode box kept.
        auto u = rig::paramsRefresh(off, usb2, 1, QStringLiteral("RY"));
        QCOMPARE(u.freq, std::optional<QString>(QStringLiteral(" R1 OFF")));
        QVERIFY(!u.mode);
        u = rig::paramsRefresh(cw1, off, 2, QStringLiteral("CW"));
        QCOMPARE(u.freq, std::optional<QString>(QStringLiteral(" R2 OFF")));
        QVERIFY(!u.mode);
        // The chosen radio on line in CW: frequency and mode.
        u = rig::paramsRefresh(cw1, usb2, 1, QStringLiteral("PH"));
        QCOMPARE(u.freq, std::optional<QString>(QStringLiteral("7 012")));
        QCOMPARE(u.mode, std::optional<QString>(QStringLiteral("CW")));
        // Same mode already shown: the box is left alone.
        u = rig::paramsRefresh(cw1, usb2, 1, QStringLiteral("CW"));
        QVERIFY(!u.mode);
        // A list entry is not the same text as the code, so it is replaced.
        u = rig::paramsRefresh(cw1, usb2, 2, QStringLiteral("CW (CW)"));
        QCOMPARE(u.freq, std::optional<QString>(QStringLiteral("14 200")));
        QCOMPARE(u.mode, std::optional<QString>(QStringLiteral("PH")));
        // A digital or unknown mode keeps what the listener chose by hand.
        u = rig::paramsRefresh(dig1, off, 1, QStringLiteral("PS (PSK31)"));
        QCOMPARE(u.freq, std::optional<QString>(QStringLiteral("14 070")));
        QVERIFY(!u.mode);
        u = rig::paramsRefresh(RadioState{true, 3600000, 0}, off, 1, QStringLiteral("RY"));
        QVERIFY(!u.mode);
    }

    void radioSwitch()
    {
        const RadioState off;
        const RadioState dig1{true, 14070000, RigServer::PM_DIG_U};
        const RadioState unknown2{true, 3600000, 0};

        // A switch takes over every mode, digital and unknown included.
        auto u = rig::radioSwitch(dig1, unknown2, 1);
        QCOMPARE(u.freq, std::optional<QString>(QStringLiteral("14 070")));
        QCOMPARE(u.mode, std::optional<QString>(QStringLiteral("DIG")));
        u = rig::radioSwitch(dig1, unknown2, 2);
        QCOMPARE(u.freq, std::optional<QString>(QStringLiteral("3 600")));
        QCOMPARE(u.mode, std::optional<QString>(QStringLiteral("UN")));
        // To a radio that is off line while the other is on line.
        u = rig::radioSwitch(dig1, off, 2);
        QCOMPARE(u.freq, std::optional<QString>(QStringLiteral(" R2 OFF")));
        QVERIFY(!u.mode);
        u = rig::radioSwitch(off, off, 2);
        QCOMPARE(u.freq, std::optional<QString>(QStringLiteral("14000")));
        QCOMPARE(u.mode, std::optional<QString>(QStringLiteral("CW")));
    }

    // Section Rig of settings.ini: no section is no radio; the keys of older versions still
    // name a rigctld; the set-up window's keys are read back as written.
    void settings()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        RigctldSettings s = RigctldSettings::read(path);
        QVERIFY(!s.present);
        QCOMPARE(s.radio[0].kind, RadioKind::None);
        QCOMPARE(s.radio[1].kind, RadioKind::None);
        QCOMPARE(s.pollMs, 200);
        QVERIFY(s.command.isEmpty());

        IniFile ini(path);
        ini.writeString(QStringLiteral("Rig"), QStringLiteral("Command"), QStringLiteral("  rigctld -m 1  "));
        s = RigctldSettings::read(path);
        // A section with old keys only: both radios at their default rigctld.
        QVERIFY(s.present);
        QCOMPARE(s.radio[0].kind, RadioKind::Remote);
        QCOMPARE(s.radio[0].host, QStringLiteral("127.0.0.1"));
        QCOMPARE(s.radio[0].port, quint16(4532));
        QCOMPARE(s.radio[1].port, quint16(4534));
        QVERIFY(!s.radio[0].explicitKind);
        QCOMPARE(s.command, QStringLiteral("rigctld -m 1"));

        ini.writeString(QStringLiteral("rig"), QStringLiteral("host2"), QStringLiteral("shack-pi"));
        ini.writeString(QStringLiteral("Rig"), QStringLiteral("Port1"), QStringLiteral("70000"));
        ini.writeString(QStringLiteral("Rig"), QStringLiteral("Port2"), QStringLiteral("0"));
        ini.writeString(QStringLiteral("Rig"), QStringLiteral("PollInterval"), QStringLiteral("1"));
        s = RigctldSettings::read(path);
        QCOMPARE(s.radio[0].port, quint16(4532)); // not a port
        QCOMPARE(s.radio[1].host, QStringLiteral("shack-pi"));
        QCOMPARE(s.radio[1].kind, RadioKind::None); // port 0: radio 2 not used
        QCOMPARE(s.pollMs, 50);

        // What the set-up window writes.
        s.radio[0].kind = RadioKind::Own;
        s.radio[0].model = 3073;
        s.radio[0].device = QStringLiteral("/dev/serial/by-id/usb-Silicon_Labs_CP2102_IC-7300-if00-port0");
        s.radio[0].speed = 19200;
        s.radio[1].kind = RadioKind::Remote;
        s.radio[1].host = QStringLiteral("192.168.1.20");
        s.radio[1].port = 4540;
        s.write(path);
        const RigctldSettings back = RigctldSettings::read(path);
        QCOMPARE(back.radio[0].kind, RadioKind::Own);
        QVERIFY(back.radio[0].explicitKind);
        QCOMPARE(back.radio[0].model, 3073);
        QCOMPARE(back.radio[0].device, s.radio[0].device);
        QCOMPARE(back.radio[0].speed, 19200);
        QCOMPARE(back.radio[1].kind, RadioKind::Remote);
        QCOMPARE(back.radio[1].host, QStringLiteral("192.168.1.20"));
        QCOMPARE(back.radio[1].port, quint16(4540));
        QCOMPARE(back.command, QStringLiteral("rigctld -m 1")); // other keys kept

        // A radio of our own without a model is no radio; an unknown kind neither.
        IniFile(path).writeString(QStringLiteral("Rig"), QStringLiteral("Model1"), QStringLiteral("0"));
        IniFile(path).writeString(QStringLiteral("Rig"), QStringLiteral("Kind2"), QStringLiteral("omnirig"));
        s = RigctldSettings::read(path);
        QCOMPARE(s.radio[0].kind, RadioKind::None);
        QCOMPARE(s.radio[1].kind, RadioKind::None);
    }

    void splitCommand()
    {
        QCOMPARE(rig::splitCommand(QStringLiteral("rigctld -m 1 -t 4532")),
                 (QStringList{"rigctld", "-m", "1", "-t", "4532"}));
        QCOMPARE(rig::splitCommand(QStringLiteral("\"/opt/my rig/rigctld\" -r \"/dev/tty USB0\"")),
                 (QStringList{"/opt/my rig/rigctld", "-r", "/dev/tty USB0"}));
        // Shell syntax is just text: nothing here is ever run through a shell.
        QCOMPARE(rig::splitCommand(QStringLiteral("rigctld; rm -rf ~")), (QStringList{"rigctld;", "rm", "-rf", "~"}));
        QVERIFY(rig::splitCommand(QStringLiteral("   ")).isEmpty());
        QVERIFY(rig::splitCommand(QStringLiteral("\"rigctld -m 1")).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestRigDisplay)
#include "tst_rig_display.moc"
