#pragma once
// A log file of its own for tests of the stores, the reports and the statistics without the
// program's windows: vireolog.db in a fresh temporary folder (or at a path the test gives), one
// connection to it and the log's store.

#include "db/database.h"
#include "db/qso_record.h"
#include "db/qso_store.h"

#include <QTemporaryDir>
#include <QVector>

#include <memory>

namespace vireo::test {

struct TempLog {
    // A new file in a fresh folder, its reference tables filled from what reference gives (the
    // installed country and call files through stationinfo's referenceFiles(), or nothing).
    explicit TempLog(const QString &connection = QStringLiteral("log"), const ReferenceSource &reference = {});
    // A new file at path (in a folder the test owns, a test context's for one).
    TempLog(const QString &path, const QString &connection, const ReferenceSource &reference = {});
    ~TempLog();
    TempLog(const TempLog &) = delete;
    TempLog &operator=(const TempLog &) = delete;

    // A file beside the log.
    QString filePath(const QString &name) const;
    // Opens the connection and its store again, as a new start of the program would.
    void open();
    void close();
    // Every row with its key, read from the file in table order.
    QVector<QsoRecord> rows() const;

    std::unique_ptr<QTemporaryDir> dir; // the folder made for the log, when it has one of its own
    QString path;
    std::unique_ptr<Database> db;
    std::unique_ptr<QsoStore> store;

private:
    QString m_connection;
};

// A copy of a log that another program left in write-ahead mode, as a copy of its files taken
// while it had the log open: the records from walFrom on lie only in the -wal file beside the
// copy at copyPath.
void writeWalCopy(const QString &copyPath, const QVector<QsoRecord> &records, int walFrom);

} // namespace vireo::test
