// Saving one QSO into logs of 1,000 and 100,000 records, until the store's append returns and
// the record is safe on the disk: under the log's journal policy (a rollback journal, deleted at
// each commit with the directory synced) and, as the baseline measured in the same run, under
// a write-ahead log with full sync, the policy that kept a lock open for as long as the file was.

#include "bench_support.h"

#include "db/database.h"
#include "db/qso_store.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <map>
#include <memory>

using namespace vireo;

namespace {

struct SaveLog {
    QTemporaryDir dir;
    std::unique_ptr<Database> db;
    std::unique_ptr<QsoStore> store;
    SaveLog(int n, bool writeAhead)
    {
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        bench::makeLog(path, n);
        db = std::make_unique<Database>(path, QStringLiteral("save-%1-%2").arg(n).arg(writeAhead));
        if (writeAhead) {
            QSqlQuery q(db->connection());
            q.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
            q.exec(QStringLiteral("PRAGMA synchronous = FULL"));
        }
        store = std::make_unique<QsoStore>(db->connection());
    }
};

SaveLog &log(int n, bool writeAhead)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<SaveLog>> logs;
    auto &l = logs[{n, writeAhead}];
    if (!l)
        l = std::make_unique<SaveLog>(n, writeAhead);
    return *l;
}

void save(benchmark::State &state, bool writeAhead)
{
    SaveLog &l = log(int(state.range(0)), writeAhead);
    QsoRecord r;
    r.freq = QStringLiteral("14000");
    r.mode = QStringLiteral("CW");
    r.data = QStringLiteral("05.03.2026");
    r.time = QStringLiteral("07:04");
    r.rst1 = QStringLiteral("599");
    r.call2 = QStringLiteral("UA2XYZ");
    r.nr2 = QStringLiteral("5");
    r.band = QStringLiteral("20M");
    r.tur = QStringLiteral("0");
    int i = 0;
    for (auto _ : state) {
        r.call1 = QStringLiteral("R%1AA").arg(i % 10);
        r.nr1 = QString::number(i++);
        l.store->append(r);
    }
}

void BM_SaveRollback(benchmark::State &state)
{
    save(state, false);
}

void BM_SaveWriteAhead(benchmark::State &state)
{
    save(state, true);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    for (int n : {1000, 100000}) {
        // One after the other for each size, so that both policies meet the same load of the machine.
        benchmark::RegisterBenchmark("save_rollback", BM_SaveRollback)
            ->Arg(n)
            ->Repetitions(5)
            ->Iterations(30)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("save_write_ahead", BM_SaveWriteAhead)
            ->Arg(n)
            ->Repetitions(5)
            ->Iterations(30)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMillisecond);
    }
    const auto ms = bench::runBenchmarks(argc, argv);
    auto get = [&ms](const char *name) {
        const auto it = ms.find(name);
        return it == ms.end() ? 0.0 : it->second;
    };
    const double r1 = get("save_rollback/1000"), r100 = get("save_rollback/100000");
    const double w1 = get("save_write_ahead/1000"), w100 = get("save_write_ahead/100000");
    bench::Summary s;
    s.add(QStringLiteral("save, rollback journal, 1k log, median"), r1, QStringLiteral("ms"), QStringLiteral("< 10 ms"),
          r1 < 10);
    s.add(QStringLiteral("save, rollback journal, 100k log, median"), r100, QStringLiteral("ms"),
          QStringLiteral("< 10 ms"), r100 < 10);
    s.add(QStringLiteral("save, write-ahead log (baseline), 1k, median"), w1, QStringLiteral("ms"),
          QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("save, write-ahead log (baseline), 100k, median"), w100, QStringLiteral("ms"),
          QStringLiteral("(reference)"), true);
    s.add(QStringLiteral("rollback / write-ahead, 100k"), r100 / w100, QStringLiteral("x"),
          QStringLiteral("(reference)"), true);
    s.print();
    return 0;
}
