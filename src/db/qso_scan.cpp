#include "db/qso_scan.h"

#include "base/error.h"
#include "db/sqlite_handle.h"

#include <QStringEncoder>

#include <sqlite3.h>

#include <memory>

namespace vireo {

namespace {

QString text(sqlite3_stmt *s, int column)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(s, column));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(s, column)) : QString();
}

[[noreturn]] void fail(sqlite3 *db, bool writing = false)
{
    throw Error((writing ? QStringLiteral("Ошибка записи в журнал: %1") : QStringLiteral("Ошибка чтения журнала: %1"))
                    .arg(QString::fromUtf8(sqlite3_errmsg(db))));
}

} // namespace

void scanQsos(const QSqlDatabase &db, const std::function<void(const QsoRecord &)> &visit)
{
    sqlite3 *handle = sqliteHandle(db);
    if (!handle)
        throw Error(QStringLiteral("Ошибка чтения журнала: база данных не открыта"));
    sqlite3_stmt *raw = nullptr;
    const char *statement = "SELECT id, freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, band, tur, radio"
                            " FROM qso ORDER BY id";
    if (sqlite3_prepare_v2(handle, statement, -1, &raw, nullptr) != SQLITE_OK)
        fail(handle);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> s(raw, sqlite3_finalize);
    QsoRecord r;
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        r.id = sqlite3_column_int64(raw, 0);
        r.freq = text(raw, 1);
        r.mode = text(raw, 2);
        r.data = text(raw, 3);
        r.time = text(raw, 4);
        r.call1 = text(raw, 5);
        r.rst1 = text(raw, 6);
        r.nr1 = text(raw, 7);
        r.call2 = text(raw, 8);
        r.rst2 = text(raw, 9);
        r.nr2 = text(raw, 10);
        r.band = text(raw, 11);
        r.tur = text(raw, 12);
        r.radio = text(raw, 13);
        visit(r);
    }
    if (rc != SQLITE_DONE)
        fail(handle);
}

int insertQsos(const QSqlDatabase &db, const std::function<bool(QsoRecord &)> &next)
{
    sqlite3 *handle = sqliteHandle(db);
    if (!handle)
        throw Error(QStringLiteral("Журнал открыт не через SQLite"));
    sqlite3_stmt *raw = nullptr;
    const char *statement = "INSERT INTO qso (freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, band, tur, radio)"
                            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    if (sqlite3_prepare_v2(handle, statement, -1, &raw, nullptr) != SQLITE_OK)
        fail(handle, true);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> s(raw, sqlite3_finalize);
    // The values of a row are encoded into one buffer, which SQLite reads in place: no copy and
    // no conversion of each value on its way into the file.
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    QByteArray buffer;
    int n = 0;
    QsoRecord r;
    while (next(r)) {
        const QString *v[] = {&r.freq, &r.mode, &r.data, &r.time, &r.call1, &r.rst1, &r.nr1,
                              &r.call2, &r.rst2, &r.nr2, &r.band, &r.tur, &r.radio};
        qsizetype space = 0;
        for (const QString *value : v)
            space += utf8.requiredSpace(value->size());
        if (buffer.size() < space + 1)
            buffer.resize(space + 1);
        char *const start = buffer.data();
        char *out = start;
        int i = 1;
        for (const QString *value : v) {
            char *const begin = out;
            out = utf8.appendToBuffer(out, *value);
            // Never NULL: an empty value is stored as empty text, as every other write does.
            if (sqlite3_bind_text(raw, i++, begin, int(out - begin), SQLITE_STATIC) != SQLITE_OK)
                fail(handle, true);
        }
        if (sqlite3_step(raw) != SQLITE_DONE)
            fail(handle, true);
        sqlite3_reset(raw);
        ++n;
        r = QsoRecord();
    }
    return n;
}

} // namespace vireo
