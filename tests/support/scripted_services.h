#pragma once
// Scripted seams for tests: prompts that record what they were asked and answer from a script,
// a clock set by the test, a system clock that only records, and a shell that only records.
// The clocks, the shell and the relauncher serve core tests too; ScriptedPrompts and TestContext
// run windows and are defined in ui/scripted_services.cpp (vireo_test_support).

#include "base/captions.h"
#include "base/services.h"

#include <QDateTime>
#ifdef QT_WIDGETS_LIB
#include <QDialog> // for the window tests' onModal, as ever
#endif
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace vireo::test {

struct Shown {
    QString kind; // "information", "error", "warning", "yesno", "okcancel", "save", "open", "modal"
    QString caption; // error caption, dialog title or window objectName
    QString text;
};

class ScriptedPrompts : public Prompts {
public:
    QList<Shown> shown;
    QList<bool> answers; // for askYesNo / askOkCancel; empty means "No"/"Cancel"
    QStringList fileNames; // for save/open dialogs; empty means cancelled
    // Called instead of running a modal window; may drive the dialog. Returns its result.
    std::function<int(QDialog &)> onModal;

    void information(const QString &text) override
    {
        shown.append({QStringLiteral("information"), noticeCaption(), text});
    }
    void error(const QString &caption, const QString &text) override
    {
        shown.append({QStringLiteral("error"), caption, text});
    }
    void warning(const QString &text) override { shown.append({QStringLiteral("warning"), noticeCaption(), text}); }
    bool askYesNo(const QString &text) override
    {
        shown.append({QStringLiteral("yesno"), QString(), text});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    bool askOkCancel(const QString &text) override
    {
        shown.append({QStringLiteral("okcancel"), QString(), text});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    QString saveFileName(const QString &title, const QString &preset, const QString &filter) override
    {
        shown.append({QStringLiteral("save"), title, preset + QLatin1Char('|') + filter});
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    QString openFileName(const QString &title, const QString &dir, const QString &filter) override
    {
        shown.append({QStringLiteral("open"), title, dir + QLatin1Char('|') + filter});
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    int showModal(QDialog &dialog) override;

    // Texts of every box of one kind, in order.
    QStringList texts(const QString &kind) const
    {
        QStringList t;
        for (const Shown &s : shown)
            if (s.kind == kind)
                t << s.text;
        return t;
    }
};

class FixedClock : public UtcClock {
public:
    QDateTime now = QDateTime(QDate(2026, 3, 5), QTime(7, 4, 9), Qt::UTC);
    QDateTime nowUtc() const override { return now; }
};

class RecordingSystemClock : public SystemClock {
public:
    QList<QDateTime> set;
    int result = 0; // errno to return
    int setUtc(const QDateTime &utc) override
    {
        if (result == 0)
            set.append(utc);
        return result;
    }
};

class RecordingShell : public Shell {
public:
    QList<QUrl> opened;
    QList<QStringList> started; // program first, then its arguments
    QStringList shownInFolder;
    bool startResult = true; // what startProgram answers
    bool openUrl(const QUrl &url) override
    {
        opened.append(url);
        return true;
    }
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        started.append(QStringList{program} + arguments);
        return startResult;
    }
    bool showInFolder(const QString &filePath) override
    {
        shownInFolder.append(filePath);
        return true;
    }
};

// Records the starts asked for; onRelaunch runs at the moment of each (to look at the files then).
class RecordingRelauncher : public Relauncher {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };
    QList<Start> started;
    bool result = true;
    std::function<void()> onRelaunch;
    bool relaunch(const QString &program, const QStringList &arguments, const QString &workingDirectory) override
    {
        started.append({program, arguments, workingDirectory});
        if (onRelaunch)
            onRelaunch();
        return result;
    }
};

// A context in a fresh temporary directory: settings.ini and vireolog.db inside it, the real
// country file for the prefix table, scripted seams, no rig server.
struct TestContext {
    QTemporaryDir dir;
    std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
    std::shared_ptr<FixedClock> clock = std::make_shared<FixedClock>();
    std::shared_ptr<RecordingSystemClock> systemClock = std::make_shared<RecordingSystemClock>();
    std::shared_ptr<RecordingShell> shell = std::make_shared<RecordingShell>();
    std::shared_ptr<RecordingRelauncher> relauncher = std::make_shared<RecordingRelauncher>();
    QStringList trace;
    AppContext context;

    TestContext();
    QString path(const QString &name) const { return dir.filePath(name); }
};

// Settings of a listener past the first run (call UA1SWL, contest TEST): the program starts
// without its first-run dialog.
void writeKnownListener(const QString &settingsPath);

} // namespace vireo::test
