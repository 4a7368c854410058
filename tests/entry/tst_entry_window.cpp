// QSOs typed key by key into the real main window, in both layouts and both entry modes.

#include "support/ui/entry_window.h"

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
    QCOMPARE(focused(), m.edCall1);
    QTest::keyClicks(focused(), QStringLiteral("ua3abc"));
    QCOMPARE(m.edCall1->text(), QStringLiteral("UA3ABC"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edRst1);
    m.edRst1->selectAll();
    type(QStringLiteral("579"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edNr1);
    QCOMPARE(m.edNr1->text(), QStringLiteral(" ")); // the cursor-side blank, cursor after it
    QCOMPARE(m.edNr1->cursorPosition(), 1);
    type(QStringLiteral("17"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edCall2);
    type(QStringLiteral("dl1xyz"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edRst2);
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edNr2);
    type(QStringLiteral("15"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.btSave);
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

    for (QLineEdit *e : {m.edCall1, m.edRst1, m.edNr1, m.edCall2, m.edRst2, m.edNr2})
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName() + QLatin1Char('=') + e->text()));
    QCOMPARE(focused(), m.edCall1);
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
    QCOMPARE(focused(), m.edCall2);
    press(Qt::Key_Down); // no move from the worked call downwards in this layout
    QCOMPARE(focused(), m.edCall2);
    m.edRst2->setText(QStringLiteral("599"));
    m.btSave->click();
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
    QVERIFY(m.N18->isChecked());
    m.chRst->click();
    QVERIFY(!m.chRst->isChecked());
    QVERIFY(m.edRst1->isHidden());
    m.cbMode->setEditText(QStringLiteral("PH (SSB)"));
    m.edCall1->setFocus();

    type(QStringLiteral("ua3abc"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edCall2);
    type(QStringLiteral("dl1xyz"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edNr1);
    QCOMPARE(m.edNr1->text(), QString()); // reached without placement
    type(QStringLiteral("17 kn"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edNr2);
    type(QStringLiteral("15"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.btSave);
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
    for (QLineEdit *e : {m.edCall1, m.edRst1, m.edNr1, m.edCall2, m.edRst2, m.edNr2})
        QVERIFY(e->text().isEmpty());

    // With reports: heard call, worked call, heard report, heard number with placement,
    // worked report, worked number with placement, OK.
    m.chRst->click();
    m.edCall1->setFocus();
    type(QStringLiteral("ok1aa"));
    press(Qt::Key_Return);
    type(QStringLiteral("ok2bb"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edRst1);
    QCOMPARE(m.edRst1->text(), QStringLiteral("59")); // default report of the mode, from the call field
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edNr1);
    QCOMPARE(m.edNr1->text(), QStringLiteral(" "));
    type(QStringLiteral("1"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edRst2);
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edNr2);
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
    m.N20->trigger();
    QVERIFY(m.N20->isChecked());
    QCOMPARE(m.N20->text(), QStringLiteral("Снять режим копии строки с рокировкой данных"));
    m.btRdaio2->click();
    m.edTour->setText(QStringLiteral("2"));
    m.edCall1->setFocus();

    type(QStringLiteral("ua3abc"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type(QStringLiteral("17  kn"));
    press(Qt::Key_Return);
    type(QStringLiteral("dl1xyz"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type(QStringLiteral("15"));
    QCOMPARE(m.edNr2->text(), QStringLiteral(" 15")); // typed after the placement blank
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

    m.N20->trigger();
    QVERIFY(!m.N20->isChecked());
    QCOMPARE(m.N20->text(), QStringLiteral("Установить режим копии строки с рокировкой данных"));
}

void EntryWindowTest::frequencyIsCheckedBeforeAnythingIsWritten()
{
    EntryWindow w;
    TMain &m = *w.m;
    const QString message = QStringLiteral(" Не верное значение частоты, запись невозможна");
    for (const QString &freq : {QString(), QStringLiteral(" R1 OFF"), QStringLiteral("14.025")}) {
        w.t.prompts->shown.clear();
        m.cbFreq->setEditText(freq);
        m.edCall1->setText(QStringLiteral("UA3ABC"));
        m.edNr1->setText(QStringLiteral("17"));
        m.btSave->click();
        QCOMPARE(w.t.prompts->texts(QStringLiteral("information")), QStringList{message});
        QCOMPARE(w.records().size(), 0);
        QCOMPARE(m.edCall1->text(), QStringLiteral("UA3ABC")); // fields untouched
        QCOMPARE(m.edNr1->text(), QStringLiteral("17"));
    }
    w.t.prompts->shown.clear();
    m.cbFreq->setEditText(QStringLiteral("14000"));
    m.cbFreq->setEditText(QStringLiteral("14 025"));
    m.btSave->click();
    QVERIFY(w.t.prompts->shown.isEmpty());
    QCOMPARE(w.records().size(), 1);
    QCOMPARE(w.records().at(0).freq, QStringLiteral("14025"));
    QCOMPARE(w.records().at(0).band, QStringLiteral("20M")); // not a list frequency: the band stays
}

void EntryWindowTest::ctrlEnterSavesWithoutTheOkTest()
{
    EntryWindow w;
    TMain &m = *w.m;
    // OK with an empty heard number does nothing and says nothing.
    type(QStringLiteral("ua3abc"));
    m.btSave->click();
    QCOMPARE(w.records().size(), 0);
    QVERIFY(w.t.prompts->shown.isEmpty());

    // Ctrl+Enter in the heard call saves first, then moves on as Enter does. Saved before the
    // clock's first tick, the record still gets the date and time.
    m.CurrentUtcDate.clear();
    m.CurrentUtcTime.clear();
    m.edCall1->setFocus();
    press(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.records().size(), 1);
    QCOMPARE(w.records().at(0).call1, QStringLiteral("UA3ABC"));
    QCOMPARE(w.records().at(0).nr1, QString());
    QCOMPARE(w.records().at(0).data, QStringLiteral("05.03.2026"));
    QCOMPARE(w.records().at(0).time, QStringLiteral("07:04"));
    QCOMPARE(focused(), m.edRst1);

    // Not in a report field.
    press(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.records().size(), 1);
    QCOMPARE(focused(), m.edNr1);

    // In the worked number: the focus moves first (to OK), the save comes last and ends in the call.
    type(QStringLiteral("5"));
    m.edCall2->setText(QStringLiteral("DL1XYZ"));
    m.edCall1->setText(QStringLiteral("OK1AA"));
    m.edNr2->setFocus();
    type(QStringLiteral("9"));
    press(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(w.records().size(), 2);
    QCOMPARE(w.records().at(1).call1, QStringLiteral("OK1AA"));
    QCOMPARE(w.records().at(1).nr1, QStringLiteral("5"));
    QCOMPARE(w.records().at(1).nr2, QStringLiteral("9"));
    QCOMPARE(focused(), m.edCall1);
}

void EntryWindowTest::russianLayoutAndPasteAreFiltered()
{
    EntryWindow w;
    TMain &m = *w.m;
    type(QStringLiteral("гф3фис.з"));
    QCOMPARE(m.edCall1->text(), QStringLiteral("UA3ABC/P"));
    m.edNr1->setFocus();
    type(QStringLiteral("ua1абв-ж,#"));
    QCOMPARE(m.edNr1->text(), QStringLiteral("UA1FD"));

    // The clipboard shortcuts are control characters: discarded.
    QGuiApplication::clipboard()->setText(QStringLiteral("XX"));
    press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m.edNr1->text(), QStringLiteral("UA1FD"));
    // Ctrl with a key without a character of its own keeps its meaning.
    press(Qt::Key_Backspace, Qt::ControlModifier);
    QCOMPARE(m.edNr1->text(), QString());

    // Text pasted from the menu goes through the same filter; what was there stays.
    QGuiApplication::clipboard()->setText(QStringLiteral("dl.1-жxyz"));
    m.edCall2->paste();
    QCOMPARE(m.edCall2->text(), QStringLiteral("DL/1XYZ"));
    m.edNr2->setText(QStringLiteral("-37.5")); // put there by the program, not typed
    m.edNr2->end(false);
    QGuiApplication::clipboard()->setText(QStringLiteral(" кн"));
    m.edNr2->paste();
    QCOMPARE(m.edNr2->text(), QStringLiteral("-37.5 RY"));
    QCOMPARE(m.edNr2->cursorPosition(), 8);
}

void EntryWindowTest::arrowsEscAndCursorSide()
{
    {
        EntryWindow w;
        TMain &m = *w.m;
        press(Qt::Key_Escape);
        QCOMPARE(focused(), m.edNr1);
        press(Qt::Key_Down);
        QCOMPARE(focused(), m.edNr2);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), m.edCall2);
        press(Qt::Key_Up);
        QCOMPARE(focused(), m.edCall1);
        press(Qt::Key_Up); // nothing above the heard call
        QCOMPARE(focused(), m.edCall1);

        // Cursor on the left: the blank goes before the text, the cursor to the start.
        m.chLR->click();
        QCOMPARE(m.chLR->text(), QStringLiteral("Слева"));
        m.chRst->click();
        m.edNr1->setText(QStringLiteral("17"));
        m.edCall1->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(focused(), m.edNr1);
        QCOMPARE(m.edNr1->text(), QStringLiteral(" 17"));
        QCOMPARE(m.edNr1->cursorPosition(), 0);
        type(QStringLiteral("b"));
        QCOMPARE(m.edNr1->text(), QStringLiteral("B 17"));
        m.chLR->click();
        QCOMPARE(m.chLR->text(), QStringLiteral("Справа"));

        // Left arrow on the OK button goes back to the heard number.
        m.btSave->setFocus();
        press(Qt::Key_Left);
        QCOMPARE(focused(), m.edNr1);

        // Manual entry: Enter in the worked number leads to its own OK button.
        m.chCopy->click();
        m.edNr2->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(focused(), m.btCopySave);
    }
    {
        EntryWindow w(true);
        TMain &m = *w.m;
        press(Qt::Key_Escape);
        QCOMPARE(focused(), m.edCall2);
        press(Qt::Key_Down);
        QCOMPARE(focused(), m.edRst2);
        press(Qt::Key_Up);
        QCOMPARE(focused(), m.edCall2);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), m.edCall1);
        press(Qt::Key_Down);
        QCOMPARE(focused(), m.edRst1);
        press(Qt::Key_Return);
        QCOMPARE(focused(), m.edNr1);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), m.edNr2);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), m.edNr1);
    }
}

void EntryWindowTest::f1SwapsAndF2Clears()
{
    EntryWindow w;
    TMain &m = *w.m;
    const QStringList before{QStringLiteral("UA3ABC"), QStringLiteral("579"), QStringLiteral("17"),
                             QStringLiteral("DL1XYZ"), QStringLiteral("559"), QStringLiteral("15 KN")};
    QLineEdit *const fields[] = {m.edCall1, m.edRst1, m.edNr1, m.edCall2, m.edRst2, m.edNr2};
    for (int i = 0; i < 6; ++i)
        fields[i]->setText(before[i]);
    auto texts = [&] {
        QStringList t;
        for (QLineEdit *e : fields)
            t << e->text();
        return t;
    };
    m.edNr2->setFocus();
    press(Qt::Key_F1);
    QCOMPARE(texts(), (QStringList{before[3], before[4], before[5], before[0], before[1], before[2]}));
    QCOMPARE(focused(), m.edCall1);
    m.BitBtn1->click();
    QCOMPARE(texts(), before);
    m.edRst2->setFocus();
    press(Qt::Key_F2);
    QCOMPARE(texts(), QStringList(6, QString()));
    QCOMPARE(focused(), m.edCall1);
}

void EntryWindowTest::manualEntryMode()
{
    EntryWindow w;
    TMain &m = *w.m;
    m.chCopy->click();
    QVERIFY(m.btCopySave->isVisible());
    QVERIFY(!m.btSave->isVisible());
    QVERIFY(!m.btEditSave->isVisible());
    QVERIFY(m.edData->isVisible());
    QVERIFY(m.edTime->isVisible());
    QVERIFY(!m.Panel3->isVisible());
    for (QWidget *e : std::initializer_list<QWidget *>{m.edTour, m.edCall1, m.edRst1, m.edNr1, m.edCall2, m.edRst2,
                                                       m.edNr2, m.edData, m.edTime, m.cbMode, m.cbFreq})
        QCOMPARE(TMain::background(e), TMain::lightGreen());
    QCOMPARE(m.edData->text(), QStringLiteral("05.03.2026"));
    QCOMPARE(m.edTime->text(), QStringLiteral("07:04"));
    QCOMPARE(focused(), m.edTime);
    QCOMPARE(m.statusText(5), QStringLiteral("Режим ввода QSO вручную"));
    QVERIFY(!m.mnLogAction->isEnabled());
    QVERIFY(!m.mnSettingsAction->isEnabled());
    QVERIFY(!m.N10->isEnabled());
    QVERIFY(m.mnWindowsAction->isEnabled());
    QVERIFY(!m.mnHelpAction->isEnabled());
    QVERIFY(!m.N12->isEnabled());
    QVERIFY(!m.N13->isEnabled());

    m.edTime->selectAll();
    QTest::keyClicks(focused(), QStringLiteral("1230"));
    QCOMPARE(m.edTime->text(), QStringLiteral("12:30"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.edCall1);
    type(QStringLiteral("ua3abc"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type(QStringLiteral("17"));
    press(Qt::Key_Return);
    type(QStringLiteral("dl1xyz"));
    press(Qt::Key_Return);
    QCOMPARE(TMain::background(m.edRst2), TMain::lightGreen());
    press(Qt::Key_Return);
    type(QStringLiteral("15"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), m.btCopySave);
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
    for (QLineEdit *e : {m.edCall1, m.edRst1, m.edNr1, m.edCall2, m.edRst2, m.edNr2})
        QVERIFY(e->text().isEmpty());
    QCOMPARE(m.edData->text(), QStringLiteral("05.03.2026"));
    QCOMPARE(m.edTime->displayText(), QStringLiteral("  :  "));
    QCOMPARE(focused(), m.edTime);
    QCOMPARE(TMain::background(m.edCall1), TMain::lightGreen());
    QCOMPARE(TMain::background(m.edCall2), TMain::lightGreen());
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 1"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 3"));

    // Time left empty: the record keeps the empty mask.
    press(Qt::Key_Return);
    type(QStringLiteral("ok1aa"));
    m.edNr1->setText(QStringLiteral("5"));
    m.btCopySave->click();
    QCOMPARE(w.records().size(), 2);
    QCOMPARE(w.records().at(1).time, QStringLiteral("  :  "));
    QCOMPARE(w.records().at(1).data, QStringLiteral("05.03.2026"));

    // Ctrl+Enter files a manual QSO with its own date and time, not the clock's.
    m.edData->setText(QStringLiteral("01.02.2026"));
    m.edTime->setText(QStringLiteral("23:15"));
    m.edCall1->setFocus();
    type(QStringLiteral("ok2bb"));
    m.edNr1->setText(QStringLiteral("7"));
    press(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.records().size(), 3);
    QCOMPARE(w.records().at(2).data, QStringLiteral("01.02.2026"));
    QCOMPARE(w.records().at(2).time, QStringLiteral("23:15"));
    QCOMPARE(w.records().at(2).radio, QString());

    // Back to observation.
    m.chCopy->click();
    QVERIFY(m.btSave->isVisible());
    QVERIFY(!m.btCopySave->isVisible());
    QVERIFY(!m.edData->isVisible());
    QVERIFY(!m.edTime->isVisible());
    QVERIFY(m.Panel3->isVisible());
    QCOMPARE(TMain::background(m.edTour), TMain::silver());
    for (QWidget *e : std::initializer_list<QWidget *>{m.edCall1, m.edRst1, m.edNr1, m.edCall2, m.edRst2, m.edNr2,
                                                       m.cbMode, m.cbFreq})
        QCOMPARE(TMain::background(e), TMain::windowColour());
    QCOMPARE(m.statusText(5), QStringLiteral("Режим - наблюдений и записи QSO!"));
    for (QAction *a : {m.mnLogAction, m.mnSettingsAction, m.N10, m.mnWindowsAction, m.mnHelpAction, m.N12, m.N13})
        QVERIFY(a->isEnabled());
    QCOMPARE(focused(), m.edCall1);
}

void EntryWindowTest::fieldLayout()
{
    EntryWindow w;
    TMain &m = *w.m;
    auto places = [&m] {
        QList<QRect> r;
        for (QLineEdit *e : {m.edCall1, m.edRst1, m.edNr1, m.edCall2, m.edRst2, m.edNr2})
            r << e->geometry();
        return r;
    };
    auto rect = [](int l, int t, int width) { return QRect(l, t, width, 28); };
    QVERIFY(!m.N18->isChecked());
    QCOMPARE(m.N18->text(), QStringLiteral("Установить окна ввода горизонтально"));
    const QList<QRect> rowWithReports = places();
    QCOMPARE(rowWithReports, (QList<QRect>{rect(148, 50, 150), rect(299, 50, 50), rect(350, 50, 150),
                                           rect(148, 78, 150), rect(299, 78, 50), rect(350, 78, 150)}));

    m.edRst1->setText(QStringLiteral("599"));
    m.edRst2->setText(QStringLiteral("579"));
    m.chRst->click();
    QVERIFY(m.edRst1->isHidden() && m.edRst2->isHidden());
    QVERIFY(m.edRst1->text().isEmpty() && m.edRst2->text().isEmpty());
    QCOMPARE(m.edNr1->geometry(), rect(299, 50, 200));
    QCOMPARE(m.edNr2->geometry(), rect(299, 78, 200));

    m.N18->trigger();
    QCOMPARE(m.layoutFlag, 1);
    QCOMPARE(m.N18->text(), QStringLiteral("Установить окна ввода вертикально"));
    QCOMPARE(m.edCall1->geometry(), rect(148, 50, 175));
    QCOMPARE(m.edNr1->geometry(), rect(148, 78, 175));
    QCOMPARE(m.edCall2->geometry(), rect(325, 50, 175));
    QCOMPARE(m.edNr2->geometry(), rect(325, 78, 175));

    m.chRst->click();
    QVERIFY(m.edRst1->isVisible() && m.edRst2->isVisible());
    QVERIFY(m.edRst1->text().isEmpty());
    QCOMPARE(places(), (QList<QRect>{rect(148, 50, 175), rect(148, 78, 50), rect(199, 78, 124),
                                     rect(325, 50, 175), rect(325, 78, 50), rect(376, 78, 124)}));

    m.N18->trigger();
    QCOMPARE(m.layoutFlag, 0);
    QCOMPARE(places(), rowWithReports);
    // Nothing of the layout reaches into the F1/F2 and OK buttons.
    for (QLineEdit *e : {m.edCall1, m.edNr1, m.edCall2, m.edNr2})
        QVERIFY(e->geometry().right() < m.BitBtn1->geometry().left());
}

QTEST_MAIN(EntryWindowTest)
#include "tst_entry_window.moc"
