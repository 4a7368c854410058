#include "db/qso_scan.h"

#include "db/sqlite_handle.h"

#include <QCoreApplication>
#include <QStringEncoder>

#include <sqlite3.h>

#include <algorithm>
#include <limits>
#include <utility>

namespace vireo {

void scanQsos(const QSqlDatabase &db, const std::function<void(const QsoRecord &)> &visit)
{
    SqliteStatement s(db,
                      "SELECT id, freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, band, tur, radio"
                      " FROM qso ORDER BY id",
                      QCoreApplication::translate("vireo::QsoScan", "Ошибка чтения журнала: %1"));
    QsoRecord r;
    while (s.nextRow()) {
        r.id = sqlite3_column_int64(s.get(), 0);
        int column = 1;
        for (QString *value : r.columns())
            *value = s.text(column++);
        visit(r);
    }
}

void scanQsosInChunks(const QSqlDatabase &db, int chunk, const std::function<void(const QsoRecord &)> &visit)
{
    SqliteStatement s(db,
                      "SELECT id, freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, band, tur, radio"
                      " FROM qso WHERE id > ? ORDER BY id LIMIT ?",
                      QCoreApplication::translate("vireo::QsoScan", "Ошибка чтения журнала: %1"));
    QsoRecord r;
    qint64 after = std::numeric_limits<qint64>::min();
    for (;;) {
        sqlite3_reset(s.get());
        if (sqlite3_bind_int64(s.get(), 1, after) != SQLITE_OK
            || sqlite3_bind_int(s.get(), 2, std::max(1, chunk)) != SQLITE_OK)
            s.fail();
        int n = 0;
        while (s.nextRow()) {
            r.id = sqlite3_column_int64(s.get(), 0);
            int column = 1;
            for (QString *value : r.columns())
                *value = s.text(column++);
            after = r.id;
            ++n;
            visit(r);
        }
        if (n < std::max(1, chunk))
            return;
    }
}

int insertQsoTexts(const QSqlDatabase &db, const std::function<bool(QsoTexts &)> &next)
{
    SqliteStatement s(db,
                      "INSERT INTO qso (freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, band, tur, radio)"
                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                      QCoreApplication::translate("vireo::QsoScan", "Ошибка записи в журнал: %1"));
    // SQLite reads the values in place: no copy and no conversion on their way into the file.
    static const char Empty[] = "";
    int n = 0;
    QsoTexts values;
    while (next(values)) {
        int i = 1;
        for (const QByteArrayView v : values) {
            // Never NULL: an empty value is stored as empty text, as every other write does.
            if (sqlite3_bind_text(s.get(), i++, v.isEmpty() ? Empty : v.data(), int(v.size()), SQLITE_STATIC)
                != SQLITE_OK)
                s.fail();
        }
        s.run();
        ++n;
    }
    return n;
}

int insertQsos(const QSqlDatabase &db, const std::function<bool(QsoRecord &)> &next)
{
    // The values of a row are encoded into one buffer.
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    QByteArray buffer;
    QsoRecord r;
    return insertQsoTexts(db, [&](QsoTexts &values) {
        r = QsoRecord();
        if (!next(r))
            return false;
        const auto v = std::as_const(r).columns();
        qsizetype space = 0;
        for (const QString *value : v)
            space += utf8.requiredSpace(value->size());
        if (buffer.size() < space + 1)
            buffer.resize(space + 1);
        char *out = buffer.data();
        for (size_t i = 0; i < v.size(); ++i) {
            char *const begin = out;
            out = utf8.appendToBuffer(out, *v[i]);
            values[i] = QByteArrayView(begin, out - begin);
        }
        return true;
    });
}

} // namespace vireo
