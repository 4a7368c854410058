// How long after the radio's frequency changes the frequency box of the main window shows it:
// a real rigctld with Hamlib's dummy radio, the real client at its default poll interval, the
// frequency set over a second connection at a random moment of the poll cycle.

#include "bench_support.h"

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "rig/rig_display.h"
#include "rig/rigctld_client.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>

using namespace vireo;

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

// Runs the event loop until done() or the time is up; true when done.
template <typename Done>
bool spin(Done done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const quint16 port = freePort();
    QProcess rigctld;
    rigctld.start(QStringLiteral("rigctld"),
                  {QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"), QStringLiteral("127.0.0.1"),
                   QStringLiteral("-t"), QString::number(port)});
    if (!rigctld.waitForStarted(5000)) {
        std::fprintf(stderr, "rigctld (libhamlib-utils) could not be started\n");
        return 1;
    }
    QTcpSocket knob;
    if (!spin(
            [&] {
                if (knob.state() == QAbstractSocket::UnconnectedState)
                    knob.connectToHost(QStringLiteral("127.0.0.1"), port);
                return knob.state() == QAbstractSocket::ConnectedState;
            },
            5000)) {
        std::fprintf(stderr, "rigctld does not answer on port %u\n", unsigned(port));
        return 1;
    }

    test::TestContext t;
    {
        IniFile ini(t.context.settingsPath);
        ini.writeInteger(QStringLiteral("Rig"), QStringLiteral("Port1"), port);
        ini.writeInteger(QStringLiteral("Rig"), QStringLiteral("Port2"), 0);
    }
    const QString settings = t.context.settingsPath;
    t.context.services.rigServerFactory = [settings] { return makeRigctldServer(settings); };
    Program program(t.context);
    TMain &m = program.main();
    const test::MainControls ui(m);
    if (!spin([&] { return ui.cbFreq->currentText() == QLatin1String("145 000"); }, 10000)) {
        std::fprintf(stderr, "the main window never followed the radio\n");
        return 1;
    }

    const int runs = 60;
    std::vector<double> ms;
    int lost = 0;
    for (int i = 0; i < runs; ++i) {
        // A random moment of the poll cycle.
        const int pause = int(QRandomGenerator::global()->bounded(RigctldSettings::DefaultPollMs + 1));
        QElapsedTimer idle;
        idle.start();
        spin([&] { return idle.elapsed() >= pause; }, pause + 100);

        const qint64 hz = 14000000 + 1000 * (i + 1) + (i % 2 ? 0 : 100000);
        const QString expected = rig::frequencyText(hz);
        knob.readAll();
        QElapsedTimer timer;
        timer.start();
        knob.write(QByteArray("F ") + QByteArray::number(hz) + '\n');
        if (!spin([&] { return ui.cbFreq->currentText() == expected; }, 5000)) {
            ++lost;
            continue;
        }
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    knob.write("q\n");
    knob.waitForBytesWritten(1000);
    knob.abort();

    std::sort(ms.begin(), ms.end());
    const double p95 = ms.empty() ? 0 : ms[std::min(ms.size() - 1, size_t(ms.size() * 0.95))];
    const double worst = ms.empty() ? 0 : ms.back();
    double mean = 0;
    for (double v : ms)
        mean += v;
    mean = ms.empty() ? 0 : mean / double(ms.size());
    std::printf("frequency change to the box, %zu changes, poll interval %d ms:\n", ms.size(),
                RigctldSettings::DefaultPollMs);
    std::printf("  min %.1f  median %.1f  mean %.1f  95%% %.1f  max %.1f ms;  not shown within 5 s: %d\n",
                ms.empty() ? 0 : ms.front(), bench::median(ms), mean, p95, worst, lost);

    bench::Summary s;
    s.add(QStringLiteral("rig frequency to cbFreq, median"), bench::median(ms), QStringLiteral("ms"),
          QStringLiteral("<= 250"), !ms.empty() && bench::median(ms) <= 250);
    s.add(QStringLiteral("rig frequency to cbFreq, worst"), worst, QStringLiteral("ms"), QStringLiteral("<= 1000"),
          lost == 0 && !ms.empty() && worst <= 1000);
    s.print();

    rigctld.terminate();
    rigctld.waitForFinished(5000);
    return 0;
}
