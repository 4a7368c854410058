// Export of a 100,000-record log to Cabrillo, ADIF and the logger file, and import of that
// logger file.

#include "bench_support.h"

#include "db/database.h"
#include "db/qso_store.h"
#include "reports/adif_writer.h"
#include "reports/cabrillo_report.h"
#include "reports/logger_file.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>

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
};

Log &log()
{
    static Log l;
    return l;
}

void BM_Cabrillo(benchmark::State &state)
{
    cabrillo::Header h;
    h.contest = QStringLiteral("RDXC");
    h.callsign = QStringLiteral("R3A-123");
    for (auto _ : state)
        if (cabrillo::WriteReport(log().dir.filePath("out.cbr"), h, 3, *log().store) != WriteResult::Ok)
            state.SkipWithError("write failed");
}

void BM_Adif(benchmark::State &state)
{
    QslMessage qsl;
    qsl.standard = true;
    for (auto _ : state)
        if (adif::writeFile(log().dir.filePath("out.adi"), *log().store, QStringLiteral("R3A-123"), QStringLiteral("RDXC"), qsl,
                            QDateTime::currentDateTime(), QLocale::c()) != WriteResult::Ok)
            state.SkipWithError("write failed");
}

void BM_LoggerExport(benchmark::State &state)
{
    for (auto _ : state)
        if (loggerfile::writeFile(log().dir.filePath("out.scl"), *log().store) != WriteResult::Ok)
            state.SkipWithError("write failed");
}

void BM_LoggerImport(benchmark::State &state)
{
    const QString file = log().dir.filePath("in.scl");
    loggerfile::writeFile(file, *log().store);
    for (auto _ : state)
        if (loggerfile::import(file, *log().store, true) != 100000)
            state.SkipWithError("import incomplete");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    for (auto [name, fn] : {std::pair{"cabrillo_export", BM_Cabrillo}, {"adif_export", BM_Adif},
                            {"logger_export", BM_LoggerExport}, {"logger_import", BM_LoggerImport}})
        benchmark::RegisterBenchmark(name, fn)->Repetitions(3)->Iterations(1)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    const auto ms = bench::runBenchmarks(argc, argv);
    bench::Summary s;
    for (const char *name : {"cabrillo_export", "adif_export", "logger_export", "logger_import"}) {
        const auto it = ms.find(name);
        const double v = it == ms.end() ? 1e9 : it->second;
        s.add(QStringLiteral("%1 of 100,000 records").arg(QLatin1String(name)), v / 1000, QStringLiteral("s"),
              QStringLiteral("< 2 s"), v < 2000);
    }
    s.print();
    return 0;
}
