#include "audio/file_errors.h"

#include <QCoreApplication>
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
        clause = QCoreApplication::translate("vireo::AudioFile", "на диске нет места");
        break;
    case EACCES:
    case EPERM:
        clause = QCoreApplication::translate("vireo::AudioFile", "нет прав на запись в папку");
        break;
    case EROFS:
        clause = QCoreApplication::translate("vireo::AudioFile", "диск открыт только для чтения");
        break;
    case EFBIG:
        clause = QCoreApplication::translate("vireo::AudioFile", "файл превысил допустимый размер");
        break;
    case ENOENT:
    case ENOTDIR:
        clause = QCoreApplication::translate("vireo::AudioFile", "папка не найдена");
        break;
    case EIO:
        clause = QCoreApplication::translate("vireo::AudioFile", "ошибка ввода-вывода диска");
        break;
    default:
        clause = QCoreApplication::translate("vireo::AudioFile", "ошибка записи");
        break;
    }
    return clause + QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(err)) + QLatin1Char(')');
}

} // namespace vireo::audiofile
