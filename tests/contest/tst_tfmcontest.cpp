// The tour window: numbering, clearing, Ctrl+Delete, handing the contest name on, settings.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "contest/tour_clock.h"
#include "contest/ui/tfmcontest.h"
#include "db/database.h"
#include "reports/ui/tfmcabrillo.h"
#include "stationinfo/reference_files.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"
#include "support/ui/typing.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

using namespace vireo;

namespace {

QList<int> numbers(const QVector<TourRow> &rows)
{
    QList<int> n;
    for (const TourRow &r : rows)
        n << r.tour;
    return n;
}

// The tour numbers as the grid shows them.
QList<int> gridNumbers(TfmContest &w)
{
    QList<int> n;
    for (int r = 0; r < w.DBGrid1->model()->rowCount(); ++r)
        n << w.DBGrid1->model()->index(r, 0).data().toInt();
    return n;
}

int selectedRow(TfmContest &w)
{
    const QModelIndexList rows = w.DBGrid1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

} // namespace

class TestTfmContest : public QObject {
    Q_OBJECT
private slots:
    void initialControls();
    void numberingIsCountPlusOne();
    void ctrlDeleteAsksFirst();
    void storedTourRunsForTheClock();
    void editsReachTheMainWindowAtOnce();
    void databaseFailures();
    void exitHandsTheNameOn();
    void titleBarCloseKeepsTheNameBack();
    void destructionWritesTheContestKey();
    void typingOverDatesAndTimes();
};

namespace {

// Clicks into a date or time field at the left edge or the right edge, as a listener does.
void clickInto(QDateTimeEdit *edit, bool rightEdge)
{
    QLineEdit *line = edit->findChild<QLineEdit *>();
    QVERIFY(line);
    const QPoint at(rightEdge ? line->width() - 4 : 3, line->height() / 2);
    QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

void TestTfmContest::initialControls()
{
    test::TestContext t;
    {
        IniFile ini(t.context.settingsPath);
        ini.writeString("MySetting", "Contest", QStringLiteral("Кубок Победы"));
    }
    Program p(t.context);
    TfmContest &w = p.contest();
    QCOMPARE(w.windowTitle(), QStringLiteral("Настройка туров соревнования"));
    QCOMPARE(w.edContest->text(), QStringLiteral("Кубок Победы"));
    QCOMPARE(w.DateTimePicker1->date(), QDate(2013, 1, 1));
    QCOMPARE(w.DateTimePicker2->time(), QTime(0, 0, 0));
    QCOMPARE(w.DateTimePicker3->date(), QDate(2013, 1, 1));
    QCOMPARE(w.DateTimePicker4->time(), QTime(1, 59, 59));
    QCOMPARE(w.DateTimePicker2->displayFormat(), QStringLiteral("HH:mm:ss"));
    QCOMPARE(w.DateTimePicker4->displayFormat(), QStringLiteral("HH:mm:ss"));
    QStringList titles;
    for (int c = 0; c < w.DBGrid1->model()->columnCount(); ++c)
        titles << w.DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles,
             (QStringList{"№", "Дата начала", "Время начала", "Дата окончания", "Время окончания", "Идёт (UTC)"}));
    QCOMPARE(w.DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(w.DBGrid1->selectionBehavior(), QAbstractItemView::SelectRows);
    // The menu command shows the window modally.
    p.main().N10Click();
    QCOMPARE(t.prompts->shown.last().kind, QStringLiteral("modal"));
    QCOMPARE(t.prompts->shown.last().caption, QStringLiteral("fmContest"));
}

void TestTfmContest::numberingIsCountPlusOne()
{
    test::TestContext t;
    Program p(t.context);
    TfmContest &w = p.contest();
    QVERIFY(w.tourRows().isEmpty());

    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QCOMPARE(numbers(w.tourRows()), (QList<int>{1}));
    // The pickers keep their values: change only the day for the next tour.
    w.DateTimePicker1->setDate(QDate(2013, 1, 2));
    w.DateTimePicker3->setDate(QDate(2013, 1, 2));
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QCOMPARE(numbers(w.tourRows()), (QList<int>{1, 2, 3}));
    QCOMPARE(gridNumbers(w), (QList<int>{1, 2, 3}));
    QCOMPARE(selectedRow(w), 2);
    QCOMPARE(w.tourRows()[1].dateBegin, QDate(2013, 1, 2));
    QCOMPARE(w.tourRows()[1].timeEnd, QTime(1, 59, 59));

    // Delete tour 2; the next one takes the count plus one, so 3 appears twice.
    w.DBGrid1->selectRow(1);
    t.prompts->answers = {true};
    QTest::keyClick(w.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(numbers(w.tourRows()), (QList<int>{1, 3}));
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QCOMPARE(numbers(w.tourRows()), (QList<int>{1, 3, 3}));
    QCOMPARE(gridNumbers(w), (QList<int>{1, 3, 3}));

    // Clearing asks nothing and starts again at 1.
    t.prompts->shown.clear();
    QTest::mouseClick(w.btClearAllTours, Qt::LeftButton);
    QVERIFY(t.prompts->shown.isEmpty());
    QVERIFY(w.tourRows().isEmpty());
    QCOMPARE(w.DBGrid1->model()->rowCount(), 0);
    QCOMPARE(p.main().tours().all().size(), 0);
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QCOMPARE(numbers(p.main().tours().all()), (QList<int>{1}));
}

void TestTfmContest::ctrlDeleteAsksFirst()
{
    test::TestContext t;
    Program p(t.context);
    TfmContest &w = p.contest();
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    w.DBGrid1->selectRow(0);

    // Cancel keeps the row; plain Delete does nothing at all.
    t.prompts->shown.clear();
    t.prompts->answers = {false};
    QTest::keyClick(w.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(t.prompts->texts("okcancel"), QStringList{"Delete record?"});
    QTest::keyClick(w.DBGrid1, Qt::Key_Delete);
    QCOMPARE(t.prompts->shown.size(), 1);
    QCOMPARE(numbers(p.main().tours().all()), (QList<int>{1, 2, 3}));

    // OK deletes the selected row only; the others keep their numbers.
    t.prompts->answers = {true};
    QTest::keyClick(w.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(numbers(p.main().tours().all()), (QList<int>{2, 3}));
    QCOMPARE(gridNumbers(w), (QList<int>{2, 3}));
    QCOMPARE(selectedRow(w), 0);
}

void TestTfmContest::storedTourRunsForTheClock()
{
    test::TestContext t;
    Program p(t.context);
    TfmContest &w = p.contest();
    QTest::mouseClick(w.btAddTour, Qt::LeftButton); // the pickers as they start
    // A 24-hour contest over midnight: accepted, shown from its first to its last instant, and
    // running for the clock after midnight too.
    w.DateTimePicker1->setDate(QDate(2026, 12, 8));
    w.DateTimePicker2->setTime(QTime(12, 0, 0));
    w.DateTimePicker3->setDate(QDate(2026, 12, 9));
    w.DateTimePicker4->setTime(QTime(11, 59, 59));
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QCOMPARE(w.DBGrid1->model()->index(0, 5).data().toString(), QStringLiteral("01.01.2013 00:00:00 – 01:59:59"));
    QCOMPARE(w.DBGrid1->model()->index(1, 5).data().toString(),
             QStringLiteral("08.12.2026 12:00:00 – 09.12.2026 11:59:59"));

    // A tour that ends before it begins is refused with the reason; nothing is stored.
    t.prompts->shown.clear();
    w.DateTimePicker1->setDate(QDate(2013, 1, 5));
    w.DateTimePicker3->setDate(QDate(2013, 1, 4));
    w.DateTimePicker4->setTime(QTime(11, 0, 0));
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QCOMPARE(t.prompts->texts("warning"),
             QStringList{QStringLiteral("Тур не добавлен: окончание 04.01.2013 11:00:00 раньше начала 05.01.2013 "
                                        "12:00:00. Исправьте дату или время.")});
    QCOMPARE(w.DBGrid1->model()->rowCount(), 2);

    const QVector<TourRow> rows = p.main().tours().all();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1].dateBegin, QDate(2026, 12, 8));
    QCOMPARE(rows[1].dateEnd, QDate(2026, 12, 9));
    const auto at = [&](const QDate &date, const QTime &time) {
        return tourclock::currentTour(rows, QDateTime(date, time, Qt::UTC));
    };
    QVERIFY(at(QDate(2013, 1, 1), QTime(0, 0, 0)).has_value());
    QCOMPARE(at(QDate(2013, 1, 1), QTime(0, 0, 0))->tourText, QStringLiteral("1"));
    QCOMPARE(at(QDate(2013, 1, 1), QTime(1, 59, 59))->tourText, QStringLiteral("1"));
    QCOMPARE(at(QDate(2013, 1, 1), QTime(2, 0, 0))->tourText, QStringLiteral("0"));
    QCOMPARE(at(QDate(2026, 12, 9), QTime(3, 0, 0))->tourText, QStringLiteral("2"));

    // The main window's clock files QSOs after midnight in that tour.
    TMain &m = p.main();
    const test::MainControls ui(m);
    ui.Timer1->stop();
    ui.chTour->setChecked(true);
    t.clock->now = QDateTime(QDate(2026, 12, 9), QTime(0, 30, 0), Qt::UTC);
    m.Timer1Timer();
    QCOMPARE(ui.edTour->text(), QStringLiteral("2"));
    QCOMPARE(ui.ibTourTime->text(), QStringLiteral("11:29:59"));
}

void TestTfmContest::editsReachTheMainWindowAtOnce()
{
    // One store of the tours for both windows: what the tour window adds or deletes is in the
    // main window's tour display at once, without waiting for the clock's next tick.
    test::TestContext t;
    t.clock->now = QDateTime(QDate(2026, 12, 8), QTime(20, 0, 0), Qt::UTC);
    Program p(t.context);
    TMain &m = p.main();
    const test::MainControls ui(m);
    ui.Timer1->stop();
    ui.chTour->setChecked(true);
    ui.edTour->setText(QStringLiteral("0"));
    TfmContest &w = p.contest();
    QSignalSpy changed(&m.tours(), &TourStore::changed);
    w.DateTimePicker1->setDate(QDate(2026, 12, 8));
    w.DateTimePicker2->setTime(QTime(12, 0, 0));
    w.DateTimePicker3->setDate(QDate(2026, 12, 9));
    w.DateTimePicker4->setTime(QTime(11, 59, 59));
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(ui.edTour->text(), QStringLiteral("1"));
    QCOMPARE(ui.ibTourTime->text(), QStringLiteral("15:59:59"));

    // A second tour running now comes after the first: the first still wins. Deleting the first
    // hands the display to the one left, whose number is 2.
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QCOMPARE(ui.edTour->text(), QStringLiteral("1"));
    w.DBGrid1->selectRow(0);
    t.prompts->answers = {true};
    QTest::keyClick(w.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(changed.size(), 3);
    QCOMPARE(ui.edTour->text(), QStringLiteral("2"));
    QCOMPARE(numbers(m.tours().all()), (QList<int>{2}));
    QCOMPARE(t.prompts->texts(QStringLiteral("error")), QStringList());
}

void TestTfmContest::databaseFailures()
{
    test::TestContext t;
    Program p(t.context);
    TfmContest &w = p.contest();
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "saboteur");
        other.setDatabaseName(t.context.databasePath);
        QVERIFY(other.open());
        QSqlQuery q(other);
        QVERIFY2(q.exec("ALTER TABLE tour RENAME TO tour_gone"), qPrintable(q.lastError().text()));
        other.close();
    }
    QSqlDatabase::removeDatabase("saboteur");

    // Storing a tour fails: the database's own message in the general error box, the grid as it was.
    t.prompts->shown.clear();
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QCOMPARE(t.prompts->shown.size(), 1);
    QCOMPARE(t.prompts->shown[0].kind, QStringLiteral("error"));
    QCOMPARE(t.prompts->shown[0].caption, QStringLiteral("Vireo"));
    QVERIFY2(t.prompts->shown[0].text.contains("tour"), qPrintable(t.prompts->shown[0].text));
    QCOMPARE(gridNumbers(w), (QList<int>{1}));

    // Clearing fails silently and the grid keeps what it showed.
    QTest::mouseClick(w.btClearAllTours, Qt::LeftButton);
    QCOMPARE(t.prompts->shown.size(), 1);
    QCOMPARE(gridNumbers(w), (QList<int>{1}));
}

void TestTfmContest::exitHandsTheNameOn()
{
    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    m.myCall = "R3A-123";
    m.contestName = "OLD";
    TfmContest &w = p.contest();
    t.prompts->onModal = [&](QDialog &d) {
        d.show();
        w.edContest->selectAll();
        QTest::keyClicks(w.edContest, "RDXC-2026");
        QTest::mouseClick(w.btCancel, Qt::LeftButton);
        return d.result();
    };
    m.N10Click();
    QVERIFY(!w.isVisible());
    QCOMPARE(m.contestName, QStringLiteral("RDXC-2026"));
    QCOMPARE(m.windowTitle(), QStringLiteral("R3A-123  (RDXC-2026)"));
    auto *cbrContest = p.cabrillo().findChild<QLineEdit *>("edCbrContest");
    QVERIFY(cbrContest);
    QCOMPARE(cbrContest->text(), QStringLiteral("RDXC-2026"));
}

void TestTfmContest::titleBarCloseKeepsTheNameBack()
{
    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    m.myCall = "R3A-123";
    m.contestName = "OLD";
    m.setCaptionFromSettings();
    auto *cbrContest = p.cabrillo().findChild<QLineEdit *>("edCbrContest");
    QVERIFY(cbrContest);
    const QString cbrBefore = cbrContest->text();
    TfmContest &w = p.contest();
    t.prompts->onModal = [&](QDialog &d) {
        d.show();
        w.edContest->setText("NEW");
        d.close();
        return d.result();
    };
    m.N10Click();
    QVERIFY(!w.isVisible());
    QCOMPARE(m.contestName, QStringLiteral("OLD"));
    QCOMPARE(m.windowTitle(), QStringLiteral("R3A-123  (OLD)"));
    QCOMPARE(cbrContest->text(), cbrBefore);
    // The typed name stays in the window for the next opening.
    QCOMPARE(w.edContest->text(), QStringLiteral("NEW"));
}

void TestTfmContest::destructionWritesTheContestKey()
{
    test::TestContext t;
    Database::prepareFile(t.context.databasePath, referenceFiles());
    {
        Database db(t.context.databasePath, QStringLiteral("tours"));
        TourStore tours(db.connection());
        TfmContest w(t.context, tours, nullptr);
        w.edContest->setText(QStringLiteral("Кубок"));
    }
    QCOMPARE(IniFile(t.context.settingsPath).readString("MySetting", "Contest", "?"), QStringLiteral("Кубок"));
    // In the whole program the main window writes the same key after this window.
    {
        Program p(t.context);
        p.contest().edContest->setText("TYPED");
        p.main().contestName = "MAIN";
    }
    QCOMPARE(IniFile(t.context.settingsPath).readString("MySetting", "Contest", "?"), QStringLiteral("MAIN"));
}

void TestTfmContest::typingOverDatesAndTimes()
{
    test::TestContext t;
    Program p(t.context);
    TfmContest &w = p.contest();
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    // Digits typed from the first section on replace the whole date or time.
    clickInto(w.DateTimePicker1, false);
    test::typeKeys(QStringLiteral("08122026"));
    QCOMPARE(w.DateTimePicker1->date(), QDate(2026, 12, 8));
    clickInto(w.DateTimePicker2, false);
    test::typeKeys(QStringLiteral("123000"));
    QCOMPARE(w.DateTimePicker2->time(), QTime(12, 30, 0));
    // With separators, and with a digit that can only be a whole section ("9" is the 9th).
    w.DateTimePicker3->setFocus(Qt::TabFocusReason);
    test::typeKeys(QStringLiteral("9.12.2026"));
    QCOMPARE(w.DateTimePicker3->date(), QDate(2026, 12, 9));
    clickInto(w.DateTimePicker4, false);
    test::typeKeys(QStringLiteral("11:59:59"));
    QCOMPARE(w.DateTimePicker4->time(), QTime(11, 59, 59));
    QTest::mouseClick(w.btAddTour, Qt::LeftButton);
    QCOMPARE(w.tourRows().size(), 1);
    QCOMPARE(w.tourRows()[0].dateBegin, QDate(2026, 12, 8));
    QCOMPARE(w.tourRows()[0].timeBegin, QTime(12, 30, 0));
    QCOMPARE(w.tourRows()[0].dateEnd, QDate(2026, 12, 9));
    QCOMPARE(w.tourRows()[0].timeEnd, QTime(11, 59, 59));

    // Into the year only, clicked at its end; then a day past the end of the month it gets.
    clickInto(w.DateTimePicker3, true);
    test::typeKeys(QStringLiteral("2027"));
    QCOMPARE(w.DateTimePicker3->date(), QDate(2027, 12, 9));
    clickInto(w.DateTimePicker1, false);
    test::typeKeys(QStringLiteral("31.04"));
    QCOMPARE(w.DateTimePicker1->date(), QDate(2026, 4, 30));
    // The arrow keys still step the section under the cursor.
    clickInto(w.DateTimePicker2, false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(w.DateTimePicker2->time(), QTime(13, 30, 0));
    w.hide();
}

QTEST_MAIN(TestTfmContest)
#include "tst_tfmcontest.moc"
