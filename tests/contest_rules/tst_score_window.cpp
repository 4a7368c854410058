// The score window over a real log file: the claimed score, the table per band and the lists,
// following saves (only the new rows added), edits, deletions and another program's writes; a
// double click on a refused record names it; no rules; its place kept in section Score.

#include "base/ini_file.h"
#include "contest_rules/rule_catalogue.h"
#include "contest_rules/rules_tracker.h"
#include "contest_rules/ui/score_models.h"
#include "contest_rules/ui/tscore.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "rules_log.h"
#include "support/scripted_services.h"
#include "support/temp_log.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace vireo;
using namespace vireo::rules;
using vireo::test::qso;

namespace {

struct Log {
    test::TestContext env;
    test::TempLog file{env.context.databasePath, QStringLiteral("score-test")};
    QsoStore *store = file.store.get();
    std::unique_ptr<RulesTracker> tracker;
    Log()
    {
        tracker = std::make_unique<RulesTracker>(*store, [] {
            QVector<PrefixRow> rows;
            for (const char *p : {"DL", "G", "UA", "UA9", "K", "JA", "OK", "SP"}) {
                PrefixRow r;
                r.prefix = r.dxccPrefix = QString::fromLatin1(p);
                rows << r;
            }
            return rows;
        });
    }
};

Definition testRules()
{
    Definition d = test::definition(3, 1);
    d.name = QStringLiteral("Тестовое соревнование");
    d.rules = QStringLiteral("2026");
    d.limits << test::limit(Limit::Kind::Max, Station::Correspondent, "band", 2);
    d.multipliers << test::multiplier(Multiplier::Kind::Dxcc, Station::Heard, "band");
    return d;
}

QString cell(QTableView *t, int row, int column)
{
    return t->model()->index(row, column).data().toString();
}

} // namespace

class TestScoreWindow : public QObject {
    Q_OBJECT
private slots:
    void showsTheScoreAndFollowsTheLog();
    void doubleClickNamesTheRecord();
    void withoutRulesAndPlacement();
};

void TestScoreWindow::showsTheScoreAndFollowsTheLog()
{
    Log log;
    log.store->append({qso(0, "DL1AA", "UA3AA", "20M", "12:00"), qso(0, "G4AA", "UA3AA", "20M", "12:01"),
                       qso(0, "DL2BB", "UA3AA", "20M", "12:02"), qso(0, "UA9AA", "K1AA", "40M", "12:03", "1", "")});
    log.tracker->setDefinition(testRules());
    TScore w(log.env.context, *log.tracker);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.objectName(), QStringLiteral("Score"));
    QCOMPARE(w.lbScoreRules->text(), QStringLiteral("Тестовое соревнование, правила 2026"));
    // 20M: two scoring (6 points), the third UA3AA refused; 40M: 1 point. Countries DL, G on
    // 20M, UA9 on 40M: (6 + 1) x 3 = 21.
    QCOMPARE(w.lbClaimed->text(), QStringLiteral("21"));
    QCOMPARE(w.lbScoreFormula->text(), QStringLiteral("7 очков × 3 множителя = 21"));
    QCOMPARE(w.tbScore->model()->rowCount(), 3);
    QCOMPARE(cell(w.tbScore, 0, ScoreBandsModel::Band), QStringLiteral("40M"));
    QCOMPARE(cell(w.tbScore, 1, ScoreBandsModel::Band), QStringLiteral("20M"));
    QCOMPARE(cell(w.tbScore, 1, ScoreBandsModel::Records), QStringLiteral("3"));
    QCOMPARE(cell(w.tbScore, 1, ScoreBandsModel::Refused), QStringLiteral("1"));
    QCOMPARE(cell(w.tbScore, 1, ScoreBandsModel::Points), QStringLiteral("6"));
    QCOMPARE(cell(w.tbScore, 2, ScoreBandsModel::Band), QStringLiteral("Всего"));
    QCOMPARE(cell(w.tbScore, 2, ScoreBandsModel::Multipliers), QStringLiteral("3"));
    QCOMPARE(w.tbMultipliers->model()->rowCount(), 3);
    QCOMPARE(cell(w.tbMultipliers, 1, MultipliersModel::Label), QStringLiteral("G, 20M"));
    QCOMPARE(cell(w.tbMultipliers, 1, MultipliersModel::Kind), QStringLiteral("страна DXCC"));
    QCOMPARE(w.tbRefused->model()->rowCount(), 1);
    QCOMPARE(cell(w.tbRefused, 0, RefusedModel::Reason),
             QStringLiteral("UA3AA корреспондент уже 2 раза на 20M: не засчитывается"));
    QCOMPARE(w.lbRefused->text(), QStringLiteral("Не засчитано: 1"));

    // A save at the end of the log adds rows without reading the lists anew.
    QSignalSpy multipliersInserted(w.tbMultipliers->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy refusedInserted(w.tbRefused->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy refusedReset(w.tbRefused->model(), &QAbstractItemModel::modelReset);
    log.store->append(qso(0, "JA1AA", "UA3AA", "20M", "12:10")); // refused, no multiplier
    log.store->append(qso(0, "JA1AA", "K2BB", "15M", "12:11")); // a new band and country
    QCOMPARE(refusedInserted.size(), 1);
    QCOMPARE(multipliersInserted.size(), 1);
    QCOMPARE(refusedReset.size(), 0);
    QCOMPARE(w.lbClaimed->text(), QString::number((7 + 3) * 4));
    QCOMPARE(w.tbRefused->model()->rowCount(), 2);
    QCOMPARE(cell(w.tbScore, 0, ScoreBandsModel::Band), QStringLiteral("40M"));
    QCOMPARE(cell(w.tbScore, 2, ScoreBandsModel::Band), QStringLiteral("15M"));

    // An edit rescores: the first UA3AA record becomes K1AA's, so one UA3AA record less on 20M
    // and only the last one stays refused.
    QsoRecord first = log.store->byId(1);
    first.call2 = QStringLiteral("K1AA");
    log.store->update(first);
    QCOMPARE(w.tbRefused->model()->rowCount(), 1);
    QCOMPARE(cell(w.tbRefused, 0, RefusedModel::Call1), QStringLiteral("JA1AA"));
    // A deletion too: with the DL1AA record gone, DL comes from DL2BB.
    log.store->remove(1);
    QCOMPARE(cell(w.tbMultipliers, 0, MultipliersModel::Call), QStringLiteral("G4AA"));
    QCOMPARE(w.lbClaimed->text(), QString::number((3 + 3 + 1 + 3) * 4));

    // Another program's write is seen at the store's next write (a Reset): the window reads anew.
    {
        Database other(log.env.context.databasePath, QStringLiteral("score-other"));
        QsoStore outside(other.connection());
        outside.append(qso(0, "OK1AA", "SP9AA", "10M", "12:20"));
    }
    log.store->append(qso(0, "OK2BB", "SP9AA", "10M", "12:21"));
    QCOMPARE(log.tracker->scorer()->recordCount(), 7);
    QCOMPARE(w.lbClaimed->text(), QString::number(log.tracker->scorer()->claimedScore()));
    QCOMPARE(cell(w.tbMultipliers, w.tbMultipliers->model()->rowCount() - 1, MultipliersModel::Label),
             QStringLiteral("OK, 10M"));
}

void TestScoreWindow::doubleClickNamesTheRecord()
{
    Log log;
    log.store->append({qso(0, "DL1AA", "UA3AA", "20M", "12:00"), qso(0, "G4AA", "UA3AA", "20M", "12:01"),
                       qso(0, "DL2BB", "UA3AA", "20M", "12:02"), qso(0, "DL3CC", "UA3AA", "20M", "bad")});
    log.tracker->setDefinition(testRules());
    TScore w(log.env.context, *log.tracker);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy chosen(&w, &TScore::recordChosen);
    // The record with the bad time comes first, then the refused one.
    QCOMPARE(w.tbRefused->model()->rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        const QRect r = w.tbRefused->visualRect(w.tbRefused->model()->index(row, RefusedModel::Call1));
        // A double click as the mouse makes it: a click, then the second press.
        QTest::mouseClick(w.tbRefused->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(w.tbRefused->viewport(), Qt::LeftButton, {}, r.center());
    }
    QCOMPARE(chosen.size(), 2);
    QCOMPARE(chosen.at(0).at(0).toLongLong(), 4);
    QCOMPARE(chosen.at(1).at(0).toLongLong(), 3);
}

void TestScoreWindow::withoutRulesAndPlacement()
{
    Log log;
    log.store->append(qso(0, "DL1AA", "UA3AA", "20M", "12:00"));
    {
        TScore w(log.env.context, *log.tracker);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.lbClaimed->text(), QStringLiteral("0"));
        QCOMPARE(w.tbScore->model()->rowCount(), 0);
        QVERIFY(w.lbScoreRules->text().startsWith(QStringLiteral("Правила соревнования не выбраны")));
        // Rules chosen while the window is open, then dropped again.
        log.tracker->setDefinition(testRules());
        QCOMPARE(w.lbClaimed->text(), QStringLiteral("3"));
        log.tracker->setDefinition(std::nullopt);
        QCOMPARE(w.lbClaimed->text(), QStringLiteral("0"));
        QCOMPARE(w.tbMultipliers->model()->rowCount(), 0);
        w.move(40, 50);
        w.resize(700, 500);
    }
    const IniFile ini(log.env.context.settingsPath);
    QCOMPARE(ini.readInteger(QStringLiteral("Score"), QStringLiteral("Width"), -1), 700);
    QCOMPARE(ini.readInteger(QStringLiteral("Score"), QStringLiteral("Height"), -1), 500);
    QVERIFY(ini.readInteger(QStringLiteral("Score"), QStringLiteral("Left"), -1) != -1);
    TScore again(log.env.context, *log.tracker);
    QCOMPARE(again.size(), QSize(700, 500));
}

QTEST_MAIN(TestScoreWindow)
#include "tst_score_window.moc"
