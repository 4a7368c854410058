// The cost of recording the receiver's audio, against a PulseAudio of the benchmark's own whose
// sine source stands in for the receiver (it runs in real time in the server): the processor
// time of the recording (the whole process, and the recording thread alone) beside the same
// process idle, and the keystroke and save figures of the main window on a 100,000-record log
// with the recording off and on, in alternating blocks of the same run. Also a save of the store
// with the instant of the save beside one without.

#include "bench_support.h"

#include "app/program.h"
#include "app/tmain.h"
#include "audio/audio_settings.h"
#include "audio/pulse_server.h"
#include "audio/ui/audio_service.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace vireo;

namespace {

double processCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Processor time of the thread with that name (utime + stime in /proc), in ms; -1 if none.
double namedThreadCpuMs(const QByteArray &name)
{
    const long tick = sysconf(_SC_CLK_TCK);
    for (const QString &tid : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(tid));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != name)
            continue;
        QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(tid));
        if (!stat.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray s = stat.readAll();
        const QList<QByteArray> f = s.mid(s.lastIndexOf(')') + 2).split(' ');
        // Fields 14 and 15 of the line, counted after the name: utime, stime.
        return (f.value(11).toDouble() + f.value(12).toDouble()) * 1000.0 / double(tick);
    }
    return -1;
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void setRecording(AudioService &audio, bool on)
{
    if (audio.isRecording() == on)
        return;
    AudioSettings s = audio.settings();
    s.record = on;
    audio.apply(s);
    QElapsedTimer t;
    t.start();
    while (audio.isRecording() != on && t.elapsed() < 10000)
        runFor(20);
    runFor(1000); // the recording settles
}

QStringList keystrokes(int i)
{
    const QString call = bench::callOf(i);
    QStringList keys;
    for (int k = 1; k <= call.size(); ++k)
        keys << call.left(k);
    return keys;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("VIREO_TEST_TOOLS"))
        qputenv("VIREO_TEST_TOOLS", VIREO_TEST_TOOLS_DIR);
    QApplication app(argc, argv);
    test::PulseServer server;
    if (!server.ok()) {
        std::fprintf(stderr, "bench_audio: no sound server of its own: %s\n", qPrintable(server.error()));
        return 1;
    }
    server.exportToProcess();
    if (server.run(QStringLiteral("pactl"), {QStringLiteral("load-module"), QStringLiteral("module-sine-source"),
                                             QStringLiteral("source_name=receiver"), QStringLiteral("frequency=1000"),
                                             QStringLiteral("rate=48000")})
        != 0) {
        std::fprintf(stderr, "bench_audio: the sine source could not be loaded\n");
        return 1;
    }

    constexpr int Records = 100000;
    test::TestContext t;
    const QString path = t.path(QStringLiteral("vireolog.db"));
    bench::makeLog(path, Records);
    t.context.databasePath = path;
    // The recorder stamps its samples with the clock: one that runs.
    t.context.services.utcClock = std::make_shared<test::ShiftedClock>();
    test::writeKnownListener(t.context.settingsPath);
    AudioSettings settings;
    settings.input = QStringLiteral("receiver");
    settings.write(t.context.settingsPath);
    Program program(t.context);
    TMain &m = program.main();
    const test::MainControls ui(m);
    ui.Timer1->stop();
    m.show();
    m.Timer1Timer();
    QApplication::processEvents();
    AudioService &audio = program.audio(); // the main window's own, started with it

    // 1. Processor time: the process idle, then recording, 20 s each.
    constexpr int Window = 20000;
    runFor(1000);
    double c0 = processCpuMs();
    QElapsedTimer wall;
    wall.start();
    runFor(Window);
    const double idlePct = (processCpuMs() - c0) / double(wall.elapsed()) * 100.0;
    setRecording(audio, true);
    const double th0 = namedThreadCpuMs("audio recording");
    c0 = processCpuMs();
    wall.restart();
    runFor(Window);
    const double recordingPct = (processCpuMs() - c0) / double(wall.elapsed()) * 100.0;
    const double threadPct = (namedThreadCpuMs("audio recording") - th0) / double(wall.elapsed()) * 100.0;
    const QStringList files = QDir(audio.folder()).entryList({QStringLiteral("*.opus")});
    qint64 bytes = 0;
    for (const QString &f : files)
        bytes += QFileInfo(QDir(audio.folder()).filePath(f)).size();
    const double recordedS = double(Window + 2000) / 1000.0;

    // 2. Keystrokes and saves of the main window, recording off and on in alternating blocks.
    const QStringList keys = keystrokes(Records / 2);
    std::vector<double> keyWall[2], keyCpu[2], saveWall[2];
    int saved = 0;
    for (int block = 0; block < 12; ++block) {
        const bool on = block % 2;
        setRecording(audio, on);
        for (int rep = 0; rep < 20; ++rep) {
            for (const QString &key : keys) {
                QElapsedTimer k;
                k.start();
                const double cpu = threadCpuMs();
                ui.edCall1->setText(key);
                keyCpu[on].push_back(threadCpuMs() - cpu);
                keyWall[on].push_back(k.nsecsElapsed() / 1e6);
            }
            QApplication::processEvents();
        }
        ui.edCall1->clear();
        for (int i = 0; i < 20; ++i) {
            ui.edCall1->setText(QStringLiteral("R%1AA").arg(saved % 10));
            ui.edNr1->setText(QString::number(saved++));
            ui.edCall2->setText(QStringLiteral("UA2XYZ"));
            ui.edNr2->setText(QStringLiteral("5"));
            QElapsedTimer s;
            s.start();
            m.SaveQso();
            QApplication::processEvents(); // the grid shows the new row
            saveWall[on].push_back(s.nsecsElapsed() / 1e6);
        }
    }
    setRecording(audio, false);

    // 3. The store's save with the instant of the save and without it.
    std::vector<double> append[2];
    for (int i = 0; i < 200; ++i) {
        const bool withInstant = i % 2;
        const QsoRecord r = test::Qso::plain().call1(bench::callOf(i + 2000000)).call2(QStringLiteral("UA2XYZ"));
        QElapsedTimer s;
        s.start();
        if (withInstant)
            m.qsos().append(QVector<QsoRecord>{r}, audio.now());
        else
            m.qsos().append(QVector<QsoRecord>{r});
        append[withInstant].push_back(s.nsecsElapsed() / 1e6);
    }

    const double kOff = bench::median(keyWall[0]), kOn = bench::median(keyWall[1]);
    const double kcOff = bench::median(keyCpu[0]), kcOn = bench::median(keyCpu[1]);
    const double sOff = bench::median(saveWall[0]), sOn = bench::median(saveWall[1]);
    const double aOff = bench::median(append[0]), aOn = bench::median(append[1]);
    std::printf("\nrecording 1000 Hz from the server's sine source, %d s windows:\n", Window / 1000);
    std::printf("  process idle %.2f %%, recording %.2f %% of one core: the recording costs %.2f %%\n", idlePct,
                recordingPct, recordingPct - idlePct);
    std::printf("  the recording thread alone: %.2f %% of one core\n", threadPct);
    std::printf("  %lld bytes in %d file(s) for about %.0f s: %.1f kbit/s, %.1f MB an hour\n", bytes, int(files.size()),
                recordedS, double(bytes) * 8 / recordedS / 1000, double(bytes) / recordedS * 3600 / 1e6);
    std::printf("main window, %d records, medians per keystroke (wall / processor) and per save (wall), "
                "alternating blocks:\n",
                Records);
    std::printf("  recording off: keystroke %7.1f / %7.1f us, save %6.2f ms\n", kOff * 1e3, kcOff * 1e3, sOff);
    std::printf("  recording on:  keystroke %7.1f / %7.1f us, save %6.2f ms\n", kOn * 1e3, kcOn * 1e3, sOn);
    std::printf("store save, median: without the instant %.3f ms, with it %.3f ms\n", aOff, aOn);

    bench::Summary s;
    s.add(QStringLiteral("recording, processor share of one core"), recordingPct - idlePct, QStringLiteral("%"),
          QStringLiteral("<= 3 %"), recordingPct - idlePct <= 3.0);
    s.add(QStringLiteral("keystroke recording on / off"), kOn / kOff, QStringLiteral("x"), QStringLiteral("<= 1.1"),
          kOn <= 1.1 * kOff);
    s.add(QStringLiteral("save recording on / off"), sOn / sOff, QStringLiteral("x"), QStringLiteral("<= 1.1"),
          sOn <= 1.1 * sOff);
    s.add(QStringLiteral("store save with the instant / without"), aOn / aOff, QStringLiteral("x"),
          QStringLiteral("(reference)"), true);
    s.print();
    return 0;
}
