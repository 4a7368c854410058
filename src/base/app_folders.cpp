#include "base/app_folders.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace vireo {

bool folderWritable(const QString &dir)
{
    const QByteArray path = QFile::encodeName(dir);
    return !path.isEmpty() && ::access(path.constData(), W_OK | X_OK) == 0;
}

namespace {

QString xdgFolder(const QProcessEnvironment &env, const char *variable, const char *fallback)
{
    // The XDG rules: the variable counts only when it holds an absolute path.
    const QString value = env.value(QString::fromLatin1(variable));
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(env.value(QStringLiteral("HOME")) + QLatin1Char('/') + QLatin1String(fallback));
}

bool fhsLayout(const QString &executableDir)
{
    const QDir bin(executableDir);
    return bin.dirName() == QLatin1String("bin") && QFileInfo(bin.filePath(QStringLiteral("../share/vireo"))).isDir();
}

} // namespace

AppFolders resolveAppFolders(const QString &executableDir, const QString &currentDir, const QProcessEnvironment &env,
                             const std::function<bool(const QString &)> &writable)
{
    AppFolders f;
    const QString home = env.value(QStringLiteral("HOME"));
    f.legacyLogPath = home.isEmpty() ? QString() : QDir(home).filePath(QStringLiteral("Vireo/vireolog.db"));
    f.installed = fhsLayout(executableDir) || !writable(executableDir);
    if (!f.installed) {
        f.programDir = executableDir;
        f.settingsPath = QDir(executableDir).filePath(QStringLiteral("settings.ini"));
        f.workingDir = currentDir;
        f.databasePath = QDir(currentDir).filePath(QStringLiteral("vireolog.db"));
        f.sharedDataDir = executableDir;
        return f;
    }
    const QString config = xdgFolder(env, "XDG_CONFIG_HOME", ".config") + QStringLiteral("/Vireo");
    const QString data = xdgFolder(env, "XDG_DATA_HOME", ".local/share") + QStringLiteral("/Vireo");
    f.programDir = data;
    f.settingsPath = config + QStringLiteral("/settings.ini");
    f.workingDir = data;
    f.databasePath = data + QStringLiteral("/vireolog.db");
    f.sharedDataDir = QDir::cleanPath(QDir(executableDir).filePath(QStringLiteral("../share/vireo")));
    // A legacy log in the data folder itself is the log in use, not one to take over.
    if (QDir::cleanPath(f.legacyLogPath) == QDir::cleanPath(f.databasePath))
        f.legacyLogPath.clear();
    return f;
}

} // namespace vireo
