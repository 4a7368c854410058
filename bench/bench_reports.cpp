// Export of a 100,000-record log to Cabrillo, ADIF and the logger file, and import of that
// logger file, each beside the baseline (the writers as they were before, reports_baseline.h)
// and beside the bare scan of the log. Before the figures, every file of the current writers is
// compared byte for byte with the baseline's.

#include "bench_support.h"
#include "reports_baseline.h"

#include "db/database.h"
#include "db/qso_scan.h"
#include "db/qso_store.h"
#include "reports/adif_writer.h"
#include "reports/cabrillo_report.h"
#include "reports/logger_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>

#include <unistd.h>

using namespace vireo;

namespace {

struct Log {
    QTemporaryDir dir;
    std::unique_ptr<Database> db;
    std::unique_ptr<QsoStore> store;
    Log()
    {
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        bench::makeLog(path, 100000);
        db = std::make_unique<Database>(path, QStringLiteral("bench-reports"));
        store = std::make_unique<QsoStore>(db->connection());
    }
    QString file(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
};

Log &log()
{
    static Log l;
    return l;
}

cabrillo::Header header()
{
    cabrillo::Header h;
    h.contest = QStringLiteral("RDXC");
    h.callsign = QStringLiteral("R3A-123");
    h.soapbox = QStringLiteral("Спасибо за контест");
    return h;
}

// The own message is Cyrillic, so that the code page is exercised on every line.
const QslMessage Qsl{false, QStringLiteral("Спасибо за QSO, 73!")};
const QDateTime Created(QDate(2026, 3, 5), QTime(10, 4, 9));

void cabrilloNow(const QString &path)
{
    if (cabrillo::WriteReport(path, header(), 3, *log().store) != WriteResult::Ok)
        std::abort();
}
void cabrilloBefore(const QString &path)
{
    baseline::writeCabrillo(path, header(), 3, *log().store);
}
void adifNow(const QString &path)
{
    if (adif::writeFile(path, *log().store, QStringLiteral("R3A-123"), QStringLiteral("RDXC"), Qsl, Created,
                        QLocale::c())
        != WriteResult::Ok)
        std::abort();
}
void adifBefore(const QString &path)
{
    baseline::writeAdif(path, *log().store, QStringLiteral("R3A-123"), QStringLiteral("RDXC"), Qsl, Created,
                        QLocale::c());
}
void loggerNow(const QString &path)
{
    if (loggerfile::writeFile(path, *log().store) != WriteResult::Ok)
        std::abort();
}
void loggerBefore(const QString &path)
{
    baseline::writeLogger(path, *log().store);
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// True when both writers give the same bytes.
bool sameBytes(const char *what, void (*now)(const QString &), void (*before)(const QString &))
{
    const QString a = log().file("now.out"), b = log().file("before.out");
    now(a);
    before(b);
    const QByteArray x = bytesOf(a), y = bytesOf(b);
    const bool same = !x.isEmpty() && x == y;
    std::printf("%-16s %10lld bytes now, %10lld bytes before: %s\n", what, qlonglong(x.size()), qlonglong(y.size()),
                same ? "byte-identical" : "DIFFERENT");
    return same;
}

void BM_Scan(benchmark::State &state)
{
    for (auto _ : state) {
        qint64 n = 0;
        log().store->forEach([&n](const QsoRecord &r) { n += r.call1.size(); });
        benchmark::DoNotOptimize(n);
    }
}

void BM_ScanDirect(benchmark::State &state)
{
    for (auto _ : state) {
        qint64 n = 0;
        scanQsos(log().store->connection(), [&n](const QsoRecord &r) { n += r.call1.size(); });
        benchmark::DoNotOptimize(n);
    }
}

template <void (*Write)(const QString &)>
void BM_Write(benchmark::State &state)
{
    for (auto _ : state)
        Write(log().file("out"));
}

// The import commits with fsync, which on ext4 also writes out whatever other files the run left
// unwritten (the files the exports just wrote): that is put to disk before the clock starts.
void settleDisk(benchmark::State &state)
{
    state.PauseTiming();
    ::sync();
    state.ResumeTiming();
}

void BM_ImportNow(benchmark::State &state)
{
    for (auto _ : state) {
        settleDisk(state);
        if (loggerfile::import(log().file("in.scl"), *log().store, true) != 100000)
            state.SkipWithError("import incomplete");
    }
}

void BM_ImportBefore(benchmark::State &state)
{
    for (auto _ : state) {
        settleDisk(state);
        if (baseline::importLogger(log().file("in.scl"), *log().store, true) != 100000)
            state.SkipWithError("import incomplete");
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("---- files of 100,000 records, current writers against the baseline ----\n");
    bool identical = sameBytes("cabrillo", cabrilloNow, cabrilloBefore);
    identical = sameBytes("adif", adifNow, adifBefore) && identical;
    identical = sameBytes("logger", loggerNow, loggerBefore) && identical;
    // The import reads back what the export wrote: exporting the imported log gives the same file.
    loggerNow(log().file("in.scl"));
    loggerfile::import(log().file("in.scl"), *log().store, true);
    const bool roundTrip =
        bytesOf(log().file("in.scl")) == (loggerNow(log().file("again.scl")), bytesOf(log().file("again.scl")));
    std::printf("%-16s import then export gives the file read: %s\n", "logger import", roundTrip ? "yes" : "NO");
    std::fflush(stdout);

    const std::pair<const char *, void (*)(benchmark::State &)> runs[] = {
        {"log_scan", BM_Scan},
        {"log_scan_direct", BM_ScanDirect},
        {"cabrillo_export_before", BM_Write<cabrilloBefore>},
        {"cabrillo_export", BM_Write<cabrilloNow>},
        {"adif_export_before", BM_Write<adifBefore>},
        {"adif_export", BM_Write<adifNow>},
        {"logger_export_before", BM_Write<loggerBefore>},
        {"logger_export", BM_Write<loggerNow>},
        {"logger_import_before", BM_ImportBefore},
        {"logger_import", BM_ImportNow},
    };
    for (const auto &[name, fn] : runs)
        benchmark::RegisterBenchmark(name, fn)->Repetitions(3)->Iterations(1)->ReportAggregatesOnly(true)->Unit(
            benchmark::kMillisecond);
    const auto ms = bench::runBenchmarks(argc, argv);
    auto figure = [&ms](const char *name) {
        const auto it = ms.find(name);
        return it == ms.end() ? 1e9 : it->second;
    };
    bench::Summary s;
    s.add(QStringLiteral("log scan, query interface (before)"), figure("log_scan") / 1000, QStringLiteral("s"),
          QStringLiteral("reference"), true);
    s.add(QStringLiteral("log scan, SQLite interface (now)"), figure("log_scan_direct") / 1000, QStringLiteral("s"),
          QStringLiteral("reference"), true);
    for (const char *name : {"cabrillo_export", "adif_export", "logger_export", "logger_import"}) {
        const double before = figure((std::string(name) + "_before").c_str());
        const double now = figure(name);
        s.add(QStringLiteral("%1 of 100,000 records (before %2 s)")
                  .arg(QLatin1String(name))
                  .arg(before / 1000, 0, 'f', 3),
              now / 1000, QStringLiteral("s"), QStringLiteral("< 0.5 s"), now < 500);
    }
    s.add(QStringLiteral("files byte-identical to the baseline's"), identical && roundTrip ? 1 : 0, QString(),
          QStringLiteral("1"), identical && roundTrip);
    s.print();
    return 0;
}
