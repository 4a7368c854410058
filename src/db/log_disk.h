#pragma once
// Whether the disk of the log can take the next save, and what the listener is told when not.

#include <QString>

namespace vireo::logdisk {

// Free room below which the disk of the log counts as full: a save writes its rollback journal
// and may add pages to the log, a few dozen kilobytes with the undo history, and a backup copy
// needs as much again as the log.
constexpr qint64 FullBelowBytes = 1024 * 1024;

// Free room on the disk of the folder of path for this user; -1 when it cannot be told.
qint64 freeBytes(const QString &path);
bool full(const QString &path);

// The box at start-up on a full disk; folder: the log's folder.
QString fullNotice(const QString &folder);
// The same for the status bar, shorter.
QString fullStatus();
// At start-up, when the log file or its folder is read-only.
QString readOnlyNotice(const QString &path);
QString readOnlyStatus();

} // namespace vireo::logdisk
