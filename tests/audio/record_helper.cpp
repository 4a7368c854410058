// A recording in a process of its own, for the tests that kill it: the program's audio service
// recording as settings.ini says, with a clock shifted by the given milliseconds.
//   audio_record_helper SETTINGS LOG SHIFT_MS [FILE_LIMIT_BYTES]
// Prints "recording" once the recording runs and "problem: ..." for each message; a line
// "stop" on its input ends the recording properly and the program.

#include "audio/pulse_server.h"
#include "audio/ui/audio_service.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

using namespace vireo;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: audio_record_helper SETTINGS LOG SHIFT_MS [FILE_LIMIT_BYTES]\n");
        return 2;
    }
    if (args.size() > 4) {
        // Files may not grow beyond this: a write past it fails as on a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = rlim_t(args.at(4).toLongLong());
        const rlimit r{limit, limit};
        setrlimit(RLIMIT_FSIZE, &r);
    }
    auto clock = std::make_shared<test::ShiftedClock>(args.at(3).toLongLong());
    auto *service = new AudioService(args.at(1), args.at(2), clock);
    QObject::connect(service, &AudioService::recordingChanged, [](bool on) {
        std::printf("%s\n", on ? "recording" : "not recording");
        std::fflush(stdout);
    });
    QObject::connect(service, &AudioService::problem, [](const QString &text) {
        std::printf("problem: %s\n", text.toUtf8().constData());
        std::fflush(stdout);
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[64] = {};
        const ssize_t n = ::read(STDIN_FILENO, line, sizeof line - 1);
        if (n <= 0 || QByteArray(line).startsWith("stop")) {
            delete service;
            service = nullptr;
            std::printf("stopped\n");
            std::fflush(stdout);
            app.quit();
        }
    });
    service->start();
    return app.exec();
}
