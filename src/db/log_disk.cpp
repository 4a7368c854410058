#include "db/log_disk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace vireo::logdisk {

qint64 freeBytes(const QString &path)
{
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    if (!storage.isValid() || !storage.isReady())
        return -1;
    return storage.bytesAvailable();
}

bool full(const QString &path)
{
    const qint64 free = freeBytes(path);
    return free >= 0 && free < FullBelowBytes;
}

QString fullNotice(const QString &folder)
{
    return QCoreApplication::translate(
               "vireo::LogDisk",
               "На диске с журналом (%1) не осталось места: новые QSO не сохранятся, пока вы не освободите"
               " место на этом диске, — после этого запись пойдёт сама, перезапускать Vireo не нужно.\n"
               "Журнал открыт для просмотра, а отчёты можно записать в папку на другом диске.")
        .arg(QDir::toNativeSeparators(folder));
}

QString fullStatus()
{
    return QCoreApplication::translate("vireo::LogDisk", "Диск заполнен: QSO не сохранятся, пока не освободите место");
}

QString readOnlyNotice(const QString &path)
{
    return QCoreApplication::translate(
               "vireo::LogDisk",
               "Файл журнала %1 или его папка доступны только для чтения: новые QSO не сохранятся, пока вы"
               " не разрешите запись в них.\nЖурнал открыт для просмотра, а отчёты можно записать в другую"
               " папку.")
        .arg(QDir::toNativeSeparators(path));
}

QString readOnlyStatus()
{
    return QCoreApplication::translate("vireo::LogDisk", "Журнал только для чтения: QSO не сохранятся");
}

} // namespace vireo::logdisk
