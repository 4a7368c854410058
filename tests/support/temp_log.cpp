#include "support/temp_log.h"

#include "db/sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QtTest>

namespace vireo::test {

TempLog::TempLog(const QString &connection, const ReferenceSource &reference)
    : dir(std::make_unique<QTemporaryDir>()),
      path(dir->filePath(QStringLiteral("vireolog.db"))),
      m_connection(connection)
{
    Database::prepareFile(path, reference);
    open();
}

TempLog::TempLog(const QString &path, const QString &connection, const ReferenceSource &reference)
    : path(path), m_connection(connection)
{
    Database::prepareFile(path, reference);
    open();
}

TempLog::~TempLog()
{
    close();
}

QString TempLog::filePath(const QString &name) const
{
    return QFileInfo(path).dir().filePath(name);
}

void TempLog::open()
{
    close();
    db = std::make_unique<Database>(path, m_connection);
    store = std::make_unique<QsoStore>(db->connection());
}

void TempLog::close()
{
    store.reset();
    db.reset();
}

QVector<QsoRecord> TempLog::rows() const
{
    QVector<QsoRecord> all;
    store->forEach([&all](const QsoRecord &r) { all << r; });
    return all;
}

void writeWalCopy(const QString &copyPath, const QVector<QsoRecord> &records, int walFrom)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.db"));
    Database::prepareFile(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        {
            QSqlQuery q = sql::run(db, QStringLiteral("PRAGMA journal_mode = WAL"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("wal"));
        }
        sql::run(db, QStringLiteral("PRAGMA wal_autocheckpoint = 0"));
        {
            QsoStore store(db);
            store.append(records.mid(0, walFrom));
            sql::run(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            store.append(records.mid(walFrom));
        }
        QVERIFY(QFileInfo(path + QStringLiteral("-wal")).size() > 0);
        QVERIFY(QFile::copy(path, copyPath));
        QVERIFY(QFile::copy(path + QStringLiteral("-wal"), copyPath + QStringLiteral("-wal")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

} // namespace vireo::test
