#pragma once
// What the database layer tells the listener when SQLite refuses: one Russian sentence saying
// what happened and what to do, SQLite's own English words after it in brackets. The result
// code stays with the error, so that callers can tell a full disk or a read-only file (which a
// later try may overcome) from a damaged file.

#include "base/error.h"

#include <QString>

namespace vireo {

class DatabaseError : public Error {
public:
    // code: SQLite's result code (extended codes allowed); detail: SQLite's own message.
    DatabaseError(int code, const QString &detail);
    // The same fault, told with what was being done: "Ошибка записи в журнал: %1" and the like,
    // whose %1 becomes the reason.
    DatabaseError(int code, const QString &detail, const QString &what);

    int code() const { return m_code; }
    // The reason as a clause, for a sentence of the caller's.
    QString reason() const { return reason(m_code, m_detail); }
    // The file cannot be written now: no room on the disk, or the file or its folder is read-only.
    bool cannotWrite() const;
    bool diskFull() const;

    // "на диске нет места, запись не удалась: освободите место на диске и повторите
    // (database or disk is full)": the reason as a clause, for a sentence of the caller's.
    static QString reason(int code, const QString &detail);
    // The reason as a whole sentence.
    static QString sentence(int code, const QString &detail);

private:
    int m_code;
    QString m_detail;
};

// SQLite's primary result code in a Qt SQL error's native code ("13", "5", ...); 0 when absent.
int sqliteCodeOf(const QString &nativeErrorCode);

} // namespace vireo
