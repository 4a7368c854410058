// The program's windows, settings at start and exit, counters, the clock and the band plan
// as the main window uses them.

#include "app/program.h"
#include "app/tfmstart.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "db/tour_store.h"
#include "support/processes.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <csignal>

using namespace vireo;

namespace {

void writeSettings(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QsoRecord rec(const QString &call, const QString &nr2)
{
    return test::Qso::plain().call1(call).nr1(QStringLiteral("1")).nr2(nr2);
}

} // namespace

class TestLifecycle : public QObject {
    Q_OBJECT
private slots:
    void firstStartAndExit()
    {
        test::TestContext t;
        {
            Program p(t.context);
            TMain &m = p.main();
            const test::MainControls ui(m);
            QCOMPARE(m.windowTitle(), QStringLiteral("  ()"));
            QCOMPARE(m.statusText(2), QStringLiteral("QSO: 0"));
            QCOMPARE(m.statusText(3), QStringLiteral("Points: 0"));
            const QRect screen = QGuiApplication::primaryScreen()->geometry();
            QCOMPARE(m.x(), (screen.width() - m.width()) / 2);
            QVERIFY(!ui.N18->isChecked());
            QCOMPARE(ui.N18->text(), QStringLiteral("Установить окна ввода горизонтально"));
            QVERIFY(!ui.N20->isChecked());
            QVERIFY(ui.btRadio1->isChecked());
            QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14000"));
            QCOMPARE(ui.cbMode->currentText(), QStringLiteral("CW"));
            QVERIFY(ui.edData->isHidden() && ui.edTime->isHidden() && ui.cbBandEdit->isHidden());
            // the controls keep the names they have always had
            for (const char *name :
                 {"edCall1", "edNr2", "cbFreq", "lbCountry", "rbCQ", "btSave", "chTour", "StatusBar1"})
                QVERIFY2(m.findChild<QWidget *>(QLatin1String(name)), name);
            for (const char *name : {"N7", "SCL1", "cbr2", "ADIF1", "ADIF2", "SCL2", "N9", "CAT1", "N20", "N14", "N10",
                                     "N17", "N18", "N5", "N6", "N12", "N13"})
                QVERIFY2(m.findChild<QAction *>(QLatin1String(name)), name);
            // the first-run dialog is shown on activation while call or contest is empty
            t.prompts->onModal = [](QDialog &d) {
                auto &start = static_cast<TfmStart &>(d);
                start.edCall->setText(QStringLiteral("UA1ABC"));
                start.edContest->setText(QStringLiteral("RDXC"));
                start.Button1Click();
                return int(QDialog::Accepted);
            };
            m.FormActivate();
            QCOMPARE(t.prompts->shown.first().caption, QStringLiteral("fmStart"));
            QCOMPARE(t.prompts->texts("information"),
                     QStringList{QStringLiteral(
                         "  Необходим перезапуск программы.\n\rПосле закрытия окна программа запустится вновь.")});
            QVERIFY(!m.isVisible());
            // started again only once every window has written its settings and the log is closed
            QVERIFY(p.relaunchRequested());
            QVERIFY(t.relauncher->started.isEmpty());
            t.relauncher->onRelaunch = [&t] {
                QCOMPARE(t.trace.last(), QStringLiteral("destroy Main"));
                QCOMPARE(IniFile(t.context.settingsPath).readString("MySetting", "Call", ""), QStringLiteral("UA1ABC"));
            };
        }
        // the same executable, in the same folder, with the same arguments
        QCOMPARE(t.relauncher->started.size(), 1);
        QCOMPARE(t.relauncher->started[0].program, QCoreApplication::applicationFilePath());
        QCOMPARE(t.relauncher->started[0].workingDirectory, QDir::currentPath());
        QCOMPARE(t.relauncher->started[0].arguments, QCoreApplication::arguments().mid(1));
        QCOMPARE(t.prompts->texts("error"), QStringList());
        const QStringList expected{"create Main",     "create fmContest",   "create ComentAdif", "create Sntp",
                                   "create RptQso",   "create AboutBox",    "create fmCabrillo", "create fmStart",
                                   "destroy fmStart", "destroy fmCabrillo", "destroy AboutBox",  "destroy RptQso",
                                   "destroy Sntp",    "destroy ComentAdif", "destroy fmContest", "destroy Main"};
        QCOMPARE(t.trace, expected);
        IniFile ini(t.context.settingsPath);
        QCOMPARE(ini.readString("MySetting", "Call", ""), QStringLiteral("UA1ABC"));
        QCOMPARE(ini.readString("MySetting", "Contest", ""), QStringLiteral("RDXC"));
        QCOMPARE(ini.readInteger("Main", "Position", -5), 0);
        QCOMPARE(ini.readInteger("Main", "SwlDouble", -5), 0);
        QCOMPARE(ini.readInteger("Message", "QslMesCh", -5), 0);
        QCOMPARE(ini.readString("Radio", "numRadio", ""), QStringLiteral("1"));
        QCOMPARE(ini.readFloat("MyPosition", "Latitude", -5), 0.0);
        QVERIFY(ini.readInteger("Main", "Left", -1) >= 0);
        // every window wrote its keys; the time server is written only when saved
        const QString none = QStringLiteral("<none>");
        QVERIFY(ini.readString("RptQso", "Width", none) != none);
        QCOMPARE(ini.readString("Cabrillo", "CategoryBand", none), QString());
        QCOMPARE(ini.readString("Cabrillo", "OffTime12", none), QString());
        QCOMPARE(ini.readString("SNTP", "SNTP", none), none);
        // a second start reads them back and asks nothing
        Program again(t.context);
        QCOMPARE(again.main().windowTitle(), QStringLiteral("UA1ABC  (RDXC)"));
        t.prompts->shown.clear();
        again.main().FormActivate();
        QVERIFY(t.prompts->shown.isEmpty());
        QVERIFY(!again.relaunchRequested());
    }

    // Activating the main window while call or contest is empty opens the first-run dialog as
    // soon as the activation event is over, never from inside it, and once for a burst of them.
    void firstRunDialogAfterTheActivationEvent()
    {
        test::TestContext t;
        Program p(t.context);
        TMain &m = p.main();
        bool insideEvent = false;
        int openedInside = 0;
        t.prompts->onModal = [&](QDialog &) {
            openedInside += insideEvent ? 1 : 0;
            return int(QDialog::Rejected);
        };
        m.show();
        m.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        QTRY_VERIFY(!t.prompts->shown.isEmpty());
        QCOMPARE(t.prompts->shown.first().caption, QStringLiteral("fmStart"));

        const int before = int(t.prompts->shown.size());
        insideEvent = true;
        for (int i = 0; i < 3; ++i) {
            QEvent activation(QEvent::ActivationChange);
            QApplication::sendEvent(&m, &activation);
        }
        insideEvent = false;
        QCOMPARE(openedInside, 0);
        QCOMPARE(int(t.prompts->shown.size()), before);
        QTRY_COMPARE(int(t.prompts->shown.size()), before + 1);
        QCOMPARE(t.prompts->shown.last().caption, QStringLiteral("fmStart"));
        QCOMPARE(openedInside, 0);
        m.hide();
    }

    // A start that cannot be made says so and tells the listener to start the program himself;
    // an ordinary exit starts nothing.
    void relaunchThatFails()
    {
        test::TestContext t;
        t.relauncher->result = false;
        {
            Program p(t.context);
            p.main().close();
        }
        QVERIFY(t.relauncher->started.isEmpty());
        {
            Program p(t.context);
            t.prompts->onModal = [](QDialog &d) {
                auto &start = static_cast<TfmStart &>(d);
                start.edCall->setText(QStringLiteral("UA1ABC"));
                start.Button1Click();
                return int(QDialog::Accepted);
            };
            p.main().FormActivate();
        }
        QCOMPARE(t.relauncher->started.size(), 1);
        const QStringList errors = t.prompts->texts("error");
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith(QStringLiteral("Не удалось запустить программу ")), qPrintable(errors[0]));
        QVERIFY2(errors[0].contains(QCoreApplication::applicationFilePath()), qPrintable(errors[0]));
    }

    void savedSettingsAreApplied_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("column");
        QTest::addColumn<bool>("swap");
        QTest::addColumn<bool>("radio1");
        QTest::addColumn<QPoint>("pos");
        QTest::newRow("all set") << QByteArray(
            "[Main]\r\nLeft=10\r\nTop=20\r\nPosition=1\r\nSwlDouble=1\r\n[Radio]\r\nnumRadio=2\r\n")
                                 << true << true << false << QPoint(10, 20);
        QTest::newRow("left -1 centres, ignores Position")
            << QByteArray("[Main]\r\nLeft=-1\r\nTop=20\r\nPosition=1\r\n") << false << false << true << QPoint(-1, -1);
        QTest::newRow("odd values") << QByteArray("[Main]\r\nLeft=5\r\nSwlDouble=2\r\n[Radio]\r\nnumRadio=x\r\n")
                                    << false << false << false << QPoint(5, 107);
        QTest::newRow("empty radio") << QByteArray("[Radio]\r\nnumRadio=\r\n") << false << false << false
                                     << QPoint(-1, -1);
    }
    void savedSettingsAreApplied()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, column);
        QFETCH(bool, swap);
        QFETCH(bool, radio1);
        QFETCH(QPoint, pos);
        test::TestContext t;
        writeSettings(t.context.settingsPath, settings);
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QCOMPARE(ui.N18->isChecked(), column);
        QCOMPARE(m.layoutFlag, column ? 1 : 0);
        QCOMPARE(ui.N20->isChecked(), swap);
        QCOMPARE(ui.N20->text(), swap ? QStringLiteral("Снять режим копии строки с рокировкой данных")
                                      : QStringLiteral("Установить режим копии строки с рокировкой данных"));
        QCOMPARE(ui.btRadio1->isChecked(), radio1);
        if (pos.x() >= 0)
            QCOMPARE(m.pos(), pos);
        if (column)
            QCOMPARE(ui.edCall2->geometry(), QRect(325, 50, 175, 28));
    }

    void countersAndGridDeletion()
    {
        test::TestContext t;
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        const QVector<qint64> ids =
            m.qsos().append({rec("A1", "1"), rec("A2", ""), rec("A3", "3"), rec("A4", ""), rec("A5", "")});
        m.logModel().appended(ids);
        m.RefreshCounters();
        QCOMPARE(m.statusText(2), QStringLiteral("QSO: 5"));
        QCOMPARE(m.statusText(3), QStringLiteral("Points: 9"));
        // Ctrl+Delete deletes the selected record at once and the counters follow
        ui.DBGrid1->selectRow(2);
        QTest::keyClick(ui.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(m.qsos().count(), 4);
        QCOMPARE(m.qsos().repeats("A3").size(), 0);
        QCOMPARE(m.statusText(3), QStringLiteral("Points: 6"));
        QVERIFY(t.prompts->shown.isEmpty());
        // the last row: the selection moves to the new last row
        ui.DBGrid1->selectRow(3);
        QTest::keyClick(ui.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(ui.DBGrid1->currentIndex().row(), 2);
        QCOMPARE(m.statusText(2), QStringLiteral("QSO: 3"));
    }

    void clockAndTours()
    {
        test::TestContext t;
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QVERIFY(m.CurrentUtcDate.isEmpty());
        m.Timer1Timer();
        QCOMPARE(m.statusText(1), QStringLiteral("05.03.2026"));
        QCOMPARE(ui.lbUTC->text(), QStringLiteral("07:04:09"));
        QCOMPARE(m.CurrentUtcDate, QStringLiteral("05.03.2026"));
        QCOMPARE(m.CurrentUtcTime, QStringLiteral("07:04"));
        // tracking on with an empty table: a typed tour number stays
        ui.chTour->click();
        QCOMPARE(t.prompts->texts("warning"),
                 QStringList{QStringLiteral("Не выбран contest! Обработка туров и повторных связей, будет неверной!")});
        QVERIFY(ui.chTour->isChecked());
        ui.edTour->setText("7");
        m.Timer1Timer();
        QCOMPARE(ui.edTour->text(), QStringLiteral("7"));
        TourRow r;
        r.tour = 1;
        r.dateBegin = r.dateEnd = QDate(2026, 3, 5);
        r.timeBegin = QTime(7, 0, 0);
        r.timeEnd = QTime(7, 4, 9);
        m.tours().append(r);
        m.Timer1Timer();
        QCOMPARE(ui.edTour->text(), QStringLiteral("1"));
        QCOMPARE(ui.ibTourTime->text(), QStringLiteral("00:00:00"));
        t.clock->now = t.clock->now.addSecs(1);
        m.Timer1Timer();
        QCOMPARE(ui.edTour->text(), QStringLiteral("0"));
        QCOMPARE(ui.ibTourTime->text(), QStringLiteral("00:00:00"));
        // tracking off: only the clock moves
        ui.chTour->click();
        ui.edTour->setText("3");
        m.Timer1Timer();
        QCOMPARE(ui.edTour->text(), QStringLiteral("3"));
        QCOMPARE(ui.lbUTC->text(), QStringLiteral("07:04:10"));
    }

    void bandFromTheFrequencyBox()
    {
        test::TestContext t;
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QCOMPARE(m.currentBand, QString()); // "14000" was there before the handler
        ui.cbFreq->setEditText("5000");
        QCOMPARE(m.currentBand, QString()); // a frequency of no band
        ui.cbFreq->setEditText("14000");
        QCOMPARE(m.currentBand, QStringLiteral("20M"));
        ui.cbFreq->setEditText("7025");
        QCOMPARE(m.currentBand, QStringLiteral("40M"));
        ui.cbFreq->setEditText("144");
        QCOMPARE(m.currentBand, QStringLiteral("2M"));
        ui.cbFreq->setEditText("432");
        QCOMPARE(m.currentBand, QStringLiteral("432"));
        for (const char *bad : {" R1 OFF", "", "abc", "14 0x0"}) {
            ui.cbFreq->setEditText(QLatin1String(bad));
            QCOMPARE(m.currentBand, QStringLiteral("432"));
        }
        QVERIFY(t.prompts->shown.isEmpty()); // no error box for a text that is not a frequency
        QCOMPARE(ui.cbMode->count(), 18);
        QCOMPARE(ui.cbMode->itemText(1), QStringLiteral("PH (SSB)"));
        ui.cbMode->setEditText("PH (SSB)");
        QCOMPARE(m.modeCode(), QStringLiteral("PH"));
        ui.cbMode->setEditText("SSB");
        QCOMPARE(m.modeCode(), QStringLiteral("SS"));
        QCOMPARE(ui.cbBandEdit->count(), 15);
    }

    void terminationWritesTheSettings()
    {
        const QString binary = QCoreApplication::applicationDirPath() + QStringLiteral("/../../src/app/vireo");
        if (!QFile::exists(binary))
            QSKIP("the program is not built next to the tests");
        QTemporaryDir dir;
        QVERIFY(QFile::copy(binary, dir.filePath("vireo")));
        writeSettings(dir.filePath("settings.ini"), "[MySetting]\r\nCall=UA1ABC\r\nContest=RDXC\r\n");
        QProcess proc;
        proc.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        proc.setProcessEnvironment(env);
        proc.start(dir.filePath("vireo"), {});
        QVERIFY(proc.waitForStarted());
        // The handlers are in place before the log is made, so the signal may come at once: one
        // that arrives while the program starts is acted on once it runs.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("vireolog.db")), 20000);
        test::sendSignal(proc, SIGTERM);
        QVERIFY(proc.waitForFinished(20000));
        QCOMPARE(proc.exitStatus(), QProcess::NormalExit);
        IniFile ini(dir.filePath("settings.ini"));
        QCOMPARE(ini.readString("Radio", "numRadio", ""), QStringLiteral("1"));
        QCOMPARE(ini.readString("MySetting", "Call", ""), QStringLiteral("UA1ABC"));
        QVERIFY(ini.readInteger("Main", "Left", -1) >= 0);
    }
};

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
