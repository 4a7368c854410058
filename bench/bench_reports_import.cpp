// The logger-file import of 100,000 records as the listener runs it: the menu command of the
// main window (the question answered Yes, the file chosen through the scripted prompts), the
// undo history on, the partial-check and statistics windows open, until the window has handled
// every event the import left behind. Beside it, in the same run, the floor: the sqlite3 program
// writing every row of the same log into an empty copy of the same file in one transaction, and
// the phases of the import measured on their own.

#include "bench_support.h"

#include "app/program.h"
#include "app/tmain.h"
#include "db/database.h"
#include "db/log_table_model.h"
#include "db/qso_scan.h"
#include "db/qso_store.h"
#include "db/undo_journal.h"
#include "reports/logger_file.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

using namespace vireo;

namespace {

constexpr int Records = 100000;
constexpr int Rounds = 5;

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Every row of the log as ";"-separated values, for the sqlite3 program's .import.
QByteArray rowsText(const QSqlDatabase &db)
{
    QByteArray rows;
    rows.reserve(Records * 80);
    scanQsos(db, [&](const QsoRecord &r) {
        bool first = true;
        for (const QString *v : r.columns()) {
            if (!first)
                rows += ';';
            first = false;
            rows += v->toUtf8();
        }
        rows += '\n';
    });
    return rows;
}

// Wall-clock and processor milliseconds.
struct Timed {
    double wall = 0, cpu = 0;
};

double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double childrenCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return (double(u.ru_utime.tv_sec) + double(u.ru_stime.tv_sec)) * 1e3
           + (double(u.ru_utime.tv_usec) + double(u.ru_stime.tv_usec)) / 1e3;
}

// The sqlite3 program writing every row into the emptied log table of a copy of the same file,
// in one statement, start to exit: with the table's indexes and counting triggers in place
// (indexed), or into a table of the thirteen columns and nothing else (bare).
Timed sqliteFloor(const QString &master, const QString &dir, const QByteArray &rows, bool indexed)
{
    const QString copy = dir + QStringLiteral("/floor.db");
    QFile::remove(copy);
    QFile::copy(master, copy);
    {
        QProcess empty;
        empty.start(QStringLiteral("sqlite3"),
                    {copy, indexed
                               ? QStringLiteral("DELETE FROM qso; VACUUM;")
                               : QStringLiteral("DROP TABLE qso; CREATE TABLE qso (id INTEGER PRIMARY KEY, freq TEXT,"
                                                " mode TEXT, data TEXT, time TEXT, call1 TEXT, rst1 TEXT, nr1 TEXT,"
                                                " call2 TEXT, rst2 TEXT, nr2 TEXT, band TEXT, tur TEXT, radio TEXT);"
                                                " VACUUM;")});
        empty.waitForFinished(-1);
    }
    const QString file = dir + QStringLiteral("/floor.txt");
    QFile f(file);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(rows);
    f.close();
    ::sync();
    const QString columns =
        QStringLiteral("freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, band, tur, radio");
    QProcess p;
    const double cpu = childrenCpuMs();
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral("sqlite3"),
            {copy, QStringLiteral(".mode csv"), QStringLiteral(".separator ;"),
             QStringLiteral("CREATE TEMP TABLE t (%1)").arg(columns), QStringLiteral(".import %1 t").arg(file),
             QStringLiteral("INSERT INTO qso (%1) SELECT %1 FROM t").arg(columns)});
    p.waitForFinished(-1);
    Timed r{msSince(t), childrenCpuMs() - cpu};
    if (p.exitCode() != 0)
        std::printf("sqlite3 failed: %s\n", p.readAllStandardError().constData());
    QProcess count;
    count.start(QStringLiteral("sqlite3"), {copy, QStringLiteral("SELECT COUNT(*) FROM qso")});
    count.waitForFinished(-1);
    if (count.readAllStandardOutput().trimmed().toInt() != Records)
        std::printf("sqlite3 floor wrote a different number of rows\n");
    return r;
}

// Turns the event loop until nothing is pending: what the import posted or started (the grid's
// repaint, the windows' refresh) is part of its cost.
void drainEvents()
{
    for (int i = 0; i < 50; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents);
        if (!QApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents))
            break;
    }
}

struct MenuRun {
    double handler = 0, events = 0, cpu = 0, mainCpu = 0;
    int records = 0;
    bool undone = false;
};

// "из файла SCL", Yes, the file: the handler, then the events it left; then the undo of it.
MenuRun menuImport(test::TestContext &t, TMain &m, const QString &scl)
{
    const test::MainControls ui(m);
    MenuRun r;
    t.prompts->shown.clear();
    t.prompts->answers = {true};
    t.prompts->fileNames = {scl};
    ::sync();
    const double cpu = processCpuMs(), mainCpu = threadCpuMs();
    QElapsedTimer clock;
    clock.start();
    ui.SCL2->trigger();
    r.handler = msSince(clock);
    drainEvents();
    r.events = msSince(clock);
    r.cpu = processCpuMs() - cpu;
    r.mainCpu = threadCpuMs() - mainCpu;
    r.records = m.qsos().count();
    if (!t.prompts->texts(QStringLiteral("error")).isEmpty())
        std::printf("import error: %s\n", qPrintable(t.prompts->texts(QStringLiteral("error")).first()));
    // The history takes it back: the log of the previous round returns, with its own keys.
    const bool offered = ui.actUndo->isEnabled() && ui.actUndo->text() == QStringLiteral("Отменить импорт журнала");
    const qint64 importedKey = m.qsos().lastKey();
    ui.actUndo->trigger();
    drainEvents();
    r.undone = offered && m.qsos().count() == Records && m.qsos().lastKey() < importedKey;
    return r;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;

    test::TestContext t;
    t.context.databasePath = dir.filePath(QStringLiteral("vireolog.db"));
    bench::makeLog(t.context.databasePath, Records);
    const QString master = dir.filePath(QStringLiteral("master.db"));
    QFile::copy(t.context.databasePath, master);
    const QString scl = dir.filePath(QStringLiteral("log.scl"));

    auto program = std::make_unique<Program>(t.context);
    TMain &m = program->main();
    const test::MainControls ui(m);
    ui.Timer1->stop();
    m.show();
    // The windows that follow the log, open as a listener has them in a contest.
    ui.actScp->trigger();
    ui.actStats->trigger();
    drainEvents();
    if (loggerfile::writeFile(scl, m.qsos()) != WriteResult::Ok)
        return 1;
    const QByteArray rows = rowsText(m.qsos().connection());

    // With VIREO_BENCH_PROFILE set only the menu command runs, for a profiler's record of it.
    const bool profiling = qEnvironmentVariableIsSet("VIREO_BENCH_PROFILE");
    std::vector<double> handler, events, cpu, mainCpu, floor, floorCpu, bare, bareCpu, core;
    bool allUndone = true, allRecords = true;
    for (int i = 0; i < Rounds; ++i) {
        if (profiling) {
            const MenuRun r = menuImport(t, m, scl);
            std::printf("menu import %.0f ms (handler %.0f ms)\n", r.events, r.handler);
            continue;
        }
        const MenuRun r = menuImport(t, m, scl);
        handler.push_back(r.handler);
        events.push_back(r.events);
        cpu.push_back(r.cpu);
        mainCpu.push_back(r.mainCpu);
        allUndone = allUndone && r.undone;
        allRecords = allRecords && r.records == Records;
        const Timed fl = sqliteFloor(master, dir.path(), rows, true);
        floor.push_back(fl.wall);
        floorCpu.push_back(fl.cpu);
        const Timed fb = sqliteFloor(master, dir.path(), rows, false);
        bare.push_back(fb.wall);
        bareCpu.push_back(fb.cpu);
    }
    program.reset();
    if (profiling)
        return 0;

    // The phases on their own: the file read and checked; the file into a store without and
    // with its undo history, no window.
    std::vector<double> readCheck, plain;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        const loggerfile::FileRecords records(scl);
        readCheck.push_back(msSince(clock));
        if (records.size() != Records)
            std::printf("the file holds %d records\n", records.size());
    }
    {
        Database db(t.context.databasePath, QStringLiteral("bench-plain"));
        QsoStore store(db.connection());
        for (int i = 0; i < Rounds; ++i) {
            ::sync();
            QElapsedTimer clock;
            clock.start();
            loggerfile::import(scl, store, true);
            plain.push_back(msSince(clock));
        }
    }
    {
        Database db(t.context.databasePath, QStringLiteral("bench-core"));
        QsoStore store(db.connection());
        UndoJournal journal(store);
        for (int i = 0; i < Rounds; ++i) {
            ::sync();
            QElapsedTimer clock;
            clock.start();
            loggerfile::import(scl, store, true);
            core.push_back(msSince(clock));
            journal.undo();
        }
    }

    const double f = bench::median(floor), fc = bench::median(floorCpu), b = bench::median(bare),
                 bc = bench::median(bareCpu), h = bench::median(handler), e = bench::median(events),
                 ec = bench::median(cpu), c = bench::median(core);
    std::printf("import of %d records, replacing a log of as many, %d rounds, median ms (wall / processor):\n", Records,
                Rounds);
    std::printf("  sqlite3 program, .import of every row into a bare table (floor)  %8.1f / %8.1f\n", b, bc);
    std::printf("  sqlite3 program, .import of every row into the log table          %8.1f / %8.1f\n", f, fc);
    std::printf("  the file read and checked                                        %8.1f\n", bench::median(readCheck));
    std::printf("  core import without undo history, no window                      %8.1f\n", bench::median(plain));
    std::printf("  core import with undo history, no window                         %8.1f\n", c);
    std::printf("  menu command, until the handler returns                          %8.1f\n", h);
    std::printf("  menu command, until every event it left is handled               %8.1f / %8.1f\n", e, ec);
    std::printf("    of which processor time of the window's own thread                          %8.1f\n",
                bench::median(mainCpu));
    std::printf("  rounds (menu, all events, wall):");
    for (double v : events)
        std::printf(" %.0f", v);
    std::printf("\n  rounds (bare floor, wall):");
    for (double v : bare)
        std::printf(" %.0f", v);
    std::printf("\n");

    bench::Summary s;
    s.add(QStringLiteral("sqlite3 floor (bare table), wall"), b / 1000, QStringLiteral("s"),
          QStringLiteral("reference"), true);
    s.add(QStringLiteral("import from the menu, wall"), e / 1000, QStringLiteral("s"), QStringLiteral("(reference)"),
          true);
    s.add(QStringLiteral("import from the menu / floor, wall"), e / std::max(1.0, b), QStringLiteral("x"),
          QStringLiteral("<= 5 x"), e <= 5 * b);
    s.add(QStringLiteral("import from the menu / floor, processor"), ec / std::max(1.0, bc), QStringLiteral("x"),
          QStringLiteral("<= 5 x"), ec <= 5 * bc);
    s.add(QStringLiteral("import from the menu / log-table floor, wall"), e / std::max(1.0, f), QStringLiteral("x"),
          QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("every round imported every record"), allRecords ? 1 : 0, QString(), QStringLiteral("1"),
          allRecords);
    s.add(QStringLiteral("every import taken back by undo"), allUndone ? 1 : 0, QString(), QStringLiteral("1"),
          allUndone);
    s.print();
    return 0;
}
