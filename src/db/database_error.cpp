#include "db/database_error.h"

#include <sqlite3.h>

#include <QCoreApplication>

namespace vireo {

namespace {

QString advice(int code)
{
    switch (code & 0xff) {
    case SQLITE_FULL:
        return QCoreApplication::translate(
            "vireo::DatabaseError",
            "на диске нет места, запись в журнал не удалась — освободите место на диске и повторите");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QCoreApplication::translate("vireo::DatabaseError",
                                           "файл журнала или его папка доступны только для чтения, запись не удалась —"
                                           " разрешите запись в файл и папку или перенесите журнал и повторите");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QCoreApplication::translate(
            "vireo::DatabaseError", "журнал дольше пяти секунд занят другой программой — закройте её или дождитесь,"
                                    " пока она закончит, и повторите");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QCoreApplication::translate("vireo::DatabaseError",
                                           "файл журнала повреждён — восстановите журнал из резервной копии"
                                           " в меню «Журнал»");
    case SQLITE_NOMEM:
        return QCoreApplication::translate("vireo::DatabaseError",
                                           "не хватило памяти — закройте другие программы и повторите");
    case SQLITE_IOERR:
        return QCoreApplication::translate("vireo::DatabaseError",
                                           "диск не дал прочитать или записать журнал — проверьте диск и повторите");
    case SQLITE_CANTOPEN:
        return QCoreApplication::translate(
            "vireo::DatabaseError", "файл журнала не открывается — проверьте, что он и его папка на месте и доступны");
    case SQLITE_TOOBIG:
        return QCoreApplication::translate("vireo::DatabaseError",
                                           "значение слишком велико для журнала — сократите его и повторите");
    default:
        return QCoreApplication::translate(
            "vireo::DatabaseError",
            "база данных журнала отказала — повторите, а если ошибка не пройдёт, перезапустите Vireo");
    }
}

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

} // namespace

DatabaseError::DatabaseError(int code, const QString &detail)
    : Error(sentence(code, detail), ErrorKind::Database), m_code(code), m_detail(detail)
{
}

DatabaseError::DatabaseError(int code, const QString &detail, const QString &what)
    : Error(what.arg(reason(code, detail)) + QLatin1Char('.'), ErrorKind::Database), m_code(code), m_detail(detail)
{
}

bool DatabaseError::cannotWrite() const
{
    switch (m_code & 0xff) {
    case SQLITE_FULL:
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return true;
    default:
        return false;
    }
}

bool DatabaseError::diskFull() const
{
    return (m_code & 0xff) == SQLITE_FULL;
}

QString DatabaseError::reason(int code, const QString &detail)
{
    const QString english = detail.trimmed();
    return english.isEmpty() ? advice(code) : advice(code) + QStringLiteral(" (") + english + QLatin1Char(')');
}

QString DatabaseError::sentence(int code, const QString &detail)
{
    return capitalised(reason(code, detail)) + QLatin1Char('.');
}

int sqliteCodeOf(const QString &nativeErrorCode)
{
    bool ok = false;
    const int code = nativeErrorCode.trimmed().toInt(&ok);
    return ok ? code : 0;
}

} // namespace vireo
