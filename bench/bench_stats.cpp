// The statistics window on a log of 100,000 QSOs: a save with the window open against the same
// save with it closed, the window's refresh that follows saves, opening the window (the log read
// once), and the bare reading of the log that opening cannot go below.

#include "bench_support.h"

#include "analysis/contest_stats.h"
#include "analysis/ui/tstats.h"
#include "app/program.h"
#include "app/tmain.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "db/stats_columns.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <ctime>

#include <memory>

using namespace vireo;

namespace {

constexpr int Records = 100000;

struct Fixture {
    QTemporaryDir dir;
    test::TestContext t;
    std::unique_ptr<Program> program;
    Fixture()
    {
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        bench::makeLog(path, Records);
        t.context.databasePath = path;
        program = std::make_unique<Program>(t.context);
        program->main().show();
        test::MainControls(program->main()).Timer1->stop();
        program->main().Timer1Timer();
        QApplication::processEvents();
    }
};

std::unique_ptr<Fixture> &fixtureSlot()
{
    static std::unique_ptr<Fixture> f;
    return f;
}

Fixture &fixture()
{
    if (!fixtureSlot())
        fixtureSlot() = std::make_unique<Fixture>();
    return *fixtureSlot();
}

int saved = 0;

void saveOne(TMain &m, const test::MainControls &ui)
{
    ui.edCall1->setText(QStringLiteral("R%1AA").arg(saved % 10));
    ui.edNr1->setText(QString::number(saved++));
    ui.edCall2->setText(QStringLiteral("UA2XYZ"));
    ui.edNr2->setText(QStringLiteral("5"));
    m.SaveQso();
    QApplication::processEvents(); // the grid, and now and then the statistics window, catch up
}

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct SaveFigures {
    double wallMean = 0, cpuMean = 0, wallMedian = 0;
};

// Saves from the entry line until the grid shows them, in rounds that alternate the window
// closed and open, so that the load of the machine falls on both alike. Each round of the open
// window lasts long enough for its delayed refreshes to fall inside it.
std::pair<SaveFigures, SaveFigures> interleavedSaves(int rounds, int perRound)
{
    TMain &m = fixture().program->main();
    const test::MainControls ui(m);
    std::vector<double> wall[2], cpu[2];
    for (int round = 0; round < rounds; ++round) {
        for (int open = 0; open < 2; ++open) {
            if (open)
                ui.stats->show();
            else
                ui.stats->hide();
            QApplication::processEvents();
            for (int i = 0; i < perRound; ++i) {
                QElapsedTimer t;
                t.start();
                const double c = cpuMs();
                saveOne(m, ui);
                wall[open].push_back(double(t.nsecsElapsed()) / 1e6);
                cpu[open].push_back(cpuMs() - c);
            }
        }
    }
    ui.stats->hide();
    auto figures = [](const std::vector<double> &w, const std::vector<double> &c) {
        SaveFigures f;
        for (double v : w)
            f.wallMean += v / double(w.size());
        for (double v : c)
            f.cpuMean += v / double(c.size());
        f.wallMedian = bench::median(w);
        return f;
    };
    return {figures(wall[0], cpu[0]), figures(wall[1], cpu[1])};
}

// The refresh of the open window that follows saves, with its drawing.
void BM_WindowRefresh(benchmark::State &state)
{
    TMain &m = fixture().program->main();
    const test::MainControls ui(m);
    ui.stats->show();
    for (auto _ : state) {
        ui.stats->refresh();
        ui.stats->repaint();
    }
}

// Opening the statistics window for the first time, until it is drawn: the window exists from
// the start of the program (its making is not counted), the log is read when it is shown.
void BM_OpenWindow(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<TStats>(f.t.context, f.program->main().qsos());
        QApplication::processEvents();
        state.ResumeTiming();
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        if (window->stats().total().qso != f.program->main().qsos().count())
            state.SkipWithError("the window did not read the whole log");
        window.reset();
        state.ResumeTiming();
    }
}

// Reading the statistics from the log, without a window.
void BM_LoadStats(benchmark::State &state)
{
    QsoStore &store = fixture().program->main().qsos();
    for (auto _ : state) {
        ContestStats s;
        s.load(store);
        benchmark::DoNotOptimize(s.total());
    }
}

// The bare pass over every record that loading makes.
void BM_ReadLog(benchmark::State &state)
{
    QsoStore &store = fixture().program->main().qsos();
    for (auto _ : state) {
        int n = 0;
        store.forEach([&n](const QsoRecord &) { ++n; });
        benchmark::DoNotOptimize(n);
    }
}

// The five columns the statistics count by, read without counting.
void BM_ReadStatsColumns(benchmark::State &state)
{
    QsoStore &store = fixture().program->main().qsos();
    for (auto _ : state) {
        int n = 0;
        forEachStatsColumns(store.connection(), [&n](const QsoRecord &) { ++n; });
        benchmark::DoNotOptimize(n);
    }
}

// What a save adds to itself with the window open: the statistics take the new record in
// (and, to keep the log's figures, give it back).
void BM_ApplySave(benchmark::State &state)
{
    TMain &m = fixture().program->main();
    const test::MainControls ui(m);
    ui.stats->show();
    ContestStats s;
    s.load(m.qsos());
    QsoRecord r = m.qsos().byId(m.qsos().allIds().last());
    for (auto _ : state) {
        s.apply(LogChange{LogChange::Added, {}, {r}});
        s.apply(LogChange{LogChange::Removed, {r}, {}});
    }
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("window_refresh", BM_WindowRefresh)
        ->Repetitions(5)
        ->Iterations(10)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("open_window", BM_OpenWindow)
        ->Repetitions(3)
        ->Iterations(2)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("load_stats", BM_LoadStats)
        ->Repetitions(3)
        ->Iterations(2)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("read_stats_columns", BM_ReadStatsColumns)
        ->Repetitions(3)
        ->Iterations(2)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("apply_save", BM_ApplySave)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("read_log", BM_ReadLog)
        ->Repetitions(3)
        ->Iterations(2)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
    const auto ms = bench::runBenchmarks(argc, argv);
    const auto [closedSaves, openSaves] = interleavedSaves(6, 40);
    auto get = [&ms](const char *name) {
        const auto it = ms.find(name);
        return it == ms.end() ? 0.0 : it->second;
    };
    const double refresh = get("window_refresh"), opening = get("open_window");
    const double load = get("load_stats"), read = get("read_log");
    bench::Summary s;
    s.add(QStringLiteral("save, 100k log, window closed, mean"), closedSaves.wallMean, QStringLiteral("ms"),
          QStringLiteral("(baseline)"), true);
    s.add(QStringLiteral("save, 100k log, window open, mean"), openSaves.wallMean, QStringLiteral("ms"),
          QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("save: open - closed, mean"), openSaves.wallMean - closedSaves.wallMean, QStringLiteral("ms"),
          QStringLiteral("< 1 ms"), openSaves.wallMean - closedSaves.wallMean < 1.0);
    s.add(QStringLiteral("save: open - closed, median"), openSaves.wallMedian - closedSaves.wallMedian,
          QStringLiteral("ms"), QStringLiteral("< 1 ms"), openSaves.wallMedian - closedSaves.wallMedian < 1.0);
    s.add(QStringLiteral("save CPU, window closed, mean"), closedSaves.cpuMean, QStringLiteral("ms"),
          QStringLiteral("(baseline)"), true);
    s.add(QStringLiteral("save CPU: open - closed, mean"), openSaves.cpuMean - closedSaves.cpuMean,
          QStringLiteral("ms"), QStringLiteral("< 1 ms"), openSaves.cpuMean - closedSaves.cpuMean < 1.0);
    s.add(QStringLiteral("window refresh and drawing, 100k log"), refresh, QStringLiteral("ms"),
          QStringLiteral("(once per 0.5 s of saves)"), true);
    s.add(QStringLiteral("a save taken into the statistics"), get("apply_save") / 2, QStringLiteral("ms"),
          QStringLiteral("< 1 ms"), get("apply_save") / 2 < 1.0);
    s.add(QStringLiteral("reading the five columns, 100k log"), get("read_stats_columns"), QStringLiteral("ms"),
          QStringLiteral("(baseline)"), true);
    s.add(QStringLiteral("opening the window, 100k log"), opening, QStringLiteral("ms"), QStringLiteral("< 300 ms"),
          opening < 300.0);
    s.add(QStringLiteral("reading the statistics, 100k log"), load, QStringLiteral("ms"), QStringLiteral("(reference)"),
          true);
    s.add(QStringLiteral("bare pass over the log, 100k log"), read, QStringLiteral("ms"), QStringLiteral("(baseline)"),
          true);
    s.print();
    fixtureSlot().reset(); // before the application goes
    return 0;
}
