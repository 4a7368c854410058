// The statistics window on a log of 100,000 QSOs: a save with the window open against the same
// save with it closed, the window's refresh that follows saves, opening the window (the log read
// once), and the bare reading of the log that opening cannot go below.

#include "bench_support.h"

#include "analysis/contest_stats.h"
#include "analysis/tstats.h"
#include "app/program.h"
#include "app/tmain.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

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
        program->main().Timer1->stop();
        program->main().Timer1Timer();
        QApplication::processEvents();
    }
};

Fixture &fixture()
{
    static std::unique_ptr<Fixture> f;
    if (!f)
        f = std::make_unique<Fixture>();
    return *f;
}

int saved = 0;

// One save from the entry line until the grid shows it, with the statistics window open or closed.
void save(benchmark::State &state, bool open)
{
    TMain &m = fixture().program->main();
    if (open) {
        m.stats->show();
        QApplication::processEvents();
    } else {
        m.stats->hide();
    }
    for (auto _ : state) {
        m.edCall1->setText(QStringLiteral("R%1AA").arg(saved % 10));
        m.edNr1->setText(QString::number(saved++));
        m.edCall2->setText(QStringLiteral("UA2XYZ"));
        m.edNr2->setText(QStringLiteral("5"));
        m.SaveQso();
        QApplication::processEvents(); // the grid, and now and then the statistics window, catch up
    }
    if (open && m.stats->stats().total().qso != m.qsos().count())
        state.SkipWithError("the statistics do not hold every saved record");
}

void BM_SaveWindowClosed(benchmark::State &state)
{
    save(state, false);
}

void BM_SaveWindowOpen(benchmark::State &state)
{
    save(state, true);
}

// The refresh of the open window that follows a burst of saves.
void BM_WindowRefresh(benchmark::State &state)
{
    TMain &m = fixture().program->main();
    m.stats->show();
    for (auto _ : state)
        m.stats->refresh();
}

// Opening a statistics window that has not read the log yet, until it is drawn.
void BM_OpenWindow(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        auto window = std::make_unique<TStats>(f.t.context, f.program->main().qsos());
        window->show();
        QApplication::processEvents();
        if (window->stats().total().qso != f.program->main().qsos().count())
            state.SkipWithError("the window did not read the whole log");
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

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("save_window_closed", BM_SaveWindowClosed)->Repetitions(5)->Iterations(40)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("save_window_open", BM_SaveWindowOpen)->Repetitions(5)->Iterations(40)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("window_refresh", BM_WindowRefresh)->Repetitions(5)->Iterations(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("open_window", BM_OpenWindow)->Repetitions(3)->Iterations(2)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("load_stats", BM_LoadStats)->Repetitions(3)->Iterations(2)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("read_log", BM_ReadLog)->Repetitions(3)->Iterations(2)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    const auto ms = bench::runBenchmarks(argc, argv);
    auto get = [&ms](const char *name) {
        const auto it = ms.find(name);
        return it == ms.end() ? 0.0 : it->second;
    };
    const double closed = get("save_window_closed"), open = get("save_window_open");
    const double refresh = get("window_refresh"), opening = get("open_window");
    const double load = get("load_stats"), read = get("read_log");
    bench::Summary s;
    s.add(QStringLiteral("save, 100k log, statistics closed, median"), closed, QStringLiteral("ms"), QStringLiteral("(baseline)"), true);
    s.add(QStringLiteral("save, 100k log, statistics open, median"), open, QStringLiteral("ms"), QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("save: open - closed"), open - closed, QStringLiteral("ms"), QStringLiteral("< 1 ms"), open - closed < 1.0);
    s.add(QStringLiteral("window refresh after saves, 100k log"), refresh, QStringLiteral("ms"), QStringLiteral("(at most 5 a second)"), true);
    s.add(QStringLiteral("opening the window, 100k log"), opening, QStringLiteral("ms"), QStringLiteral("< 300 ms"), opening < 300.0);
    s.add(QStringLiteral("reading the statistics, 100k log"), load, QStringLiteral("ms"), QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("bare pass over the log, 100k log"), read, QStringLiteral("ms"), QStringLiteral("(baseline)"), true);
    s.print();
    return 0;
}
