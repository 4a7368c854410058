// Undo and backups on a log of 100,000 QSOs: clearing and importing with the undo history
// against the same writes without it, the undo of each, and the worst keystroke in a call field
// while a timed backup copy is written, against the same keystrokes with no copy running.

#include "bench_support.h"

#include "app/backup_scheduler.h"
#include "app/program.h"
#include "app/tmain.h"
#include "db/database.h"
#include "db/log_backup.h"
#include "db/qso_store.h"
#include "db/undo_journal.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

using namespace vireo;

namespace {

constexpr int Records = 100000;

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Processor time of this thread: on a busy machine the wall-clock figures include waiting for
// the processor, this does not.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Wall-clock and processor milliseconds of one piece of work.
struct Timed {
    double wall = 0, cpu = 0;
};
template <typename F>
Timed timed(F &&work)
{
    QElapsedTimer t;
    const double c = cpuMs();
    t.start();
    work();
    return {msSince(t), cpuMs() - c};
}

struct Figures {
    Timed clearPlain, clearJournaled, undoClear;
    Timed importPlain, importJournaled, undoImport;
};

// Replaces the log with n generated records through the store's import.
int importRecords(QsoStore &store, int n)
{
    int i = 0;
    return store.import(true, [&i, n](QsoRecord &r) {
        if (i >= n)
            return false;
        r.call1 = bench::callOf(i);
        r.call2 = bench::callOf(i * 7 + 3);
        r.freq = QStringLiteral("14000");
        r.band = QStringLiteral("20M");
        r.mode = QStringLiteral("CW");
        r.nr1 = QString::number(i);
        r.nr2 = i % 2 ? QString::number(i % 700) : QString();
        ++i;
        return true;
    });
}

Figures undoFigures(const QString &dir)
{
    Figures f;
    const QString master = dir + QStringLiteral("/master.db");
    bench::makeLog(master, Records);
    auto fresh = [&](const QString &name) {
        const QString path = dir + QLatin1Char('/') + name;
        QFile::remove(path);
        QFile::copy(master, path);
        return path;
    };
    {
        // Baseline: the same writes on a connection without the history.
        Database db(fresh(QStringLiteral("plain.db")), QStringLiteral("plain"));
        QsoStore store(db.connection());
        f.clearPlain = timed([&] { store.clear(); });
        f.importPlain = timed([&] { importRecords(store, Records); });
    }
    {
        Database db(fresh(QStringLiteral("journaled.db")), QStringLiteral("journaled"));
        QsoStore store(db.connection());
        UndoJournal journal(store);
        // A few saves first, so the history holds more than the step being undone.
        for (int i = 0; i < 3; ++i) {
            QsoRecord r;
            r.call1 = bench::callOf(Records + i);
            store.append(r);
        }
        f.clearJournaled = timed([&] { store.clear(); });
        f.undoClear = timed([&] { journal.undo(); });
        if (store.count() != Records + 3)
            std::printf("undo of the clear gave %d records\n", store.count());
        f.importJournaled = timed([&] { importRecords(store, Records); });
        f.undoImport = timed([&] { journal.undo(); });
        if (store.count() != Records + 3)
            std::printf("undo of the import gave %d records\n", store.count());
    }
    return f;
}

struct Typing {
    double medianMs = 0, worstMs = 0;
    int keys = 0;
    double copyMs = 0;
};

// Keystrokes in the heard call field, one after another as fast as the handler allows, with the
// event loop turned between them; with a timed copy running, until it is done.
Typing typeWhile(TMain &m, bool withCopy)
{
    const test::MainControls ui(m);
    const QString call = bench::callOf(Records / 2);
    std::vector<double> delays;
    QElapsedTimer copy;
    if (withCopy) {
        ui.backups->markChanged();
        copy.start();
        ui.backups->tick();
    }
    QElapsedTimer t;
    int k = 0;
    while (withCopy ? ui.backups->busy() : delays.size() < 400) {
        t.start();
        ui.edCall1->setText(call.left(1 + k % call.size()));
        delays.push_back(msSince(t));
        ++k;
        QApplication::processEvents();
        QThread::usleep(500); // a fast typist is far slower than this
    }
    Typing r;
    r.copyMs = withCopy ? msSince(copy) : 0;
    r.keys = int(delays.size());
    r.medianMs = bench::median(delays);
    r.worstMs = delays.empty() ? 0 : *std::max_element(delays.begin(), delays.end());
    ui.edCall1->clear();
    return r;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const Figures u = undoFigures(dir.path());

    test::TestContext t;
    t.context.databasePath = dir.filePath(QStringLiteral("vireolog.db"));
    bench::makeLog(t.context.databasePath, Records);
    auto program = std::make_unique<Program>(t.context);
    TMain &m = program->main();
    const test::MainControls ui(m);
    m.show();
    m.Timer1Timer();
    ui.backups->waitIdle(); // the copy of the log as found
    QApplication::processEvents();
    const Typing quiet = typeWhile(m, false);
    const Typing copying = typeWhile(m, true);
    const Typing quietAfter = typeWhile(m, false);
    QElapsedTimer onThread;
    onThread.start();
    ui.backups->copyNow();
    const double wholeCopyOnUiThread = msSince(onThread);
    program.reset();

    auto line = [](const char *what, const Timed &plain, const Timed &journaled, const Timed &undo) {
        std::printf("%s of %d records, wall (processor) ms: without history %.1f (%.1f), with it %.1f (%.1f); "
                    "undo %.1f (%.1f)\n",
                    what, Records, plain.wall, plain.cpu, journaled.wall, journaled.cpu, undo.wall, undo.cpu);
    };
    line("clear", u.clearPlain, u.clearJournaled, u.undoClear);
    line("import replacing the log", u.importPlain, u.importJournaled, u.undoImport);
    std::printf("keystrokes: no copy %d keys median %.3f ms worst %.3f ms; during a %.0f ms copy %d keys median "
                "%.3f ms worst %.3f ms; no copy again worst %.3f ms; the whole copy on the UI thread %.1f ms\n",
                quiet.keys, quiet.medianMs, quiet.worstMs, copying.copyMs, copying.keys, copying.medianMs,
                copying.worstMs, quietAfter.worstMs, wholeCopyOnUiThread);

    bench::Summary s;
    s.add(QStringLiteral("undo of a clear of 100k, wall"), u.undoClear.wall, QStringLiteral("ms"),
          QStringLiteral("< 1000 ms"), u.undoClear.wall < 1000);
    s.add(QStringLiteral("undo of a clear of 100k, processor"), u.undoClear.cpu, QStringLiteral("ms"),
          QStringLiteral("< 1000 ms"), u.undoClear.cpu < 1000);
    s.add(QStringLiteral("undo of an import of 100k, wall"), u.undoImport.wall, QStringLiteral("ms"),
          QStringLiteral("< 1000 ms"), u.undoImport.wall < 1000);
    s.add(QStringLiteral("undo of an import of 100k, processor"), u.undoImport.cpu, QStringLiteral("ms"),
          QStringLiteral("< 1000 ms"), u.undoImport.cpu < 1000);
    s.add(QStringLiteral("clear 100k, history / none (wall)"),
          u.clearJournaled.wall / std::max(0.001, u.clearPlain.wall), QStringLiteral("x"),
          QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("import 100k, history / none (wall)"),
          u.importJournaled.wall / std::max(0.001, u.importPlain.wall), QStringLiteral("x"),
          QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("worst keystroke, no copy"), quiet.worstMs, QStringLiteral("ms"), QStringLiteral("(baseline)"),
          true);
    s.add(QStringLiteral("worst keystroke during a 100k copy"), copying.worstMs, QStringLiteral("ms"),
          QStringLiteral("<= 20 ms"), copying.worstMs <= 20);
    s.print();
    return 0;
}
