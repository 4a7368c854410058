#include "bench_support.h"

#include "db/database.h"
#include "db/qso_store.h"
#include "stationinfo/reference_files.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vireo::bench {

QString callOf(int i)
{
    static const char *const Prefixes[] = {"UA3", "RA9", "DL", "G", "JA1", "K", "VK2", "PY", "ZS6", "UR5", "SP", "OK1"};
    const char *p = Prefixes[i % 12];
    QString suffix;
    int v = i / 12;
    for (int k = 0; k < 3; ++k) {
        suffix.prepend(QChar('A' + v % 26));
        v /= 26;
    }
    return QString::fromLatin1(p) + QString::number(i % 10) + suffix;
}

void makeLog(const QString &path, int n)
{
    QFile::remove(path);
    Database::prepareFile(path, referenceFiles());
    Database db(path, QStringLiteral("bench-make"));
    QsoStore store(db.connection());
    static const char *const Bands[] = {"160M", "80M", "40M", "20M", "15M", "10M"};
    static const char *const Freqs[] = {"1800", "3500", "7000", "14000", "21000", "28000"};
    QVector<QsoRecord> batch;
    batch.reserve(5000);
    for (int i = 0; i < n; ++i) {
        QsoRecord r;
        const int b = i % 6;
        r.band = QString::fromLatin1(Bands[b]);
        r.freq = QString::fromLatin1(Freqs[b]);
        r.mode = i % 3 ? QStringLiteral("CW") : QStringLiteral("PH");
        r.data = QStringLiteral("05.03.2026");
        r.time = QStringLiteral("%1:%2").arg(i / 60 % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
        r.call1 = callOf(i);
        r.rst1 = QStringLiteral("599");
        r.nr1 = QString::number(i % 1000);
        r.call2 = callOf(i * 7 + 3);
        r.rst2 = QStringLiteral("599");
        r.nr2 = i % 2 ? QString::number(i % 700) : QString();
        r.tur = QString::number(i % 4);
        r.radio = QStringLiteral("1");
        batch.append(r);
        if (batch.size() == 5000) {
            store.append(batch);
            batch.clear();
        }
    }
    store.append(batch);
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

long peakRssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

void Summary::add(const QString &what, double figure, const QString &unit, const QString &goal, bool met)
{
    lines << QStringLiteral("%1: %2 %3   (goal: %4)   %5")
                 .arg(what, -44)
                 .arg(figure, 0, 'f', 3)
                 .arg(unit, goal, met ? QStringLiteral("met") : QStringLiteral("MISSED"));
    if (std::isnan(figure))
        met = false;
    allMet = allMet && met;
}

void Summary::print() const
{
    std::printf("\n---- figures against goals ----\n");
    for (const QString &l : lines)
        std::printf("%s\n", qPrintable(l));
    std::fflush(stdout);
}

} // namespace vireo::bench

namespace vireo::bench {

namespace {

class MedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs) {
            if (r.aggregate_name != "median")
                continue;
            const double seconds = r.real_accumulated_time / double(r.iterations);
            medians[r.run_name.function_name + (r.run_name.args.empty() ? "" : "/" + r.run_name.args)] = seconds * 1e3;
        }
    }
};

} // namespace

std::map<std::string, double> runBenchmarks(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return reporter.medians;
}

} // namespace vireo::bench
