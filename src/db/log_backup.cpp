#include "db/log_backup.h"

#include "base/error.h"
#include "db/copy_reader.h"
#include "db/schema.h"
#include "db/sqlite_handle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>

namespace vireo::logbackup {

namespace {

const char *const StampFormat = "yyyyMMdd-HHmmss";

// One SQLite connection of our own, closed when it goes out of scope.
struct Connection {
    sqlite3 *db = nullptr;
    Connection() = default;
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    ~Connection()
    {
        if (db)
            sqlite3_close_v2(db);
    }
    QString message() const
    {
        return db ? QString::fromUtf8(sqlite3_errmsg(db))
                  : QCoreApplication::translate("vireo::LogBackup", "нет памяти");
    }
};

void open(Connection &c, const QString &path, int flags)
{
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &c.db, flags, nullptr);
    if (rc != SQLITE_OK)
        throw Error(describe(rc, c.message()));
    sqlite3_extended_result_codes(c.db, 1);
    sqlite3_busy_timeout(c.db, 5000);
}

void exec(Connection &c, const char *statement)
{
    const int rc = sqlite3_exec(c.db, statement, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw Error(describe(rc, c.message()));
}

// Every row's first column of a statement, as text.
QStringList column(sqlite3 *db, const char *statement)
{
    sqlite3_stmt *s = nullptr;
    int rc = sqlite3_prepare_v2(db, statement, -1, &s, nullptr);
    if (rc != SQLITE_OK)
        throw Error(describe(rc, QString::fromUtf8(sqlite3_errmsg(db))));
    QStringList values;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW)
        values << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        throw Error(describe(rc, QString::fromUtf8(sqlite3_errmsg(db))));
    return values;
}

QStringList column(Connection &c, const char *statement)
{
    return column(c.db, statement);
}

// A sound log: passes SQLite's integrity check and holds every table of the log.
void checkContent(sqlite3 *db)
{
    const QStringList problems = column(db, "PRAGMA integrity_check");
    if (problems != QStringList{QStringLiteral("ok")})
        throw Error(QCoreApplication::translate("vireo::LogBackup", "данные в файле испорчены"));
    QStringList present;
    for (const QString &t : column(db, "SELECT name FROM sqlite_master WHERE type = 'table'"))
        present << t.toLower();
    for (const QString &t : schema::requiredTables())
        if (!present.contains(t.toLower()))
            throw Error(QCoreApplication::translate("vireo::LogBackup", "в ней нет таблицы %1").arg(t));
}

// The copy checked and opened for reading; every fault names the copy.
std::unique_ptr<CopyReader> openChecked(const QString &copyPath, bool selfContained)
{
    const QString name = QFileInfo(copyPath).fileName();
    try {
        if (!QFileInfo(copyPath).isFile())
            throw Error(QCoreApplication::translate("vireo::LogBackup", "файла нет"));
        auto reader = std::make_unique<CopyReader>(copyPath, selfContained);
        checkContent(reader->db());
        return reader;
    } catch (const Error &e) {
        throw Error(
            QCoreApplication::translate("vireo::LogBackup", "Резервная копия %1 повреждена: %2.").arg(name, e.text()));
    }
}

QRegularExpression namePattern(const QString &logPath)
{
    return QRegularExpression(QStringLiteral("^%1-(\\d{8}-\\d{6})(?:-(\\d+))?\\.db$")
                                  .arg(QRegularExpression::escape(QFileInfo(logPath).completeBaseName())));
}

QString nameOf(const QString &logPath, const QDateTime &utc, int serial)
{
    QString name =
        QFileInfo(logPath).completeBaseName() + QLatin1Char('-') + utc.toUTC().toString(QLatin1String(StampFormat));
    if (serial > 1)
        name += QLatin1Char('-') + QString::number(serial);
    return name + QStringLiteral(".db");
}

// The rename of a finished copy reaches the disk with its folder.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

QString folderOf(const QString &logPath)
{
    return QFileInfo(logPath).absoluteDir().filePath(QStringLiteral("backup"));
}

QVector<Copy> list(const QString &logPath)
{
    const QDir dir(folderOf(logPath));
    const QRegularExpression pattern = namePattern(logPath);
    QVector<Copy> copies;
    for (const QString &name : dir.entryList(QDir::Files)) {
        const QRegularExpressionMatch m = pattern.match(name);
        if (!m.hasMatch())
            continue;
        Copy c;
        c.path = dir.filePath(name);
        c.utc = QDateTime::fromString(m.captured(1), QLatin1String(StampFormat));
        c.utc.setTimeSpec(Qt::UTC);
        c.serial = m.captured(2).isEmpty() ? 1 : m.captured(2).toInt();
        if (c.utc.isValid())
            copies << c;
    }
    std::sort(copies.begin(), copies.end(),
              [](const Copy &a, const Copy &b) { return a.utc != b.utc ? a.utc > b.utc : a.serial > b.serial; });
    return copies;
}

QString write(const QString &logPath, const QDateTime &utc, const Pace &pace)
{
    const QString folder = folderOf(logPath);
    if (!QDir().mkpath(folder))
        throw Error(
            QCoreApplication::translate("vireo::LogBackup", "Не удалось создать папку резервных копий %1").arg(folder));
    const QDir dir(folder);
    int serial = 1;
    while (dir.exists(nameOf(logPath, utc, serial))
           || dir.exists(nameOf(logPath, utc, serial) + QStringLiteral(".part")))
        ++serial;
    const QString path = dir.filePath(nameOf(logPath, utc, serial));
    const QString part = path + QStringLiteral(".part");

    try {
        {
            Connection source, copy;
            try {
                open(source, logPath, SQLITE_OPEN_READWRITE);
            } catch (const Error &e) {
                throw Error(QCoreApplication::translate("vireo::LogBackup", "не удалось открыть журнал %1: %2")
                                .arg(logPath, e.text()));
            }
            open(copy, part, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            // Pages go to the file as they are copied instead of piling up in memory.
            exec(copy, "PRAGMA cache_size = 64");
            // With a write-ahead log one read transaction gives the whole copy one snapshot and
            // holds up no writer. With a rollback journal a held read lock would keep the program
            // from saving, so each step takes it briefly and the copy restarts after a change.
            const bool wal =
                column(source, "PRAGMA journal_mode").value(0).compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
            if (wal) {
                exec(source, "BEGIN");
                column(source, "SELECT COUNT(*) FROM sqlite_master");
            }
            sqlite3_backup *backup = sqlite3_backup_init(copy.db, "main", source.db, "main");
            if (!backup)
                throw Error(copy.message());
            int rc;
            for (;;) {
                rc = sqlite3_backup_step(backup, pace.pagesPerStep > 0 ? pace.pagesPerStep : -1);
                if (rc == SQLITE_DONE)
                    break;
                if (rc != SQLITE_OK && rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
                    break;
                if (pace.pauseMs > 0)
                    QThread::msleep(pace.pauseMs);
            }
            const int finished = sqlite3_backup_finish(backup);
            if (rc != SQLITE_DONE)
                throw Error(describe(rc, copy.message()));
            if (finished != SQLITE_OK)
                throw Error(describe(finished, copy.message()));
            if (wal)
                exec(source, "COMMIT");
            // A copy is one self-contained file, whatever journal the log keeps.
            exec(copy, "PRAGMA synchronous = FULL");
            column(copy, "PRAGMA journal_mode = DELETE");
        }
        QFile::remove(path);
        if (!QFile::rename(part, path))
            throw Error(QCoreApplication::translate("vireo::LogBackup", "не удалось переименовать %1").arg(part));
        syncFolder(folder);
    } catch (const Error &e) {
        QFile::remove(part);
        QFile::remove(part + QStringLiteral("-journal"));
        throw Error(QCoreApplication::translate("vireo::LogBackup", "Не удалось записать резервную копию %1: %2")
                        .arg(path, e.text()));
    }
    return path;
}

void prune(const QString &logPath, int keep)
{
    const QVector<Copy> copies = list(logPath);
    for (int i = std::max(1, keep); i < copies.size(); ++i)
        QFile::remove(copies.at(i).path);
    const QDir dir(folderOf(logPath));
    // Whatever SQLite or another program left beside a removed copy goes with it.
    const QStringList names = dir.entryList(QDir::Files);
    for (const QString &name : names)
        for (const char *suffix : {"-wal", "-shm", "-journal"})
            if (name.endsWith(QLatin1String(suffix))) {
                const QString base = name.left(name.size() - int(qstrlen(suffix)));
                if (base.endsWith(QLatin1String(".db")) && namePattern(logPath).match(base).hasMatch()
                    && !names.contains(base))
                    QFile::remove(dir.filePath(name));
            }
    const QDateTime hourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    for (const QFileInfo &f :
         dir.entryInfoList({QStringLiteral("*.part"), QStringLiteral("*.part-journal")}, QDir::Files))
        if (f.lastModified().toUTC() < hourAgo)
            QFile::remove(f.filePath());
}

int qsoCount(const QString &copyPath)
{
    const CopyReader c(copyPath);
    bool ok = false;
    const int n = column(c.db(), "SELECT COUNT(*) FROM qso").value(0).toInt(&ok);
    if (!ok)
        throw Error(QCoreApplication::translate("vireo::LogBackup", "нет числа записей"));
    return n;
}

void check(const QString &copyPath)
{
    openChecked(copyPath, false);
}

void restore(QSqlDatabase live, const QString &copyPath)
{
    const std::unique_ptr<CopyReader> source = openChecked(copyPath, true);
    sqlite3 *target = sqliteHandle(live);
    if (!target)
        throw Error(QCoreApplication::translate("vireo::LogBackup", "Журнал не открыт"));
    // The pages come over as they are, page one with its header too: the source is always one
    // whole file in rollback-journal mode, and the log keeps its own settings whatever they say.
    const QString synchronous = column(target, "PRAGMA synchronous").value(0);
    sqlite3_backup *backup = sqlite3_backup_init(target, "main", source->db(), "main");
    if (!backup)
        throw Error(QCoreApplication::translate("vireo::LogBackup", "Не удалось восстановить журнал: %1.")
                        .arg(describe(sqlite3_extended_errcode(target), QString::fromUtf8(sqlite3_errmsg(target)))));
    // All pages in one step: one write transaction on the log, committed or rolled back whole.
    const int rc = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE || finished != SQLITE_OK)
        throw Error(QCoreApplication::translate("vireo::LogBackup", "Не удалось восстановить журнал: %1.")
                        .arg(describe(rc != SQLITE_DONE ? rc : finished, QString::fromUtf8(sqlite3_errmsg(target)))));
    if (column(target, "PRAGMA journal_mode").value(0).compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        column(target, "PRAGMA journal_mode = DELETE");
    if (!synchronous.isEmpty())
        column(target, QStringLiteral("PRAGMA synchronous = %1").arg(synchronous.toInt()).toLatin1().constData());
    // A copy made by an older program may lack the indexes and totals of this one.
    schema::ensureIndexes(live);
}

void copyInto(const QString &sourcePath, const QString &targetPath)
{
    const QString part = targetPath + QStringLiteral(".part");
    try {
        if (QFileInfo::exists(targetPath))
            throw Error(QCoreApplication::translate("vireo::LogBackup", "файл %1 уже есть")
                            .arg(QDir::toNativeSeparators(targetPath)));
        {
            const std::unique_ptr<CopyReader> source = openChecked(sourcePath, true);
            Connection target;
            open(target, part, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            sqlite3_backup *backup = sqlite3_backup_init(target.db, "main", source->db(), "main");
            if (!backup)
                throw Error(target.message());
            const int rc = sqlite3_backup_step(backup, -1);
            const int finished = sqlite3_backup_finish(backup);
            if (rc != SQLITE_DONE || finished != SQLITE_OK)
                throw Error(describe(rc != SQLITE_DONE ? rc : finished, target.message()));
            exec(target, "PRAGMA synchronous = FULL");
            column(target, "PRAGMA journal_mode = DELETE");
        }
        if (!QFile::rename(part, targetPath))
            throw Error(QCoreApplication::translate("vireo::LogBackup", "не удалось переименовать %1")
                            .arg(QDir::toNativeSeparators(part)));
        syncFolder(QFileInfo(targetPath).absolutePath());
    } catch (const Error &e) {
        QFile::remove(part);
        QFile::remove(part + QStringLiteral("-journal"));
        throw Error(QCoreApplication::translate("vireo::LogBackup", "Журнал %1 не перенесён: %2")
                        .arg(QDir::toNativeSeparators(sourcePath), e.text()));
    }
}

} // namespace vireo::logbackup
