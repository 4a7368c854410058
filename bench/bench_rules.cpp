// The contest rules on a log of 100,000 records, each figure beside today's in the same run:
//  - a keystroke in the heard call field (the whole change handler) without rules and with them,
//    and the check of the record being typed that the rule line adds to it;
//  - a save at the end of the log without rules, and with rules and the score window open;
//  - scoring the whole log afresh (read from the file and scored), beside the bare read.
// Blocks of each pair alternate so that both see the same load of the machine; medians.

#include "bench_support.h"

#include "app/program.h"
#include "app/tmain.h"
#include "contest/ui/tfmcontest.h"
#include "contest_rules/rule_catalogue.h"
#include "contest_rules/rules_tracker.h"
#include "contest_rules/ui/rule_line.h"
#include "contest_rules/ui/tscore.h"
#include "db/qso_scan.h"
#include "db/qso_store.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <memory>

using namespace vireo;

namespace {

constexpr int Records = 100000;

double ms(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

rules::Definition benchRules()
{
    // WAE: the heard call once per band, countries per band weighted by band; with the
    // correspondent's limits of the other contests added, so that every kind of limit is counted.
    std::optional<rules::Definition> d =
        rules::Catalogue::read({QStringLiteral(VIREO_SOURCE_DIR "/contests")}).find(QStringLiteral("wae-dx.json"));
    if (!d)
        qFatal("wae-dx.json does not read");
    rules::Limit gap;
    gap.kind = rules::Limit::Kind::Gap;
    gap.station = rules::Station::Correspondent;
    gap.minutes = 5;
    gap.per = *rules::scopeFromName(QStringLiteral("band"));
    rules::Limit run = gap;
    run.kind = rules::Limit::Kind::Run;
    run.count = 5;
    run.per = rules::Scope{};
    rules::Limit max = gap;
    max.kind = rules::Limit::Kind::Max;
    max.count = 10;
    d->limits << gap << run << max;
    rules::Multiplier zones;
    zones.kind = rules::Multiplier::Kind::CqZone;
    zones.station = rules::Station::Both;
    zones.per = *rules::scopeFromName(QStringLiteral("band-mode"));
    d->multipliers << zones;
    return *d;
}

QsoRecord newRecord(int i)
{
    QsoRecord r;
    r.freq = QStringLiteral("14025");
    r.mode = QStringLiteral("CW");
    r.data = QStringLiteral("31.12.2099"); // after every record of the log: a save at its end
    r.time = QStringLiteral("%1:%2").arg(i / 60 % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
    r.call1 = bench::callOf(i * 7);
    r.rst1 = QStringLiteral("599");
    r.nr1 = QString::number(i);
    r.call2 = bench::callOf(i * 13 + 1);
    r.rst2 = QStringLiteral("599");
    r.nr2 = QString::number(i + 1);
    r.band = QStringLiteral("20M");
    r.tur = QStringLiteral("0");
    r.radio = QStringLiteral("1");
    return r;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vireolog.db"));
    bench::makeLog(path, Records);
    test::TestContext t;
    t.context.databasePath = path;
    Program program(t.context);
    TMain &m = program.main();
    m.show();
    m.Timer1Timer();
    QApplication::processEvents();
    rules::RulesTracker &tracker = program.rulesTracker();
    bench::Summary summary;

    // ---- scoring the whole log afresh ----
    // Besides the clock on the wall, the processor time of this thread: on a machine busy with
    // other work the wall clock counts the waits for the processor too.
    std::vector<double> read, rescore, rescoreCpu;
    // The first time, as when the rules are chosen: nothing of the log is known yet.
    QElapsedTimer first;
    const double firstCpuBefore = threadCpuMs();
    first.start();
    tracker.setDefinition(benchRules());
    const double firstMs = ms(first), firstCpuMs = threadCpuMs() - firstCpuBefore;
    for (int k = 0; k < 5; ++k) {
        QElapsedTimer a;
        a.start();
        int n = 0;
        scanQsos(m.qsos().connection(), [&n](const QsoRecord &) { ++n; });
        read.push_back(ms(a));
        QElapsedTimer b;
        const double cpuBefore = threadCpuMs();
        b.start();
        tracker.reload();
        rescore.push_back(ms(b));
        rescoreCpu.push_back(threadCpuMs() - cpuBefore);
    }
    const double rescoreMs = bench::median(rescore), rescoreCpuMs = bench::median(rescoreCpu);
    std::printf("rules chosen over %d records (read and scored from nothing): %.1f ms (%.1f ms of processor time)\n",
                Records, firstMs, firstCpuMs);
    std::printf("full rescore of %d records: %.1f ms (%.1f ms of processor time; reading them alone: %.1f ms); "
                "%d refused, %d multipliers, claimed score %lld\n",
                Records, rescoreMs, rescoreCpuMs, bench::median(read), tracker.scorer()->refusedCount(),
                tracker.scorer()->multiplierCount(), static_cast<long long>(*tracker.claimedScore()));

    // ---- keystroke: the whole change handler without rules and with them (the rule line
    // checking the record at every change), and the rule line's own check ----
    const test::MainControls ui(m);
    rules::RuleLine &line = program.ruleLine();
    const QString call = bench::callOf(Records / 2);
    QStringList keys;
    for (int k = 1; k <= call.size(); ++k)
        keys << call.left(k);
    ui.edCall2->setText(bench::callOf(17));
    ui.edNr1->setText(QStringLiteral("001"));
    ui.edNr2->setText(QStringLiteral("015"));
    std::vector<double> today, withRules, check;
    for (int block = 0; block < 20; ++block) {
        const bool rulesOn = block % 2;
        tracker.setDefinition(rulesOn ? std::optional<rules::Definition>(benchRules()) : std::nullopt);
        for (int rep = 0; rep < 10; ++rep) {
            for (const QString &key : keys) {
                QElapsedTimer a;
                a.start();
                ui.edCall1->setText(key);
                (rulesOn ? withRules : today).push_back(ms(a));
                if (!rulesOn)
                    continue;
                if (line.text().isEmpty())
                    qFatal("the rule line said nothing");
                QElapsedTimer b;
                b.start();
                line.refresh();
                check.push_back(ms(b));
            }
        }
    }
    ui.edCall1->clear();
    const double todayMs = bench::median(today), rulesMs = bench::median(withRules), checkMs = bench::median(check);
    std::printf("keystroke: today %.3f ms, with rules %.3f ms (%+.3f ms); the rule line's check itself %.4f ms\n",
                todayMs, rulesMs, rulesMs - todayMs, checkMs);

    // ---- save at the end of the log: no rules, then rules with the score window open ----
    rules::TScore &window = program.score();
    std::vector<double> plain, scored, plainWrite, scoredWrite, plainCpu, scoredCpu;
    int next = 0;
    for (int block = 0; block < 10; ++block) {
        const bool withRules = block % 2;
        if (withRules) {
            tracker.setDefinition(benchRules());
            window.show();
        } else {
            window.hide();
            tracker.setDefinition(std::nullopt);
        }
        QApplication::processEvents();
        for (int k = 0; k < 30; ++k) {
            const QsoRecord r = newRecord(next++);
            QElapsedTimer a;
            const double cpuBefore = threadCpuMs();
            a.start();
            m.qsos().append(r);
            (withRules ? scoredWrite : plainWrite).push_back(ms(a));
            QApplication::processEvents(); // the windows drawn anew
            (withRules ? scored : plain).push_back(ms(a));
            (withRules ? scoredCpu : plainCpu).push_back(threadCpuMs() - cpuBefore);
        }
    }
    const double plainMs = bench::median(plain), scoredMs = bench::median(scored);
    const double plainCpuMs = bench::median(plainCpu), scoredCpuMs = bench::median(scoredCpu);
    std::printf("save at the end of the log: today %.3f ms; with rules and the score window open %.3f ms (%+.3f ms); "
                "the write with its listeners alone %.3f and %.3f ms; processor time %.3f and %.3f ms (%+.3f ms)\n",
                plainMs, scoredMs, scoredMs - plainMs, bench::median(plainWrite), bench::median(scoredWrite),
                plainCpuMs, scoredCpuMs, scoredCpuMs - plainCpuMs);

    summary.add(QStringLiteral("rules chosen: 100,000 records scored from nothing"), firstMs, QStringLiteral("ms"),
                QStringLiteral("at most 1000"), firstMs <= 1000);
    summary.add(QStringLiteral("full rescore of 100,000 records"), rescoreMs, QStringLiteral("ms"),
                QStringLiteral("at most 1000"), rescoreMs <= 1000);
    summary.add(QStringLiteral("full rescore of 100,000 records, processor time"), rescoreCpuMs, QStringLiteral("ms"),
                QStringLiteral("at most 1000"), rescoreCpuMs <= 1000);
    summary.add(QStringLiteral("rule line's check at a keystroke"), checkMs, QStringLiteral("ms"),
                QStringLiteral("at most 0.05"), checkMs <= 0.05);
    summary.add(QStringLiteral("save with the score window open, more than today"), scoredMs - plainMs,
                QStringLiteral("ms"), QStringLiteral("at most 1"), scoredMs - plainMs <= 1);
    summary.add(QStringLiteral("save with the score window open, more processor time than today"),
                scoredCpuMs - plainCpuMs, QStringLiteral("ms"), QStringLiteral("at most 1"),
                scoredCpuMs - plainCpuMs <= 1);
    summary.print();
    return 0;
}
