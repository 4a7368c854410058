#pragma once
// The report writers and the logger-file reader as they were before the buffered writer and the
// table code page: the baseline the benchmark measures the current code against, in the same
// run, and whose files the current code must reproduce byte for byte.

#include "db/qso_store.h"
#include "db/sql.h"
#include "reports/adif_writer.h"
#include "reports/cabrillo_lines.h"
#include "reports/cabrillo_report.h"
#include "reports/logger_file.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

namespace vireo::baseline {

// The code page through a hash of the upper half, one line at a time.
inline QByteArray encode(const QString &text)
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int b = 0x80; b < 0x100; ++b) {
            QStringDecoder decoder("windows-1251");
            const QString s = decoder(QByteArray(1, char(b)));
            if (!decoder.hasError() && s.size() == 1 && s.at(0) != QChar(QChar::ReplacementCharacter))
                t.insert(s.at(0).unicode(), char(b));
        }
        return t;
    }();
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            out.append(char(c));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
        const auto it = table.constFind(c);
        out.append(it == table.constEnd() ? '?' : it.value());
    }
    return out;
}

// Every line encoded and written on its own.
class LineFile {
public:
    explicit LineFile(const QString &path) : m_file(path) { m_file.open(QIODevice::WriteOnly | QIODevice::Truncate); }
    void writeLine(const QString &line)
    {
        QByteArray bytes = encode(line);
        bytes += "\r\n";
        m_file.write(bytes);
    }

private:
    QFile m_file;
};

inline QString adifField(const QString &name, const QString &value)
{
    return QLatin1Char('<') + name + QLatin1Char(':') + QString::number(value.size()) + QLatin1Char('>') + value;
}

inline QString adifRecordLine(const QsoRecord &r, const QString &myCall, const QString &contestName,
                              const QslMessage &qsl)
{
    QString line;
    line += adifField(QStringLiteral("OPERATOR"), myCall);
    line += QStringLiteral("<SWL:1>Y");
    line += adifField(QStringLiteral("CONTEST_ID"), contestName);
    line += adifField(QStringLiteral("CALL"), r.call1.trimmed());
    line += adifField(QStringLiteral("QSO_DATE"), adif::qsoDate(r.data));
    line += adifField(QStringLiteral("TIME_ON"), adif::StripDateTime(r.time).trimmed());
    line += adifField(QStringLiteral("FREQ"), adif::freqMhz(r.freq.trimmed()));
    line += adifField(QStringLiteral("BAND"), r.band.trimmed());
    line += adifField(QStringLiteral("MODE"), adif::adifMode(r.mode.trimmed()));
    line += adifField(QStringLiteral("RST_RCVD"), r.rst1.trimmed());
    line += adifField(QStringLiteral("SRX"), r.nr1.trimmed());
    line += adifField(QStringLiteral("QSLMSG"), adif::qslMessageFor(qsl, r.call2));
    line += QStringLiteral("<EOR>");
    return line;
}

inline void writeAdif(const QString &path, QsoStore &qsos, const QString &myCall, const QString &contestName,
                      const QslMessage &qsl, const QDateTime &created, const QLocale &locale)
{
    LineFile file(path);
    for (const QString &line : adif::header(created, locale))
        file.writeLine(line);
    qsos.forEach([&](const QsoRecord &r) { file.writeLine(adifRecordLine(r, myCall, contestName, qsl)); });
}

inline void writeCabrillo(const QString &path, const cabrillo::Header &header, int format, QsoStore &qsos)
{
    LineFile file(path);
    for (const QString &line : cabrillo::HeaderLines(header))
        file.writeLine(line);
    qsos.forEach([&](const QsoRecord &r) { file.writeLine(cabrillo::QsoLine(r, format)); });
    file.writeLine(QStringLiteral("END-OF-LOG:"));
}

inline void writeLogger(const QString &path, QsoStore &qsos)
{
    LineFile file(path);
    qsos.forEach([&](const QsoRecord &r) { file.writeLine(loggerfile::line(r)); });
}

// A decoder opened for every line read, and each record inserted through the general query
// interface, with the log's indexes and counting triggers updated row by row in the default page
// cache.
inline int importLogger(const QString &path, QsoStore &qsos, bool deleteFirst)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QSqlDatabase db = qsos.connection();
    sql::Transaction t(db);
    if (deleteFirst)
        sql::run(db, QStringLiteral("DELETE FROM qso"));
    QSqlQuery q(db);
    sql::prepare(q, QStringLiteral("INSERT INTO qso (freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, band,"
                                   " tur, radio) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    int n = 0;
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine(64 * 1024 + 3);
        if (bytes.endsWith('\n'))
            bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        QStringDecoder decoder("windows-1251");
        const QsoRecord r = loggerfile::parse(decoder(bytes));
        int i = 0;
        for (const QString *v : {&r.freq, &r.mode, &r.data, &r.time, &r.call1, &r.rst1, &r.nr1, &r.call2, &r.rst2,
                                 &r.nr2, &r.band, &r.tur, &r.radio})
            q.bindValue(i++, v->isNull() ? QString(QLatin1String("")) : *v);
        if (!q.exec())
            sql::fail(q.lastError());
        ++n;
    }
    t.commit();
    qsos.notify(LogChange{});
    return n;
}

} // namespace vireo::baseline
