// Editing, deleting and clearing records from the main window's grid and menus.

#include "base/ui/widget_kit.h"
#include "support/ui/entry_window.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace vireo;
using namespace vireo::test;

class LogEditingTest : public QObject {
    Q_OBJECT
private slots:
    void editWithoutChanges();
    void editChangesAndTimeCheck();
    void ctrlEnterDuringEditAddsNothing();
    void deleteInTheMiddleAndAtTheEnd();
    void clearAskedFirst();
    void nothingSelected();
};

namespace {

QsoRecord edited()
{
    QsoRecord r =
        record(QStringLiteral("UA3ABC"), QStringLiteral("17 KN"), QStringLiteral("DL1XYZ"), QStringLiteral("15"));
    r.freq = QStringLiteral("18 075");
    r.mode = QStringLiteral("PH");
    r.band = QStringLiteral("17M");
    r.rst1 = QStringLiteral("59");
    r.rst2 = QStringLiteral("57");
    r.tur = QStringLiteral("3");
    r.radio = QStringLiteral("2");
    return r;
}

} // namespace

void LogEditingTest::editWithoutChanges()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    const QVector<qint64> ids =
        w.seed({record(QStringLiteral("OK1AA"), QStringLiteral("1"), QString(), QString()), edited(),
                record(QStringLiteral("OK2BB"), QStringLiteral("2"), QStringLiteral("OK3CC"), QStringLiteral("3"))});
    ui.cbFreq->setEditText(QStringLiteral("7000"));
    ui.cbMode->setEditText(QStringLiteral("RY (RTTY)"));
    ui.DBGrid1->selectRow(1);
    ui.N12->trigger();

    QVERIFY(m.editMode());
    QCOMPARE(ui.edCall1->text(), QStringLiteral("UA3ABC"));
    QCOMPARE(ui.edRst1->text(), QStringLiteral("59"));
    QCOMPARE(ui.edNr1->text(), QStringLiteral("17 KN"));
    QCOMPARE(ui.edCall2->text(), QStringLiteral("DL1XYZ"));
    QCOMPARE(ui.edRst2->text(), QStringLiteral("57"));
    QCOMPARE(ui.edNr2->text(), QStringLiteral("15"));
    QCOMPARE(ui.edData->text(), QStringLiteral("04.03.2026"));
    QCOMPARE(ui.edTime->text(), QStringLiteral("18:30"));
    QCOMPARE(ui.edFreqEdit->text(), QStringLiteral("18 075"));
    QCOMPARE(ui.cbModeEdit->currentText(), QStringLiteral("PH"));
    QCOMPARE(ui.cbBandEdit->currentText(), QStringLiteral("17M"));
    for (QWidget *e : std::initializer_list<QWidget *>{ui.edTour, ui.edCall1, ui.edRst1, ui.edNr1, ui.edCall2,
                                                       ui.edRst2, ui.edNr2, ui.edData, ui.edTime})
        QCOMPARE(kit::background(e), kit::yellow());
    for (QWidget *e : std::initializer_list<QWidget *>{ui.edData, ui.edTime, ui.cbBandEdit, ui.cbModeEdit,
                                                       ui.edFreqEdit, ui.btEditSave})
        QVERIFY2(e->isVisible(), qPrintable(e->objectName()));
    for (QWidget *e : std::initializer_list<QWidget *>{ui.cbMode, ui.cbFreq, ui.btSave, ui.btCopySave, ui.Panel3})
        QVERIFY2(!e->isVisible(), qPrintable(e->objectName()));
    QCOMPARE(m.statusText(5), QStringLiteral("Режим редактирования"));
    for (QAction *a : {ui.mnLogAction, ui.mnSettingsAction, ui.N10, ui.mnWindowsAction, ui.mnHelpAction})
        QVERIFY(!a->isEnabled());
    QVERIFY(!ui.DBGrid1->isEnabled());
    QVERIFY(!ui.chCopy->isEnabled());
    QCOMPARE(focused(), ui.edTime);

    // Enter through the date and time fields, then save unchanged.
    ui.edData->setFocus();
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edTime);
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edCall1);
    ui.edNr2->setFocus();
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.btEditSave);
    press(Qt::Key_Return);

    QVERIFY(!m.editMode());
    QsoRecord expected = edited();
    expected.freq = QStringLiteral("18075"); // blanks removed
    expected.tur = QStringLiteral("0"); // the tour field's text
    QCOMPARE(m.qsos().byId(ids[1]), expected);
    QCOMPARE(m.qsos().byId(ids[1]).radio, QStringLiteral("2"));
    QCOMPARE(m.qsos().byId(ids[0]), record(QStringLiteral("OK1AA"), QStringLiteral("1"), QString(), QString()));
    QCOMPARE(m.logModel().recordAt(1).freq, QStringLiteral("18075")); // the grid shows the new values

    QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("7000"));
    QCOMPARE(ui.cbMode->currentText(), QStringLiteral("RY (RTTY)"));
    for (QWidget *e : std::initializer_list<QWidget *>{ui.cbMode, ui.cbFreq, ui.btSave, ui.Panel3})
        QVERIFY2(e->isVisible(), qPrintable(e->objectName()));
    for (QWidget *e : std::initializer_list<QWidget *>{ui.edData, ui.edTime, ui.cbBandEdit, ui.cbModeEdit,
                                                       ui.edFreqEdit, ui.btEditSave})
        QVERIFY2(!e->isVisible(), qPrintable(e->objectName()));
    for (QLineEdit *e : {ui.edCall1, ui.edRst1, ui.edNr1, ui.edCall2, ui.edRst2, ui.edNr2}) {
        QVERIFY(e->text().isEmpty());
        QCOMPARE(kit::background(e), kit::windowColour());
    }
    QCOMPARE(kit::background(ui.edTour), kit::silver());
    QCOMPARE(m.statusText(5), QStringLiteral("OK"));
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 3"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 7"));
    for (QAction *a : {ui.mnLogAction, ui.mnSettingsAction, ui.N10, ui.mnWindowsAction, ui.mnHelpAction})
        QVERIFY(a->isEnabled());
    QVERIFY(ui.DBGrid1->isEnabled());
    QVERIFY(ui.chCopy->isEnabled());
    QCOMPARE(w.selectedRow(), 1);
    QCOMPARE(focused(), ui.edCall1);
}

void LogEditingTest::editChangesAndTimeCheck()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    const QVector<qint64> ids = w.seed({edited()});
    ui.DBGrid1->selectRow(0);
    ui.N12->trigger();

    ui.edTime->setText(QStringLiteral("24:00"));
    ui.btEditSave->click();
    QCOMPARE(w.t.prompts->texts(QStringLiteral("information")), QStringList{QStringLiteral("Неверное значение часов")});
    QVERIFY(m.editMode());
    QCOMPARE(focused(), ui.edTime);
    QCOMPARE(m.qsos().byId(ids[0]), edited());

    ui.edTime->setText(QStringLiteral("12:60"));
    ui.btEditSave->click();
    QCOMPARE(w.t.prompts->texts(QStringLiteral("information")).last(), QStringLiteral("Неверное значение минут"));
    QVERIFY(m.editMode());

    // A blank inside the hours: a conversion error naming the text; still editing, nothing written.
    ui.edTime->setText(QStringLiteral("1 :30"));
    QCOMPARE(ui.edTime->displayText(), QStringLiteral("1 :30"));
    ui.btEditSave->click();
    const QStringList errors = w.t.prompts->texts(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QStringLiteral("'1 '")), qPrintable(errors.first()));
    QVERIFY(m.editMode());
    QCOMPARE(m.qsos().byId(ids[0]), edited());

    // Changes: the number of the worked station removed takes its report with it; the band box,
    // the mode box and the frequency field are the record's new values; an empty time stays the mask.
    ui.edTime->clear();
    ui.edNr2->clear();
    ui.edCall2->setFocus();
    ui.edCall2->selectAll();
    type(QStringLiteral("dl2aaa"));
    ui.cbModeEdit->setEditText(QStringLiteral("CW (CW)"));
    ui.edFreqEdit->setText(QStringLiteral("14000"));
    QCOMPARE(ui.cbBandEdit->currentText(), QStringLiteral("20M")); // follows the frequency field
    ui.cbBandEdit->setEditText(QStringLiteral("30M"));
    ui.edTour->setText(QStringLiteral("4"));
    ui.btEditSave->click();
    QVERIFY(!m.editMode());
    const QsoRecord r = m.qsos().byId(ids[0]);
    QCOMPARE(r.call2, QStringLiteral("DL2AAA"));
    QCOMPARE(r.nr2, QString());
    QCOMPARE(r.rst2, QString());
    QCOMPARE(r.time, QStringLiteral("  :  "));
    QCOMPARE(r.mode, QStringLiteral("CW"));
    QCOMPARE(r.freq, QStringLiteral("14000"));
    QCOMPARE(r.band, QStringLiteral("30M"));
    QCOMPARE(r.tur, QStringLiteral("4"));
    QCOMPARE(r.radio, QStringLiteral("2"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 1"));

    // 23:59 passes.
    ui.DBGrid1->selectRow(0);
    ui.N12->trigger();
    ui.edTime->setText(QStringLiteral("23:59"));
    ui.btEditSave->click();
    QVERIFY(!m.editMode());
    QCOMPARE(m.qsos().byId(ids[0]).time, QStringLiteral("23:59"));
}

void LogEditingTest::ctrlEnterDuringEditAddsNothing()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    const QVector<qint64> ids =
        w.seed({edited(), record(QStringLiteral("OK1AA"), QStringLiteral("1"), QString(), QString())});
    ui.DBGrid1->selectRow(0);
    ui.N12->trigger();
    ui.edCall1->setFocus();
    ui.edCall1->selectAll();
    type(QStringLiteral("ua9zz"));
    press(Qt::Key_Return, Qt::ControlModifier);
    ui.edNr2->setFocus();
    press(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.records().size(), 2);
    QVERIFY(m.editMode());
    ui.btEditSave->click();
    QCOMPARE(w.records().size(), 2);
    QCOMPARE(m.qsos().byId(ids[0]).call1, QStringLiteral("UA9ZZ"));
    QCOMPARE(m.qsos().byId(ids[1]).call1, QStringLiteral("OK1AA"));
}

void LogEditingTest::deleteInTheMiddleAndAtTheEnd()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    const QVector<qint64> ids =
        w.seed({record(QStringLiteral("A1A"), QStringLiteral("1"), QStringLiteral("B1B"), QStringLiteral("2")),
                record(QStringLiteral("A2A"), QStringLiteral("1"), QStringLiteral("B2B"), QStringLiteral("2")),
                record(QStringLiteral("A3A"), QStringLiteral("1"), QString(), QString()),
                record(QStringLiteral("A4A"), QStringLiteral("1"), QString(), QString())});
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 8"));
    ui.DBGrid1->selectRow(1);
    ui.N13->trigger();
    QCOMPARE(w.records().size(), 3);
    QCOMPARE(m.logModel().rowCount(), 3);
    QCOMPARE(w.selectedRow(), 1);
    QCOMPARE(m.logModel().idAt(1), ids[2]); // the record that followed
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 3"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 5"));
    QVERIFY(w.t.prompts->shown.isEmpty()); // no question

    ui.DBGrid1->selectRow(2);
    ui.N13->trigger();
    QCOMPARE(m.logModel().rowCount(), 2);
    QCOMPARE(w.selectedRow(), 1); // the new last row
    QCOMPARE(m.logModel().idAt(1), ids[2]);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 2"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 4"));
    QCOMPARE(w.records().at(0).call1, QStringLiteral("A1A"));
    QCOMPARE(w.records().at(1).call1, QStringLiteral("A3A"));
}

void LogEditingTest::clearAskedFirst()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    w.seed({record(QStringLiteral("A1A"), QStringLiteral("1"), QStringLiteral("B1B"), QStringLiteral("2")),
            record(QStringLiteral("A2A"), QStringLiteral("1"), QString(), QString())});
    const QString question = QStringLiteral("Вы действительно хотите удалить все записи лога?");
    w.t.prompts->answers = {false};
    ui.N7->trigger();
    QCOMPARE(w.t.prompts->texts(QStringLiteral("yesno")), QStringList{question});
    QCOMPARE(w.records().size(), 2);
    QCOMPARE(m.logModel().rowCount(), 2);

    w.t.prompts->answers = {true};
    ui.N7->trigger();
    QCOMPARE(w.t.prompts->texts(QStringLiteral("yesno")).size(), 2);
    QCOMPARE(w.records().size(), 0);
    QCOMPARE(m.logModel().rowCount(), 0);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 0"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 0"));

    // The log takes new records after it was cleared.
    ui.edCall1->setText(QStringLiteral("UA3ABC"));
    ui.edNr1->setText(QStringLiteral("5"));
    ui.btSave->click();
    QCOMPARE(m.logModel().rowCount(), 1);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 1"));
}

void LogEditingTest::nothingSelected()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    ui.N12->trigger();
    QVERIFY(!m.editMode());
    QVERIFY(ui.btSave->isVisible());
    ui.N13->trigger();
    QVERIFY(w.t.prompts->shown.isEmpty());
}

QTEST_MAIN(LogEditingTest)
#include "tst_log_editing.moc"
