// The contest rules in the whole program, as the listener meets them: the line lbRule while a
// record is typed (refused, a new multiplier, the points; nothing without rules, before both
// calls, while a record is edited), the score window from "Окна" -> "Счёт" following the
// records saved from the entry line and naming a refused record in the grid, and the statistics
// showing the points by the rules.

#include "analysis/log_check_runner.h"
#include "analysis/ui/findings_model.h"
#include "analysis/ui/tlogcheck.h"
#include "analysis/ui/tstats.h"
#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "contest/ui/tfmcontest.h"
#include "contest_rules/rules_tracker.h"
#include "contest_rules/ui/rule_line.h"
#include "contest_rules/ui/score_models.h"
#include "contest_rules/ui/tscore.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "db/reference_store.h"
#include "entry/ui/entry_panel.h"
#include "rules_log.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"
#include "support/ui/typing.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace vireo;
using vireo::test::MainControls;
using vireo::test::qso;

namespace {

// The program past its first run with the shipped definitions installed and these rules chosen
// (empty: none), shown, the clock ticked once at 05.03.2026 07:04 and the focus in edCall1.
struct RulesProgram {
    test::TestContext t;
    std::unique_ptr<Program> program;
    TMain *m = nullptr;
    std::unique_ptr<MainControls> c;

    explicit RulesProgram(const QString &rules, const QVector<QsoRecord> &log = {})
    {
        test::writeKnownListener(t.context.settingsPath);
        test::installShippedDefinitions(t.context.programDir);
        IniFile(t.context.settingsPath).writeString(QStringLiteral("Contest"), QStringLiteral("Rules"), rules);
        program = std::make_unique<Program>(t.context);
        m = &program->main();
        if (!log.isEmpty()) {
            // Records filed earlier; the grid shows them.
            m->qsos().append(log);
            m->logModel().reload();
            m->RefreshCounters();
        }
        c = std::make_unique<MainControls>(*m);
        c->Timer1->stop(); // the test ticks the clock itself
        m->show();
        m->activateWindow();
        if (!QTest::qWaitForWindowActive(m))
            qWarning("main window not active");
        m->Timer1Timer();
        c->edCall1->setFocus();
    }

    QLabel *line() const { return test::control<QLabel>(m, "lbRule"); }
    rules::RulesTracker &tracker() const { return program->rulesTracker(); }

    // The record typed into the entry line and saved with the OK button.
    void save(const QString &call1, const QString &nr1, const QString &call2, const QString &nr2)
    {
        test::clearAndType(c->edCall1, call1);
        test::clearAndType(c->edNr1, nr1);
        test::clearAndType(c->edCall2, call2);
        test::clearAndType(c->edNr2, nr2);
        QTest::mouseClick(c->btSave, Qt::LeftButton);
    }

    int selectedRow() const
    {
        const QModelIndexList rows = c->DBGrid1->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
};

// The same station heard ten times on 20M this morning, with both numbers.
QVector<QsoRecord> tenTimesUa3aa()
{
    QVector<QsoRecord> log;
    for (int i = 0; i < 10; ++i)
        log << qso(0, QStringLiteral("UA3AA"), QStringLiteral("DL%1AA").arg(i), QStringLiteral("20M"),
                   QStringLiteral("06:%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("001"),
                   QStringLiteral("015"), QStringLiteral("CW"), QStringLiteral("0"), QStringLiteral("05.03.2026"));
    return log;
}

} // namespace

class TestRulesInProgram : public QObject {
    Q_OBJECT
private slots:
    void lineWhileTyping();
    void lineOfANewMultiplier();
    void lineWithoutRules();
    void scoreWindowFromTheMenu();
    void statisticsByTheRules();
    void lineHasItsRowOnlyWithRules();
    void logCheckByTheRules();
    void newCountryDataRescore();
};

void TestRulesInProgram::lineWhileTyping()
{
    // CQ-M: a station at most 10 times per band, as heard station or correspondent.
    RulesProgram p(QStringLiteral("cq-m-2018.json"), tenTimesUa3aa());
    QVERIFY(p.tracker().active());
    QLabel *line = p.line();

    test::type(QStringLiteral("UA3AA"));
    QCOMPARE(p.m->currentBand, QStringLiteral("20M"));
    QCOMPARE(line->text(), QString()); // the correspondent not typed yet
    test::clearAndType(p.c->edCall2, QStringLiteral("G4XYZ"));
    QCOMPARE(line->text(), QStringLiteral("UA3AA уже 10 раз на 20M: не засчитывается"));
    QCOMPARE(line->palette().color(QPalette::WindowText), rules::RuleLine::refusedColour());
    // The same station as correspondent is refused all the same.
    test::typeOver(p.c->edCall1, QStringLiteral("G4XYZ"));
    test::typeOver(p.c->edCall2, QStringLiteral("UA3AA"));
    QCOMPARE(line->text(), QStringLiteral("UA3AA уже 10 раз на 20M: не засчитывается"));
    // Another station counts: 1 point without the correspondent's number, 3 with it.
    test::typeOver(p.c->edCall2, QStringLiteral("UA3AB"));
    QCOMPARE(line->text(), QStringLiteral("засчитывается: 1 очко"));
    test::clearAndType(p.c->edNr2, QStringLiteral("015"));
    QCOMPARE(line->text(), QStringLiteral("засчитывается: 3 очка"));
    // On another band UA3AA counts again.
    test::clearAndType(p.c->edNr1, QStringLiteral("001"));
    p.c->cbFreq->setEditText(QStringLiteral("7010"));
    test::typeOver(p.c->edCall2, QStringLiteral("UA3AA"));
    QCOMPARE(p.m->currentBand, QStringLiteral("40M"));
    QCOMPARE(line->text(), QStringLiteral("засчитывается: 3 очка"));

    // Saved: the fields are emptied and so is the line; the saved record counts for the limit.
    QTest::mouseClick(p.c->btSave, Qt::LeftButton);
    QCOMPARE(p.c->edCall1->text(), QString());
    QCOMPARE(line->text(), QString());
    QCOMPARE(p.tracker().claimedScore(), std::optional<qint64>(33));

    // A record being edited is in the log already: the line says nothing of it.
    p.c->DBGrid1->selectRow(0);
    p.c->N12->trigger();
    QVERIFY(p.m->editMode());
    QCOMPARE(p.c->edCall1->text(), QStringLiteral("UA3AA"));
    QVERIFY(!p.c->edCall2->text().isEmpty());
    QCOMPARE(line->text(), QString());
}

void TestRulesInProgram::lineOfANewMultiplier()
{
    // WAE: the heard station once per band; its country a multiplier per band.
    RulesProgram p(QStringLiteral("wae-dx.json"),
                   {qso(0, "DL1AA", "UA3AA", "20M", "06:00", "001", "002", "CW", "0", "05.03.2026")});
    const QString dl = p.tracker().scorer()->multiplierAt(0).label;
    QVERIFY2(dl.endsWith(QStringLiteral(", 20M")), qPrintable(dl));
    QLabel *line = p.line();
    test::type(QStringLiteral("DL2BB"));
    test::clearAndType(p.c->edCall2, QStringLiteral("UA3AA"));
    QCOMPARE(line->text(), QStringLiteral("засчитывается: 1 очко")); // DL on 20M is worked
    test::typeOver(p.c->edCall1, QStringLiteral("G4XYZ"));
    QVERIFY2(line->text().startsWith(QStringLiteral("новый множитель: ")), qPrintable(line->text()));
    QVERIFY2(line->text().endsWith(QStringLiteral(", 20M")), qPrintable(line->text()));
    QCOMPARE(line->palette().color(QPalette::WindowText), rules::RuleLine::multiplierColour());
    test::typeOver(p.c->edCall1, QStringLiteral("DL1AA"));
    QCOMPARE(line->text(), QStringLiteral("DL1AA слышимая станция уже 1 раз на 20M: не засчитывается"));
    // A field emptied: nothing to say.
    p.c->edCall2->clear();
    QCOMPARE(line->text(), QString());
}

void TestRulesInProgram::lineWithoutRules()
{
    RulesProgram p(QString(), tenTimesUa3aa());
    QVERIFY(!p.tracker().active());
    test::type(QStringLiteral("UA3AA"));
    test::clearAndType(p.c->edCall2, QStringLiteral("G4XYZ"));
    QCOMPARE(p.line()->text(), QString());
    // Rules chosen in the tour window: the line speaks at once.
    TfmContest &contest = p.program->contest();
    const int cqm = contest.cbRules->findData(QStringLiteral("cq-m-2018.json"));
    QVERIFY(cqm > 0);
    contest.cbRules->setCurrentIndex(cqm);
    emit contest.cbRules->activated(cqm);
    QCOMPARE(p.line()->text(), QStringLiteral("UA3AA уже 10 раз на 20M: не засчитывается"));
    // ... and goes quiet when they are dropped.
    contest.cbRules->setCurrentIndex(0);
    emit contest.cbRules->activated(0);
    QCOMPARE(p.line()->text(), QString());
}

void TestRulesInProgram::scoreWindowFromTheMenu()
{
    RulesProgram p(QStringLiteral("cq-m-2018.json"), tenTimesUa3aa());
    QAction *actScore = test::control<QAction>(p.c->mnWindows, "actScore");
    QCOMPARE(actScore->text(), QStringLiteral("Счёт"));
    QVERIFY(p.c->mnWindows->actions().contains(actScore));
    actScore->trigger();
    QWidget *score = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Score"))
            score = w;
    QVERIFY(score);
    QVERIFY(score->isVisible());
    QVERIFY(actScore->isChecked());
    QLabel *claimed = test::control<QLabel>(score, "lbClaimed");
    QTableView *tbScore = test::control<QTableView>(score, "tbScore");
    QTableView *tbRefused = test::control<QTableView>(score, "tbRefused");
    QCOMPARE(claimed->text(), QStringLiteral("30"));

    // Saved from the entry line: counted at once; the eleventh UA3AA on 20M is refused.
    p.save(QStringLiteral("G4XYZ"), QStringLiteral("001"), QStringLiteral("UA3AB"), QString());
    QCOMPARE(claimed->text(), QStringLiteral("31"));
    p.save(QStringLiteral("UA3AA"), QStringLiteral("001"), QStringLiteral("G4XYZ"), QStringLiteral("015"));
    QCOMPARE(claimed->text(), QStringLiteral("31"));
    QCOMPARE(tbRefused->model()->rowCount(), 1);
    QCOMPARE(tbScore->model()->index(0, rules::ScoreBandsModel::Refused).data().toString(), QStringLiteral("1"));

    // A double click on the refused record selects it in the grid (the last of twelve).
    p.c->DBGrid1->selectRow(0);
    const QRect cell = tbRefused->visualRect(tbRefused->model()->index(0, rules::RefusedModel::Call1));
    QTest::mouseClick(tbRefused->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(tbRefused->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_COMPARE(p.selectedRow(), 11);

    // Deleted from the grid: the window follows.
    p.t.prompts->answers << true;
    QTest::keyClick(p.c->DBGrid1, Qt::Key_Delete, Qt::ControlModifier); // as the listener deletes it
    QCOMPARE(tbRefused->model()->rowCount(), 0);
    QCOMPARE(claimed->text(), QStringLiteral("31"));

    // The menu item hides it again; closing it clears the mark.
    actScore->trigger();
    QVERIFY(!score->isVisible());
    QVERIFY(!actScore->isChecked());
    actScore->trigger();
    QVERIFY(score->isVisible());
    score->close();
    QVERIFY(!actScore->isChecked());
}

void TestRulesInProgram::statisticsByTheRules()
{
    RulesProgram p(QString(), tenTimesUa3aa());
    p.save(QStringLiteral("UA3AA"), QStringLiteral("001"), QStringLiteral("G4XYZ"), QStringLiteral("015"));
    TStats *stats = p.c->stats;
    auto *rulesBox = test::control<QCheckBox>(stats, "chStatsRules");
    p.c->actStats->trigger();
    QTRY_VERIFY(!stats->refreshPending());
    QVERIFY(!rulesBox->isEnabled());
    QAbstractItemModel *table = stats->tbStats->model();
    auto corner = [table] { return table->index(table->rowCount() - 1, table->columnCount() - 1).data().toString(); };
    // The log's own points: 3 for each of the eleven records.
    QCOMPARE(corner(), QStringLiteral("11 / 33"));

    TfmContest &contest = p.program->contest();
    const int cqm = contest.cbRules->findData(QStringLiteral("cq-m-2018.json"));
    contest.cbRules->setCurrentIndex(cqm);
    emit contest.cbRules->activated(cqm);
    QVERIFY(rulesBox->isEnabled());
    QCOMPARE(corner(), QStringLiteral("11 / 33"));
    rulesBox->click();
    // By CQ-M the eleventh UA3AA on 20M does not count.
    QCOMPARE(corner(), QStringLiteral("11 / 30"));
    // Rules dropped: the box is off, the log's own points come back.
    contest.cbRules->setCurrentIndex(0);
    emit contest.cbRules->activated(0);
    QVERIFY(!rulesBox->isEnabled());
    QCOMPARE(corner(), QStringLiteral("11 / 33"));
}

// The line takes a row of the window's width between the grid and the entry area while rules
// are chosen, and gives it back when they are dropped: without rules the window is as before.
void TestRulesInProgram::lineHasItsRowOnlyWithRules()
{
    RulesProgram p{QString()};
    QVERIFY(!p.line()->isVisible());
    const int gridHeight = p.c->DBGrid1->height();

    TfmContest &contest = p.program->contest();
    const int cqm = contest.cbRules->findData(QStringLiteral("cq-m-2018.json"));
    contest.cbRules->setCurrentIndex(cqm);
    emit contest.cbRules->activated(cqm);
    QVERIFY(p.line()->isVisible());
    QTRY_VERIFY(p.c->DBGrid1->height() < gridHeight);
    QWidget *central = p.m->centralWidget();
    const QRect line(p.line()->mapTo(central, QPoint(0, 0)), p.line()->size());
    const QRect grid(p.c->DBGrid1->mapTo(central, QPoint(0, 0)), p.c->DBGrid1->size());
    const QRect entry(p.m->entryPanel().mapTo(central, QPoint(0, 0)), p.m->entryPanel().size());
    QVERIFY(line.top() >= grid.bottom());
    QVERIFY(line.bottom() < entry.top());
    QCOMPARE(line.width(), central->width());
    QVERIFY(line.height() >= p.line()->fontMetrics().height());

    contest.cbRules->setCurrentIndex(0);
    emit contest.cbRules->activated(0);
    QVERIFY(!p.line()->isVisible());
    QTRY_COMPARE(p.c->DBGrid1->height(), gridHeight);
}

// The log check follows the rules: it lists the records they refuse with the rules' reason, and
// pauses a pair as long as the contest's own pause.
void TestRulesInProgram::logCheckByTheRules()
{
    RulesProgram p(QStringLiteral("cq-m-2018.json"), tenTimesUa3aa());
    p.save(QStringLiteral("UA3AA"), QStringLiteral("001"), QStringLiteral("G4XYZ"), QStringLiteral("015"));
    p.c->actCheck->trigger();
    auto *check = p.m->findChild<TLogCheck *>(QStringLiteral("LogCheck"));
    QVERIFY(check);
    const int ownPause = check->sbMinRepeat->value();
    QSignalSpy done(&check->runner(), &LogCheckRunner::finished);
    check->btCheck->click();
    QVERIFY(done.wait(30000));
    QStringList refused;
    const logcheck::Findings &f = check->model().findings();
    for (int i = 0; i < f.size(); ++i)
        if (f.at(i).kind == logcheck::Kind::RuleRefused)
            refused << f.at(i).record.call1 + QLatin1Char(' ') + f.at(i).record.time + QLatin1String(": ")
                           + f.at(i).text;
    QCOMPARE(refused.size(), 1);
    QVERIFY2(refused[0].startsWith(QStringLiteral("UA3AA 07:04: ")), qPrintable(refused[0]));
    // The same reason the score window gives.
    QCOMPARE(refused[0].mid(13), p.tracker().scorer()->refusedByLimit().first().second);
    // CQ-M has no pause of its own: the window's setting stays.
    QCOMPARE(check->sbMinRepeat->value(), ownPause);

    // VERON SLP: a correspondent not again on the same band within 5 minutes.
    TfmContest &contest = p.program->contest();
    const int veron = contest.cbRules->findData(QStringLiteral("veron-slp-2019.json"));
    QVERIFY(veron > 0);
    contest.cbRules->setCurrentIndex(veron);
    emit contest.cbRules->activated(veron);
    check->btCheck->click();
    QVERIFY(done.wait(30000));
    QCOMPARE(check->sbMinRepeat->value(), 5);
}

// New country data ("Обновить данные стран и позывных…") score the log again with the new
// entities: a prefix that becomes an entity of its own is one more multiplier.
void TestRulesInProgram::newCountryDataRescore()
{
    QVector<QsoRecord> log;
    log << qso(0, QStringLiteral("UA3AA"), QStringLiteral("DL1AA"), QStringLiteral("20M"), QStringLiteral("06:00"),
               QStringLiteral("59"), QStringLiteral("59"), QStringLiteral("SSB"), QStringLiteral("0"),
               QStringLiteral("05.03.2026"))
        << qso(0, QStringLiteral("UA3BB"), QStringLiteral("DL2AA"), QStringLiteral("20M"), QStringLiteral("06:01"),
               QStringLiteral("59"), QStringLiteral("59"), QStringLiteral("SSB"), QStringLiteral("0"),
               QStringLiteral("05.03.2026"));
    // VERON SLP: prefixes per band times DXCC entities per band; both calls are UA3, in one entity.
    RulesProgram p(QStringLiteral("veron-slp-2019.json"), log);
    QCOMPARE(p.tracker().claimedScore(), std::optional<qint64>(1));
    PrefixRow own = p.m->references().firstPrefix(QStringLiteral("UA3BB"), 2).value_or(PrefixRow{});
    own.prefix = QStringLiteral("UA3B");
    own.dxccPrefix = QStringLiteral("ZZ");
    own.country = QStringLiteral("Test Land");
    p.m->references().fillPrefixes({own});
    // The score keeps the entities it read until it is told of the new data.
    QCOMPARE(p.tracker().claimedScore(), std::optional<qint64>(1));
    emit p.m->referenceDataReplaced();
    QCOMPARE(p.tracker().claimedScore(), std::optional<qint64>(2));
}

QTEST_MAIN(TestRulesInProgram)
#include "tst_rules_in_program.moc"
