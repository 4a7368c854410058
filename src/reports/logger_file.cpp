#include "reports/logger_file.h"

#include "base/cp1251.h"
#include "base/error.h"
#include "db/qso_limits.h"
#include "db/qso_scan.h"
#include "db/qso_store.h"
#include "reports/report_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace vireo::loggerfile {

namespace {

// The columns in file order.
QString *fileColumn(QsoRecord &r, int i)
{
    QString *cols[13] = {&r.band, &r.freq,  &r.mode, &r.data, &r.time, &r.call1, &r.rst1,
                         &r.nr1,  &r.call2, &r.rst2, &r.nr2,  &r.tur,  &r.radio};
    return cols[i];
}

} // namespace

QString line(const QsoRecord &rec)
{
    QsoRecord r = rec;
    QString out;
    for (int i = 0; i < 13; ++i) {
        out += fileColumn(r, i)->trimmed();
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
        *fileColumn(r, i) = text.mid(pos, semi - pos);
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

namespace {

struct Place {
    const char *name; // as the listener knows the column: the grid's title or its meaning
    int limit;
};

// The places of a line, in file order.
const Place Places[13] = {
    {QT_TRANSLATE_NOOP("vireo::LoggerFile", "диапазон"), qsolimits::Band},
    {QT_TRANSLATE_NOOP("vireo::LoggerFile", "частота"), qsolimits::Freq},
    {QT_TRANSLATE_NOOP("vireo::LoggerFile", "вид связи"), qsolimits::Mode},
    {QT_TRANSLATE_NOOP("vireo::LoggerFile", "дата"), qsolimits::Date},
    {QT_TRANSLATE_NOOP("vireo::LoggerFile", "время"), qsolimits::Time},
    {"CALL-1", qsolimits::Call},
    {"RST-1", qsolimits::Rst},
    {"NR-1", qsolimits::Nr},
    {"CALL-2", qsolimits::Call},
    {"RST-2", qsolimits::Rst},
    {"NR-2", qsolimits::Nr},
    {QT_TRANSLATE_NOOP("vireo::LoggerFile", "тур"), qsolimits::Tour},
    {QT_TRANSLATE_NOOP("vireo::LoggerFile", "радио"), qsolimits::Radio},
};

} // namespace

int maxLength(int position)
{
    return position >= 0 && position < 13 ? Places[position].limit : 0;
}

QString lineFault(QByteArrayView text)
{
    if (text.isEmpty())
        return QCoreApplication::translate(
            "vireo::LoggerFile",
            "пустая строка, а в каждой строке должна быть запись из 13 значений, каждое со знаком «;» после него.");
    if (std::memchr(text.data(), '\0', size_t(text.size())))
        return QCoreApplication::translate("vireo::LoggerFile", "файл содержит двоичные данные, это не файл логгера.");
    if (text.size() > FileRecords::MaxLineBytes)
        return QCoreApplication::translate("vireo::LoggerFile", "строка длиннее %1 байт, это не файл логгера.")
            .arg(FileRecords::MaxLineBytes);
    // Windows-1251 has one byte a character: lengths are counted in bytes.
    const char *const begin = text.data();
    const char *const end = begin + text.size();
    const char *p = begin;
    int values = 0;
    QString tooLong;
    while (p < end) {
        const char *semi = static_cast<const char *>(std::memchr(p, ';', size_t(end - p)));
        const char *const valueEnd = semi ? semi : end;
        const qsizetype length = valueEnd - p;
        if (values < 13 && length > Places[values].limit && tooLong.isEmpty())
            tooLong = QCoreApplication::translate("vireo::LoggerFile",
                                                  "поле %1 (%2) длиной %3 зн., а вмещает оно не больше %4 зн.")
                          .arg(values + 1)
                          .arg(QCoreApplication::translate("vireo::LoggerFile", Places[values].name))
                          .arg(length)
                          .arg(Places[values].limit);
        ++values;
        if (!semi)
            break;
        p = semi + 1;
    }
    const bool closed = text.back() == ';';
    if (values != 13)
        return QCoreApplication::translate("vireo::LoggerFile",
                                           "значений в строке %1, а нужно ровно 13, каждое со знаком «;» после него.")
            .arg(values);
    if (!closed)
        return QCoreApplication::translate("vireo::LoggerFile", "после последнего, 13-го значения нет знака «;».");
    return tooLong;
}

FileRecords::FileRecords(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (info.isDir())
        throw Error(
            QCoreApplication::translate("vireo::LoggerFile", "\"%1\" — это папка, а не файл логгера.").arg(shown));
    if (!info.exists())
        throw Error(QCoreApplication::translate("vireo::LoggerFile", "Файл \"%1\" не найден.").arg(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(
            QCoreApplication::translate("vireo::LoggerFile",
                                        "Не удалось открыть файл \"%1\" для чтения: нет доступа к файлу или он занят.")
                .arg(shown));
    if (file.size() > MaxFileBytes)
        throw Error(QCoreApplication::translate("vireo::LoggerFile", "Файл \"%1\" больше %2 МБ, это не файл логгера.")
                        .arg(shown)
                        .arg(MaxFileBytes >> 20));
    m_bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QCoreApplication::translate("vireo::LoggerFile", "Ошибка чтения файла \"%1\" (%2).")
                        .arg(shown, file.errorString()));
    // A zero byte anywhere: not a text file at all.
    if (const char *zero = static_cast<const char *>(std::memchr(m_bytes.constData(), '\0', size_t(m_bytes.size())))) {
        const qsizetype line = QByteArrayView(m_bytes.constData(), zero - m_bytes.constData()).count('\n') + 1;
        throw Error(
            QCoreApplication::translate("vireo::LoggerFile",
                                        "Файл \"%1\", строка %2: файл содержит двоичные данные, это не файл логгера.")
                .arg(shown)
                .arg(line));
    }

    // Every line is checked before any is used; the first bad one is named, with the count.
    const char *const all = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    m_lines.reserve(size_t(size / 64 + 1));
    int number = 0, bad = 0, firstBad = 0;
    QString firstFault;
    for (qsizetype start = 0; start < size;) {
        const char *nl = static_cast<const char *>(std::memchr(all + start, '\n', size_t(size - start)));
        const qsizetype next = nl ? nl - all + 1 : size;
        qsizetype length = (nl ? nl - all : size) - start;
        if (length > 0 && all[start + length - 1] == '\r')
            --length;
        ++number;
        const QString fault = lineFault(QByteArrayView(all + start, length));
        if (!fault.isEmpty()) {
            if (bad++ == 0) {
                firstBad = number;
                firstFault = fault;
            }
        } else if (bad == 0) {
            m_lines.push_back({start, length});
        }
        start = next;
    }
    if (bad > 0) {
        QString text = QCoreApplication::translate("vireo::LoggerFile", "Файл \"%1\", строка %2: %3")
                           .arg(shown, QString::number(firstBad), firstFault);
        if (bad > 1)
            text += QCoreApplication::translate("vireo::LoggerFile", "\nНеверных строк в файле: %1.").arg(bad);
        throw Error(text);
    }
    if (m_lines.empty())
        throw Error(QCoreApplication::translate("vireo::LoggerFile", "Файл \"%1\" пуст: в нём нет ни одной записи.")
                        .arg(shown));
}

void FileRecords::readUtf8(int i, QByteArray &utf8, QsoTexts &values) const
{
    // Where each place of the line goes among QsoRecord::columns().
    static constexpr int Column[13] = {10, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12};
    const Span &line = m_lines[size_t(i)];
    const char *p = m_bytes.constData() + line.start;
    const char *const end = p + line.length;
    utf8.resize(0);
    utf8.reserve(3 * line.length); // no reallocation below: the values stay where they are put
    qsizetype starts[14];
    int place = 0;
    while (p < end && place < 13) {
        const char *semi = static_cast<const char *>(std::memchr(p, ';', size_t(end - p)));
        starts[place++] = utf8.size();
        cp1251::appendUtf8(utf8, QByteArrayView(p, semi - p));
        p = semi + 1;
    }
    starts[place] = utf8.size();
    for (int k = 0; k < 13; ++k)
        values[size_t(Column[k])] =
            k < place ? QByteArrayView(utf8.constData() + starts[k], starts[k + 1] - starts[k]) : QByteArrayView();
}

int import(const QString &path, QsoStore &qsos, bool deleteFirst)
{
    const FileRecords records(path); // read and checked before anything is deleted
    int next = 0;
    QByteArray buffer;
    return qsos.importTexts(deleteFirst, [&](QsoTexts &values) {
        if (next >= records.size())
            return false;
        records.readUtf8(next++, buffer, values);
        return true;
    });
}

} // namespace vireo::loggerfile
