#pragma once
// The logger file: one line per QSO record, the thirteen stored columns each followed by ";",
// Windows-1251 text with CR LF line ends, no header, no quoting.

#include "db/qso_record.h"
#include "db/qso_scan.h"
#include "reports/report_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace vireo {

class QsoStore;

namespace loggerfile {

// The line of one record: band, freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2,
// tur, radio, each trimmed and followed by ";".
QString line(const QsoRecord &r);

// Splits a line into the thirteen columns: each value is the text before the next ";"; when no
// ";" is left the remaining values are empty. Text after the last ";" used is dropped. Values
// are not trimmed. The import takes only lines that lineFault finds sound.
QsoRecord parse(const QString &line);

// Writes every record of the log in table order.
WriteResult writeFile(const QString &path, QsoStore &qsos);

// What is wrong with one line of the file (its Windows-1251 bytes without the line end), as a
// Russian phrase; empty when the line is a record: exactly 13 values, each followed by ";", none
// longer than its column holds in the grid and the reports (db/qso_limits.h).
QString lineFault(QByteArrayView line);

// The longest value at a place of the line (0 for band to 12 for radio), in characters.
int maxLength(int position);

// A logger file read whole and checked line by line before anything is written to the log. Every
// failure throws vireo::Error with a Russian text that names the file: a folder, a file that
// cannot be opened or read, a binary file, and the first line that is not a record (with the
// number of such lines when there are more).
class FileRecords {
public:
    // Longest line looked at, in bytes; a record line is well under two hundred.
    static constexpr qint64 MaxLineBytes = 64 * 1024;
    // Largest file read: several million records.
    static constexpr qint64 MaxFileBytes = 512LL * 1024 * 1024;

    explicit FileRecords(const QString &path);

    int size() const { return int(m_lines.size()); }
    // The values of the i-th record, not trimmed, as UTF-8 text in utf8, in the order of
    // QsoRecord::columns(); they stay valid until utf8 changes.
    void readUtf8(int i, QByteArray &utf8, QsoTexts &values) const;

private:
    struct Span {
        qsizetype start, length;
    };
    QByteArray m_bytes;
    std::vector<Span> m_lines;
};

// Reads the file into the log in one transaction, replacing the log (deleteFirst) or adding to
// it. The whole file is read and checked before anything is deleted; any failure leaves the log
// as it was and throws vireo::Error. Returns the number of records read.
int import(const QString &path, QsoStore &qsos, bool deleteFirst);

} // namespace loggerfile
} // namespace vireo
