// The whole log check of a 100,000-record log, as the window runs it: reading the records
// through a connection of its own and checking them against MASTER.SCP. Baseline in the same
// run: reading the records alone. Two logs: a contest log (6,000 stations working each other,
// serials, zones, regions), and the generated log of the other benchmarks, where nearly every
// call stands only once and so is looked at as a busted call (the worst case of that check).

#include "bench_support.h"

#include "analysis/contest_log.h"
#include "analysis/log_check_runner.h"
#include "db/scp_file.h"
#include "db/scp_store.h"
#include "db/database.h"
#include "db/qso_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace vireo;

namespace {

constexpr int Records = 100000;

struct Logs {
    QTemporaryDir dir;
    QString contest, generated;
    QStringList known;
    size_t contestFindings = 0, generatedFindings = 0;
    Logs()
    {
        contest = dir.filePath(QStringLiteral("contest.db"));
        generated = dir.filePath(QStringLiteral("generated.db"));
        Database::prepareFile(contest);
        {
            Database db(contest, QStringLiteral("bench-contest"));
            QsoStore store(db.connection());
            QVector<QsoRecord> records = test::makeContestLog(6000, Records).records;
            for (QsoRecord &r : records)
                r.id = 0;
            store.append(records);
        }
        bench::makeLog(generated, Records);
        QFile scp(ScpStore::defaultScpPath());
        if (scp.open(QIODevice::ReadOnly))
            known = readScp(scp.readAll()).calls;
    }
};

Logs &logs()
{
    static Logs l;
    return l;
}

void readOnly(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        Database db(path, QStringLiteral("bench-read"));
        QsoStore store(db.connection());
        QVector<QsoRecord> records;
        records.reserve(Records);
        store.forEach([&records](const QsoRecord &r) { records.append(r); });
        if (records.size() != Records)
            state.SkipWithError("records missing");
    }
}

void wholeCheck(benchmark::State &state, const QString &path, size_t *findings)
{
    for (auto _ : state) {
        const auto found = checkLogFile(path, Records, logs().known, {}, {});
        if (!found)
            state.SkipWithError("check stopped");
        else
            *findings = size_t(found->size());
    }
}

void BM_ReadContest(benchmark::State &s) { readOnly(s, logs().contest); }
void BM_CheckContest(benchmark::State &s) { wholeCheck(s, logs().contest, &logs().contestFindings); }
void BM_ReadGenerated(benchmark::State &s) { readOnly(s, logs().generated); }
void BM_CheckGenerated(benchmark::State &s) { wholeCheck(s, logs().generated, &logs().generatedFindings); }

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    logs();
    for (auto [name, fn] : {std::pair{"read_contest_log", BM_ReadContest}, {"check_contest_log", BM_CheckContest},
                            {"read_generated_log", BM_ReadGenerated}, {"check_generated_log", BM_CheckGenerated}})
        benchmark::RegisterBenchmark(name, fn)->Repetitions(3)->Iterations(1)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    const auto ms = bench::runBenchmarks(argc, argv);
    auto figure = [&ms](const char *name) {
        const auto it = ms.find(name);
        return it == ms.end() ? 1e9 : it->second;
    };
    std::printf("\nknown calls (MASTER.SCP): %d; findings: contest log %zu, generated log %zu\n",
                int(logs().known.size()), logs().contestFindings, logs().generatedFindings);
    bench::Summary s;
    s.add(QStringLiteral("reading 100,000 records (baseline, contest)"), figure("read_contest_log") / 1000, QStringLiteral("s"),
          QStringLiteral("-"), true);
    s.add(QStringLiteral("whole check, contest log of 100,000"), figure("check_contest_log") / 1000, QStringLiteral("s"),
          QStringLiteral("< 2 s"), figure("check_contest_log") < 2000);
    s.add(QStringLiteral("reading 100,000 records (baseline, generated)"), figure("read_generated_log") / 1000,
          QStringLiteral("s"), QStringLiteral("-"), true);
    s.add(QStringLiteral("whole check, generated log of 100,000"), figure("check_generated_log") / 1000, QStringLiteral("s"),
          QStringLiteral("< 2 s"), figure("check_generated_log") < 2000);
    s.print();
    return 0;
}
