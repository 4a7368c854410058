#pragma once
// What the band map reads from the log file: the records of one band, mode and tour, and the
// stations marked there without a QSO (table band_mark), which it also writes.

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVector>

namespace vireo {

// The columns of a record that the band map uses.
struct BandMapRecord {
    qint64 id = 0;
    QString freq, data, time, call1, call2;
};

// A station heard at a frequency and not logged (yet).
struct BandMark {
    qint64 id = 0;
    QString call, freq, band, mode, tur;
    QDateTime at; // UTC
};

class BandMapStore {
public:
    explicit BandMapStore(QSqlDatabase db);

    // Records of the band, mode and tour dated on one of the days (texts as the log keeps them,
    // DD.MM.YYYY; at most two), in key order.
    QVector<BandMapRecord> records(const QString &band, const QString &mode, const QString &tour,
                                   const QStringList &days);
    // Every record of the heard call in the band, mode and tour, in key order.
    QVector<BandMapRecord> recordsOf(const QString &call, const QString &band, const QString &mode,
                                     const QString &tour);

    // Marks of the band, mode and tour made at `since` or later, in key order.
    QVector<BandMark> marks(const QString &band, const QString &mode, const QString &tour, const QDateTime &since);
    // The same for one call.
    QVector<BandMark> marksOf(const QString &call, const QString &band, const QString &mode, const QString &tour,
                              const QDateTime &since);
    // Adds a mark and, in the same transaction, takes away every mark made before `agedOutBefore`.
    // Returns the new mark's key. Throws vireo::DatabaseError when the file cannot be written.
    qint64 addMark(const BandMark &mark, const QDateTime &agedOutBefore);

    // The moment as the table keeps it, and back (invalid for a text that is no such moment).
    static QString momentText(const QDateTime &utc);
    static QDateTime momentOf(const QString &text);

private:
    bool marksKept();
    QVector<BandMark> readMarks(QSqlQuery &query);

    QSqlDatabase m_db;
    QSqlQuery m_records, m_recordsOf, m_marks, m_marksOf;
    bool m_marksKept = false;
};

} // namespace vireo
