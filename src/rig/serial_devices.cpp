#include "rig/serial_devices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vireo::rig {

QStringList serialDevices(const QString &root)
{
    QStringList result;
    const QDir base(root);
    const QDir byId(base.filePath(QStringLiteral("dev/serial/by-id")));
    if (byId.exists()) {
        QStringList names = byId.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &n : names)
            result << byId.filePath(n);
    }
    const QDir dev(base.filePath(QStringLiteral("dev")));
    for (const char *pattern : {"ttyUSB*", "ttyACM*"}) {
        QStringList names =
            dev.entryList(QStringList{QLatin1String(pattern)}, QDir::Files | QDir::System, QDir::NoSort);
        // ttyUSB2 before ttyUSB10.
        std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;
        });
        for (const QString &n : names)
            result << dev.filePath(n);
    }
    return result;
}

QString deviceTarget(const QString &device)
{
    if (!device.contains(QLatin1String("/serial/by-id/")))
        return QString();
    const QFileInfo info(device);
    return info.isSymLink() ? info.canonicalFilePath() : QString();
}

int deviceAccessError(const QByteArray &encodedPath)
{
    struct stat st;
    if (::stat(encodedPath.constData(), &st) != 0)
        return errno;
    if (::access(encodedPath.constData(), R_OK | W_OK) != 0)
        return errno;
    return 0;
}

int deviceAccessError(const QString &device)
{
    return deviceAccessError(QFile::encodeName(device));
}

} // namespace vireo::rig
