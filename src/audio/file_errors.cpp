#include "audio/file_errors.h"

#include <cerrno>
#include <cstring>

namespace vireo::audiofile {

bool noRoom(int err)
{
    return err == ENOSPC || err == EDQUOT;
}

QString reason(int err)
{
    QString clause;
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        clause = QStringLiteral("на диске нет места");
        break;
    case EACCES:
    case EPERM:
        clause = QStringLiteral("нет прав на запись в папку");
        break;
    case EROFS:
        clause = QStringLiteral("диск открыт только для чтения");
        break;
    case EFBIG:
        clause = QStringLiteral("файл превысил допустимый размер");
        break;
    case ENOENT:
    case ENOTDIR:
        clause = QStringLiteral("папка не найдена");
        break;
    case EIO:
        clause = QStringLiteral("ошибка ввода-вывода диска");
        break;
    default:
        clause = QStringLiteral("ошибка записи");
        break;
    }
    return clause + QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(err)) + QLatin1Char(')');
}

} // namespace vireo::audiofile
