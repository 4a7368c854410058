// The whole log check of logs of 100,000 and 1,000,000 records, as the window runs it, against
// the former check that read the whole log into memory first (log_check_baseline.h), in the same
// run. Two logs of each size: a contest log (stations working each other, serials, zones,
// regions: few findings), and the generated log of the other benchmarks, where nearly every call
// stands only once and so is a busted call (a finding for about every other record).
//
// Every check runs in a process of its own, so that its peak resident memory (VmHWM) is its own:
// the benchmark starts itself with --child. The streaming check runs in the real window: the time
// from "Проверить" to the list filled, the peak, the memory the process holds with the list shown
// and after the window is closed, beside what it held before the check. The processor time of the
// process (every thread) is printed beside the time on the clock, which a busy machine stretches.
// The former check is timed from the read to its list; its window kept the list when closed, so its
// "after closing" is the memory held with the list.
//
//   bench_log_check [--quick] [--logs DIR]   (--quick: 100,000 records only; --logs: make the
//                                            logs in DIR once, use them again in later runs)
//   bench_log_check --make contest|generated <path> <records>, then
//   bench_log_check --child stream|baseline <path> <records>   (one check, for profiling)

#include "bench_support.h"
#include "log_check_baseline.h"

#include "analysis/contest_log.h"
#include "analysis/log_check_runner.h"
#include "analysis/ui/findings_model.h"
#include "analysis/ui/tlogcheck.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "stationinfo/reference_files.h"
#include "stationinfo/scp_file.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <malloc.h>
#include <sys/resource.h>

using namespace vireo;

namespace {

// Processor time of the whole process (every thread), in seconds.
double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long statusKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    return 0;
}

QStringList knownCalls()
{
    QFile scp(defaultScpPath());
    return scp.open(QIODevice::ReadOnly) ? readScp(scp.readAll()).calls : QStringList();
}

void makeContestLog(const QString &path, int records)
{
    Database::prepareFile(path, referenceFiles());
    Database db(path, QStringLiteral("bench-contest"));
    QsoStore store(db.connection());
    QVector<QsoRecord> all = test::makeContestLog(records / 10, records).records;
    for (int from = 0; from < all.size(); from += 20000) {
        QVector<QsoRecord> part = all.mid(from, 20000);
        for (QsoRecord &r : part)
            r.id = 0;
        store.append(part);
    }
}

// ---- in the child process ---------------------------------------------------------------------

// Prints "ms findings peakKb heldKb afterCloseKb".
int runStreaming(const QString &path, int records)
{
    QTemporaryDir dir;
    AppContext context;
    context.programDir = dir.path();
    context.settingsPath = dir.filePath(QStringLiteral("settings.ini"));
    context.databasePath = path;
    context.services.prompts = std::make_shared<test::ScriptedPrompts>();
    const QStringList known = knownCalls();
    TLogCheck::Sources sources;
    sources.recordCount = [records] { return records; };
    sources.tours = [] { return QStringList(); };
    sources.knownCalls = [&known] { return known; };
    auto *window = new TLogCheck(context, sources);
    window->show();
    QCoreApplication::processEvents();
    const long before = statusKb("VmRSS:");
    int found = -1;
    QElapsedTimer timer;
    QObject::connect(&window->runner(), &LogCheckRunner::finished, window, [&](int n) {
        found = n;
        QCoreApplication::exit(0);
    });
    QObject::connect(&window->runner(), &LogCheckRunner::failed, window, [](const QString &text) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        QCoreApplication::exit(1);
    });
    const double cpu0 = cpuSeconds();
    timer.start();
    window->btCheck->click();
    if (QCoreApplication::exec() != 0)
        return 1;
    QCoreApplication::processEvents(); // the list filled after the runner's signal
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const double cpu = cpuSeconds() - cpu0;
    const long held = statusKb("VmRSS:");
    window->close();
    QCoreApplication::processEvents();
    const long after = statusKb("VmRSS:");
    if (qEnvironmentVariableIsSet("BENCH_MALLOC_STATS"))
        malloc_stats();
    std::printf("%.1f %.2f %d %ld %ld %ld %ld\n", ms, cpu, found, statusKb("VmHWM:"), before, held, after);
    delete window;
    return 0;
}

int runBaseline(const QString &path)
{
    const QStringList known = knownCalls();
    const long before = statusKb("VmRSS:");
    QElapsedTimer timer;
    const double cpu0 = cpuSeconds();
    timer.start();
    const auto found = baseline::checkLogFile(path, known, {});
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const double cpu = cpuSeconds() - cpu0;
    if (!found)
        return 1;
    const long held = statusKb("VmRSS:");
    std::printf("%.1f %.2f %d %ld %ld %ld %ld\n", ms, cpu, int(found->size()), statusKb("VmHWM:"), before, held, held);
    return 0;
}

// ---- in the parent ----------------------------------------------------------------------------

struct Figures {
    double ms = 0, cpu = 0;
    int findings = 0;
    long peakKb = 0, beforeKb = 0, heldKb = 0, afterKb = 0;
    bool ok = false;
};

Figures child(const QString &variant, const QString &path, int records)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--child"), variant, path, QString::number(records)});
    Figures f;
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return f;
    const QList<QByteArray> v = p.readAllStandardOutput().trimmed().split(' ');
    if (v.size() != 7)
        return f;
    f.ms = v[0].toDouble();
    f.cpu = v[1].toDouble();
    f.findings = v[2].toInt();
    f.peakKb = v[3].toLong();
    f.beforeKb = v[4].toLong();
    f.heldKb = v[5].toLong();
    f.afterKb = v[6].toLong();
    f.ok = true;
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 5 && qstrcmp(argv[1], "--child") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        const QString variant = QString::fromLocal8Bit(argv[2]), path = QString::fromLocal8Bit(argv[3]);
        const int records = QByteArray(argv[4]).toInt();
        return variant == QLatin1String("stream") ? runStreaming(path, records) : runBaseline(path);
    }
    if (argc == 5 && qstrcmp(argv[1], "--make") == 0) {
        // For profiling one check by hand: --make contest|generated <path> <records>
        QCoreApplication app(argc, argv);
        const QString path = QString::fromLocal8Bit(argv[3]);
        const int n = QByteArray(argv[4]).toInt();
        if (qstrcmp(argv[2], "contest") == 0)
            makeContestLog(path, n);
        else
            bench::makeLog(path, n);
        return 0;
    }
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    // --logs DIR: the logs are made there once and used again by later runs.
    const int logsAt = int(app.arguments().indexOf(QStringLiteral("--logs")));
    QTemporaryDir temporary;
    const QDir dir(logsAt > 0 && logsAt + 1 < app.arguments().size() ? app.arguments().at(logsAt + 1)
                                                                     : temporary.path());
    std::vector<int> sizes = {100000};
    if (!quick)
        sizes.push_back(1000000);
    bench::Summary s;
    std::printf("%-26s %-9s %8s %7s %9s %9s %11s %9s %11s\n", "log", "check", "time s", "cpu s", "findings", "peak MiB",
                "before MiB", "held MiB", "closed MiB");
    for (const int n : sizes) {
        const QString contest = dir.filePath(QStringLiteral("contest-%1.db").arg(n));
        const QString generated = dir.filePath(QStringLiteral("generated-%1.db").arg(n));
        QElapsedTimer made;
        made.start();
        if (!QFile::exists(contest))
            makeContestLog(contest, n);
        if (!QFile::exists(generated))
            bench::makeLog(generated, n);
        std::printf("(logs of %d records ready in %.1f s)\n", n, double(made.elapsed()) / 1000);
        for (const auto &[name, path] : {std::pair{"contest log", contest}, {"generated log", generated}}) {
            const QString what = QStringLiteral("%1 of %2").arg(QString::fromLatin1(name)).arg(n);
            for (const char *variant : {"baseline", "stream"}) {
                const Figures f = child(QString::fromLatin1(variant), path, n);
                if (!f.ok) {
                    std::printf("%-26s %-9s failed\n", qPrintable(what), variant);
                    s.add(QStringLiteral("%1, %2").arg(what, QString::fromLatin1(variant)), 0, QStringLiteral("s"),
                          QStringLiteral("runs"), false);
                    continue;
                }
                std::printf("%-26s %-9s %8.2f %7.2f %9d %9.1f %11.1f %9.1f %11.1f\n", qPrintable(what), variant,
                            f.ms / 1000, f.cpu, f.findings, double(f.peakKb) / 1024, double(f.beforeKb) / 1024,
                            double(f.heldKb) / 1024, double(f.afterKb) / 1024);
                if (qstrcmp(variant, "stream") != 0)
                    continue;
                const double limit = n >= 1000000 ? 10 : 1;
                s.add(QStringLiteral("whole check, %1").arg(what), f.ms / 1000, QStringLiteral("s"),
                      QStringLiteral("< %1 s").arg(limit), f.ms / 1000 < limit);
                if (n >= 1000000) {
                    s.add(QStringLiteral("peak memory, %1").arg(what), double(f.peakKb) / 1024, QStringLiteral("MiB"),
                          QStringLiteral("<= 200 MiB"), f.peakKb <= 200 * 1024);
                    s.add(QStringLiteral("kept after closing, %1").arg(what), double(f.afterKb - f.beforeKb) / 1024,
                          QStringLiteral("MiB"), QStringLiteral("<= 20 MiB over before the check"),
                          f.afterKb - f.beforeKb <= 20 * 1024);
                }
            }
        }
    }
    s.print();
    return 0;
}
