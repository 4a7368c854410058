#pragma once
// The seams between the program and the world around it: message boxes and file dialogs, the two
// clocks, the desktop shell, the start of the program again and the rig-control server. The
// program passes the real ones (app/real_services.*); tests pass scripted ones, so no test shows a
// box, opens a dialog, starts a program or touches the computer's clock.

#include <QDateTime>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class QDialog;

namespace vireo {

class RigServer;

// Modal questions and notices. Every text is shown exactly as given.
class Prompts {
public:
    virtual ~Prompts() = default;
    // Information box with an OK button, caption "Vireo".
    virtual void information(const QString &text) = 0;
    // Error box with the error icon and an OK button.
    virtual void error(const QString &caption, const QString &text) = 0;
    // Warning box with an OK button, caption "Vireo".
    virtual void warning(const QString &text) = 0;
    // Yes/No question; true only for Yes.
    virtual bool askYesNo(const QString &text) = 0;
    // OK/Cancel confirmation; true only for OK.
    virtual bool askOkCancel(const QString &text) = 0;
    // Save dialog; an empty result means the user cancelled.
    virtual QString saveFileName(const QString &title, const QString &presetPath, const QString &filter) = 0;
    // Open dialog; an empty result means the user cancelled.
    virtual QString openFileName(const QString &title, const QString &directory, const QString &filter) = 0;
    // Shows one of the program's own windows modally and returns its result code.
    virtual int showModal(QDialog &dialog) = 0;
};

// The UTC time as the computer keeps it.
class UtcClock {
public:
    virtual ~UtcClock() = default;
    virtual QDateTime nowUtc() const = 0;
};

// Setting the computer's clock.
class SystemClock {
public:
    virtual ~SystemClock() = default;
    // Sets the clock to the given UTC time. Returns 0 on success, otherwise the errno value
    // (EPERM when the process lacks the right to set the clock).
    virtual int setUtc(const QDateTime &utc) = 0;
};

// Handing documents, addresses and programs to the desktop.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a document or address with the program the desktop associates with it.
    virtual bool openUrl(const QUrl &url) = 0;
    // Starts a program with its arguments, detached; never through a shell command line.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
    // Shows the folder of a file in the file manager with the file selected, or the folder
    // alone where no file manager offers that.
    virtual bool showInFolder(const QString &filePath) = 0;
};

// Starting the program again once this run has ended (after the first-run dialog).
class Relauncher {
public:
    virtual ~Relauncher() = default;
    // Starts the program file, detached, in the working directory with the arguments; false
    // when it could not be started.
    virtual bool relaunch(const QString &program, const QStringList &arguments, const QString &workingDirectory) = 0;
};

using RigServerFactory = std::function<std::unique_ptr<RigServer>()>;

// How rig control starts the rigctld of a radio that Vireo runs itself: the program, and the
// check of a serial device before it is handed over (0 when it may be opened for reading and
// writing, otherwise the errno that says why not; empty means the real check). Its durations
// (how long a starting rigctld may take, how long one ran before it died) are measured on a
// clock that is never set, so setting the computer's clock neither stretches nor cuts them;
// tests may put their own clock in its place.
struct RigProcessSeam {
    QString program = QStringLiteral("rigctld");
    std::function<int(const QString &device)> deviceAccess;
    std::function<qint64()> monotonicMs; // empty: the system's monotonic clock

    // Milliseconds on that clock; only differences mean anything.
    qint64 monotonicNow() const { return monotonicMs ? monotonicMs() : QDeadlineTimer::current().deadline(); }
};

struct Services {
    std::shared_ptr<Prompts> prompts;
    std::shared_ptr<UtcClock> utcClock;
    std::shared_ptr<SystemClock> systemClock;
    std::shared_ptr<Shell> shell;
    std::shared_ptr<Relauncher> relauncher;
    RigServerFactory rigServerFactory;
    RigProcessSeam rigProcess;
};

// What every window needs to know about where it runs.
struct AppContext {
    // The listener's own folder: beside the executable for a copy built into a folder, the data
    // folder (~/.local/share/Vireo) for an installed package (base/app_folders.h). Report files
    // are offered there.
    QString programDir;
    QString settingsPath; // programDir + "/settings.ini", or ~/.config/Vireo/settings.ini when installed
    QString databasePath; // vireolog.db, resolved against the current directory
    // What the program ships and only reads (the manual, the shipped contest definitions):
    // beside the executable, or <prefix>/share/vireo when installed. Empty: programDir.
    QString sharedDataDir;
    QString sharedData() const { return sharedDataDir.isEmpty() ? programDir : sharedDataDir; }
    Services services;
    // Called with "create Name" and "destroy Name" as windows are created and destroyed.
    std::function<void(const QString &)> trace;

    void traceEvent(const QString &event) const
    {
        if (trace)
            trace(event);
    }
};

} // namespace vireo
