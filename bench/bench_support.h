#pragma once
// Logs of a given size for the benchmarks, and a summary of figures against their goals.

#include <QString>
#include <QStringList>

#include <vector>

namespace vireo::bench {

// Creates vireolog.db at path (with the real country table when it is installed) holding n QSOs
// of varied calls over several bands, modes and tours.
void makeLog(const QString &path, int n);

// The i-th call of the generated logs.
QString callOf(int i);

double median(std::vector<double> values);

// Peak resident memory of this process in kilobytes.
long peakRssKb();

// One line of the closing summary: "what: figure unit (goal ...) ok/MISSED".
struct Summary {
    QStringList lines;
    bool allMet = true;
    void add(const QString &what, double figure, const QString &unit, const QString &goal, bool met);
    void print() const;
};

} // namespace vireo::bench

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace vireo::bench {

// Runs the registered benchmarks with the console reporter and keeps the median of each
// (benchmarks are registered with repetitions), in milliseconds, by benchmark name.
std::map<std::string, double> runBenchmarks(int argc, char *argv[]);

} // namespace vireo::bench
