// The band map over a contest log of 100,000 records: what a save costs the open map (its
// change-by-change update and the repaint of the scale) beside the baseline of reading the band
// anew and repainting; the band read with and without its index, and what that index costs a
// save; and a keystroke in the main window with the map open and closed, in alternating blocks.

#include "bench_support.h"

#include "app/program.h"
#include "app/tmain.h"
#include "bandmap/band_map.h"
#include "bandmap/band_map_rules.h"
#include "bandmap/ui/band_scale.h"
#include "bandmap/ui/tbandmap.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "db/sql.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <memory>

using namespace vireo;

namespace {

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

const char *const Bands[] = {"160M", "80M", "40M", "20M", "15M", "10M"};
// The CW and phone segments of each band, in kHz.
const int CwLow[] = {1810, 3500, 7000, 14000, 21000, 28000};
const int PhLow[] = {1840, 3600, 7080, 14150, 21200, 28400};

// A contest of 100,000 records over five days up to the test clock's 07:04 on 05.03.2026, one
// record about every four seconds, over six bands and two modes; 4,000 stations, each keeping
// its frequency on a band and mode for the contest, worked by listeners' correspondents drawn
// from the same calls. About a hundred records of 20 m CW fall into the last hour.
void makeContestLog(const QString &path, int n)
{
    QFile::remove(path);
    Database::prepareFile(path);
    Database db(path, QStringLiteral("bench-contest"));
    QsoStore store(db.connection());
    QRandomGenerator random(20260305);
    const QDateTime end(QDate(2026, 3, 5), QTime(7, 4), Qt::UTC);
    QVector<QsoRecord> batch;
    for (int i = 0; i < n; ++i) {
        const QDateTime at = end.addSecs(-qint64(n - 1 - i) * 4);
        const int station = int(random.bounded(4000));
        const int b = int(random.bounded(6));
        const bool cw = random.bounded(3) != 0;
        QsoRecord r;
        r.band = QString::fromLatin1(Bands[b]);
        r.mode = cw ? QStringLiteral("CW") : QStringLiteral("PH");
        const int spread = cw ? 70 : 200;
        r.freq = QString::number((cw ? CwLow[b] : PhLow[b]) + (station * 37 + b * 11) % spread);
        r.data = at.toString(QStringLiteral("dd.MM.yyyy"));
        r.time = at.toString(QStringLiteral("HH:mm"));
        r.call1 = bench::callOf(station);
        r.rst1 = cw ? QStringLiteral("599") : QStringLiteral("59");
        r.nr1 = QString::number(i % 1000);
        r.call2 = bench::callOf(int(random.bounded(4000)));
        r.rst2 = r.rst1;
        r.nr2 = QString::number(random.bounded(700));
        r.tur = QStringLiteral("0");
        r.radio = QStringLiteral("1");
        batch.append(r);
        if (batch.size() == 5000) {
            store.append(batch);
            batch.clear();
        }
    }
    store.append(batch);
}

QsoRecord newQso(int i)
{
    QsoRecord r;
    r.band = QStringLiteral("20M");
    r.mode = QStringLiteral("CW");
    r.freq = QString::number(14000 + (i * 7) % 70);
    r.data = QStringLiteral("05.03.2026");
    r.time = QStringLiteral("07:04");
    r.call1 = bench::callOf(i % 4000);
    r.rst1 = QStringLiteral("599");
    r.nr1 = QString::number(i);
    r.call2 = bench::callOf((i * 13) % 4000);
    r.rst2 = QStringLiteral("599");
    r.nr2 = QStringLiteral("7");
    r.tur = QStringLiteral("0");
    r.radio = QStringLiteral("1");
    return r;
}

struct Fixture {
    QTemporaryDir dir;
    test::TestContext t;
    std::unique_ptr<Program> program;
    std::unique_ptr<TBandMap> map;
    // When the save's change reaches the listeners just before and just after the map's own.
    QElapsedTimer clock;
    qint64 beforeMap = 0, afterMap = 0;
    double beforeMapCpu = 0, afterMapCpu = 0;
    int saved = 0;

    explicit Fixture(int n)
    {
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        makeContestLog(path, n);
        t.clock->now = QDateTime(QDate(2026, 3, 5), QTime(7, 4, 30), Qt::UTC);
        t.context.databasePath = path;
        program = std::make_unique<Program>(t.context);
        TMain &m = program->main();
        m.show();
        m.Timer1Timer();
        test::MainControls(m).cbFreq->setCurrentText(QStringLiteral("14030")); // 20M for the program's map
        clock.start();
        // A map of its own between two listeners of the log, to time its update alone; the
        // program's own map stays closed meanwhile, and costs a save nothing.
        QObject::connect(&m.qsos(), &QsoStore::logChanged, [this](const LogChange &) {
            beforeMap = clock.nsecsElapsed();
            beforeMapCpu = threadCpuMs();
        });
        map = std::make_unique<TBandMap>(
            t.context, m.qsos(), [] { return nullptr; }, [] { return 1; });
        QObject::connect(&m.qsos(), &QsoStore::logChanged, [this](const LogChange &) {
            afterMap = clock.nsecsElapsed();
            afterMapCpu = threadCpuMs();
        });
        map->setContext(QStringLiteral("20M"), QStringLiteral("CW"), QStringLiteral("0"));
        map->setFrequencyText(QStringLiteral("14 030"));
        map->resize(360, 640);
        QApplication::processEvents();
    }
};

struct SaveFigures {
    // wall clock, and this thread's processor time (what the machine's other load does not stretch)
    std::vector<double> update, repaint, total, wholeRepaint, rebuild, rebuildRepaint, rebuildTotal;
    std::vector<double> updateCpu, repaintCpu, totalCpu, rebuildTotalCpu;
};

// Saves with the map open: its update (between the two listeners around it) and the repaint of
// the scale, then the baseline: the band read anew and repainted, for the same log. Each save is
// of a station new on the map (its label goes in among the others and pushes those below it), or
// of one on the map already, logged again there with another correspondent.
SaveFigures saves(Fixture &f, int count, bool newStations)
{
    TMain &m = f.program->main();
    BandScale &scale = *f.map->bsBandMap;
    SaveFigures s;
    for (int i = 0; i < count; ++i) {
        QsoRecord record = newQso(f.saved++);
        if (!newStations) {
            const auto &entries = f.map->map().entries();
            const bandmap::Entry &e = entries[size_t(i * 17) % entries.size()];
            record.call1 = e.call;
            record.freq = e.freq;
        }
        m.qsos().append(record);
        // What the window asked to paint again after the change: the labels that changed.
        const qint64 t0 = f.clock.nsecsElapsed();
        const double c0 = threadCpuMs();
        QCoreApplication::sendPostedEvents(f.map.get(), QEvent::UpdateRequest);
        const qint64 t1 = f.clock.nsecsElapsed();
        const double c1 = threadCpuMs();
        // For comparison, the whole scale painted again.
        QElapsedTimer whole;
        whole.start();
        scale.viewport()->repaint();
        s.wholeRepaint.push_back(whole.nsecsElapsed() / 1e6);
        s.update.push_back((f.afterMap - f.beforeMap) / 1e6);
        s.repaint.push_back((t1 - t0) / 1e6);
        s.total.push_back((f.afterMap - f.beforeMap + t1 - t0) / 1e6);
        s.updateCpu.push_back(f.afterMapCpu - f.beforeMapCpu);
        s.repaintCpu.push_back(c1 - c0);
        s.totalCpu.push_back(f.afterMapCpu - f.beforeMapCpu + c1 - c0);

        QElapsedTimer r;
        r.start();
        const double rc0 = threadCpuMs();
        f.map->map().rebuild();
        const qint64 r1 = r.nsecsElapsed();
        scale.viewport()->repaint();
        const qint64 r2 = r.nsecsElapsed();
        s.rebuild.push_back(r1 / 1e6);
        s.rebuildRepaint.push_back((r2 - r1) / 1e6);
        s.rebuildTotal.push_back(r2 / 1e6);
        s.rebuildTotalCpu.push_back(threadCpuMs() - rc0);
        QApplication::processEvents();
    }
    return s;
}

// The band read anew, with the log's index for it and without (a file of an older version).
std::pair<double, double> rebuildWithAndWithoutIndex(Fixture &f)
{
    QSqlDatabase db = f.program->main().qsos().connection();
    std::vector<double> with, without;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer t;
        t.start();
        f.map->map().rebuild();
        with.push_back(t.nsecsElapsed() / 1e6);
    }
    sql::run(db, QStringLiteral("DROP INDEX qso_band_day"));
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer t;
        t.start();
        f.map->map().rebuild();
        without.push_back(t.nsecsElapsed() / 1e6);
    }
    sql::run(db, QStringLiteral("CREATE INDEX qso_band_day ON qso(band, mode, tur, data)"));
    return {bench::median(with), bench::median(without)};
}

// What the index costs a save: appends with it and without it, in alternating blocks.
std::pair<double, double> saveWithAndWithoutIndex(Fixture &f)
{
    QsoStore &store = f.program->main().qsos();
    QSqlDatabase db = store.connection();
    f.map->hide(); // the store's own cost, not the map's
    QApplication::processEvents();
    std::vector<double> with, without;
    int n = 0;
    for (int block = 0; block < 10; ++block) {
        const bool indexed = block % 2 == 0;
        if (!indexed)
            sql::run(db, QStringLiteral("DROP INDEX qso_band_day"));
        for (int i = 0; i < 10; ++i) {
            QElapsedTimer t;
            t.start();
            store.append(newQso(100000 + n++));
            (indexed ? with : without).push_back(t.nsecsElapsed() / 1e6);
        }
        if (!indexed)
            sql::run(db, QStringLiteral("CREATE INDEX qso_band_day ON qso(band, mode, tur, data)"));
    }
    return {bench::median(with), bench::median(without)};
}

struct Keystrokes {
    double closedWall, closedCpu, openWall, openCpu;
};

// A call typed into the heard field, key by key, with the program's own map (the one that
// follows the entry line) closed and open in alternating blocks, so that both see the same load
// of the machine.
Keystrokes keystrokes(Fixture &f)
{
    const test::MainControls ui(f.program->main());
    TBandMap &map = f.program->bandMap();
    f.map->hide();
    const QString call = bench::callOf(1234);
    QStringList keys;
    for (int k = 1; k <= call.size(); ++k)
        keys << call.left(k);
    std::vector<double> wall[2], cpu[2];
    for (int block = 0; block < 40; ++block) {
        const bool open = block % 2;
        if (map.isVisible() != open) {
            map.setVisible(open);
            QApplication::processEvents();
        }
        for (int rep = 0; rep < 10; ++rep) {
            for (const QString &key : keys) {
                QElapsedTimer t;
                t.start();
                const double c0 = threadCpuMs();
                ui.edCall1->setText(key);
                cpu[open].push_back(threadCpuMs() - c0);
                wall[open].push_back(t.nsecsElapsed() / 1e6);
            }
            ui.edCall1->clear();
        }
    }
    map.hide();
    return {bench::median(wall[0]), bench::median(cpu[0]), bench::median(wall[1]), bench::median(cpu[1])};
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QElapsedTimer made;
    made.start();
    Fixture f(n);
    std::printf("contest log of %d records made and opened in %.1f s\n", n, made.nsecsElapsed() / 1e9);

    QElapsedTimer opened;
    opened.start();
    f.map->show();
    QApplication::processEvents();
    const double openMs = opened.nsecsElapsed() / 1e6;
    const int entries = int(f.map->map().entries().size());
    std::printf("map opened (band read, window shown and painted): %.1f ms, %d stations on 20M CW in the last hour\n",
                openMs, entries);
    // With VIREO_SCREENSHOTS set to a folder, the map over this log is saved there.
    const QString shots = qEnvironmentVariable("VIREO_SCREENSHOTS");
    if (!shots.isEmpty()) {
        f.map->bsBandMap->centreOn(14030);
        QApplication::processEvents();
        f.map->grab().save(QDir(shots).filePath(QStringLiteral("bandmap_100k_log.png")));
    }

    saves(f, 5, true); // warm
    const SaveFigures again = saves(f, 60, false);
    const SaveFigures s = saves(f, 60, true);
    const auto [rebuildIndexed, rebuildScan] = rebuildWithAndWithoutIndex(f);
    const Keystrokes k = keystrokes(f);
    const auto [saveIndexed, saveBare] = saveWithAndWithoutIndex(f);

    const double update = bench::median(s.update), repaint = bench::median(s.repaint), total = bench::median(s.total);
    const double rebuild = bench::median(s.rebuild), rebuildRepaint = bench::median(s.rebuildRepaint),
                 rebuildTotal = bench::median(s.rebuildTotal);
    std::vector<double> sorted = s.total;
    std::sort(sorted.begin(), sorted.end());
    const double worst = sorted.back(), p90 = sorted[sorted.size() * 9 / 10];

    const double againTotal = bench::median(again.total), againCpu = bench::median(again.totalCpu);
    std::printf("\nafter a save of a station on the map already, %d records, medians of %zu saves (ms):\n", n,
                again.total.size());
    std::printf("  change by change: map update %7.3f + paint of what changed %7.3f = %7.3f; processor %.3f\n",
                bench::median(again.update), bench::median(again.repaint), againTotal, againCpu);
    std::printf("  baseline, read anew: %7.3f; processor %.3f\n", bench::median(again.rebuildTotal),
                bench::median(again.rebuildTotalCpu));
    std::printf("\nafter a save of a station new on the map, %d records, medians of %zu saves (ms):\n", n,
                s.total.size());
    std::printf(
        "  change by change: map update %7.3f + paint of what changed %7.3f = %7.3f   (90%% %.3f, worst %.3f)\n",
        update, repaint, total, p90, worst);
    std::printf("  change by change, the whole scale painted: %7.3f + %7.3f = %7.3f\n", update,
                bench::median(s.wholeRepaint), update + bench::median(s.wholeRepaint));
    std::printf("  baseline, read anew: rebuild %7.3f + repaint %7.3f = %7.3f\n", rebuild, rebuildRepaint,
                rebuildTotal);
    const double totalCpu = bench::median(s.totalCpu), rebuildTotalCpu = bench::median(s.rebuildTotalCpu);
    std::printf("  processor time: change by change %.3f (update %.3f + repaint %.3f), read anew %.3f\n", totalCpu,
                bench::median(s.updateCpu), bench::median(s.repaintCpu), rebuildTotalCpu);
    std::printf("band read anew: %.3f ms with index qso_band_day, %.3f ms without (scan of the log)\n", rebuildIndexed,
                rebuildScan);
    std::printf("save (commit included): %.3f ms with that index, %.3f ms without\n", saveIndexed, saveBare);
    std::printf(
        "keystroke in the heard field, medians (wall / processor, us): map closed %.1f / %.1f, open %.1f / %.1f\n",
        k.closedWall * 1e3, k.closedCpu * 1e3, k.openWall * 1e3, k.openCpu * 1e3);

    bench::Summary sum;
    sum.add(QStringLiteral("redraw, save of a station on the map, median"), againTotal, QStringLiteral("ms"),
            QStringLiteral("<= 2 ms"), againTotal <= 2.0);
    sum.add(QStringLiteral("redraw, same, median processor"), againCpu, QStringLiteral("ms"), QStringLiteral("<= 2 ms"),
            againCpu <= 2.0);
    sum.add(QStringLiteral("redraw, save of a new station, median"), total, QStringLiteral("ms"),
            QStringLiteral("<= 2 ms"), total <= 2.0);
    sum.add(QStringLiteral("redraw, new station, median processor"), totalCpu, QStringLiteral("ms"),
            QStringLiteral("<= 2 ms"), totalCpu <= 2.0);
    sum.add(QStringLiteral("redraw, new station, worst"), worst, QStringLiteral("ms"), QStringLiteral("(reference)"),
            true);
    sum.add(QStringLiteral("baseline: read anew and redraw, 100k"), rebuildTotal, QStringLiteral("ms"),
            QStringLiteral("(reference)"), true);
    sum.add(QStringLiteral("baseline: read anew and redraw, 100k, processor"), rebuildTotalCpu, QStringLiteral("ms"),
            QStringLiteral("(reference)"), true);
    sum.add(QStringLiteral("keystroke, map open / closed (wall)"), k.openWall / k.closedWall, QStringLiteral("x"),
            QStringLiteral("<= 1.1"), k.openWall <= 1.1 * k.closedWall);
    sum.add(QStringLiteral("keystroke, map open / closed (processor)"), k.openCpu / k.closedCpu, QStringLiteral("x"),
            QStringLiteral("<= 1.1"), k.openCpu <= 1.1 * k.closedCpu);
    sum.add(QStringLiteral("save with / without the map's index"), saveIndexed / saveBare, QStringLiteral("x"),
            QStringLiteral("(reference)"), true);
    sum.print();
    f.map.reset();
    return 0;
}
