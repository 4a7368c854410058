// The log check window over the real main window: opened from the menu, checking off the
// user-interface thread with progress and cancel, a double click selecting the record in the
// grid, the findings saved as text, the pause setting kept.

#include "analysis/contest_log.h"
#include "analysis/log_check_runner.h"
#include "analysis/ui/findings_model.h"
#include "analysis/ui/tlogcheck.h"
#include "base/cp1251.h"
#include "db/tour_store.h"
#include "support/qso_builder.h"
#include "support/ui/entry_window.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTreeView>

using namespace vireo;
using namespace vireo::test;

namespace {

struct CheckWindow {
    EntryWindow w;
    ContestLog log;
    QVector<Planted> planted;
    QVector<qint64> ids; // store ids of log.records, in order
    TLogCheck *check = nullptr;

    explicit CheckWindow(int stations = 60, int records = 900)
    {
        log = makeContestLog(stations, records);
        planted = plantErrors(log);
        QVector<QsoRecord> rs = log.records;
        for (QsoRecord &r : rs)
            r.id = 0;
        ids = w.seed(rs);
        w.m->tours().append(TourRow{0, 1, QDate(2026, 3, 7), QTime(12, 0), QDate(2026, 3, 7), QTime(13, 59, 59)});
        w.m->tours().append(TourRow{0, 2, QDate(2026, 3, 7), QTime(15, 0), QDate(2026, 3, 7), QTime(16, 59, 59)});
        test::MainControls(*w.m).actCheck->trigger();
        check = w.m->findChild<TLogCheck *>(QStringLiteral("LogCheck"));
    }

    // The id in the store of the record the generator numbered generatedId.
    qint64 storeId(qint64 generatedId) const
    {
        for (int i = 0; i < log.records.size(); ++i)
            if (log.records[i].id == generatedId)
                return ids[i];
        return -1;
    }

    bool runToEnd()
    {
        QSignalSpy done(&check->runner(), &LogCheckRunner::finished);
        check->btCheck->click();
        return done.wait(60000);
    }
};

} // namespace

class TestLogCheckWindow : public QObject {
    Q_OBJECT
private slots:
    void opensFromTheMenuAndFindsThePlantedErrors()
    {
        CheckWindow c;
        QVERIFY(c.check);
        QVERIFY(c.check->isVisible());
        QCOMPARE(c.check->windowTitle(), QStringLiteral("Проверка журнала"));
        QCOMPARE(c.check->lvCheck, c.check->findChild<QTreeView *>(QStringLiteral("lvCheck")));
        QCOMPARE(c.check->cbScope->count(), 3);
        QCOMPARE(c.check->cbScope->itemText(0), QStringLiteral("Весь журнал"));
        QCOMPARE(c.check->cbScope->itemText(2), QStringLiteral("Тур 2"));
        QVERIFY(!c.check->btCancel->isEnabled());
        QVERIFY(!c.check->btSave->isEnabled());

        QVERIFY(c.runToEnd());
        QCOMPARE(c.check->pbCheck->value(), 100);
        QVERIFY(c.check->btCheck->isEnabled());
        QVERIFY(!c.check->btCancel->isEnabled());
        QVERIFY(c.check->btSave->isEnabled());
        const FindingsModel &model = c.check->model();
        QCOMPARE(model.rowCount(), c.planted.size());
        QSet<qint64> expected, found;
        for (const Planted &p : c.planted)
            expected.insert(c.storeId(p.id));
        for (const logcheck::Finding &f : model.findings().all())
            found.insert(f.record.id);
        QCOMPARE(found, expected);
        QCOMPARE(c.check->lbSummary->text(),
                 QStringLiteral("Найдено: 9 (номера: 2, пары: 1, позывные: 1, неполные: 1, повторы: 4)"));
        // the list shows the record and the explanation
        QCOMPARE(model.headerData(FindingsModel::Call1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("CALL-1"));
        const logcheck::Finding first = model.findings().at(0);
        QCOMPARE(model.index(0, FindingsModel::Kind).data().toString(), QStringLiteral("Номер"));
        QCOMPARE(model.index(0, FindingsModel::Time).data().toString(), first.record.time);
        QCOMPARE(model.index(0, FindingsModel::Text).data().toString(), first.text);
        QCOMPARE(model.index(0, FindingsModel::Call1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));

        // One tour: only its findings.
        c.check->cbScope->setCurrentIndex(2);
        QVERIFY(c.runToEnd());
        for (const logcheck::Finding &f : c.check->model().findings().all())
            QCOMPARE(f.record.tur, QStringLiteral("2"));
        QVERIFY(c.check->model().rowCount() < c.planted.size());
    }

    void doubleClickSelectsTheRecord()
    {
        CheckWindow c;
        QVERIFY(c.runToEnd());
        const int row = c.check->model().rowCount() - 1;
        const qint64 id = c.check->model().findingAt(row)->record.id;
        QVERIFY(QTest::qWaitForWindowExposed(c.check));
        c.check->lvCheck->scrollTo(c.check->model().index(row, 0));
        QSignalSpy chosen(c.check, &TLogCheck::recordChosen);
        const QPoint at = c.check->lvCheck->visualRect(c.check->model().index(row, FindingsModel::Text)).center();
        QTest::mouseClick(c.check->lvCheck->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(c.check->lvCheck->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().first().toLongLong(), id);
        QCOMPARE(c.w.selectedRow(), c.w.m->logModel().rowOfId(id));
        QCOMPARE(c.w.m->logModel().idAt(c.w.selectedRow()), id);

        // A record deleted since the check is reported, not selected.
        c.w.m->qsos().remove(id);
        c.w.m->logModel().reload();
        c.w.m->selectCheckedRecord(id);
        QCOMPARE(c.w.t.prompts->texts(QStringLiteral("warning")),
                 QStringList{QStringLiteral("Этой записи уже нет в журнале")});
    }

    void cancelStopsTheCheck()
    {
        CheckWindow c(400, 6000);
        QSignalSpy cancelled(&c.check->runner(), &LogCheckRunner::cancelled);
        QSignalSpy finished(&c.check->runner(), &LogCheckRunner::finished);
        c.check->btCheck->click();
        QVERIFY(c.check->btCancel->isEnabled());
        QVERIFY(!c.check->btCheck->isEnabled());
        c.check->btCancel->click();
        QVERIFY(cancelled.wait(30000));
        QCOMPARE(finished.count(), 0);
        QCOMPARE(c.check->lbSummary->text(), QStringLiteral("Проверка прервана"));
        QCOMPARE(c.check->model().rowCount(), 0);
        QVERIFY(c.check->btCheck->isEnabled());
        QVERIFY(!c.check->btSave->isEnabled());
        // and it runs again afterwards
        QVERIFY(c.runToEnd());
        QCOMPARE(c.check->model().rowCount(), c.planted.size());
    }

    void findingsAreSavedAsText()
    {
        CheckWindow c;
        QVERIFY(c.runToEnd());
        // cancelled dialog: nothing written, nothing said
        c.check->btSave->click();
        QCOMPARE(c.w.t.prompts->shown.last().kind, QStringLiteral("save"));
        QVERIFY(
            c.w.t.prompts->shown.last().text.startsWith(c.w.t.path(QStringLiteral("check.txt")) + QLatin1Char('|')));
        QVERIFY(c.w.t.prompts->texts(QStringLiteral("information")).isEmpty());

        const QString path = c.w.t.path(QStringLiteral("out.txt"));
        c.w.t.prompts->fileNames << path;
        c.check->btSave->click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith(cp1251::encode(
            QStringLiteral("Проверка журнала: Весь журнал, 05.03.2026 07:04 UTC\r\nНайдено: 9\r\n\r\n"))));
        QCOMPARE(bytes.count("\r\n"), 3 + 9);
        QVERIFY(bytes.contains(cp1251::encode(c.check->model().findings().at(0).text)));
        QCOMPARE(c.w.t.prompts->texts(QStringLiteral("information")),
                 QStringList{QStringLiteral("Результаты проверки записаны в файл %1").arg(path)});

        // a file that cannot be created: the error box, no success message
        c.w.t.prompts->fileNames << c.w.t.path(QStringLiteral("no/such/folder/out.txt"));
        c.check->btSave->click();
        QCOMPARE(c.w.t.prompts->shown.last().kind, QStringLiteral("error"));
        QCOMPARE(c.w.t.prompts->shown.last().caption, QStringLiteral("Ошибка"));
        QCOMPARE(c.w.t.prompts->texts(QStringLiteral("information")).size(), 1);
    }

    // The list is a view over the findings' model: no widget of its own per finding, however
    // many; closing the window lets go of the findings, and the next check fills it again.
    void closingLetsGoOfTheFindings()
    {
        CheckWindow c(400, 6000);
        c.w.seed([] {
            // calls heard once each, none known: a busted call apiece
            QVector<QsoRecord> more;
            for (int i = 0; i < 3000; ++i)
                more << Qso()
                            .at(QStringLiteral("07.03.2026"),
                                QStringLiteral("13:%1").arg(i % 60, 2, 10, QLatin1Char('0')))
                            .call1(QStringLiteral("ZZ%1Q").arg(i))
                            .nr1(QStringLiteral("MO"))
                            .band(QStringLiteral("20M"))
                            .mode(QStringLiteral("CW"))
                            .tur(QStringLiteral("1"))
                            .record();
            return more;
        }());
        const int widgets = int(c.check->findChildren<QWidget *>().size());
        QVERIFY(c.runToEnd());
        const int rows = c.check->model().rowCount();
        QVERIFY2(rows > 3000, qPrintable(QString::number(rows)));
        QCOMPARE(c.check->lvCheck->model(), &c.check->model());
        QVERIFY(QTest::qWaitForWindowExposed(c.check));
        c.check->lvCheck->scrollToBottom();
        QCoreApplication::processEvents();
        QCOMPARE(int(c.check->findChildren<QWidget *>().size()), widgets);
        QCOMPARE(c.check->lvCheck->indexWidget(c.check->model().index(rows - 1, 0)), nullptr);

        c.check->lvCheck->setColumnWidth(FindingsModel::Call1, 123);
        c.check->close();
        QVERIFY(!c.check->isVisible());
        // a list of its own, found by its name, with the widths the listener set
        QCOMPARE(c.check->findChildren<QTreeView *>(QStringLiteral("lvCheck")).size(), 1);
        QCOMPARE(c.check->lvCheck, c.check->findChild<QTreeView *>(QStringLiteral("lvCheck")));
        QCOMPARE(c.check->lvCheck->model(), &c.check->model());
        QCOMPARE(c.check->lvCheck->columnWidth(FindingsModel::Call1), 123);
        QCOMPARE(c.check->model().rowCount(), 0);
        QVERIFY(c.check->model().findings().isEmpty());
        QVERIFY(c.check->runner().findings().isEmpty());
        QVERIFY(!c.check->btSave->isEnabled());
        QCOMPARE(c.check->lbSummary->text(), QStringLiteral("Проверка ещё не запускалась"));

        test::MainControls(*c.w.m).actCheck->trigger();
        QVERIFY(c.check->isVisible());
        QCOMPARE(c.check->model().rowCount(), 0);
        QVERIFY(c.runToEnd());
        QCOMPARE(c.check->model().rowCount(), rows);
    }

    void pauseSettingIsKept()
    {
        std::unique_ptr<CheckWindow> c = std::make_unique<CheckWindow>(40, 600);
        QCOMPARE(c->check->sbMinRepeat->value(), 10); // the default
        c->check->sbMinRepeat->setValue(0); // off: the pair found before is not
        QVERIFY(c->runToEnd());
        QCOMPARE(c->check->model().rowCount(), c->planted.size() - 1);
        const QString settings = c->w.t.context.settingsPath;
        c->w.program.reset();
        IniFile ini(settings);
        QCOMPARE(ini.readInteger(QStringLiteral("Check"), QStringLiteral("MinRepeat"), -1), 0);
        QVERIFY(ini.readInteger(QStringLiteral("LogCheck"), QStringLiteral("Width"), -1) > 0);
    }

    void unreadableLogIsReported()
    {
        LogCheckRunner runner;
        QSignalSpy failed(&runner, &LogCheckRunner::failed);
        runner.start(QStringLiteral("/nonexistent/folder/vireolog.db"), 10, {}, {});
        QVERIFY(runner.running());
        QVERIFY(failed.wait(10000));
        QVERIFY(!failed.first().first().toString().isEmpty());
        QVERIFY(!runner.running());
    }
};

QTEST_MAIN(TestLogCheckWindow)
#include "tst_log_check_window.moc"
