// Values a listener types at contest speed end up in the record as typed: a manual QSO's own
// time, numbers without the cursor blank, a typed frequency filing the QSO on its own band.

#include "support/ui/entry_window.h"
#include "support/ui/main_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace vireo;
using namespace vireo::test;

class ListenerTypingTest : public QObject {
    Q_OBJECT
private slots:
    void manualQsoKeepsTheTypedTime();
    void fieldsEnteredWithTextAreReplacedByTyping();
    void manualNumbersLoseTheCursorBlank();
    void typedFrequencyFilesTheQsoOnItsBand();
    void frequencyChosenOrTypedInFullSetsTheBand();
};

namespace {

// The heard station only, passing with Enter through the worked station's empty fields.
void typeHeardOnly(const QString &call, const QString &nr)
{
    type(call);
    press(Qt::Key_Return); // heard report
    press(Qt::Key_Return); // heard number, the cursor blank before the cursor
    type(nr);
    press(Qt::Key_Return); // worked call
    press(Qt::Key_Return); // worked report
    press(Qt::Key_Return); // worked number, a cursor blank again
    press(Qt::Key_Return); // OK button
}

// Clicks into the frequency box as a listener does and types over its whole text.
void typeFrequency(TMain &m, const QString &digits)
{
    const test::MainControls ui(m);
    ui.cbFreq->setFocus(Qt::MouseFocusReason);
    ui.cbFreq->lineEdit()->selectAll();
    for (const QChar c : digits)
        QTest::keyClick(ui.cbFreq, c.toLatin1());
}

} // namespace

void ListenerTypingTest::manualQsoKeepsTheTypedTime()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    ui.chCopy->click();
    QCOMPARE(focused(), ui.edTime);
    QCOMPARE(ui.edTime->text(), QStringLiteral("07:04")); // the clock's time, offered
    type(QStringLiteral("1234"));
    QCOMPARE(ui.edTime->text(), QStringLiteral("12:34"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edCall1);
    type(QStringLiteral("ua3abc"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type(QStringLiteral("17"));
    press(Qt::Key_Return);
    type(QStringLiteral("dl1xyz"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type(QStringLiteral("15"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.btCopySave);
    press(Qt::Key_Return);
    QCOMPARE(w.records().size(), 1);
    QCOMPARE(w.records().at(0).time, QStringLiteral("12:34"));
    QCOMPARE(w.records().at(0).data, QStringLiteral("05.03.2026"));

    // The next QSO starts in the emptied time field; its digits are taken as well.
    QCOMPARE(focused(), ui.edTime);
    type(QStringLiteral("1236"));
    press(Qt::Key_Return);
    typeHeardOnly(QStringLiteral("ok1aa"), QStringLiteral("5"));
    press(Qt::Key_Return);
    QCOMPARE(w.records().size(), 2);
    QCOMPARE(w.records().at(1).time, QStringLiteral("12:36"));

    // A date field given the focus by the program takes typed digits in the same way.
    ui.edData->setFocus();
    type(QStringLiteral("01022026"));
    QCOMPARE(ui.edData->text(), QStringLiteral("01.02.2026"));
}

void ListenerTypingTest::fieldsEnteredWithTextAreReplacedByTyping()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    type(QStringLiteral("ua3abc"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edRst1);
    QCOMPARE(ui.edRst1->text(), QStringLiteral("599"));
    type(QStringLiteral("579"));
    QCOMPARE(ui.edRst1->text(), QStringLiteral("579"));
    // A number field keeps the placement of its cursor beside what is there.
    ui.edNr1->setText(QStringLiteral("16"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), ui.edNr1);
    type(QStringLiteral("7"));
    QCOMPARE(ui.edNr1->text(), QStringLiteral("16 7"));
    // Back with Esc into a field with text: typing replaces it.
    press(Qt::Key_Escape);
    QCOMPARE(focused(), ui.edCall1);
    type(QStringLiteral("dl1xyz"));
    QCOMPARE(ui.edCall1->text(), QStringLiteral("DL1XYZ"));
    // A mouse click puts the caret where it was clicked and selects nothing.
    ui.edCall1->clearFocus();
    ui.edCall1->setFocus(Qt::MouseFocusReason);
    QVERIFY(!ui.edCall1->hasSelectedText());
}

void ListenerTypingTest::manualNumbersLoseTheCursorBlank()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    ui.N20->trigger(); // copy-with-swap: the mirror too
    ui.chCopy->click();
    type(QStringLiteral("1234"));
    press(Qt::Key_Return);
    typeHeardOnly(QStringLiteral("ua3abc"), QStringLiteral("7"));
    QCOMPARE(focused(), ui.btCopySave);
    QCOMPARE(ui.edNr2->text(), QStringLiteral(" ")); // the blank that placed the cursor
    press(Qt::Key_Return);

    const QVector<QsoRecord> recs = w.records();
    QCOMPARE(recs.size(), 2);
    QCOMPARE(recs.at(0).call1, QStringLiteral("UA3ABC"));
    QCOMPARE(recs.at(0).rst1, QStringLiteral("599"));
    QCOMPARE(recs.at(0).nr1, QStringLiteral("7"));
    QCOMPARE(recs.at(0).call2, QString());
    QCOMPARE(recs.at(0).nr2, QString());
    QCOMPARE(recs.at(1).call2, QStringLiteral("UA3ABC"));
    QCOMPARE(recs.at(1).nr2, QStringLiteral("7"));
    QCOMPARE(recs.at(1).nr1, QString());
    QCOMPARE(recs.at(1).radio, QString());
    // The record without a worked number scores 1, the mirror (with the heard number as its
    // worked number) 3.
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 4"));

    // Blanks inside a two-part number are collapsed, not removed.
    type(QStringLiteral("1235"));
    press(Qt::Key_Return);
    type(QStringLiteral("dl1xyz"));
    ui.edNr1->setText(QStringLiteral("  16   7 "));
    ui.btCopySave->click();
    QCOMPARE(w.records().at(2).nr1, QStringLiteral("16 7"));
    QCOMPARE(w.records().at(3).nr2, QStringLiteral("16 7"));
}

void ListenerTypingTest::typedFrequencyFilesTheQsoOnItsBand()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("14000"));
    m.FreqToBand();
    QCOMPARE(m.currentBand, QStringLiteral("20M"));

    // 7012 typed after 14000: the QSO goes to 40 m, not to the band of the last list value.
    typeFrequency(m, QStringLiteral("7012"));
    QCOMPARE(m.currentBand, QStringLiteral("40M"));
    ui.edCall1->setFocus();
    typeHeardOnly(QStringLiteral("ua3abc"), QStringLiteral("7"));
    press(Qt::Key_Return);
    QCOMPARE(w.records().size(), 1);
    QCOMPARE(w.records().at(0).freq, QStringLiteral("7012"));
    QCOMPARE(w.records().at(0).band, QStringLiteral("40M"));

    // A frequency of no band keeps the band, and the status bar says which one as soon as the
    // call is typed (not while the digits are typed: "7" and "70" are on the way to 7012).
    const QString before = m.statusText(5);
    typeFrequency(m, QStringLiteral("5000"));
    QCOMPARE(m.currentBand, QStringLiteral("40M"));
    QCOMPARE(m.statusText(5), before);
    ui.edCall1->setFocus();
    type(QStringLiteral("dl1abc"));
    QCOMPARE(m.statusText(5), QStringLiteral("Частота 5000 не входит ни в один диапазон; диапазон остаётся 40M"));
    ui.edCall1->clear();
    typeHeardOnly(QStringLiteral("dl1abc"), QStringLiteral("8"));
    press(Qt::Key_Return);
    QCOMPARE(w.records().size(), 2);
    QCOMPARE(w.records().at(1).band, QStringLiteral("40M"));

    // A band only a radio gave before; the warning gives way to what the panel said before.
    typeFrequency(m, QStringLiteral("24900"));
    QCOMPARE(m.currentBand, QStringLiteral("12M"));
    QCOMPARE(m.statusText(5), before);
    // 2 m typed in kilohertz.
    typeFrequency(m, QStringLiteral("145500"));
    QCOMPARE(m.currentBand, QStringLiteral("2M"));
}

void ListenerTypingTest::frequencyChosenOrTypedInFullSetsTheBand()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    // Typed in full.
    typeFrequency(m, QStringLiteral("21000"));
    QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("21000"));
    QCOMPARE(m.currentBand, QStringLiteral("15M"));
    // Started, and the box's completion accepted with Enter: the listener chose it (a lone
    // "7" is in no band).
    typeFrequency(m, QStringLiteral("7"));
    QCOMPARE(m.currentBand, QStringLiteral("15M"));
    QTest::keyClick(ui.cbFreq, Qt::Key_Return);
    QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("7000"));
    QCOMPARE(m.currentBand, QStringLiteral("40M"));
    QCOMPARE(ui.cbFreq->count(), 8); // nothing typed is added to the list
    // Started, and the focus moved on with the completion shown: the box keeps the completion,
    // and the band follows it.
    typeFrequency(m, QStringLiteral("28"));
    QCOMPARE(m.currentBand, QStringLiteral("40M"));
    ui.edCall1->setFocus(Qt::MouseFocusReason);
    QCOMPARE(ui.cbFreq->currentText(), QStringLiteral("28000"));
    QCOMPARE(m.currentBand, QStringLiteral("10M"));
    // Picked from the list.
    ui.cbFreq->setCurrentIndex(ui.cbFreq->findText(QStringLiteral("3500")));
    QCOMPARE(m.currentBand, QStringLiteral("80M"));
    // Typed over with a frequency outside the list but inside the band.
    typeFrequency(m, QStringLiteral("3573"));
    QCOMPARE(m.currentBand, QStringLiteral("80M"));
    typeFrequency(m, QStringLiteral("14025"));
    QCOMPARE(m.currentBand, QStringLiteral("20M"));
}

QTEST_MAIN(ListenerTypingTest)
#include "tst_listener_typing.moc"
