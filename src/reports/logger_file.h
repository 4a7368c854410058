#pragma once
// The logger file: one line per QSO record, the thirteen stored columns each followed by ";",
// Windows-1251 text with CR LF line ends, no header, no quoting.

#include "reports/report_file.h"
#include "db/qso_record.h"

#include <QFile>
#include <QString>

namespace vireo {

class QsoStore;

namespace loggerfile {

// The line of one record: band, freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2,
// tur, radio, each trimmed and followed by ";".
QString line(const QsoRecord &r);

// Splits a line into the thirteen columns: each value is the text before the next ";"; when no
// ";" is left the remaining values are empty. Text after the last ";" used is dropped. Values
// are not trimmed.
QsoRecord parse(const QString &line);


// Writes every record of the log in table order.
WriteResult writeFile(const QString &path, QsoStore &qsos);

// Reads a logger file line by line. Every failure throws vireo::Error with a Russian text that
// names the file: a folder, a file that cannot be opened or read, a binary file, a line too long
// to be a record.
class Reader {
public:
    // Longest line accepted, in bytes (a record line is well under a hundred).
    static constexpr qint64 MaxLineBytes = 64 * 1024;

    // Opens the file at once; throws when it cannot.
    explicit Reader(const QString &path);

    // The next line without its line end; false at the end of the file.
    bool next(QString &line);
    int lineNumber() const { return m_line; }

private:
    [[noreturn]] void fail(const QString &what) const;

    QString m_path;
    QFile m_file;
    QByteArray m_buffer;
    int m_line = 0;
};

// Reads the file into the log in one transaction, replacing the log (deleteFirst) or adding to
// it. The file is opened before anything is deleted; any failure leaves the log as it was and
// throws vireo::Error. Returns the number of records read.
int import(const QString &path, QsoStore &qsos, bool deleteFirst);

} // namespace loggerfile
} // namespace vireo
