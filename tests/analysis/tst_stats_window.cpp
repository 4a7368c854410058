// The statistics window in the real main window: shown and hidden by its menu item, its place
// kept in settings.ini, following saves, edits, deletions, imports and clearing of the log with
// totals that agree with the status bar, the rates at the clock's minute, the plot by tour, and
// the two exports through the file dialog.

#include "analysis/contest_stats.h"
#include "analysis/ui/stats_table_model.h"
#include "analysis/ui/tstats.h"
#include "base/cp1251.h"
#include "db/database.h"
#include "reports/report_file.h"
#include "support/ui/entry_window.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>

using namespace vireo;
using vireo::test::EntryWindow;

namespace {

// The height of the plot's stack in the bin around x (minutes from its start).
double topOf(QChart &chart, double x)
{
    auto *top = qobject_cast<QAreaSeries *>(chart.series().last());
    double y = -1;
    for (const QPointF &p : top->upperSeries()->points())
        if (std::abs(p.x() - x) <= 5)
            y = std::max(y, p.y());
    return y;
}

int statusNumber(TMain &m, int panel)
{
    return m.statusText(panel).section(QLatin1Char(' '), 1).toInt();
}

QString cellAt(TStats &s, int row, int column)
{
    QAbstractItemModel *model = s.tbStats->model();
    if (row < 0)
        row += model->rowCount();
    if (column < 0)
        column += model->columnCount();
    return model->index(row, column).data().toString();
}

// The corner of the table (all bands, all tours) is what the status bar shows.
void checkAgreesWithStatusBar(TMain &m, TStats &s)
{
    QTRY_VERIFY(!s.refreshPending());
    QCOMPARE(cellAt(s, -1, -1), QStringLiteral("%1 / %2").arg(statusNumber(m, 2)).arg(statusNumber(m, 3)));
}

// The texts of the chart as drawn: titles, legend entries and the axis labels.
QStringList drawnTexts(QChartView &view)
{
    QStringList texts;
    for (QGraphicsItem *item : view.scene()->items())
        if (auto *text = qgraphicsitem_cast<QGraphicsTextItem *>(item); text && text->isVisible())
            texts << text->toPlainText();
    return texts;
}

} // namespace

class StatsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void shownByItsMenuItemAndKeepsItsPlace()
    {
        QString settings;
        QPoint placed;
        {
            EntryWindow w;
            TMain &m = *w.m;
            const test::MainControls ui(m);
            settings = w.t.context.settingsPath;
            TStats *s = nullptr;
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->objectName() == QLatin1String("Stats"))
                    s = qobject_cast<TStats *>(top);
            QVERIFY(s);
            QCOMPARE(s, ui.stats);
            QVERIFY(s->findChild<QTableView *>(QStringLiteral("tbStats")));
            QVERIFY(s->findChild<QChartView *>(QStringLiteral("chStats")));
            QCOMPARE(s->windowTitle(), QStringLiteral("Статистика"));
            QVERIFY(!s->isVisible());
            QVERIFY(!s->isLoaded()); // the log is read when the window is first shown

            ui.actStats->trigger();
            QVERIFY(s->isVisible());
            QVERIFY(ui.actStats->isChecked());
            QVERIFY(s->isLoaded());
            ui.actStats->trigger();
            QVERIFY(!s->isVisible());
            QVERIFY(!ui.actStats->isChecked());
            ui.actStats->trigger();
            s->close(); // the close box hides it and clears the mark
            QVERIFY(!s->isVisible());
            QVERIFY(!ui.actStats->isChecked());
            // moved and sized while shown, as the listener does
            ui.actStats->trigger();
            s->move(31, 47);
            s->resize(650, 500);
            QApplication::processEvents();
            placed = s->pos();
            QCOMPARE(s->size(), QSize(650, 500));
            ui.actStats->trigger();
            // keep the folder for the second start
            w.t.dir.setAutoRemove(false);
        }
        IniFile ini(settings);
        QCOMPARE(ini.readInteger(QStringLiteral("Stats"), QStringLiteral("Left"), -1), placed.x());
        QCOMPARE(ini.readInteger(QStringLiteral("Stats"), QStringLiteral("Top"), -1), placed.y());
        QCOMPARE(ini.readInteger(QStringLiteral("Stats"), QStringLiteral("Width"), -1), 650);
        QCOMPARE(ini.readInteger(QStringLiteral("Stats"), QStringLiteral("Height"), -1), 500);
        AppContext context;
        test::TestContext t;
        context = t.context;
        context.settingsPath = settings;
        {
            Program p(context);
            QCOMPARE(test::MainControls(p.main()).stats->pos(), placed);
            QCOMPARE(test::MainControls(p.main()).stats->size(), QSize(650, 500));
        }
        QDir(QFileInfo(settings).path()).removeRecursively();
    }

    void followsEveryChangeOfTheLog()
    {
        EntryWindow w;
        TMain &m = *w.m;
        const test::MainControls ui(m);
        TStats &s = *ui.stats;
        const QVector<qint64> ids = w.seed({test::record("UA1A", "1", "DL1A", "5"), test::record("UA2A", "2", "", "")});
        ui.actStats->trigger();
        checkAgreesWithStatusBar(m, s);
        QCOMPARE(cellAt(s, -1, -1), QStringLiteral("2 / 4"));

        // A save from the entry line: stamped with the clock, 05.03.2026 07:04, band 20M, tour 0.
        ui.edCall1->setText(QStringLiteral("UA3ABC"));
        ui.edNr1->setText(QStringLiteral("5"));
        ui.edCall2->setText(QStringLiteral("UA9XYZ"));
        ui.edNr2->setText(QStringLiteral("7"));
        ui.btSave->click();
        QCOMPARE(statusNumber(m, 2), 3);
        QVERIFY(s.refreshPending()); // shown a moment later, together with any saves that follow
        checkAgreesWithStatusBar(m, s);
        QCOMPARE(s.tbStats->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Тур 0"));
        QCOMPARE(cellAt(s, 0, 0), QStringLiteral("1 / 3"));
        QCOMPARE(s.lbRate10Min->text(), QStringLiteral("За 10 минут: 1 QSO"));

        // An edit that takes the worked station's number away and moves the record to 40M.
        ui.DBGrid1->selectRow(0);
        ui.N12->trigger();
        ui.edNr2->clear();
        ui.cbBandEdit->setEditText(QStringLiteral("40M"));
        ui.btEditSave->click();
        QVERIFY(!m.editMode());
        checkAgreesWithStatusBar(m, s);
        QCOMPARE(s.tbStats->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("40M"));
        QCOMPARE(cellAt(s, 0, -1), QStringLiteral("1 / 1"));

        // A deletion.
        ui.DBGrid1->selectRow(1);
        ui.N13->trigger();
        QCOMPARE(statusNumber(m, 2), 2);
        checkAgreesWithStatusBar(m, s);

        // An import adds many records at once; the window reads the log anew.
        const QVector<QsoRecord> more = test::twoTourContest();
        int next = 0;
        m.qsos().import(false, [&](QsoRecord &r) {
            if (next == more.size())
                return false;
            r = more[next++];
            return true;
        });
        m.RefreshCounters();
        checkAgreesWithStatusBar(m, s);
        QCOMPARE(s.lbBadTime->text(), statstext::badTimeText(3));

        // Records written while the window is hidden are there when it is shown again.
        ui.actStats->trigger();
        QVERIFY(!s.isVisible());
        ui.edCall1->setText(QStringLiteral("UA3ABD"));
        ui.edNr1->setText(QStringLiteral("6"));
        ui.btSave->click();
        ui.actStats->trigger();
        QCOMPARE(cellAt(s, -1, -1), QStringLiteral("%1 / %2").arg(statusNumber(m, 2)).arg(statusNumber(m, 3)));

        // Clearing the log.
        w.t.prompts->answers = {true};
        ui.N7->trigger();
        checkAgreesWithStatusBar(m, s);
        QCOMPARE(s.tbStats->model()->rowCount(), 1);
        QCOMPARE(cellAt(s, 0, 0), QStringLiteral("0 / 0"));
        QVERIFY(w.t.prompts->texts(QStringLiteral("error")).isEmpty());
        Q_UNUSED(ids);
    }

    void anotherProgramWritingTheFile()
    {
        EntryWindow w;
        TMain &m = *w.m;
        const test::MainControls ui(m);
        TStats &s = *ui.stats;
        w.seed({test::record("UA1A", "1", "DL1A", "5")});
        ui.actStats->trigger();
        QCOMPARE(cellAt(s, -1, -1), QStringLiteral("1 / 3"));
        {
            Database other(w.t.context.databasePath, QStringLiteral("other-program"));
            QsoStore store(other.connection());
            store.append(test::record("UA2A", "1", "", ""));
        }
        s.refresh();
        QCOMPARE(cellAt(s, -1, -1), QStringLiteral("2 / 4"));
    }

    // Six bands over four days: a colour of its own for each band, time labels drawn whole at
    // the designed size and when the window is made narrower, and the table says what a cell holds.
    void plotOfSixBandsOverDays()
    {
        EntryWindow w;
        TMain &m = *w.m;
        const test::MainControls ui(m);
        TStats &s = *ui.stats;
        w.seed(test::sixBandsOverDays());
        w.t.clock->now = QDateTime(QDate(2026, 3, 9), QTime(5, 50), Qt::UTC);
        ui.actStats->trigger();
        s.resize(640, 540);
        QApplication::processEvents();
        QChart *chart = s.chStats->chart();
        QCOMPARE(chart->series().size(), 6);
        QSet<QRgb> colours;
        for (QAbstractSeries *series : chart->series())
            colours.insert(qobject_cast<QAreaSeries *>(series)->color().rgb());
        QCOMPARE(colours.size(), 6);

        auto *time = qobject_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
        QVERIFY(time);
        for (const QSize &size : {QSize(640, 540), QSize(420, 540), QSize(1200, 540)}) {
            s.resize(size);
            QApplication::processEvents();
            QApplication::processEvents();
            const QStringList labels = time->categoriesLabels();
            QVERIFY2(labels.size() >= 3, qPrintable(labels.join(QLatin1Char(' '))));
            // Midnights carry the date; the labels between them are times of day.
            QVERIFY2(labels.contains(QStringLiteral("06.03")) || labels.contains(QStringLiteral("07.03")),
                     qPrintable(labels.join(QLatin1Char(' '))));
            const QStringList drawn = drawnTexts(*s.chStats);
            for (const QString &label : labels)
                QVERIFY2(drawn.contains(label),
                         qPrintable(label + QStringLiteral(" not drawn whole: ") + drawn.join(QLatin1Char('|'))));
            for (const QString &text : drawn)
                QVERIFY2(!text.contains(QChar(0x2026)), qPrintable(text));
        }
        auto *units = s.findChild<QLabel *>(QStringLiteral("lbStatsTable"));
        QVERIFY(units);
        QCOMPARE(units->text(), QStringLiteral("В клетках таблицы: QSO / очки"));
        QVERIFY(units->isVisible());
    }

    void ratesPlotAndExports()
    {
        EntryWindow w;
        TMain &m = *w.m;
        const test::MainControls ui(m);
        TStats &s = *ui.stats;
        const QVector<QsoRecord> log = test::twoTourContest();
        w.seed(log);
        ui.actStats->trigger();
        QCOMPARE(s.lbStatsNow->text(), QStringLiteral("Темп на 05.03.2026 07:04 UTC"));
        // The rates move on with the clock's tick.
        w.t.clock->now = QDateTime(QDate(2026, 3, 5), QTime(9, 52, 30), Qt::UTC);
        ui.Timer1->start();
        QTRY_COMPARE_WITH_TIMEOUT(s.lbStatsNow->text(), QStringLiteral("Темп на 05.03.2026 09:52 UTC"), 3000);
        ui.Timer1->stop();
        int ten = 0, sixty = 0;
        for (const QsoRecord &r : log) {
            const QTime t = QTime::fromString(r.time, QStringLiteral("HH:mm"));
            if (!t.isValid())
                continue;
            const int ago = t.secsTo(QTime(9, 52)) / 60;
            ten += ago >= 0 && ago < 10;
            sixty += ago >= 0 && ago < 60;
        }
        QCOMPARE(s.lbRate10Min->text(), QStringLiteral("За 10 минут: %1 QSO").arg(ten));
        QCOMPARE(s.lbRate60Min->text(), QStringLiteral("За 60 минут: %1 QSO").arg(sixty));
        QVERIFY(s.lbRateLast10->text().startsWith(QStringLiteral("Последние 10 QSO: ")));
        QVERIFY(s.lbRateLast100->text().endsWith(QStringLiteral(" QSO в час")));

        // Rows 80M, 40M, 20M and the totals; columns tour 1, tour 2 and the totals.
        QAbstractItemModel *model = s.tbStats->model();
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(model->columnCount(), 3);
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Тур 2"));
        QCOMPARE(model->headerData(2, Qt::Vertical).toString(), QStringLiteral("20M"));
        checkAgreesWithStatusBar(m, s);

        // The plot: one area per band over the whole log, or over the chosen tour.
        QChart *chart = s.chStats->chart();
        QCOMPARE(chart->series().size(), 3);
        QCOMPARE(chart->series().first()->name(), QStringLiteral("80M"));
        auto *time = qobject_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
        QVERIFY(time);
        QCOMPARE(time->max(), 240.0);
        QVERIFY(time->categoriesLabels().contains(QStringLiteral("08:00")));
        QCOMPARE(s.cbStatsTour->count(), 3);
        s.cbStatsTour->setCurrentIndex(2);
        emit s.cbStatsTour->activated(2);
        time = qobject_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
        QCOMPARE(time->max(), 120.0);
        QCOMPARE(time->categoriesLabels().first(), QStringLiteral("08:00"));
        QCOMPARE(time->categoriesLabels().last(), QStringLiteral("10:00"));
        QVERIFY(chart->title().endsWith(QStringLiteral("тур 2")));

        // the chosen tour stays chosen when the log changes
        ui.edCall1->setText(QStringLiteral("UA3ABC"));
        ui.edNr1->setText(QStringLiteral("5"));
        ui.btSave->click();
        QTRY_VERIFY(!s.refreshPending());
        QCOMPARE(s.cbStatsTour->currentText(), QStringLiteral("Тур 2"));

        // Another save in the same ten minutes raises the top of that bin of the whole-log plot.
        s.cbStatsTour->setCurrentIndex(0);
        emit s.cbStatsTour->activated(0);
        QCOMPARE(chart->series().size(), 3);
        const double before = topOf(*chart, 235.0);
        ui.edCall1->setText(QStringLiteral("UA3ABD"));
        ui.edNr1->setText(QStringLiteral("6"));
        ui.btSave->click();
        QTRY_VERIFY(!s.refreshPending());
        QCOMPARE(topOf(*chart, 235.0), before + 1);

        // Text export through the save dialog; a cancelled dialog writes nothing.
        s.btStatsText->click();
        QCOMPARE(w.t.prompts->shown.last().kind, QStringLiteral("save"));
        QVERIFY(w.t.prompts->shown.last().text.startsWith(w.t.path(QStringLiteral("stats.txt")) + QLatin1Char('|')));
        QVERIFY(!QFile::exists(w.t.path(QStringLiteral("stats.txt"))));
        const QString text = w.t.path(QStringLiteral("table.txt"));
        w.t.prompts->fileNames = {text};
        s.btStatsText->click();
        QFile f(text);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), cp1251::encode(statstext::tableLines(s.stats()).join(QStringLiteral("\r\n"))
                                             + QStringLiteral("\r\n")));
        QCOMPARE(w.t.prompts->texts(QStringLiteral("information")).last(),
                 QStringLiteral("Таблица статистики записана в файл ") + QDir::toNativeSeparators(text));

        const QString png = w.t.path(QStringLiteral("plot.png"));
        w.t.prompts->fileNames = {png};
        s.btStatsPng->click();
        QCOMPARE(QImage(png).size(), s.chStats->size() * s.chStats->devicePixelRatio());
        w.t.prompts->fileNames = {w.t.path(QStringLiteral("missing/plot.png"))};
        s.btStatsPng->click();
        QCOMPARE(w.t.prompts->shown.last().kind, QStringLiteral("error"));
        QCOMPARE(w.t.prompts->shown.last().text, ReportFile::openFailureText());
    }
};

QTEST_MAIN(StatsWindowTest)
#include "tst_stats_window.moc"
