// Typing a call and saving a QSO on logs of 1,000 and 100,000 records: one keystroke runs the
// whole change handler of a call field (repeat counts, repeats window, prefix and callbook
// look-ups, widget updates); it is compared with the bare cost of the same nine statements.
// The same keystrokes run once more with the partial-check window open (the contest-call list
// loaded), side by side with the handler as it is with that window closed.

#include "bench_support.h"

#include "app/program.h"
#include "app/tmain.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "db/reference_store.h"
#include "stationinfo/scp_data.h"
#include "stationinfo/ui/scp_list_model.h"
#include "stationinfo/ui/tscp.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>

#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>

#include <cstdio>
#include <ctime>
#include <memory>

using namespace vireo;

namespace {

struct Fixture {
    QTemporaryDir dir;
    test::TestContext t;
    std::unique_ptr<Program> program;
    explicit Fixture(int n)
    {
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        bench::makeLog(path, n);
        t.context.databasePath = path;
        program = std::make_unique<Program>(t.context);
        program->main().show();
        program->main().Timer1Timer();
        QApplication::processEvents();
    }
};

std::map<int, std::unique_ptr<Fixture>> &fixtures()
{
    static std::map<int, std::unique_ptr<Fixture>> f;
    return f;
}

Fixture &fixture(int n)
{
    auto &f = fixtures()[n];
    if (!f)
        f = std::make_unique<Fixture>(n);
    return *f;
}

// The prefixes of a call that stands in the log, typed one key at a time.
QStringList keystrokes(int i)
{
    const QString call = bench::callOf(i);
    QStringList keys;
    for (int k = 1; k <= call.size(); ++k)
        keys << call.left(k);
    return keys;
}

void BM_Keystroke(benchmark::State &state)
{
    Fixture &f = fixture(int(state.range(0)));
    TMain &m = f.program->main();
    const test::MainControls ui(m);
    const QStringList keys = keystrokes(int(state.range(0)) / 2);
    int k = 0;
    for (auto _ : state) {
        ui.edCall1->setText(keys.at(k));
        k = (k + 1) % keys.size();
    }
    ui.edCall1->clear();
}

// The same keystrokes with the partial-check window open.
void BM_KeystrokeWithScp(benchmark::State &state)
{
    Fixture &f = fixture(int(state.range(0)));
    TMain &m = f.program->main();
    const test::MainControls ui(m);
    const QStringList keys = keystrokes(int(state.range(0)) / 2);
    if (!ui.scpWindow->isVisible())
        ui.actScp->trigger();
    m.scpData().index(); // read once, before the clock runs (see "index build" below)
    int k = 0;
    for (auto _ : state) {
        ui.edCall1->setText(keys.at(k));
        k = (k + 1) % keys.size();
    }
    ui.edCall1->clear();
    ui.actScp->trigger();
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The handler with the partial-check window closed (as it was before the check) and open, in
// alternating blocks of the same keystrokes, so that both see the same load of the machine.
// Per keystroke: the median of the wall-clock time and of this thread's processor time.
struct SideBySide {
    double closedWall, closedCpu, openWall, openCpu;
};

SideBySide sideBySide(int n)
{
    Fixture &f = fixture(n);
    TMain &m = f.program->main();
    const test::MainControls ui(m);
    const QStringList keys = keystrokes(n / 2);
    std::vector<double> wall[2], cpu[2];
    std::pair<int, int> rows{0, 0};
    for (int block = 0; block < 40; ++block) {
        const bool open = block % 2;
        if (ui.scpWindow->isVisible() != open)
            ui.actScp->trigger();
        m.scpData().index();
        for (int rep = 0; rep < 10; ++rep) {
            for (const QString &key : keys) {
                QElapsedTimer t;
                t.start();
                const double c0 = threadCpuMs();
                ui.edCall1->setText(key);
                cpu[open].push_back(threadCpuMs() - c0);
                wall[open].push_back(t.nsecsElapsed() / 1e6);
                if (open)
                    rows = {ui.scpWindow->matchModel().rowCount(), ui.scpWindow->nearModel().rowCount()};
            }
        }
    }
    if (ui.scpWindow->isVisible())
        ui.actScp->trigger();
    ui.edCall1->clear();
    std::printf("side by side, %d records: typed %s, listed %d + %d calls on the last key\n", n,
                qPrintable(keys.last()), rows.first, rows.second);
    // The index's own share, per key: calls containing the text, and calls one character off.
    const ScpIndex &index = m.scpData().index();
    for (const QString &key : keys) {
        if (key.size() < 2)
            continue;
        const double c0 = threadCpuMs();
        std::size_t found = 0;
        for (int r = 0; r < 50; ++r)
            found = index.matchIds(key).size();
        const double c1 = threadCpuMs();
        for (int r = 0; r < 50; ++r)
            benchmark::DoNotOptimize(index.nearIds(key));
        const double c2 = threadCpuMs();
        std::printf("  %-8s %6zu found: contains %6.1f us, near %6.1f us (processor)\n", qPrintable(key), found,
                    (c1 - c0) * 1e3 / 50, (c2 - c1) * 1e3 / 50);
    }
    return {bench::median(wall[0]), bench::median(cpu[0]), bench::median(wall[1]), bench::median(cpu[1])};
}

void BM_BareStatements(benchmark::State &state)
{
    Fixture &f = fixture(int(state.range(0)));
    TMain &m = f.program->main();
    const QStringList keys = keystrokes(int(state.range(0)) / 2);
    int k = 0;
    for (auto _ : state) {
        const QString &call = keys.at(k);
        benchmark::DoNotOptimize(
            m.qsos().heardRepeatCount(QStringLiteral("20M"), QStringLiteral("CW"), call, QStringLiteral("0")));
        benchmark::DoNotOptimize(
            m.qsos().workedRepeatCount(QStringLiteral("20M"), QStringLiteral("CW"), call, QStringLiteral("0")));
        benchmark::DoNotOptimize(m.qsos().repeats(call));
        for (int n = 1; n <= 4; ++n)
            benchmark::DoNotOptimize(m.references().prefixMatches(call, n));
        benchmark::DoNotOptimize(m.references().firstPrefix(call, 3));
        benchmark::DoNotOptimize(m.references().callbook(call));
        k = (k + 1) % keys.size();
    }
}

void BM_SaveQso(benchmark::State &state)
{
    Fixture &f = fixture(int(state.range(0)));
    TMain &m = f.program->main();
    const test::MainControls ui(m);
    int i = 0;
    for (auto _ : state) {
        ui.edCall1->setText(QStringLiteral("R%1AA").arg(i % 10));
        ui.edNr1->setText(QStringLiteral("%1").arg(i++));
        ui.edCall2->setText(QStringLiteral("UA2XYZ"));
        ui.edNr2->setText(QStringLiteral("5"));
        m.SaveQso();
        QApplication::processEvents(); // the grid shows the new row
        const int rows = m.logModel().rowCount();
        if (m.logModel().recordAt(rows - 1).nr1 != QString::number(i - 1))
            state.SkipWithError("the saved record is not the grid's last row");
    }
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int n : {1000, 100000}) {
        benchmark::RegisterBenchmark("keystroke", BM_Keystroke)
            ->Arg(n)
            ->Repetitions(7)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("keystroke_scp", BM_KeystrokeWithScp)
            ->Arg(n)
            ->Repetitions(7)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("bare_statements", BM_BareStatements)
            ->Arg(n)
            ->Repetitions(7)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("save_qso", BM_SaveQso)
            ->Arg(n)
            ->Repetitions(5)
            ->Iterations(40)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMicrosecond);
    }
    // Each fixture's program uses the same connection names, so the one made last is the one that
    // works: the 1,000-record side-by-side runs before the larger log is made.
    const SideBySide small = sideBySide(1000);
    const auto ms = bench::runBenchmarks(argc, argv);
    auto get = [&ms](const char *name) {
        const auto it = ms.find(name);
        return it == ms.end() ? 0.0 : it->second;
    };
    const double k1 = get("keystroke/1000"), k100 = get("keystroke/100000");
    const double b1 = get("bare_statements/1000"), b100 = get("bare_statements/100000");
    const double p1 = get("keystroke_scp/1000"), p100 = get("keystroke_scp/100000");
    const SideBySide large = sideBySide(100000);
    // Reading the index from the database, the first time the window is opened.
    Fixture &big = fixture(100000);
    big.program->main().scpData().reload();
    QElapsedTimer build;
    build.start();
    const double buildCpu0 = threadCpuMs();
    const int known = big.program->main().scpData().index().knownCount();
    const double buildMs = build.nsecsElapsed() / 1e6, buildCpuMs = threadCpuMs() - buildCpu0;
    // The same read as the listener meets it: the window open, the index to be read again, one
    // keystroke. The handler starts the read in the background and returns; the lists follow.
    TMain &bm = big.program->main();
    const test::MainControls bui(bm);
    if (!bui.scpWindow->isVisible())
        bui.actScp->trigger();
    bm.scpData().reload();
    QElapsedTimer firstKey;
    firstKey.start();
    bui.edCall1->setText(QStringLiteral("UA3AB"));
    const double firstKeyMs = firstKey.nsecsElapsed() / 1e6;
    // Records saved while the worker reads: how long each commit waits for the file.
    std::vector<double> savesDuring;
    while (!bm.scpData().loaded()) {
        QsoRecord r;
        r.call1 = bench::callOf(int(savesDuring.size()) + 7);
        r.band = QStringLiteral("20M");
        r.mode = QStringLiteral("CW");
        QElapsedTimer save;
        save.start();
        bm.qsos().append(r);
        savesDuring.push_back(save.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    const double listedMs = firstKey.nsecsElapsed() / 1e6;
    std::vector<double> savesQuiet;
    for (int i = 0; i < int(std::max<size_t>(savesDuring.size(), 20)); ++i) {
        QsoRecord r;
        r.call1 = bench::callOf(i + 1000007);
        QElapsedTimer save;
        save.start();
        bm.qsos().append(r);
        savesQuiet.push_back(save.nsecsElapsed() / 1e6);
    }
    const double worstSaveDuring = savesDuring.empty() ? 0 : *std::max_element(savesDuring.begin(), savesDuring.end());
    const double worstSaveQuiet = *std::max_element(savesQuiet.begin(), savesQuiet.end());
    const int listed = bui.scpWindow->matchModel().rowCount();
    bui.actScp->trigger();
    bui.edCall1->clear();
    const double s1 = get("save_qso/1000"), s100 = get("save_qso/100000");
    bench::Summary s;
    s.add(QStringLiteral("keystroke, 1k log, median"), k1, QStringLiteral("ms"), QStringLiteral("<= 1 ms"), k1 <= 1.0);
    s.add(QStringLiteral("keystroke, 100k log, median"), k100, QStringLiteral("ms"), QStringLiteral("<= 1 ms"),
          k100 <= 1.0);
    s.add(QStringLiteral("keystroke 100k / 1k"), k100 / k1, QStringLiteral("x"), QStringLiteral("<= 1.5"),
          k100 <= 1.5 * k1);
    s.add(QStringLiteral("keystroke / bare statements, 1k"), k1 / b1, QStringLiteral("x"), QStringLiteral("<= 3"),
          k1 <= 3 * b1);
    s.add(QStringLiteral("keystroke / bare statements, 100k"), k100 / b100, QStringLiteral("x"), QStringLiteral("<= 3"),
          k100 <= 3 * b100);
    std::printf("\nkeystroke, today's handler (partial-check window closed) vs with the partial check,\n"
                "alternating blocks in this run, medians per keystroke (wall clock / processor time):\n");
    std::printf("  1,000 records:   today %7.1f / %7.1f us   with check %7.1f / %7.1f us\n", small.closedWall * 1e3,
                small.closedCpu * 1e3, small.openWall * 1e3, small.openCpu * 1e3);
    std::printf("  100,000 records: today %7.1f / %7.1f us   with check %7.1f / %7.1f us\n", large.closedWall * 1e3,
                large.closedCpu * 1e3, large.openWall * 1e3, large.openCpu * 1e3);
    std::printf("google-benchmark medians (wall): keystroke %.1f / %.1f us, keystroke_scp %.1f / %.1f us (1k / 100k)\n",
                k1 * 1e3, k100 * 1e3, p1 * 1e3, p100 * 1e3);
    std::printf("index build on first use (list + 100,000 records, %d calls): %.1f ms wall, %.1f ms processor\n", known,
                buildMs, buildCpuMs);
    std::printf("first keystroke with the index to be read (100,000 records): handler %.1f ms on the UI thread "
                "(reading on it took %.1f ms), %d calls listed %.1f ms after the keystroke\n",
                firstKeyMs, buildMs, listed, listedMs);
    std::printf("saves while the index is read: %zu, median %.2f ms, worst %.2f ms; with no read: median %.2f ms, "
                "worst %.2f ms\n",
                savesDuring.size(), bench::median(savesDuring), worstSaveDuring, bench::median(savesQuiet),
                worstSaveQuiet);
    s.add(QStringLiteral("first keystroke, index to be read, 100k"), firstKeyMs, QStringLiteral("ms"),
          QStringLiteral("< 20 ms"), firstKeyMs < 20);
    s.add(QStringLiteral("keystroke with partial check, 100k, median"), large.openWall, QStringLiteral("ms"),
          QStringLiteral("< 0.5 ms"), large.openWall < 0.5);
    s.add(QStringLiteral("with partial check / today's, 100k"), large.openWall / large.closedWall, QStringLiteral("x"),
          QStringLiteral("<= 2"), large.openWall <= 2 * large.closedWall);
    s.add(QStringLiteral("with partial check / today's, 1k"), small.openWall / small.closedWall, QStringLiteral("x"),
          QStringLiteral("<= 2"), small.openWall <= 2 * small.closedWall);
    s.add(QStringLiteral("save until shown, 1k log, median"), s1, QStringLiteral("ms"), QStringLiteral("(reference)"),
          true);
    s.add(QStringLiteral("save until shown, 100k log, median"), s100, QStringLiteral("ms"),
          QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("save 100k / 1k"), s100 / s1, QStringLiteral("x"), QStringLiteral("<= 1.5"), s100 <= 1.5 * s1);
    s.print();
    fixtures().clear();
    return 0;
}
