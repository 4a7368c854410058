// The statistics window over two contests and the log check window over a log with planted errors.

#include "camera.h"
#include "scenes.h"

#include "analysis/contest_log.h"
#include "analysis/log_check_runner.h"
#include "analysis/ui/findings_model.h"
#include "analysis/ui/tlogcheck.h"
#include "analysis/ui/tstats.h"
#include "app/tmain.h"
#include "db/tour_store.h"
#include "support/sample_logs.h"
#include "support/ui/entry_window.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

namespace vireo::shots {

namespace {

// The statistics window of the main window, opened from its menu item once the log is in.
TStats *openStats(test::EntryWindow &w, const QVector<QsoRecord> &log, const QDateTime &now)
{
    w.seed(log);
    w.t.clock->now = now;
    trigger(*w.m, "actStats");
    w.m->Timer1Timer();
    auto *s = named<TStats>("Stats");
    if (s && !QTest::qWaitFor([s] { return !s->refreshPending(); }, 60000))
        return nullptr;
    return s;
}

} // namespace

void statsWindow(Camera &camera)
{
    const QString file = QStringLiteral("stats.png");
    if (!camera.wants(file))
        return;
    test::EntryWindow w;
    TStats *s = openStats(w, test::twoTourContest(), QDateTime(QDate(2026, 3, 5), QTime(9, 52, 30), Qt::UTC));
    if (!s)
        return camera.fail(file, QStringLiteral("the statistics window did not open"));
    camera.take(*s, file);
}

void statsOfSixBands(Camera &camera)
{
    const QString file = QStringLiteral("stats_six_bands.png");
    if (!camera.wants(file))
        return;
    test::EntryWindow w;
    TStats *s = openStats(w, test::sixBandsOverDays(), QDateTime(QDate(2026, 3, 9), QTime(5, 50), Qt::UTC));
    if (!s)
        return camera.fail(file, QStringLiteral("the statistics window did not open"));
    s->resize(640, 540);
    camera.take(*s, file);
}

void logCheckWindow(Camera &camera)
{
    const QString file = QStringLiteral("logcheck.png");
    if (!camera.wants(file))
        return;
    test::EntryWindow w;
    test::ContestLog log = test::makeContestLog(300, 3000);
    test::plantErrors(log);
    QVector<QsoRecord> records = log.records;
    for (QsoRecord &r : records)
        r.id = 0;
    w.seed(records);
    w.m->tours().append(TourRow{0, 1, QDate(2026, 3, 7), QTime(12, 0), QDate(2026, 3, 7), QTime(13, 59, 59)});
    w.m->tours().append(TourRow{0, 2, QDate(2026, 3, 7), QTime(15, 0), QDate(2026, 3, 7), QTime(16, 59, 59)});
    trigger(*w.m, "actCheck");
    auto *check = named<TLogCheck>(*w.m, "LogCheck");
    if (!check)
        return camera.fail(file, QStringLiteral("the log check window did not open"));
    check->resize(1000, 460);
    QSignalSpy done(&check->runner(), &LogCheckRunner::finished);
    check->btCheck->click();
    if (!done.wait(120000))
        return camera.fail(file, QStringLiteral("the log check did not finish"));
    check->lvCheck->selectionModel()->select(check->model().index(2, 0),
                                             QItemSelectionModel::Rows | QItemSelectionModel::ClearAndSelect);
    settle(100);
    camera.take(*check, file);
}

} // namespace vireo::shots
