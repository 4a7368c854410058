// Start-up to the shown main window, with an empty log and a log of 100,000 QSOs: time and peak
// memory, each measured in a fresh process.

#include "bench_support.h"

#include "app/program.h"
#include "app/tmain.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace vireo;

namespace {

int child(const QString &db)
{
    QElapsedTimer timer;
    timer.start();
    test::TestContext t;
    t.context.databasePath = db;
    Program program(t.context);
    program.main().show();
    QApplication::processEvents();
    program.main().repaint();
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("%.3f %ld\n", ms, bench::peakRssKb());
    return 0;
}

struct Figure {
    double ms = 0;
    double kb = 0;
};

Figure measure(const QString &self, const QString &db, int runs)
{
    std::vector<double> ms, kb;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.start(self, {QStringLiteral("--child"), db});
        p.waitForFinished(120000);
        const QList<QByteArray> parts = p.readAllStandardOutput().trimmed().split(' ');
        if (parts.size() != 2)
            std::fprintf(stderr, "start-up run failed: %s\n", p.readAllStandardError().constData());
        if (parts.size() == 2) {
            ms.push_back(parts[0].toDouble());
            kb.push_back(parts[1].toDouble());
        }
    }
    return {bench::median(ms), bench::median(kb)};
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return child(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.db"));
    const QString big = dir.filePath(QStringLiteral("big.db"));
    bench::makeLog(empty, 0);
    bench::makeLog(big, 100000);
    const QString self = QCoreApplication::applicationFilePath();
    const Figure e = measure(self, empty, 7);
    const Figure b = measure(self, big, 7);
    std::printf("start-up, empty log:       %8.1f ms  peak %8.0f kB\n", e.ms, e.kb);
    std::printf("start-up, 100,000 records: %8.1f ms  peak %8.0f kB\n", b.ms, b.kb);
    bench::Summary s;
    s.add(QStringLiteral("start-up time 100k / empty"), b.ms / e.ms, QStringLiteral("x"), QStringLiteral("<= 1.5"),
          b.ms <= 1.5 * e.ms);
    s.add(QStringLiteral("start-up peak memory 100k / empty"), b.kb / e.kb, QStringLiteral("x"),
          QStringLiteral("<= 1.5"), b.kb <= 1.5 * e.kb);
    s.print();
    return 0;
}
