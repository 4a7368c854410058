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

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace vireo;

namespace {

constexpr int Records = 100000;

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

struct Figures {
    double clearPlain = 0, clearJournaled = 0, undoClear = 0;
    double importPlain = 0, importJournaled = 0, undoImport = 0;
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
    QElapsedTimer t;
    {
        // Baseline: the same writes on a connection without the history.
        Database db(fresh(QStringLiteral("plain.db")), QStringLiteral("plain"));
        QsoStore store(db.connection());
        t.start();
        store.clear();
        f.clearPlain = msSince(t);
        t.start();
        importRecords(store, Records);
        f.importPlain = msSince(t);
    }
    {
        Database db(fresh(QStringLiteral("journaled.db")), QStringLiteral("journaled"));
        QsoStore store(db.connection());
        UndoJournal journal(store);
        t.start();
        store.clear();
        f.clearJournaled = msSince(t);
        t.start();
        journal.undo();
        f.undoClear = msSince(t);
        if (store.count() != Records)
            std::printf("undo of the clear gave %d records\n", store.count());
        t.start();
        importRecords(store, Records);
        f.importJournaled = msSince(t);
        t.start();
        journal.undo();
        f.undoImport = msSince(t);
        if (store.count() != Records)
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
    const QString call = bench::callOf(Records / 2);
    std::vector<double> delays;
    QElapsedTimer copy;
    if (withCopy) {
        m.backups->markChanged();
        copy.start();
        m.backups->tick();
    }
    QElapsedTimer t;
    int k = 0;
    while (withCopy ? m.backups->busy() : delays.size() < 400) {
        t.start();
        m.edCall1->setText(call.left(1 + k % call.size()));
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
    m.edCall1->clear();
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
    m.show();
    m.Timer1Timer();
    m.backups->waitIdle(); // the copy of the log as found
    QApplication::processEvents();
    const Typing quiet = typeWhile(m, false);
    const Typing copying = typeWhile(m, true);
    const Typing quietAfter = typeWhile(m, false);
    QElapsedTimer onThread;
    onThread.start();
    m.backups->copyNow();
    const double wholeCopyOnUiThread = msSince(onThread);
    program.reset();

    std::printf("clear of %d records: %.1f ms without history, %.1f ms with it; undo %.1f ms\n", Records, u.clearPlain,
                u.clearJournaled, u.undoClear);
    std::printf("import of %d records: %.1f ms without history, %.1f ms with it; undo %.1f ms\n", Records,
                u.importPlain, u.importJournaled, u.undoImport);
    std::printf("keystrokes: no copy %d keys median %.3f ms worst %.3f ms; during a %.0f ms copy %d keys median "
                "%.3f ms worst %.3f ms; no copy again worst %.3f ms; the whole copy on the UI thread %.1f ms\n",
                quiet.keys, quiet.medianMs, quiet.worstMs, copying.copyMs, copying.keys, copying.medianMs,
                copying.worstMs, quietAfter.worstMs, wholeCopyOnUiThread);

    bench::Summary s;
    s.add(QStringLiteral("undo of a clear of 100k"), u.undoClear, QStringLiteral("ms"), QStringLiteral("< 1000 ms"), u.undoClear < 1000);
    s.add(QStringLiteral("undo of an import of 100k"), u.undoImport, QStringLiteral("ms"), QStringLiteral("< 1000 ms"), u.undoImport < 1000);
    s.add(QStringLiteral("clear 100k, history / none"), u.clearJournaled / std::max(0.001, u.clearPlain), QStringLiteral("x"),
          QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("import 100k, history / none"), u.importJournaled / std::max(0.001, u.importPlain), QStringLiteral("x"),
          QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("worst keystroke, no copy"), quiet.worstMs, QStringLiteral("ms"), QStringLiteral("(baseline)"), true);
    s.add(QStringLiteral("worst keystroke during a 100k copy"), copying.worstMs, QStringLiteral("ms"), QStringLiteral("<= 20 ms"),
          copying.worstMs <= 20);
    s.print();
    return 0;
}
