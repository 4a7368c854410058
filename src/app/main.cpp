// Vireo: a contest log for short-wave listeners.

#include "app/app_folders_setup.h"
#include "app/program.h"
#include "app/real_services.h"
#include "app/tmain.h"
#include "base/captions.h"
#include "base/error.h"
#include "base/interface_language.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The general error display: an error that escapes a handler is shown, and the program goes on.
class VireoApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &e) {
            QMessageBox::critical(activeWindow(), vireo::errorCaption(), vireo::errorText(e));
        }
        return false;
    }
};

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
}

} // namespace

int main(int argc, char *argv[])
{
    VireoApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vireo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vireo"));
    // The window is laid out in pixels for a compact 11-pixel interface font.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    const vireo::AppFolders folders = vireo::resolveAppFolders(
        QCoreApplication::applicationDirPath(), QDir::currentPath(), QProcessEnvironment::systemEnvironment());
    try {
        vireo::enterAppFolders(folders);
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Vireo"), vireo::errorText(e));
        return 1;
    }
    // The interface's language is taken at start; a change in the settings counts from the next.
    vireo::installTranslations(app, vireo::languageFromSettings(folders.settingsPath));
    vireo::AppContext context;
    context.programDir = folders.programDir;
    context.settingsPath = folders.settingsPath;
    context.databasePath = folders.databasePath;
    context.sharedDataDir = folders.sharedDataDir;
    context.services = vireo::realServices(context.settingsPath);
    vireo::offerLegacyLog(folders, *context.services.prompts);

    std::unique_ptr<vireo::Program> program;
    bool closeWhenStarted = false;
    // The desktop ending the session, or Ctrl+C in a terminal, closes the main window the way
    // the Exit command does, so the settings are written. The handlers are in place before the
    // log is opened: a signal that arrives while the program starts is acted on once it runs.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [&program, &closeWhenStarted] {
            char c;
            [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &c, 1);
            if (program)
                program->main().close();
            else
                closeWhenStarted = true;
        });
        struct sigaction sa {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        for (int s : {SIGTERM, SIGINT, SIGHUP})
            sigaction(s, &sa, nullptr);
    }

    try {
        program = std::make_unique<vireo::Program>(context);
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, vireo::errorCaption(), vireo::errorText(e));
        return 1;
    }

    program->main().show();
    program->main().activateWindow();
    if (closeWhenStarted)
        QTimer::singleShot(0, &program->main(), [&program] { program->main().close(); });
    const int rc = app.exec();
    program.reset();
    return rc;
}
