#include "db/database.h"

#include "db/database_error.h"
#include "db/reference_store.h"
#include "db/schema.h"
#include "db/scp_store.h"
#include "db/sql.h"
#include "db/sqlite_handle.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUuid>

#include <sqlite3.h>

namespace vireo {

namespace {

// How long any statement waits for another program's lock before it gives up.
constexpr int BusyTimeoutMs = 5000;

// A confirmed QSO must survive a crash or a power cut, be seen at once by any other reader, and
// lie in vireolog.db itself, so that a copy of that one file is a whole backup. Hence a rollback
// journal, written and deleted within each transaction, with the directory synced after the
// delete (synchronous EXTRA). SQLite's locks are POSIX advisory locks, which Linux drops for the
// whole process whenever any descriptor of the file is closed, by whatever code opened it (a
// file dialog finding the types of the files in the folder does). With a rollback journal no
// lock is held between transactions, so nothing can be lost that way; a write-ahead log would
// keep a lock for as long as the file is open and lose its -wal file to the next reader.
void configure(QSqlDatabase db)
{
    // Leaving write-ahead mode (a file of an earlier version) first moves what its -wal file
    // holds into the main file, which needs the file to itself and does not wait for it.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode = DELETE"))) {
        if (q.lastError().nativeErrorCode() == QLatin1String("5")) // SQLITE_BUSY
            throw Error(QCoreApplication::translate(
                "vireo::Database", "файл открыт другой программой; закройте её и запустите Vireo снова"));
        sql::fail(q.lastError());
    }
    const QString mode = q.next() ? q.value(0).toString() : QString();
    q.finish();
    if (mode.compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        throw Error(QCoreApplication::translate("vireo::Database",
                                                "файл открыт другой программой; закройте её и запустите Vireo снова"));
    sql::run(db, QStringLiteral("PRAGMA synchronous = EXTRA"));
}

// Waiting for a lock: another writer holds it for the few milliseconds of each commit and
// frees it for a moment between them. Looking again every millisecond catches such a moment,
// where SQLite's own timeout, looking ever more rarely, can miss all of them while a second
// program saves one record after another.
int waitForLock(void *, int attempts)
{
    if (attempts >= BusyTimeoutMs)
        return 0;
    QThread::usleep(1000);
    return 1;
}

QSqlDatabase openRaw(const QString &path, const QString &name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    // Set as the connection opens, so that its first statement already waits.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!db.open()) {
        const QSqlError e = db.lastError();
        throw DatabaseError(sqliteCodeOf(e.nativeErrorCode()), e.databaseText(),
                            QCoreApplication::translate("vireo::Database", "Не удалось открыть базу данных ") + path
                                + QStringLiteral(": %1"));
    }
    if (sqlite3 *handle = sqliteHandle(db))
        sqlite3_busy_handler(handle, &waitForLock, nullptr);
    return db;
}

// A database fault as a clause after the caller's own words; other errors as they are.
QString reasonOf(const Error &e)
{
    if (auto *d = dynamic_cast<const DatabaseError *>(&e))
        return d->reason();
    QString text = e.text();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

bool Database::prepareFile(const QString &path, const ReferenceSource &source)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        const QString temp = path + QStringLiteral(".new");
        QFile::remove(temp);
        const QString name = QStringLiteral("create-") + QUuid::createUuid().toString();
        try {
            {
                QSqlDatabase db = openRaw(temp, name);
                schema::create(db);
                if (const std::optional<CountryRows> countries = source.countries ? source.countries() : std::nullopt) {
                    ReferenceStore(db).fillPrefixes(countries->rows);
                    ScpStore(db).setCtyVersion(countries->version);
                }
                ScpStore(db).fillIfEmpty(source.calls);
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        } catch (const Error &e) {
            QSqlDatabase::removeDatabase(name);
            QFile::remove(temp);
            throw Error(QCoreApplication::translate("vireo::Database", "Не удалось создать базу данных %1: %2.")
                            .arg(path, reasonOf(e)));
        }
        if (!QFile::rename(temp, path)) {
            QFile::remove(temp);
            throw Error(QCoreApplication::translate("vireo::Database", "Не удалось создать базу данных %1").arg(path));
        }
        return true;
    }
    if (!info.isFile() || !info.isReadable())
        throw Error(QCoreApplication::translate("vireo::Database", "Не удалось открыть базу данных %1").arg(path));
    const QString name = QStringLiteral("check-") + QUuid::createUuid().toString();
    QString problem;
    bool complete = true;
    try {
        QSqlDatabase db = openRaw(path, name);
        try {
            configure(db);
            const QStringList missing = schema::missingTables(db);
            if (!missing.isEmpty())
                problem = QCoreApplication::translate("vireo::Database", "В базе данных %1 нет таблицы %2")
                              .arg(path, missing.first());
            else
                complete = completeHousekeeping(db, source);
        } catch (const Error &e) {
            problem = QCoreApplication::translate("vireo::Database", "Не удалось открыть базу данных %1: %2.")
                          .arg(path, reasonOf(e));
        }
        db.close();
    } catch (const Error &e) {
        problem = e.text();
    }
    QSqlDatabase::removeDatabase(name);
    if (!problem.isEmpty())
        throw Error(problem);
    return complete;
}

bool Database::completeHousekeeping(QSqlDatabase db, const ReferenceSource &source)
{
    // What an older version's file lacks, and the partial-check calls of a file without them.
    // Reading the log needs none of it; a disk that is full or a file that is read-only now
    // leaves it for a later try.
    try {
        schema::ensureIndexes(db);
        ScpStore(db).fillIfEmpty(source.calls);
    } catch (const DatabaseError &e) {
        if (!e.cannotWrite())
            throw;
        return false;
    }
    return true;
}

Database::Database(const QString &path, const QString &connectionName) : m_path(path), m_name(connectionName)
{
    QSqlDatabase db = openRaw(path, m_name);
    try {
        configure(db);
    } catch (const Error &e) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw Error(QCoreApplication::translate("vireo::Database", "Не удалось открыть базу данных %1: %2.")
                        .arg(path, reasonOf(e)));
    }
}

Database::~Database()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_name, false);
}

ReadOnlyConnection::ReadOnlyConnection(const QString &path)
    : m_name(QStringLiteral("read-") + QUuid::createUuid().toString())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!db.open()) {
        const QSqlError e = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw DatabaseError(sqliteCodeOf(e.nativeErrorCode()), e.databaseText(),
                            QCoreApplication::translate("vireo::Database", "Не удалось открыть базу данных ") + path
                                + QStringLiteral(": %1"));
    }
}

ReadOnlyConnection::~ReadOnlyConnection()
{
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

} // namespace vireo
