#pragma once
// A backup copy opened for reading without writing anything beside it.
//
// A copy that another program left in write-ahead mode may hold part of its content only in its
// -wal file, and a copy cut off by a crash may have a -journal beside it; opening such a copy in
// place would have SQLite write a -shm file or roll the journal back in the backup folder. Such a
// copy is copied, with the files beside it, into a private temporary folder and made whole there:
// what the -wal file holds is read too, and the copy itself stays as it is. A copy with nothing
// beside it is opened as an unchanging file, which SQLite reads without any lock or side file.

#include <QString>

#include <memory>

struct sqlite3;
class QTemporaryDir;

namespace vireo::logbackup {

class CopyReader {
public:
    // selfContained: the file read must be one whole file in rollback-journal mode, so that its
    // pages can be copied into a log as they are (a copy whose header says write-ahead mode is
    // then made whole in the temporary folder even with no -wal file beside it).
    // Throws vireo::Error with a Russian reason (a clause) when the copy cannot be read.
    explicit CopyReader(const QString &copyPath, bool selfContained = false);
    ~CopyReader();
    CopyReader(const CopyReader &) = delete;
    CopyReader &operator=(const CopyReader &) = delete;

    sqlite3 *db() const { return m_db; }
    // The SQLite connection's last message, or "нет памяти" when it never opened.
    QString message() const;

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    sqlite3 *m_db = nullptr;
};

// The files SQLite may keep beside a database: its write-ahead log and its rollback journal.
QStringList sideFilesOf(const QString &copyPath);
// SQLite's words for a result code, as a clause for a copy's messages.
QString describe(int code, const QString &message);

} // namespace vireo::logbackup
