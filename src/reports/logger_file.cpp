#include "reports/logger_file.h"

#include "base/cp1251.h"
#include "base/error.h"
#include "db/qso_scan.h"
#include "db/qso_store.h"
#include "reports/report_file.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

namespace vireo::loggerfile {

namespace {

// The columns in file order.
QString *column(QsoRecord &r, int i)
{
    QString *cols[13] = {&r.band, &r.freq, &r.mode, &r.data, &r.time, &r.call1, &r.rst1,
                         &r.nr1,  &r.call2, &r.rst2, &r.nr2, &r.tur,  &r.radio};
    return cols[i];
}

} // namespace

QString line(const QsoRecord &rec)
{
    QsoRecord r = rec;
    QString out;
    for (int i = 0; i < 13; ++i) {
        out += column(r, i)->trimmed();
        out += QLatin1Char(';');
    }
    return out;
}

QsoRecord parse(const QString &text)
{
    QsoRecord r;
    qsizetype pos = 0;
    for (int i = 0; i < 13; ++i) {
        const qsizetype semi = text.indexOf(QLatin1Char(';'), pos);
        if (semi < 0)
            break; // no ";" left: this and the remaining values stay empty
        *column(r, i) = text.mid(pos, semi - pos);
        pos = semi + 1;
    }
    return r;
}

WriteResult writeFile(const QString &path, QsoStore &qsos)
{
    ReportFile file(path);
    if (!file.open())
        return WriteResult::OpenFailed;
    scanQsos(qsos.connection(), [&](const QsoRecord &r) { file.writeLine(line(r)); });
    if (!file.close())
        return WriteResult::WriteFailed;
    return WriteResult::Ok;
}

Reader::Reader(const QString &path)
    : m_path(path), m_file(path)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw Error(QStringLiteral("\"%1\" — это папка, а не файл логгера.").arg(QDir::toNativeSeparators(path)));
    if (!info.exists())
        throw Error(QStringLiteral("Файл \"%1\" не найден.").arg(QDir::toNativeSeparators(path)));
    if (!m_file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось открыть файл \"%1\" для чтения: нет доступа к файлу или он занят.")
                        .arg(QDir::toNativeSeparators(path)));
}

void Reader::fail(const QString &what) const
{
    throw Error(QStringLiteral("Файл \"%1\", строка %2: %3").arg(QDir::toNativeSeparators(m_path)).arg(m_line).arg(what));
}

bool Reader::next(QString &text)
{
    if (m_file.atEnd())
        return false;
    // One buffer for every line: the line, its line end and the terminating zero readLine adds.
    if (m_buffer.isEmpty())
        m_buffer.resize(MaxLineBytes + 3);
    qint64 size = m_file.readLine(m_buffer.data(), m_buffer.size());
    ++m_line;
    if (size <= 0)
        fail(QStringLiteral("ошибка чтения файла."));
    const char *bytes = m_buffer.constData();
    if (bytes[size - 1] == '\n')
        --size;
    else if (size > MaxLineBytes)
        fail(QStringLiteral("строка длиннее %1 байт, это не файл логгера.").arg(MaxLineBytes));
    if (size > 0 && bytes[size - 1] == '\r')
        --size;
    if (size > MaxLineBytes)
        fail(QStringLiteral("строка длиннее %1 байт, это не файл логгера.").arg(MaxLineBytes));
    if (std::memchr(bytes, '\0', size_t(size)))
        fail(QStringLiteral("файл содержит двоичные данные, это не файл логгера."));
    text = cp1251::decode(QByteArray::fromRawData(bytes, size));
    return true;
}

int import(const QString &path, QsoStore &qsos, bool deleteFirst)
{
    Reader reader(path); // opened before anything is deleted
    QString text;
    bool any = false;
    return qsos.import(deleteFirst, [&](QsoRecord &r) {
        if (!reader.next(text)) {
            // An empty file would replace the whole log with nothing: refuse it.
            if (!any)
                throw Error(QStringLiteral("Файл %1 пуст: в нём нет ни одной записи.").arg(path));
            return false;
        }
        any = true;
        r = parse(text);
        return true;
    });
}

} // namespace vireo::loggerfile
