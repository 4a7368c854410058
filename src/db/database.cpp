#include "db/database.h"

#include "db/cty_parser.h"
#include "db/reference_store.h"
#include "db/schema.h"
#include "db/scp_store.h"
#include "db/sql.h"

#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace vireo {

namespace {

void configure(QSqlDatabase db)
{
    // A confirmed QSO must survive a crash or a power cut: write-ahead log, full sync.
    // A second program on the same file may hold the lock for a moment: wait for it.
    sql::run(db, QStringLiteral("PRAGMA busy_timeout = 5000"));
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL")))
        sql::fail(q.lastError());
    sql::run(db, QStringLiteral("PRAGMA synchronous = FULL"));
}

QSqlDatabase openRaw(const QString &path, const QString &name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    if (!db.open())
        throw Error(QStringLiteral("Не удалось открыть базу данных %1: %2").arg(path, db.lastError().text()));
    return db;
}

} // namespace

QString Database::defaultCtyPath()
{
    return QStringLiteral("/usr/share/hamradio-files/cty.dat");
}

QString Database::defaultScpPath()
{
    return ScpStore::defaultScpPath();
}

void Database::prepareFile(const QString &path, const QString &ctyPath, const QString &scpPath)
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
                QFile cty(ctyPath);
                if (!ctyPath.isEmpty() && cty.open(QIODevice::ReadOnly)) {
                    const CtyContents contents = readCty(cty.readAll());
                    ReferenceStore(db).fillPrefixes(contents.rows);
                    ScpStore(db).setCtyVersion(contents.version);
                }
                ScpStore(db).fillIfEmpty(scpPath);
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        } catch (const Error &e) {
            QSqlDatabase::removeDatabase(name);
            QFile::remove(temp);
            throw Error(QStringLiteral("Не удалось создать базу данных %1: %2").arg(path, e.text()));
        }
        if (!QFile::rename(temp, path)) {
            QFile::remove(temp);
            throw Error(QStringLiteral("Не удалось создать базу данных %1").arg(path));
        }
        return;
    }
    if (!info.isFile() || !info.isReadable())
        throw Error(QStringLiteral("Не удалось открыть базу данных %1").arg(path));
    const QString name = QStringLiteral("check-") + QUuid::createUuid().toString();
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            problem = QStringLiteral("Не удалось открыть базу данных %1: %2").arg(path, db.lastError().text());
        } else {
            try {
                const QStringList missing = schema::missingTables(db);
                if (!missing.isEmpty())
                    problem = QStringLiteral("В базе данных %1 нет таблицы %2").arg(path, missing.first());
                else {
                    schema::ensureIndexes(db);
                    ScpStore(db).fillIfEmpty(scpPath);
                }
            } catch (const Error &e) {
                problem = QStringLiteral("Не удалось открыть базу данных %1: %2").arg(path, e.text());
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!problem.isEmpty())
        throw Error(problem);
}

Database::Database(const QString &path, const QString &connectionName)
    : m_path(path), m_name(connectionName)
{
    QSqlDatabase db = openRaw(path, m_name);
    try {
        configure(db);
    } catch (const Error &e) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw Error(QStringLiteral("Не удалось открыть базу данных %1: %2").arg(path, e.text()));
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

} // namespace vireo
