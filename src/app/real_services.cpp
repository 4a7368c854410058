#include "app/real_services.h"

#include "base/captions.h"
#include "rig/rig_server.h"
#include "rig/rigctld_client.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>

#include <cerrno>
#include <ctime>

namespace vireo {

namespace {

QWidget *owner()
{
    return QApplication::activeWindow();
}

class BoxPrompts : public Prompts {
public:
    void information(const QString &text) override { QMessageBox::information(owner(), noticeCaption(), text); }
    void error(const QString &caption, const QString &text) override { QMessageBox::critical(owner(), caption, text); }
    void warning(const QString &text) override { QMessageBox::warning(owner(), noticeCaption(), text); }
    bool askYesNo(const QString &text) override
    {
        return QMessageBox::question(owner(), questionCaption(), text, QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes;
    }
    bool askOkCancel(const QString &text) override
    {
        return QMessageBox::question(owner(), questionCaption(), text, QMessageBox::Ok | QMessageBox::Cancel)
               == QMessageBox::Ok;
    }
    QString saveFileName(const QString &title, const QString &presetPath, const QString &filter) override
    {
        return QFileDialog::getSaveFileName(owner(), title, presetPath, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }
    QString openFileName(const QString &title, const QString &directory, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(owner(), title, directory, filter);
    }
    int showModal(QDialog &dialog) override { return dialog.exec(); }
};

class QtUtcClock : public UtcClock {
public:
    QDateTime nowUtc() const override { return QDateTime::currentDateTimeUtc(); }
};

class RealtimeClock : public SystemClock {
public:
    int setUtc(const QDateTime &utc) override
    {
        const qint64 ms = utc.toMSecsSinceEpoch();
        timespec ts;
        ts.tv_sec = time_t(ms / 1000);
        ts.tv_nsec = long(ms % 1000) * 1000000L;
        if (ts.tv_nsec < 0) {
            ts.tv_sec -= 1;
            ts.tv_nsec += 1000000000L;
        }
        return clock_settime(CLOCK_REALTIME, &ts) == 0 ? 0 : errno;
    }
};

class DesktopShell : public Shell {
public:
    bool openUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        return QProcess::startDetached(program, arguments);
    }
    bool showInFolder(const QString &filePath) override
    {
        // The freedesktop.org file manager interface selects the file; without a file manager
        // that offers it, the folder opens as any folder does.
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected()) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
                QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
            call << QStringList{QUrl::fromLocalFile(filePath).toString()} << QString();
            if (bus.call(call, QDBus::Block, 3000).type() == QDBusMessage::ReplyMessage)
                return true;
        }
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(filePath).absolutePath()));
    }
};

class DetachedRelauncher : public Relauncher {
public:
    bool relaunch(const QString &program, const QStringList &arguments, const QString &workingDirectory) override
    {
        return QProcess::startDetached(program, arguments, workingDirectory);
    }
};

} // namespace

Services realServices(const QString &settingsPath)
{
    Services s;
    s.prompts = std::make_shared<BoxPrompts>();
    s.utcClock = std::make_shared<QtUtcClock>();
    s.systemClock = std::make_shared<RealtimeClock>();
    s.shell = std::make_shared<DesktopShell>();
    s.relauncher = std::make_shared<DetachedRelauncher>();
    s.rigServerFactory = [settingsPath, seam = s.rigProcess] { return makeRigctldServer(settingsPath, seam); };
    return s;
}

} // namespace vireo
