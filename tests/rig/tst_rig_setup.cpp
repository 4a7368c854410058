// The rig set-up window ("Управление CAT") and the rigctld that Vireo runs for a radio set up
// there: real rigctld processes with Hamlib's dummy radio, real serial-like devices from socat.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "rig/pty_pair.h"
#include "rig/rig_problem.h"
#include "rig/rig_server.h"
#include "rig/rigctld_client.h"
#include "rig/rigctld_process.h"
#include "rig/rigctld_supervisor.h"
#include "rig/ui/trigsetup.h"
#include "support/processes.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

#include <cerrno>
#include <csignal>

using namespace vireo;

namespace {

const QString kUnreachable = QStringLiteral("Нет связи с радио: не удалось подключиться к rigctld.");
const QString kGoesOn = QStringLiteral("\nVireo продолжает подключаться: как только rigctld ответит, частота и вид "
                                       "излучения пойдут от радио.");
constexpr int Wait = 15000;

// The program's own factory over the test's settings file and seams.
void useRealRigControl(test::TestContext &t)
{
    const QString path = t.context.settingsPath;
    t.context.services.rigServerFactory = [path, &t] { return makeRigctldServer(path, t.context.services.rigProcess); };
}

RigctldServer *server(TMain &m)
{
    return dynamic_cast<RigctldServer *>(m.rigServer());
}

// Chooses a model in the window's list the way a listener does: search, then click.
void pickModel(TRigSetupPage *page, const QString &search, int id)
{
    QTest::keyClicks(page->edFilter, search);
    for (int i = 0; i < page->lvModels->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = page->lvModels->topLevelItem(i);
        if (!item->isHidden() && item->data(0, Qt::UserRole).toInt() == id) {
            page->lvModels->setCurrentItem(item);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("model %1 not offered for \"%2\"").arg(id).arg(search)));
}

// Waits for the model list that the window has rigctl make in the background.
bool waitForModels(TRigSetup *w)
{
    if (w->modelListReady())
        return true;
    QSignalSpy loaded(w, &TRigSetup::modelListLoaded);
    return loaded.wait(Wait) && w->modelListReady();
}

// Clicks "Проверить" and waits for its answer (for use where QTRY_ cannot return).
// busy: whether the button took no second click while the check ran.
bool checkPage(TRigSetupPage *page, bool *busy = nullptr)
{
    QSignalSpy done(page, &TRigSetupPage::checkFinished);
    page->btCheck->click();
    if (busy)
        *busy = done.isEmpty() && !page->btCheck->isEnabled();
    return (!done.isEmpty() || done.wait(Wait)) && page->btCheck->isEnabled();
}

void writeOwn(const QString &settingsPath, int rig, int model, const QString &device)
{
    IniFile ini(settingsPath);
    const QString n = QString::number(rig);
    ini.writeString(QStringLiteral("Rig"), QStringLiteral("Kind") + n, QStringLiteral("own"));
    ini.writeInteger(QStringLiteral("Rig"), QStringLiteral("Model") + n, model);
    ini.writeString(QStringLiteral("Rig"), QStringLiteral("Device") + n, device);
    // As the window writes it: the other radio is none unless said otherwise.
    const QString other = QStringLiteral("Kind") + QString::number(3 - rig);
    if (ini.readString(QStringLiteral("Rig"), other, QString()).isEmpty())
        ini.writeString(QStringLiteral("Rig"), other, QStringLiteral("none"));
}

} // namespace

class TestRigSetup : public QObject {
    Q_OBJECT
private slots:
    // A first start: no section Rig, so nothing is tried and nothing is said; the panels say
    // that no radio is set up.
    void noRadioWithoutSection()
    {
        test::TestContext t;
        useRealRigControl(t);
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QSignalSpy said(m.rigServer(), &RigServer::serverUnreachable);
        QVERIFY(!said.wait(500));
        QVERIFY(t.prompts->shown.isEmpty());
        QCOMPARE(m.statusText(4), QStringLiteral("Радио-1: не настроено"));
        QCOMPARE(m.statusText(5), QStringLiteral("Радио-2: не настроено"));
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14000"));
        QVERIFY(!server(m)->process(1) && !server(m)->process(2));
        QVERIFY(!IniFile(t.context.settingsPath).hasSection(QStringLiteral("Rig")));
    }

    // The dummy radio set up through the window: checked, saved, started by Vireo, followed,
    // killed and started again, and gone with the program.
    void dummySetUpThroughTheWindow()
    {
        test::TestContext t;
        useRealRigControl(t);
        auto p = std::make_unique<Program>(t.context);
        TMain &m = p->main();
        const test::MainControls ui(m);
        QString checkText;
        int shownModels = 0, tabs = 0;
        bool startedAsNone = false, busyWhileChecking = false, checkEnded = false;
        t.prompts->onModal = [&](QDialog &d) {
            auto *w = qobject_cast<TRigSetup *>(&d);
            if (!w)
                return int(QDialog::Rejected);
            TRigSetupPage *page = w->page(1);
            tabs = w->tabRadios->count();
            startedAsNone = page->rbNone->isChecked();
            page->rbOwn->click();
            if (!waitForModels(w))
                return int(QDialog::Rejected);
            pickModel(page, QStringLiteral("hamlib dumm"), 1);
            shownModels = page->visibleModels();
            checkEnded = checkPage(page, &busyWhileChecking); // one check at a time
            checkText = page->lbCheck->text();
            w->btOk->click();
            return d.result();
        };
        ui.CAT1->trigger();
        QCOMPARE(tabs, 2);
        QVERIFY(startedAsNone && busyWhileChecking && checkEnded);
        QCOMPARE(t.prompts->shown.size(), 1);
        QCOMPARE(t.prompts->shown[0].kind, QStringLiteral("modal"));
        QCOMPARE(t.prompts->shown[0].caption, QStringLiteral("RigSetup"));
        QCOMPARE(t.prompts->shown[0].text, QStringLiteral("Управление CAT"));
        QCOMPARE(shownModels, 2); // "Dummy" and "Dummy No VFO"
        QCOMPARE(checkText, QStringLiteral("Радио отвечает: 145 000 кГц, FM (Hamlib Dummy)"));
        const IniFile ini(t.context.settingsPath);
        QCOMPARE(ini.readString("Rig", "Kind1", ""), QStringLiteral("own"));
        QCOMPARE(ini.readInteger("Rig", "Model1", 0), 1);
        QCOMPARE(ini.readString("Rig", "Kind2", ""), QStringLiteral("none"));

        // Started by Vireo and followed.
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("145 000"), Wait);
        QCOMPARE(m.statusText(4), QStringLiteral("Hamlib Dummy: On-line"));
        QCOMPARE(m.statusText(5), QStringLiteral("Радио-2: не настроено"));
        RigctldProcess *proc = server(m)->process(1);
        QVERIFY(proc);
        const qint64 first = proc->pid();
        QVERIFY(first > 0);
        test::Rigctld knob(proc->port());
        QVERIFY(knob.set({"M", "CW", "500", "F", "7012345"}));
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("7 012"), Wait);
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("CW"));

        // Killed: Vireo starts it again, and follows the new one (which starts afresh).
        ::kill(pid_t(first), SIGKILL);
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("145 000"), Wait);
        const qint64 second = server(m)->process(1)->pid();
        QVERIFY(second > 0 && second != first);
        QVERIFY(test::processGone(first));
        QCOMPARE(m.statusText(4), QStringLiteral("Hamlib Dummy: On-line"));
        QCOMPARE(t.prompts->shown.size(), 1); // no box for a restart

        // The program ends: its rigctld ends with it.
        p.reset();
        QVERIFY(test::processGone(second));
    }

    // Two radios, each with its own rigctld on its own device, at once; R-2 follows radio 2.
    void twoRadiosAtOnce()
    {
        if (!test::PtyPair::available())
            QSKIP("socat is not installed");
        test::PtyPair a, b;
        QVERIFY(a.start() && b.start());
        test::TestContext t;
        useRealRigControl(t);
        writeOwn(t.context.settingsPath, 1, 1, a.device());
        writeOwn(t.context.settingsPath, 2, 1, b.device());
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QTRY_COMPARE_WITH_TIMEOUT(m.rigServer()->status(1), RigServer::StOnline, Wait);
        QTRY_COMPARE_WITH_TIMEOUT(m.rigServer()->status(2), RigServer::StOnline, Wait);
        RigctldProcess *p1 = server(m)->process(1);
        RigctldProcess *p2 = server(m)->process(2);
        QVERIFY(p1->port() != p2->port() && p1->pid() != p2->pid());
        QVERIFY(RigctldProcess::arguments(p2->setup(), p2->port()).contains(b.device()));
        test::Rigctld knob2(p2->port());
        QVERIFY(knob2.set({"M", "USB", "2400", "F", "21012000"}));
        QTRY_COMPARE_WITH_TIMEOUT(m.rigServer()->rxFrequency(2), qint64(21012000), Wait);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("145 000")); // R-1 is down
        QTest::mouseClick(ui.btRadio2, Qt::LeftButton);
        QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("21 012"));
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("PH"));
        QVERIFY(t.prompts->shown.isEmpty());
    }

    // A serial port this user may not open: the start message says so with the dialout
    // command, and so does "Проверить". The port is a real pty with mode 000; the test runs as
    // root, which may open it anyway, so the access check is the seam here (the check itself is
    // proven as user nobody in tst_rig_setup_core).
    void serialPortWithoutPermission()
    {
        if (!test::PtyPair::available())
            QSKIP("socat is not installed");
        test::PtyPair pty;
        QVERIFY(pty.start());
        QVERIFY(QFile::setPermissions(pty.node(), {}));
        test::TestContext t;
        useRealRigControl(t);
        const QString node = pty.node();
        t.context.services.rigProcess.deviceAccess = [node](const QString &device) {
            const bool locked =
                QFileInfo(device).canonicalFilePath() == node
                && !(QFileInfo(node).permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ReadOwner));
            return locked ? EACCES : 0;
        };
        writeOwn(t.context.settingsPath, 1, 3073, pty.device());
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QTRY_COMPARE_WITH_TIMEOUT(t.prompts->shown.size(), 1, Wait);
        const test::Shown box = t.prompts->shown[0];
        QCOMPARE(box.kind, QStringLiteral("error"));
        QCOMPARE(box.text, kUnreachable + QStringLiteral("\nРадио 1 (модель Hamlib 3073, порт ") + pty.device()
                               + QStringLiteral(", rigctld запускает Vireo): Нет прав на порт ") + pty.device()
                               + QStringLiteral(". Добавьте себя в группу dialout командой\n"
                                                "sudo usermod -aG dialout $USER\nи войдите в систему заново.")
                               + kGoesOn);
        QCOMPARE(m.statusText(4), QStringLiteral("Hamlib 3073: нет прав на порт"));
        QCOMPARE(server(m)->process(1)->pid(), qint64(0)); // rigctld was not even started

        // The same from the window's check, which leaves the window open.
        QString checkText, shownDevice;
        bool own = false;
        t.prompts->onModal = [&](QDialog &d) {
            auto *w = qobject_cast<TRigSetup *>(&d);
            TRigSetupPage *page = w->page(1);
            own = page->rbOwn->isChecked();
            shownDevice = page->cbDevice->currentText();
            checkPage(page);
            checkText = page->lbCheck->text();
            return int(QDialog::Rejected);
        };
        ui.CAT1->trigger();
        QVERIFY(own);
        QCOMPARE(shownDevice, pty.device());
        QVERIFY2(checkText.contains(QStringLiteral("\nsudo usermod -aG dialout $USER\n")), qPrintable(checkText));
        // Cancelled: rig control is back as it was; its first attempt fails again without a second box.
        QSignalSpy again(m.rigServer(), &RigServer::serverUnreachable);
        QVERIFY(again.wait(Wait));
        QCOMPARE(t.prompts->texts(QStringLiteral("error")).size(), 1);
        QCOMPARE(m.statusText(4), QStringLiteral("Hamlib 3073: нет прав на порт"));
    }

    // No rigctld installed, and a serial device that is not there.
    void rigctldMissingAndDeviceMissing()
    {
        {
            test::TestContext t;
            useRealRigControl(t);
            t.context.services.rigProcess.program = QStringLiteral("/nonexistent/rigctld");
            writeOwn(t.context.settingsPath, 1, 1, QString());
            Program p(t.context);
            QTRY_COMPARE_WITH_TIMEOUT(t.prompts->shown.size(), 1, Wait);
            QCOMPARE(t.prompts->shown[0].text,
                     kUnreachable
                         + QStringLiteral("\nРадио 1 (модель Hamlib 1, rigctld запускает Vireo): Программа rigctld "
                                          "не установлена. Установите её командой\nsudo apt install libhamlib-utils")
                         + kGoesOn);
        }
        {
            test::TestContext t;
            useRealRigControl(t);
            const QString device = t.path(QStringLiteral("ttyUSB7"));
            writeOwn(t.context.settingsPath, 2, 3073, device);
            Program p(t.context);
            TMain &m = p.main();
            QTRY_COMPARE_WITH_TIMEOUT(t.prompts->shown.size(), 1, Wait);
            QCOMPARE(t.prompts->shown[0].text,
                     kUnreachable + QStringLiteral("\nРадио 2 (модель Hamlib 3073, порт ") + device
                         + QStringLiteral(", rigctld запускает Vireo): Порт ") + device
                         + QStringLiteral(" не найден: радио не подключено к компьютеру или выключено.") + kGoesOn);
            QCOMPARE(m.statusText(5), QStringLiteral("Hamlib 3073: нет порта"));
            QCOMPARE(m.statusText(4), QStringLiteral("Радио-1: не настроено"));
        }
    }

    // A rigctld the listener runs (here: the test) is used as it is, at its host and port.
    void rigctldElsewhere()
    {
        test::Rigctld theirs;
        QVERIFY(theirs.start());
        QVERIFY(theirs.set({"M", "LSB", "2400", "F", "3650000"}));
        test::TestContext t;
        useRealRigControl(t);
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        QString checkText;
        t.prompts->onModal = [&](QDialog &d) {
            auto *w = qobject_cast<TRigSetup *>(&d);
            w->tabRadios->setCurrentIndex(1);
            TRigSetupPage *page = w->page(2);
            page->rbRemote->click();
            page->edHost->setText(QStringLiteral("127.0.0.1"));
            page->sbPort->setValue(theirs.port());
            checkPage(page);
            checkText = page->lbCheck->text();
            w->btOk->click();
            return d.result();
        };
        ui.CAT1->trigger();
        QCOMPARE(checkText, QStringLiteral("Радио отвечает: 3 650 кГц, LSB (Hamlib Dummy)"));
        QTest::mouseClick(ui.btRadio2, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m.rigServer()->status(2), RigServer::StOnline, Wait);
        QTRY_COMPARE_WITH_TIMEOUT(ui.cbFreq->currentText(), QStringLiteral("3 650"), Wait);
        QCOMPARE(ui.cbMode->currentText(), QStringLiteral("PH"));
        QVERIFY(!server(m)->process(2)); // nothing started for it
        QCOMPARE(IniFile(t.context.settingsPath).readInteger("Rig", "Port2", 0), int(theirs.port()));
        QCOMPARE(t.prompts->texts(QStringLiteral("error")), QStringList());
    }

    // "Отмена" changes nothing: not the settings, not the frequency and mode the listener had
    // chosen (so not the band of the next call), with no radio and with a radio not reached.
    void cancelChangesNothing()
    {
        for (const bool withRadio : {false, true}) {
            test::TestContext t;
            useRealRigControl(t);
            const quint16 silent = test::freePort();
            if (withRadio) {
                IniFile ini(t.context.settingsPath);
                ini.writeString(QStringLiteral("Rig"), QStringLiteral("Kind1"), QStringLiteral("remote"));
                ini.writeString(QStringLiteral("Rig"), QStringLiteral("Host1"), QStringLiteral("127.0.0.1"));
                ini.writeInteger(QStringLiteral("Rig"), QStringLiteral("Port1"), silent);
                ini.writeString(QStringLiteral("Rig"), QStringLiteral("Kind2"), QStringLiteral("none"));
            }
            // The radios' keys as they stand (the window keeps its own size and place besides).
            const auto rigKeys = [&t] {
                const IniFile ini(t.context.settingsPath);
                QStringList keys;
                for (const char *key : {"Kind1", "Host1", "Port1", "Model1", "Kind2", "Port2"})
                    keys << ini.readString(QStringLiteral("Rig"), QLatin1String(key), QStringLiteral("-"));
                return keys;
            };
            const QStringList before = rigKeys();
            Program p(t.context);
            TMain &m = p.main();
            const test::MainControls ui(m);
            if (withRadio)
                QTRY_COMPARE_WITH_TIMEOUT(t.prompts->texts(QStringLiteral("error")).size(), 1, Wait);
            QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14000"));
            ui.cbFreq->setEditText(QStringLiteral("7000"));
            ui.cbMode->setEditText(QStringLiteral("PH (SSB)"));
            QCOMPARE(m.currentBand, QStringLiteral("40M"));
            t.prompts->shown.clear();

            t.prompts->onModal = [&](QDialog &d) {
                auto *w = qobject_cast<TRigSetup *>(&d);
                if (!w)
                    return int(QDialog::Rejected);
                w->page(1)->rbOwn->click(); // changed in the window, then thrown away
                w->btCancel->click();
                return d.result();
            };
            ui.CAT1->trigger();
            // The radio's first attempt after the window, had it anything to say (with no radio
            // nothing is tried at all).
            if (withRadio) {
                QSignalSpy attempt(m.rigServer(), &RigServer::serverUnreachable);
                QVERIFY(attempt.wait(Wait));
            }
            QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("7000"));
            QCOMPARE(ui.cbMode->currentText(), QStringLiteral("PH (SSB)"));
            m.FreqToBand();
            QCOMPARE(m.currentBand, QStringLiteral("40M"));
            QCOMPARE(t.prompts->texts(QStringLiteral("error")), QStringList()); // said once, at start
            QCOMPARE(rigKeys(), before);
            QCOMPARE(IniFile(t.context.settingsPath).hasSection(QStringLiteral("Rig")), withRadio);
            // Rig control runs again as before.
            QVERIFY(server(m));
            QCOMPARE(m.rigServer()->status(1), withRadio ? RigServer::StPortBusy : RigServer::StNotConfigured);
        }
    }

    // The model list is made by rigctl in the background: until it is there each page says so
    // in the list's place, and the rest of the window can be used; then the list takes that
    // place with the model of the settings chosen and what was typed into the search applied.
    void modelListLoadsInTheBackground()
    {
        test::TestContext t;
        writeOwn(t.context.settingsPath, 1, 3073, QStringLiteral("/dev/ttyUSB0"));
        TRigSetup w(t.context, {QStringLiteral("/dev/ttyUSB0")});
        QSignalSpy loaded(&w, &TRigSetup::modelListLoaded);
        TRigSetupPage *page = w.page(1);
        QVERIFY(!w.modelListReady());
        for (int rig : {1, 2}) {
            auto *note = w.findChild<QLabel *>(QStringLiteral("lbModelsLoading%1").arg(rig));
            QVERIFY(note);
            QCOMPARE(note->text(), QStringLiteral("Загрузка списка радиостанций…"));
            QVERIFY(!note->isHidden());
            QVERIFY(w.page(rig)->lvModels->isHidden());
            QCOMPARE(w.page(rig)->lvModels->topLevelItemCount(), 0);
        }
        // Usable meanwhile: the settings are shown and can be changed, the search typed into.
        QVERIFY(page->rbOwn->isChecked() && page->gbOwn->isEnabled());
        QCOMPARE(page->cbDevice->currentText(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(page->setup().model, 3073); // the model of the settings stands until the list comes
        QVERIFY(page->problem().isEmpty());
        page->rbRemote->click();
        QVERIFY(page->gbRemote->isEnabled() && !page->gbOwn->isEnabled());
        page->rbOwn->click();
        QTest::keyClicks(page->edFilter, QStringLiteral("icom"));
        QVERIFY(loaded.isEmpty());

        QVERIFY(loaded.wait(Wait));
        QCOMPARE(loaded.size(), 1);
        QVERIFY(w.modelListReady());
        QVERIFY(page->lbModelsLoading->isHidden());
        QVERIFY(!page->lvModels->isHidden());
        QVERIFY(page->lvModels->currentItem());
        QCOMPARE(page->lvModels->currentItem()->data(0, Qt::UserRole).toInt(), 3073);
        QCOMPARE(page->setup().model, 3073);
        QVERIFY(page->visibleModels() > 30);
        for (int i = 0; i < page->lvModels->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = page->lvModels->topLevelItem(i);
            QCOMPARE(item->isHidden(), item->text(0) != QLatin1String("Icom"));
        }
        TRigSetupPage *second = w.page(2);
        QVERIFY(second->lbModelsLoading->isHidden() && !second->lvModels->isHidden());
        QCOMPARE(second->visibleModels(), second->lvModels->topLevelItemCount());
        QVERIFY(page->lbCheck->text().isEmpty());
    }

    // Without rigctl the list stays empty and each page says why; the model of the settings
    // stays choosable.
    void modelListWithoutRigctl()
    {
        test::TestContext t;
        writeOwn(t.context.settingsPath, 1, 3073, QStringLiteral("/dev/ttyUSB0"));
        TRigSetup w(t.context, {}, nullptr, QStringLiteral("/nonexistent/rigctl"));
        QVERIFY(!w.modelListReady());
        QVERIFY(waitForModels(&w));
        for (int rig : {1, 2})
            QCOMPARE(w.page(rig)->lbCheck->text(),
                     QStringLiteral(
                         "Программа rigctl не найдена. Установите пакет Hamlib: sudo apt install libhamlib-utils"));
        TRigSetupPage *page = w.page(1);
        QCOMPARE(page->lvModels->topLevelItemCount(), 1);
        QCOMPARE(page->lvModels->currentItem()->text(1), QStringLiteral("модель 3073"));
        QCOMPARE(page->setup().model, 3073);
        QCOMPARE(w.page(2)->lvModels->topLevelItemCount(), 0);
    }

    // What the window refuses, what it keeps, and the program of the older key Command.
    void windowRules()
    {
        test::TestContext t;
        useRealRigControl(t);
        IniFile(t.context.settingsPath)
            .writeString(QStringLiteral("Rig"), QStringLiteral("Command"),
                         QStringLiteral("\"/opt/rig tools/rigctld\" -m 1 -t 4532; reboot"));
        IniFile(t.context.settingsPath).writeInteger(QStringLiteral("Rig"), QStringLiteral("Port1"), 0);
        IniFile(t.context.settingsPath).writeInteger(QStringLiteral("Rig"), QStringLiteral("Port2"), 0);
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        int icom = 0;
        bool refused = false, noneFirst = false, ownEnabled = false, commandShown = false;
        t.prompts->onModal = [&](QDialog &d) {
            auto *w = qobject_cast<TRigSetup *>(&d);
            TRigSetupPage *page = w->page(1);
            noneFirst = page->rbNone->isChecked() && !page->gbOwn->isEnabled() && !page->btCheck->isEnabled();
            if (!waitForModels(w))
                return int(QDialog::Rejected);
            page->rbOwn->click();
            ownEnabled = page->gbOwn->isEnabled() && !page->gbRemote->isEnabled() && page->btCheck->isEnabled();
            QTest::keyClicks(page->edFilter, QStringLiteral("icom"));
            icom = page->visibleModels();
            w->btOk->click(); // no model chosen
            refused = d.result() != QDialog::Accepted;
            commandShown = !w->btCommand->isHidden();
            // Both radios on one port: refused too.
            pickModel(page, QString(), 3073);
            page->cbDevice->setEditText(t.path(QStringLiteral("settings.ini")));
            TRigSetupPage *second = w->page(2);
            second->rbOwn->click();
            pickModel(second, QStringLiteral("yaesu"), 1036);
            second->cbDevice->setEditText(QDir(t.dir.path()).filePath(QStringLiteral("./settings.ini")));
            w->btOk->click();
            refused = refused && d.result() != QDialog::Accepted && w->tabRadios->currentIndex() == 1;
            page->rbNone->click();
            w->btCommand->click();
            return int(QDialog::Rejected);
        };
        ui.CAT1->trigger();
        QVERIFY(noneFirst && ownEnabled && commandShown);
        QVERIFY(icom > 30);
        QVERIFY(refused);
        const QStringList warnings = t.prompts->texts(QStringLiteral("warning"));
        QCOMPARE(warnings.size(), 2);
        QCOMPARE(warnings[0], QStringLiteral("Радио 1: выберите модель в списке."));
        QVERIFY2(warnings[1].startsWith(QStringLiteral("Радио 1 и радио 2 подключены к одному порту")),
                 qPrintable(warnings[1]));
        QCOMPARE(t.shell->started.size(), 1);
        QCOMPARE(t.shell->started[0], (QStringList{"/opt/rig tools/rigctld", "-m", "1", "-t", "4532;", "reboot"}));
        // Cancelled: nothing written.
        QVERIFY(IniFile(t.context.settingsPath).readString("Rig", "Kind1", "").isEmpty());
    }

    // The window as the listener sees it, in the program's font: the list searched for a maker,
    // and the permission message of a check. Every caption fits.
    void look()
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        QApplication::setFont(font);
        test::TestContext t;
        t.context.services.rigProcess.deviceAccess = [](const QString &) { return EACCES; };
        const QString byId = QStringLiteral("/dev/serial/by-id/usb-Silicon_Labs_CP2102_USB_to_UART_Bridge_Controller_"
                                            "IC-7300_03001234-if00-port0");
        TRigSetup w(t.context, {byId, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyACM0")});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(waitForModels(&w));
        TRigSetupPage *page = w.page(1);
        page->rbOwn->click();
        pickModel(page, QStringLiteral("Icom"), 3073);
        page->cbDevice->setCurrentIndex(0);
        page->cbSpeed->setCurrentIndex(page->cbSpeed->findData(115200));
        for (int i = 0; i < page->lvModels->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = page->lvModels->topLevelItem(i);
            QCOMPARE(item->isHidden(), item->text(0) != QLatin1String("Icom"));
        }
        QCoreApplication::processEvents();
        for (QWidget *c : w.findChildren<QWidget *>()) {
            if (auto *b = qobject_cast<QAbstractButton *>(c); b && b->isVisible() && !b->text().isEmpty())
                QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->objectName() + ": " + b->text()));
        }
        const QImage filtered = w.grab().toImage();
        QVERIFY(!filtered.isNull());

        page->btCheck->click();
        QTRY_VERIFY_WITH_TIMEOUT(page->btCheck->isEnabled(), Wait);
        QVERIFY(page->lbCheck->text().contains(rig::dialoutCommand()));
        QCoreApplication::processEvents();
        QVERIFY(page->lbCheck->height() >= page->lbCheck->heightForWidth(page->lbCheck->width()));
        // Nothing pushed over anything else by the long message.
        QVERIFY(page->lvModels->geometry().bottom() < page->cbDevice->geometry().top());
        QVERIFY(page->lvModels->height() >= page->lvModels->minimumHeight());
        QVERIFY(w.width() <= 700);
    }
};

QTEST_MAIN(TestRigSetup)
#include "tst_rig_setup.moc"
