// The main window following real rigctld servers (Hamlib's dummy radio) on loopback ports.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "db/qso_record.h"
#include "db/qso_store.h"
#include "rig/rig_server.h"
#include "rig/rigctld_client.h"
#include "rig/rigctld_process.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QtTest>

using namespace vireo;
using test::Rigctld;

namespace {

const QString kUnreachable = QStringLiteral("Нет связи с радио: не удалось подключиться к rigctld.");
const QString kGoesOn = QStringLiteral("\nVireo продолжает подключаться: как только rigctld ответит, частота и вид "
                                       "излучения пойдут от радио.");
constexpr int Wait = 10000; // generous: the machine is shared

// The test's settings point the two radios at the given ports; the factory builds the real
// client from those settings, as the program does.
void useRigctld(test::TestContext &t, quint16 port1, quint16 port2, const QString &command = QString())
{
    IniFile ini(t.context.settingsPath);
    ini.writeString(QStringLiteral("Rig"), QStringLiteral("Host1"), QStringLiteral("127.0.0.1"));
    ini.writeInteger(QStringLiteral("Rig"), QStringLiteral("Port1"), port1);
    ini.writeString(QStringLiteral("Rig"), QStringLiteral("Host2"), QStringLiteral("127.0.0.1"));
    ini.writeInteger(QStringLiteral("Rig"), QStringLiteral("Port2"), port2);
    if (!command.isEmpty())
        ini.writeString(QStringLiteral("Rig"), QStringLiteral("Command"), command);
    const QString path = t.context.settingsPath;
    t.context.services.rigServerFactory = [path] { return makeRigctldServer(path); };
}

void chooseRadio(test::TestContext &t, const QString &radio)
{
    IniFile(t.context.settingsPath).writeString(QStringLiteral("Radio"), QStringLiteral("numRadio"), radio);
}

QColor caption(const QToolButton *b)
{
    return b->palette().color(QPalette::ButtonText);
}

} // namespace

class TestRigControl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("rigctl")).isEmpty())
            QFAIL("rigctld and rigctl (package libhamlib-utils) are needed");
    }

    // Radio 1 on line with R-1 chosen: frequency, mode, band, hint, status and colour follow it.
    void followsRadioOne()
    {
        Rigctld r1;
        QVERIFY(r1.start());
        test::TestContext t;
        const quint16 port2 = test::freePort();
        useRigctld(t, r1.port(), port2);
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);

        // The dummy starts at 145 MHz FM.
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("145 000"), Wait);
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("PH"));
        QVERIFY(m.selectedRadioOnline());
        QCOMPARE(ui.btRadio1->toolTip(), QStringLiteral("Hamlib Dummy"));
        QCOMPARE(m.statusText(4), QStringLiteral("Hamlib Dummy: On-line"));
        QCOMPARE(caption(ui.btRadio1), QColor(0, 128, 0));
        // Radio 2 has no rigctld: off line, black, its hint says where it was looked for.
        const QString where = QStringLiteral("rigctld 127.0.0.1:%1").arg(port2);
        QCOMPARE(ui.btRadio2->toolTip(), where);
        QTRY_COMPARE_WITH_TIMEOUT(m.statusText(5), where + QStringLiteral(": Нет связи"), Wait);
        QCOMPARE(caption(ui.btRadio2), QColor(0, 0, 0));
        // One server answered: no box at all.
        QVERIFY(t.prompts->shown.isEmpty());

        // The mode is set first, so a frequency seen in the box comes with its mode.
        QVERIFY(r1.set({"M", "CW", "500", "F", "14025500"}));
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("14 026"), Wait);
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbMode->currentText(), QStringLiteral("CW"), Wait);
        m.FreqToBand();
        QCOMPARE(m.currentBand, QStringLiteral("20M"));

        // A band that only a radio gives, in lower-side CW.
        QVERIFY(r1.set({"M", "CWR", "500", "F", "10123000"}));
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("10 123"), Wait);
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("CW"));
        m.FreqToBand();
        QCOMPARE(m.currentBand, QStringLiteral("30M"));

        // Phone is taken over on a parameter change.
        QVERIFY(r1.set({"M", "LSB", "2400", "F", "7012345"}));
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("7 012"), Wait);
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbMode->currentText(), QStringLiteral("PH"), Wait);

        // A digital mode: the frequency follows, a mode chosen by hand stays...
        ui.cbMode->setEditText(QStringLiteral("PS (PSK31)"));
        QVERIFY(r1.set({"M", "PKTUSB", "3000", "F", "14070000"}));
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("14 070"), Wait);
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("PS (PSK31)"));
        QCOMPARE(m.rigServer()->mode(1), quint32(RigServer::PM_DIG_U));
        // ...until R-1 is pressed again.
        QTest::mouseClick(ui.btRadio1, Qt::LeftButton);
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("DIG"));
        QCOMPARE(m.numRadio, QStringLiteral("1"));
        QVERIFY(t.prompts->shown.isEmpty());
    }

    // R-1 chosen with radio 1 off line and radio 2 on line; switching over and back.
    void switchesRadios()
    {
        Rigctld r2;
        QVERIFY(r2.start());
        QVERIFY(r2.set({"M", "USB", "2400", "F", "21012000"}));
        test::TestContext t;
        chooseRadio(t, QStringLiteral("1"));
        useRigctld(t, test::freePort(), r2.port());
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);

        QTRY_COMPARE_WITH_TIMEOUT(m.rigServer()->status(2), RigServer::StOnline, Wait);
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral(" R1 OFF"), Wait);
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("CW"));
        QVERIFY(!m.selectedRadioOnline());
        // The OFF text is no frequency: the band stays as it was, without an error.
        m.currentBand = QStringLiteral("40M");
        m.FreqToBand();
        QCOMPARE(m.currentBand, QStringLiteral("40M"));

        QTest::mouseClick(ui.btRadio2, Qt::LeftButton);
        QVERIFY(ui.btRadio2->isChecked());
        QCOMPARE(m.numRadio, QStringLiteral("2"));
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("21 012"));
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("PH"));
        QVERIFY(m.selectedRadioOnline());
        m.FreqToBand();
        QCOMPARE(m.currentBand, QStringLiteral("15M"));

        // A QSO filed now carries radio 2's frequency, mode, band and number.
        ui.edCall1->setText(QStringLiteral("UA9XYZ"));
        ui.edNr1->setText(QStringLiteral("017"));
        m.SaveQso();
        QCOMPARE(m.qsos().count(), 1);
        QList<QsoRecord> saved;
        m.qsos().forEach([&saved](const QsoRecord &r) { saved << r; });
        QCOMPARE(saved[0].freq, QStringLiteral("21012"));
        QCOMPARE(saved[0].mode, QStringLiteral("PH"));
        QCOMPARE(saved[0].band, QStringLiteral("15M"));
        QCOMPARE(saved[0].radio, QStringLiteral("2"));

        // Radio 2 changes while it is followed.
        QVERIFY(r2.set({"F", "28500000"}));
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("28 500"), Wait);

        // Back to R-1: off line again, the mode box keeps radio 2's mode.
        QTest::mouseClick(ui.btRadio1, Qt::LeftButton);
        QCOMPARE(m.numRadio, QStringLiteral("1"));
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral(" R1 OFF"));
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("PH"));
        // Radio 2 moving now does not touch the box of radio 1.
        QVERIFY(r2.set({"M", "CW", "500", "F", "3550000"}));
        QTRY_COMPARE_WITH_TIMEOUT(m.rigServer()->rxFrequency(2), qint64(3550000), Wait);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral(" R1 OFF"));
        QVERIFY(t.prompts->shown.isEmpty());

        // Nothing is filed while the followed radio is off line.
        ui.edCall1->setText(QStringLiteral("DL1ABC"));
        ui.edNr1->setText(QStringLiteral("018"));
        m.SaveQso();
        QCOMPARE(m.qsos().count(), 1);
        const QStringList refused = t.prompts->texts(QStringLiteral("information"));
        QCOMPARE(refused.size(), 1);
        QVERIFY2(refused[0].contains(QStringLiteral("частоты")), qPrintable(refused[0]));
    }

    // The followed rigctld is killed, then started again on its port; then it freezes.
    void serverGoesAwayAndComesBack()
    {
        Rigctld r1;
        QVERIFY(r1.start());
        QVERIFY(r1.set({"M", "CW", "500", "F", "3512000"}));
        test::TestContext t;
        useRigctld(t, r1.port(), test::freePort());
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("3 512"), Wait);

        r1.stop();
        // Neither radio on line any more: the defaults, the status panel says so, no boxes.
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("14000"), Wait);
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("CW"));
        QVERIFY(!m.selectedRadioOnline());
        QCOMPARE(m.statusText(4), QStringLiteral("Hamlib Dummy: Нет связи"));
        QCOMPARE(caption(ui.btRadio1), QColor(0, 0, 0));

        // A new rigctld on the same port is picked up without restarting; it starts afresh.
        QVERIFY(r1.start());
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("145 000"), Wait);
        QCOMPARE(m.statusText(4), QStringLiteral("Hamlib Dummy: On-line"));
        QCOMPARE(caption(ui.btRadio1), QColor(0, 128, 0));

        // A rigctld that keeps the connection but stops answering goes off line too...
        r1.freeze();
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("14000"), Wait);
        QVERIFY(m.statusText(4).endsWith(QStringLiteral(": Не отвечает")));
        // ...and comes back when it answers again.
        r1.thaw();
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("145 000"), Wait);
        QVERIFY(m.selectedRadioOnline());
        QVERIFY2(t.prompts->shown.isEmpty(), qPrintable(t.prompts->texts(QStringLiteral("error")).join('|')));
    }

    // A radio switched off behind a running rigctld is off line; a rigctld in VFO mode (-o) is
    // followed like any other.
    void radioPowerAndVfoMode()
    {
        Rigctld r1;
        Rigctld r2(test::freePort(), {QStringLiteral("-o")});
        QVERIFY(r1.start());
        QVERIFY(r2.start());
        QVERIFY(r2.set({"F", "VFOA", "18100000", "M", "VFOA", "CW", "500"}));
        test::TestContext t;
        useRigctld(t, r1.port(), r2.port());
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("145 000"), Wait);

        QVERIFY(r1.command("\\set_powerstat 0"));
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral(" R1 OFF"), Wait);
        QCOMPARE(m.statusText(4), QStringLiteral("Hamlib Dummy: Радио не отвечает"));
        QCOMPARE(caption(ui.btRadio1), QColor(0, 0, 0));

        // Radio 2 answers in VFO mode.
        QTRY_COMPARE_WITH_TIMEOUT(m.rigServer()->status(2), RigServer::StOnline, Wait);
        QTest::mouseClick(ui.btRadio2, Qt::LeftButton);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("18 100"));
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("CW"));
        m.FreqToBand();
        QCOMPARE(m.currentBand, QStringLiteral("17M"));

        QVERIFY(r1.command("\\set_powerstat 1"));
        QTRY_COMPARE_WITH_TIMEOUT(m.rigServer()->status(1), RigServer::StOnline, Wait);
        QTest::mouseClick(ui.btRadio1, Qt::LeftButton);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("145 000"));
        QVERIFY(t.prompts->shown.isEmpty());
    }

    // No rigctld at start: one message, the defaults, R-2 only records the choice; a rigctld
    // started later is followed and the message is not repeated.
    void noServerAtStart()
    {
        const quint16 port1 = test::freePort();
        Rigctld r2(test::freePort());
        test::TestContext t;
        useRigctld(t, port1, r2.port());
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);

        QTRY_COMPARE_WITH_TIMEOUT(t.prompts->shown.size(), 1, Wait);
        QCOMPARE(t.prompts->shown[0].kind, QStringLiteral("error"));
        QCOMPARE(t.prompts->shown[0].caption, QStringLiteral("Vireo"));
        // The second line says why, radio by radio.
        QCOMPARE(t.prompts->shown[0].text,
                 kUnreachable
                     + QStringLiteral("\nРадио 1: rigctld по адресу 127.0.0.1:%1 недоступен: %3."
                                      "\nРадио 2: rigctld по адресу 127.0.0.1:%2 недоступен: %3.")
                           .arg(port1)
                           .arg(r2.port())
                           .arg(QStringLiteral("подключение отклонено, на этом порту никто не ждёт подключений "
                                               "(rigctld не запущен или слушает другой порт)"))
                     + kGoesOn);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14000"));
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("CW"));
        QVERIFY(!m.selectedRadioOnline());

        QTest::mouseClick(ui.btRadio2, Qt::LeftButton);
        QCOMPARE(m.numRadio, QStringLiteral("2"));
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14000"));

        QVERIFY(r2.start());
        QVERIFY(r2.set({"M", "CWR", "500", "F", "7012345"}));
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("7 012"), Wait);
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("CW"));
        QCOMPARE(m.statusText(5), QStringLiteral("Hamlib Dummy: On-line"));
        QCOMPARE(t.prompts->shown.size(), 1);
    }

    // Something that is not rigctld on the port counts as no server.
    void notARigServer()
    {
        QTcpServer chatter;
        QVERIFY(chatter.listen(QHostAddress::LocalHost, 0));
        connect(&chatter, &QTcpServer::newConnection, this, [&chatter] {
            while (QTcpSocket *s = chatter.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [s] {
                    s->readAll();
                    s->write("HTTP/1.0 400 Bad Request\r\n\r\n");
                });
            }
        });
        test::TestContext t;
        useRigctld(t, chatter.serverPort(), 0);
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QTRY_COMPARE_WITH_TIMEOUT(t.prompts->texts(QStringLiteral("error")),
                                  QStringList{kUnreachable
                                              + QStringLiteral("\nРадио 1: rigctld по адресу 127.0.0.1:%1 недоступен: "
                                                               "на этом порту отвечает не rigctld.")
                                                    .arg(chatter.serverPort())
                                              + kGoesOn},
                                  Wait);
        QCOMPARE(m.rigServer()->status(1), RigServer::StPortBusy);
        QCOMPARE(m.rigServer()->status(2), RigServer::StNotConfigured);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14000"));
    }

    // Without rig control (the factory makes none): no message, the buttons only record.
    void withoutRigControl()
    {
        test::TestContext t;
        chooseRadio(t, QStringLiteral("2"));
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QVERIFY(ui.btRadio2->isChecked());
        QCOMPARE(m.numRadio, QStringLiteral("2"));
        ui.cbFreq->setEditText(QStringLiteral("7000"));
        QTest::mouseClick(ui.btRadio1, Qt::LeftButton);
        QCOMPARE(m.numRadio, QStringLiteral("1"));
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("7000"));
        QVERIFY(!m.selectedRadioOnline());
        m.ParamsChangeEvent(1, 0);
        m.StatusChangeEvent(1);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("7000"));
        QCOMPARE(m.statusText(4), QString());
        QVERIFY(t.prompts->shown.isEmpty());
    }

    void radiosSwitchedOffStartQuietly()
    {
        // Port 0 for both radios is the listener's choice to run without rig control.
        test::TestContext t;
        useRigctld(t, 0, 0);
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QSignalSpy said(m.rigServer(), &RigServer::serverUnreachable);
        QVERIFY(!said.wait(300));
        QVERIFY(t.prompts->shown.isEmpty());
        QCOMPARE(m.rigServer()->status(1), RigServer::StNotConfigured);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14000"));
    }
};

QTEST_MAIN(TestRigControl)
#include "tst_rig_control.moc"
