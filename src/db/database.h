#pragma once
// A connection to the log file vireolog.db. Each window that works on the log owns one;
// all of them open the same file, which SQLite shares between connections and processes.

#include "db/reference_rows.h"

#include <QSqlDatabase>
#include <QString>

namespace vireo {

class Database {
public:
    // Makes sure the log file exists and holds the five tables. A missing file is created from
    // the schema with table prefix filled from the source's country rows (created under a temporary
    // name and renamed, so a failed creation leaves nothing behind). Throws vireo::Error with a
    // Russian message naming the file when it cannot be opened, is not a database or lacks a table.
    // The partial-check calls are filled from the source's calls when the file has none (the
    // installed files: stationinfo's referenceFiles()).
    // An existing file is only read unless it lacks something: when what it lacks cannot be
    // written now (a full disk, a read-only file or folder) the file still opens and false is
    // returned, for completeHousekeeping to try again later.
    static bool prepareFile(const QString &path, const ReferenceSource &source = {});
    // Adds what prepareFile could not: false while the file still cannot be written. Throws
    // vireo::Error on any other fault.
    static bool completeHousekeeping(QSqlDatabase db, const ReferenceSource &source = {});

    // Opens a connection under a name unique to its owner. Opening only reads the file. Throws
    // vireo::Error on failure.
    Database(const QString &path, const QString &connectionName);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QSqlDatabase connection() const;
    const QString &path() const { return m_path; }

private:
    QString m_path;
    QString m_name;
};

// A read-only connection of its own to a log file, for reading it on another thread (each thread
// needs its own connection); closed and removed when it goes. Throws vireo::Error when the file
// cannot be opened.
class ReadOnlyConnection {
public:
    explicit ReadOnlyConnection(const QString &path);
    ~ReadOnlyConnection();
    ReadOnlyConnection(const ReadOnlyConnection &) = delete;
    ReadOnlyConnection &operator=(const ReadOnlyConnection &) = delete;
    QSqlDatabase connection() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

} // namespace vireo
