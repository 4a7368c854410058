#pragma once
// Backup copies of the log in the folder backup/ beside it, written with SQLite's online backup
// API from a connection of their own (never a file copy of a live database), and the restore of
// the log from one of them.
//
// A copy is written under a temporary name ending in ".part" and renamed when it is complete and
// on disk, so a crash or a kill never leaves a half copy under a backup's name. Names carry the
// UTC date and time of the copy: vireolog-20261208-143005.db (a second copy in the same second
// gets "-2", "-3" before ".db").

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

namespace vireo::logbackup {

// The folder of the copies of a log file.
QString folderOf(const QString &logPath);

struct Copy {
    QString path;
    QDateTime utc; // from the name
    int serial = 1; // 2, 3, ... for further copies in the same second
};
// The finished copies of the log, newest first. Temporary files are not listed.
QVector<Copy> list(const QString &logPath);

// How a copy is read from the live log: pages per step and a pause between steps, so that the
// program's own statements get the file between them. pagesPerStep 0 or less: all at once.
struct Pace {
    int pagesPerStep = 128;
    int pauseMs = 1;
};

// Writes a consistent copy of the log stamped with the given UTC time and returns its path.
// Works whether the log keeps a write-ahead log or a rollback journal: with a write-ahead log the
// copy is read from one snapshot and writers are never held up; with a rollback journal each step
// holds the read lock only briefly and the copy starts over when the log changes under it.
// Safe to call from a worker thread (it opens its own connections). Throws vireo::Error.
QString write(const QString &logPath, const QDateTime &utc, const Pace &pace = Pace());

// Deletes all but the newest `keep` copies (keep < 1 keeps one), and temporary files of copies
// that were cut short more than an hour ago.
void prune(const QString &logPath, int keep);

// The number of QSOs in a copy. Throws vireo::Error when the copy cannot be read.
int qsoCount(const QString &copyPath);

// Checks that a copy is a sound log: a database that passes SQLite's integrity check and holds
// every table of the log. Throws vireo::Error with a Russian message saying what is wrong.
void check(const QString &copyPath);

// Replaces the log on the live connection with the copy in one step (one transaction): checked
// first, and on any failure the log is left as it was. Throws vireo::Error.
void restore(QSqlDatabase live, const QString &copyPath);

// Copies a whole log file (checked first; it may be in use by another program) to a new file
// that must not exist yet; the source stays as it is. Throws vireo::Error.
void copyInto(const QString &sourcePath, const QString &targetPath);

} // namespace vireo::logbackup
