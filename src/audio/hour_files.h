#pragma once
// The recordings on the disk: folder audio/ beside the log, one Ogg Opus file per UTC hour named
// YYYYMMDD-HH00.opus. Instants are milliseconds since the epoch, UTC.

#include <QString>
#include <QStringList>

namespace vireo::hourfiles {

constexpr qint64 HourMs = 3600 * 1000;
constexpr qint64 DayMs = 24 * HourMs;

// The start of the UTC hour that holds the instant.
qint64 hourStart(qint64 ms);
// "20260305-0700.opus" for any instant of that hour.
QString fileName(qint64 ms);
// The start of the hour a file name stands for, or -1 when the name is not an hour file's.
qint64 hourOfName(const QString &name);
// The folder of the recordings beside the log file.
QString folderBeside(const QString &databasePath);
// Removes the hour files whose hour ended more than keepDays days before nowMs (keepDays 0
// keeps them all); other files of the folder are left alone. Returns the names removed.
QStringList removeOlderThan(const QString &folder, int keepDays, qint64 nowMs);

} // namespace vireo::hourfiles
