// QSOs typed key by key into the real main window, in both layouts and both entry modes.

#include "base/ui/widget_kit.h"
#include "support/ui/entry_window.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace vireo;
using namespace vireo::test;

class EntryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void observationKeepsTheInstantOfItsSave();
    void observationRowLayoutWithReports();
    void columnLayoutWithoutReports();
    void copyWithSwapWritesNormalisedMirror();
    void frequencyIsCheckedBeforeAnythingIsWritten();
    void ctrlEnterSavesWithoutTheOkTest();
    void russianLayoutAndPasteAreFiltered();
    void arrowsEscAndCursorSide();
    void f1SwapsAndF2Clears();
    void manualEntryMode();
    void fieldLayout();
};

void EntryWindowTest::observationRowLayoutWithReports()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    QCOMPARE(focused(), ui.edCall1);
    QTest::keyClicks(focused(), QStringLiteral("ua3abc"));
    QCOMPARE(ui.edCall1->text(), QStringLiteral("UA3ABC"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edRst1);
    ui.edRst1->selectAll();
    type(QStringLiteral("579"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edNr1);
    QCOMPARE(ui.edNr1->text(), QStringLiteral(" ")); // the cursor-side blank, cursor after it
    QCOMPARE(ui.edNr1->cursorPosition(), 1);
    type(QStringLiteral("17"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edCall2);
    type(QStringLiteral("dl1xyz"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edRst2);
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edNr2);
    type(QStringLiteral("15"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.btSave);
    QVERIFY(w.records().isEmpty());
    press(Qt::Key_Return);

    const QVector<QsoRecord> recs = w.records();
    QCOMPARE(recs.size(), 1);
    const QsoRecord &r = recs.first();
    QCOMPARE(r.freq, QStringLiteral("14000"));
    QCOMPARE(r.mode, QStringLiteral("CW"));
    QCOMPARE(r.band, QStringLiteral("20M"));
    QCOMPARE(r.data, QStringLiteral("05.03.2026"));
    QCOMPARE(r.time, QStringLiteral("07:04"));
    QCOMPARE(r.call1, QStringLiteral("UA3ABC"));
    QCOMPARE(r.rst1, QStringLiteral("579"));
    QCOMPARE(r.nr1, QStringLiteral("17"));
    QCOMPARE(r.call2, QStringLiteral("DL1XYZ"));
    QCOMPARE(r.rst2, QStringLiteral("599"));
    QCOMPARE(r.nr2, QStringLiteral("15"));
    QCOMPARE(r.tur, QStringLiteral("0"));
    QCOMPARE(r.radio, QStringLiteral("1"));

    for (QLineEdit *e : {ui.edCall1, ui.edRst1, ui.edNr1, ui.edCall2, ui.edRst2, ui.edNr2})
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName() + QLatin1Char('=') + e->text()));
    QCOMPARE(focused(), ui.edCall1);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 1"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 3"));
    QCOMPARE(m.logModel().rowCount(), 1);
    QCOMPARE(w.selectedRow(), 0);
    QVERIFY(w.t.prompts->shown.isEmpty());

    // A heard station alone (no worked number): its report goes, and it scores 1 point.
    type(QStringLiteral("ok1aa"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type(QStringLiteral("5"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edCall2);
    press(Qt::Key_Down); // no move from the worked call downwards in this layout
    QCOMPARE(focused(), ui.edCall2);
    ui.edRst2->setText(QStringLiteral("599"));
    ui.btSave->click();
    const QsoRecord second = w.records().at(1);
    QCOMPARE(second.nr1, QStringLiteral("5"));
    QCOMPARE(second.call2, QString());
    QCOMPARE(second.rst2, QString());
    QCOMPARE(second.nr2, QString());
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 4"));
    QCOMPARE(w.selectedRow(), 1);
}

void EntryWindowTest::columnLayoutWithoutReports()
{
    EntryWindow w(true);
    TMain &m = *w.m;
    const test::MainControls ui(m);
    QVERIFY(ui.N18->isChecked());
    ui.chRst->click();
    QVERIFY(!ui.chRst->isChecked());
    QVERIFY(ui.edRst1->isHidden());
    ui.cbMode->setEditText(QStringLiteral("PH (SSB)"));
    ui.edCall1->setFocus();

    type(QStringLiteral("ua3abc"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edCall2);
    type(QStringLiteral("dl1xyz"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edNr1);
    QCOMPARE(ui.edNr1->text(), QString()); // reached without placement
    type(QStringLiteral("17 kn"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edNr2);
    type(QStringLiteral("15"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.btSave);
    press(Qt::Key_Return);

    const QVector<QsoRecord> recs = w.records();
    QCOMPARE(recs.size(), 1);
    QCOMPARE(recs[0].mode, QStringLiteral("PH"));
    QCOMPARE(recs[0].call1, QStringLiteral("UA3ABC"));
    QCOMPARE(recs[0].rst1, QString());
    QCOMPARE(recs[0].nr1, QStringLiteral("17 KN"));
    QCOMPARE(recs[0].call2, QStringLiteral("DL1XYZ"));
    QCOMPARE(recs[0].rst2, QString());
    QCOMPARE(recs[0].nr2, QStringLiteral("15"));
    for (QLineEdit *e : {ui.edCall1, ui.edRst1, ui.edNr1, ui.edCall2, ui.edRst2, ui.edNr2})
        QVERIFY(e->text().isEmpty());

    // With reports: heard call, worked call, heard report, heard number with placement,
    // worked report, worked number with placement, OK.
    ui.chRst->click();
    ui.edCall1->setFocus();
    type(QStringLiteral("ok1aa"));
    press(Qt::Key_Return);
    type(QStringLiteral("ok2bb"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edRst1);
    QCOMPARE(ui.edRst1->text(), QStringLiteral("59")); // default report of the mode, from the call field
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edNr1);
    QCOMPARE(ui.edNr1->text(), QStringLiteral(" "));
    type(QStringLiteral("1"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edRst2);
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edNr2);
    type(QStringLiteral("2"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    QCOMPARE(w.records().size(), 2);
    QCOMPARE(w.records().at(1).rst1, QStringLiteral("59"));
    QCOMPARE(w.records().at(1).nr1, QStringLiteral("1"));
    QCOMPARE(w.records().at(1).nr2, QStringLiteral("2"));
}

void EntryWindowTest::copyWithSwapWritesNormalisedMirror()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    ui.N20->trigger();
    QVERIFY(ui.N20->isChecked());
    QCOMPARE(ui.N20->text(), QStringLiteral("Снять режим копии строки с рокировкой данных"));
    ui.btRadio2->click();
    ui.edTour->setText(QStringLiteral("2"));
    ui.edCall1->setFocus();

    type(QStringLiteral("ua3abc"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type(QStringLiteral("17  kn"));
    press(Qt::Key_Return);
    type(QStringLiteral("dl1xyz"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type(QStringLiteral("15"));
    QCOMPARE(ui.edNr2->text(), QStringLiteral(" 15")); // typed after the placement blank
    press(Qt::Key_Return);
    press(Qt::Key_Return);

    const QVector<QsoRecord> recs = w.records();
    QCOMPARE(recs.size(), 2);
    QCOMPARE(recs[0].call1, QStringLiteral("UA3ABC"));
    QCOMPARE(recs[0].nr1, QStringLiteral("17 KN"));
    QCOMPARE(recs[0].radio, QStringLiteral("2"));
    QCOMPARE(recs[0].tur, QStringLiteral("2"));
    const QsoRecord &mirror = recs[1];
    QCOMPARE(mirror.call1, QStringLiteral("DL1XYZ"));
    QCOMPARE(mirror.rst1, QStringLiteral("599"));
    QCOMPARE(mirror.nr1, QStringLiteral("15"));
    QCOMPARE(mirror.call2, QStringLiteral("UA3ABC"));
    QCOMPARE(mirror.rst2, QStringLiteral("599"));
    QCOMPARE(mirror.nr2, QStringLiteral("17 KN"));
    QCOMPARE(mirror.radio, QStringLiteral("2"));
    QCOMPARE(mirror.tur, QStringLiteral("2"));
    QCOMPARE(mirror.data, recs[0].data);
    QCOMPARE(mirror.time, recs[0].time);
    QCOMPARE(mirror.band, QStringLiteral("20M"));
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 2"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 6"));
    QCOMPARE(w.selectedRow(), 1);

    ui.N20->trigger();
    QVERIFY(!ui.N20->isChecked());
    QCOMPARE(ui.N20->text(), QStringLiteral("Установить режим копии строки с рокировкой данных"));
}

void EntryWindowTest::frequencyIsCheckedBeforeAnythingIsWritten()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    const QString message = QStringLiteral(" Не верное значение частоты, запись невозможна");
    for (const QString &freq : {QString(), QStringLiteral(" R1 OFF"), QStringLiteral("14.025")}) {
        w.t.prompts->shown.clear();
        ui.cbFreq->setEditText(freq);
        ui.edCall1->setText(QStringLiteral("UA3ABC"));
        ui.edNr1->setText(QStringLiteral("17"));
        ui.btSave->click();
        QCOMPARE(w.t.prompts->texts(QStringLiteral("information")), QStringList{message});
        QCOMPARE(w.records().size(), 0);
        QCOMPARE(ui.edCall1->text(), QStringLiteral("UA3ABC")); // fields untouched
        QCOMPARE(ui.edNr1->text(), QStringLiteral("17"));
    }
    w.t.prompts->shown.clear();
    ui.cbFreq->setEditText(QStringLiteral("14000"));
    ui.cbFreq->setEditText(QStringLiteral("14 025"));
    ui.btSave->click();
    QVERIFY(w.t.prompts->shown.isEmpty());
    QCOMPARE(w.records().size(), 1);
    QCOMPARE(w.records().at(0).freq, QStringLiteral("14025"));
    QCOMPARE(w.records().at(0).band, QStringLiteral("20M")); // not a list frequency: the band stays
}

// An observation notes the instant of its save (by which the recording finds its stretch); a
// record typed in by hand has a time of its own and no instant.
void EntryWindowTest::observationKeepsTheInstantOfItsSave()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    w.t.clock->now = QDateTime(QDate(2026, 3, 5), QTime(7, 4, 9, 250), Qt::UTC);
    ui.edCall1->setText(QStringLiteral("UA3ABC"));
    ui.edNr1->setText(QStringLiteral("17"));
    ui.btSave->click();
    QCOMPARE(w.records().size(), 1);
    QCOMPARE(m.qsos().savedAt(w.records().at(0).id), std::optional<qint64>(w.t.clock->now.toMSecsSinceEpoch()));

    ui.chCopy->click();
    ui.edCall1->setText(QStringLiteral("DL1XX"));
    ui.edNr1->setText(QStringLiteral("5"));
    ui.btCopySave->click();
    QCOMPARE(w.records().size(), 2);
    QCOMPARE(m.qsos().savedAt(w.records().at(1).id), std::nullopt);
}

void EntryWindowTest::ctrlEnterSavesWithoutTheOkTest()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    // OK with an empty heard number does nothing and says nothing.
    type(QStringLiteral("ua3abc"));
    ui.btSave->click();
    QCOMPARE(w.records().size(), 0);
    QVERIFY(w.t.prompts->shown.isEmpty());

    // Ctrl+Enter in the heard call saves first, then moves on as Enter does. Saved before the
    // clock's first tick, the record still gets the date and time.
    m.CurrentUtcDate.clear();
    m.CurrentUtcTime.clear();
    ui.edCall1->setFocus();
    press(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.records().size(), 1);
    QCOMPARE(w.records().at(0).call1, QStringLiteral("UA3ABC"));
    QCOMPARE(w.records().at(0).nr1, QString());
    QCOMPARE(w.records().at(0).data, QStringLiteral("05.03.2026"));
    QCOMPARE(w.records().at(0).time, QStringLiteral("07:04"));
    QCOMPARE(focused(), ui.edRst1);

    // Not in a report field.
    press(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.records().size(), 1);
    QCOMPARE(focused(), ui.edNr1);

    // In the worked number: the focus moves first (to OK), the save comes last and ends in the call.
    type(QStringLiteral("5"));
    ui.edCall2->setText(QStringLiteral("DL1XYZ"));
    ui.edCall1->setText(QStringLiteral("OK1AA"));
    ui.edNr2->setFocus();
    type(QStringLiteral("9"));
    press(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(w.records().size(), 2);
    QCOMPARE(w.records().at(1).call1, QStringLiteral("OK1AA"));
    QCOMPARE(w.records().at(1).nr1, QStringLiteral("5"));
    QCOMPARE(w.records().at(1).nr2, QStringLiteral("9"));
    QCOMPARE(focused(), ui.edCall1);
}

void EntryWindowTest::russianLayoutAndPasteAreFiltered()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    type(QStringLiteral("гф3фис.з"));
    QCOMPARE(ui.edCall1->text(), QStringLiteral("UA3ABC/P"));
    ui.edNr1->setFocus();
    type(QStringLiteral("ua1абв-ж,#"));
    QCOMPARE(ui.edNr1->text(), QStringLiteral("UA1FD"));

    // The clipboard shortcuts are control characters: discarded.
    QGuiApplication::clipboard()->setText(QStringLiteral("XX"));
    press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(ui.edNr1->text(), QStringLiteral("UA1FD"));
    // Ctrl with a key without a character of its own keeps its meaning.
    press(Qt::Key_Backspace, Qt::ControlModifier);
    QCOMPARE(ui.edNr1->text(), QString());

    // Text pasted from the menu goes through the same filter; what was there stays.
    QGuiApplication::clipboard()->setText(QStringLiteral("dl.1-жxyz"));
    ui.edCall2->paste();
    QCOMPARE(ui.edCall2->text(), QStringLiteral("DL/1XYZ"));
    ui.edNr2->setText(QStringLiteral("-37.5")); // put there by the program, not typed
    ui.edNr2->end(false);
    QGuiApplication::clipboard()->setText(QStringLiteral(" кн"));
    ui.edNr2->paste();
    QCOMPARE(ui.edNr2->text(), QStringLiteral("-37.5 RY"));
    QCOMPARE(ui.edNr2->cursorPosition(), 8);
}

void EntryWindowTest::arrowsEscAndCursorSide()
{
    {
        EntryWindow w;
        TMain &m = *w.m;
        const test::MainControls ui(m);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), ui.edNr1);
        press(Qt::Key_Down);
        QCOMPARE(focused(), ui.edNr2);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), ui.edCall2);
        press(Qt::Key_Up);
        QCOMPARE(focused(), ui.edCall1);
        press(Qt::Key_Up); // nothing above the heard call
        QCOMPARE(focused(), ui.edCall1);

        // Cursor on the left: the blank goes before the text, the cursor to the start.
        ui.chLR->click();
        QCOMPARE(ui.chLR->text(), QStringLiteral("Слева"));
        ui.chRst->click();
        ui.edNr1->setText(QStringLiteral("17"));
        ui.edCall1->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(focused(), ui.edNr1);
        QCOMPARE(ui.edNr1->text(), QStringLiteral(" 17"));
        QCOMPARE(ui.edNr1->cursorPosition(), 0);
        type(QStringLiteral("b"));
        QCOMPARE(ui.edNr1->text(), QStringLiteral("B 17"));
        ui.chLR->click();
        QCOMPARE(ui.chLR->text(), QStringLiteral("Справа"));

        // Left arrow on the OK button goes back to the heard number.
        ui.btSave->setFocus();
        press(Qt::Key_Left);
        QCOMPARE(focused(), ui.edNr1);

        // Manual entry: Enter in the worked number leads to its own OK button.
        ui.chCopy->click();
        ui.edNr2->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(focused(), ui.btCopySave);
    }
    {
        EntryWindow w(true);
        TMain &m = *w.m;
        const test::MainControls ui(m);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), ui.edCall2);
        press(Qt::Key_Down);
        QCOMPARE(focused(), ui.edRst2);
        press(Qt::Key_Up);
        QCOMPARE(focused(), ui.edCall2);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), ui.edCall1);
        press(Qt::Key_Down);
        QCOMPARE(focused(), ui.edRst1);
        press(Qt::Key_Return);
        QCOMPARE(focused(), ui.edNr1);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), ui.edNr2);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), ui.edNr1);
    }
}

void EntryWindowTest::f1SwapsAndF2Clears()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    const QStringList before{QStringLiteral("UA3ABC"), QStringLiteral("579"), QStringLiteral("17"),
                             QStringLiteral("DL1XYZ"), QStringLiteral("559"), QStringLiteral("15 KN")};
    QLineEdit *const fields[] = {ui.edCall1, ui.edRst1, ui.edNr1, ui.edCall2, ui.edRst2, ui.edNr2};
    for (int i = 0; i < 6; ++i)
        fields[i]->setText(before[i]);
    auto texts = [&] {
        QStringList t;
        for (QLineEdit *e : fields)
            t << e->text();
        return t;
    };
    ui.edNr2->setFocus();
    press(Qt::Key_F1);
    QCOMPARE(texts(), (QStringList{before[3], before[4], before[5], before[0], before[1], before[2]}));
    QCOMPARE(focused(), ui.edCall1);
    ui.BitBtn1->click();
    QCOMPARE(texts(), before);
    ui.edRst2->setFocus();
    press(Qt::Key_F2);
    QCOMPARE(texts(), QStringList(6, QString()));
    QCOMPARE(focused(), ui.edCall1);
}

void EntryWindowTest::manualEntryMode()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    ui.chCopy->click();
    QVERIFY(ui.btCopySave->isVisible());
    QVERIFY(!ui.btSave->isVisible());
    QVERIFY(!ui.btEditSave->isVisible());
    QVERIFY(ui.edData->isVisible());
    QVERIFY(ui.edTime->isVisible());
    QVERIFY(!ui.Panel3->isVisible());
    for (QWidget *e : std::initializer_list<QWidget *>{ui.edTour, ui.edCall1, ui.edRst1, ui.edNr1, ui.edCall2,
                                                       ui.edRst2, ui.edNr2, ui.edData, ui.edTime, ui.cbMode, ui.cbFreq})
        QCOMPARE(kit::background(e), kit::lightGreen());
    QCOMPARE(ui.edData->text(), QStringLiteral("05.03.2026"));
    QCOMPARE(ui.edTime->text(), QStringLiteral("07:04"));
    QCOMPARE(focused(), ui.edTime);
    QCOMPARE(m.statusText(5), QStringLiteral("Режим ввода QSO вручную"));
    QVERIFY(!ui.mnLogAction->isEnabled());
    QVERIFY(!ui.mnSettingsAction->isEnabled());
    QVERIFY(!ui.N10->isEnabled());
    QVERIFY(ui.mnWindowsAction->isEnabled());
    QVERIFY(!ui.mnHelpAction->isEnabled());
    QVERIFY(!ui.N12->isEnabled());
    QVERIFY(!ui.N13->isEnabled());

    ui.edTime->selectAll();
    QTest::keyClicks(focused(), QStringLiteral("1230"));
    QCOMPARE(ui.edTime->text(), QStringLiteral("12:30"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edCall1);
    type(QStringLiteral("ua3abc"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type(QStringLiteral("17"));
    press(Qt::Key_Return);
    type(QStringLiteral("dl1xyz"));
    press(Qt::Key_Return);
    QCOMPARE(kit::background(ui.edRst2), kit::lightGreen());
    press(Qt::Key_Return);
    type(QStringLiteral("15"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.btCopySave);
    press(Qt::Key_Return);

    QCOMPARE(w.records().size(), 1);
    const QsoRecord r = w.records().at(0);
    QCOMPARE(r.data, QStringLiteral("05.03.2026"));
    QCOMPARE(r.time, QStringLiteral("12:30"));
    QCOMPARE(r.call1, QStringLiteral("UA3ABC"));
    QCOMPARE(r.rst1, QStringLiteral("599"));
    QCOMPARE(r.nr1, QStringLiteral("17")); // the cursor blanks are not stored
    QCOMPARE(r.nr2, QStringLiteral("15"));
    QCOMPARE(r.radio, QString());
    QCOMPARE(r.band, QStringLiteral("20M"));
    for (QLineEdit *e : {ui.edCall1, ui.edRst1, ui.edNr1, ui.edCall2, ui.edRst2, ui.edNr2})
        QVERIFY(e->text().isEmpty());
    QCOMPARE(ui.edData->text(), QStringLiteral("05.03.2026"));
    QCOMPARE(ui.edTime->displayText(), QStringLiteral("  :  "));
    QCOMPARE(focused(), ui.edTime);
    QCOMPARE(kit::background(ui.edCall1), kit::lightGreen());
    QCOMPARE(kit::background(ui.edCall2), kit::lightGreen());
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 1"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 3"));

    // Time left empty: the record keeps the empty mask.
    press(Qt::Key_Return);
    type(QStringLiteral("ok1aa"));
    ui.edNr1->setText(QStringLiteral("5"));
    ui.btCopySave->click();
    QCOMPARE(w.records().size(), 2);
    QCOMPARE(w.records().at(1).time, QStringLiteral("  :  "));
    QCOMPARE(w.records().at(1).data, QStringLiteral("05.03.2026"));

    // Ctrl+Enter files a manual QSO with its own date and time, not the clock's.
    ui.edData->setText(QStringLiteral("01.02.2026"));
    ui.edTime->setText(QStringLiteral("23:15"));
    ui.edCall1->setFocus();
    type(QStringLiteral("ok2bb"));
    ui.edNr1->setText(QStringLiteral("7"));
    press(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.records().size(), 3);
    QCOMPARE(w.records().at(2).data, QStringLiteral("01.02.2026"));
    QCOMPARE(w.records().at(2).time, QStringLiteral("23:15"));
    QCOMPARE(w.records().at(2).radio, QString());

    // Back to observation.
    ui.chCopy->click();
    QVERIFY(ui.btSave->isVisible());
    QVERIFY(!ui.btCopySave->isVisible());
    QVERIFY(!ui.edData->isVisible());
    QVERIFY(!ui.edTime->isVisible());
    QVERIFY(ui.Panel3->isVisible());
    QCOMPARE(kit::background(ui.edTour), kit::silver());
    for (QWidget *e : std::initializer_list<QWidget *>{ui.edCall1, ui.edRst1, ui.edNr1, ui.edCall2, ui.edRst2, ui.edNr2,
                                                       ui.cbMode, ui.cbFreq})
        QCOMPARE(kit::background(e), kit::windowColour());
    QCOMPARE(m.statusText(5), QStringLiteral("Режим - наблюдений и записи QSO!"));
    for (QAction *a :
         {ui.mnLogAction, ui.mnSettingsAction, ui.N10, ui.mnWindowsAction, ui.mnHelpAction, ui.N12, ui.N13})
        QVERIFY(a->isEnabled());
    QCOMPARE(focused(), ui.edCall1);
}

void EntryWindowTest::fieldLayout()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    auto places = [&ui] {
        QList<QRect> r;
        for (QLineEdit *e : {ui.edCall1, ui.edRst1, ui.edNr1, ui.edCall2, ui.edRst2, ui.edNr2})
            r << e->geometry();
        return r;
    };
    auto rect = [](int l, int t, int width) { return QRect(l, t, width, 28); };
    QVERIFY(!ui.N18->isChecked());
    QCOMPARE(ui.N18->text(), QStringLiteral("Установить окна ввода горизонтально"));
    const QList<QRect> rowWithReports = places();
    QCOMPARE(rowWithReports, (QList<QRect>{rect(148, 50, 150), rect(299, 50, 50), rect(350, 50, 150),
                                           rect(148, 78, 150), rect(299, 78, 50), rect(350, 78, 150)}));

    ui.edRst1->setText(QStringLiteral("599"));
    ui.edRst2->setText(QStringLiteral("579"));
    ui.chRst->click();
    QVERIFY(ui.edRst1->isHidden() && ui.edRst2->isHidden());
    QVERIFY(ui.edRst1->text().isEmpty() && ui.edRst2->text().isEmpty());
    QCOMPARE(ui.edNr1->geometry(), rect(299, 50, 200));
    QCOMPARE(ui.edNr2->geometry(), rect(299, 78, 200));

    ui.N18->trigger();
    QCOMPARE(m.layoutFlag, 1);
    QCOMPARE(ui.N18->text(), QStringLiteral("Установить окна ввода вертикально"));
    QCOMPARE(ui.edCall1->geometry(), rect(148, 50, 175));
    QCOMPARE(ui.edNr1->geometry(), rect(148, 78, 175));
    QCOMPARE(ui.edCall2->geometry(), rect(325, 50, 175));
    QCOMPARE(ui.edNr2->geometry(), rect(325, 78, 175));

    ui.chRst->click();
    QVERIFY(ui.edRst1->isVisible() && ui.edRst2->isVisible());
    QVERIFY(ui.edRst1->text().isEmpty());
    QCOMPARE(places(), (QList<QRect>{rect(148, 50, 175), rect(148, 78, 50), rect(199, 78, 124), rect(325, 50, 175),
                                     rect(325, 78, 50), rect(376, 78, 124)}));

    ui.N18->trigger();
    QCOMPARE(m.layoutFlag, 0);
    QCOMPARE(places(), rowWithReports);
    // Nothing of the layout reaches into the F1/F2 and OK buttons.
    for (QLineEdit *e : {ui.edCall1, ui.edNr1, ui.edCall2, ui.edNr2})
        QVERIFY(e->geometry().right() < ui.BitBtn1->geometry().left());
}

QTEST_MAIN(EntryWindowTest)
#include "tst_entry_window.moc"
