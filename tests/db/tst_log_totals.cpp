// The log's totals and the grid follow the file whoever writes it: another program through the
// sqlite3 command line, a second connection, a file made by an earlier version or changed while
// its totals were not kept. The journal keeps every committed record in vireolog.db itself.

#include "db/database.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "support/processes.h"
#include "support/qso_builder.h"
#include "support/temp_log.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

using namespace vireo;

namespace {

QsoRecord record(const QString &call1, const QString &nr2 = QString())
{
    return test::Qso::plain().call1(call1).nr1(QStringLiteral("001")).nr2(nr2);
}

QString outside(const QString &db, const QString &statement)
{
    return test::sqlite3(db, statement);
}

struct Log : test::TempLog {
    // The totals against a count of the rows.
    void check() const
    {
        QCOMPARE(store->count(), outside(path, QStringLiteral("SELECT COUNT(*) FROM qso")).toInt());
        QCOMPARE(store->countWithNr2(),
                 outside(path, QStringLiteral("SELECT COUNT(*) FROM qso WHERE nr2 <> ''")).toInt());
    }
};

} // namespace

#define CHECK(log)                                                                                                     \
    do {                                                                                                               \
        (log).check();                                                                                                 \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

class TestLogTotals : public QObject {
    Q_OBJECT
private slots:
    void anotherProgramsWritesAreCounted()
    {
        Log log;
        log.store->append({record("A", "1"), record("B"), record("C", "2")});
        CHECK(log);
        QCOMPARE(outside(log.path, QStringLiteral("INSERT INTO qso (call1, nr2) VALUES ('X', '5'), ('Y', '')")),
                 QString());
        CHECK(log);
        QCOMPARE(log.store->count(), 5);
        QCOMPARE(outside(log.path, QStringLiteral("DELETE FROM qso WHERE call1 IN ('A', 'B')")), QString());
        CHECK(log);
        QCOMPARE(outside(log.path, QStringLiteral("UPDATE qso SET nr2 = '' WHERE call1 = 'C'")), QString());
        CHECK(log);
        QCOMPARE(outside(log.path, QStringLiteral("UPDATE qso SET nr2 = '7'")), QString());
        CHECK(log);
        QCOMPARE(log.store->countWithNr2(), 3);
        QCOMPARE(outside(log.path, QStringLiteral("DELETE FROM qso")), QString());
        CHECK(log);
        QCOMPARE(log.store->count(), 0);
        // our own writes after all that
        log.store->append({record("D", "1"), record("E")});
        log.store->clear();
        log.store->append(record("F", "1"));
        CHECK(log);
        QCOMPARE(log.store->count(), 1);
        // clearing and importing left the counting in place
        QCOMPARE(outside(log.path, QStringLiteral("DELETE FROM qso")), QString());
        CHECK(log);
        QCOMPARE(log.store->count(), 0);
        int n = 0;
        log.store->import(false, [&n](QsoRecord &r) {
            r = record(QStringLiteral("I%1").arg(n), n % 2 ? QStringLiteral("1") : QString());
            return ++n <= 4;
        });
        CHECK(log);
        QCOMPARE(
            outside(log.path,
                    QStringLiteral("INSERT INTO qso (call1, nr2) VALUES ('J', '1');"
                                   " UPDATE qso SET nr2 = '' WHERE call1 = 'I1'; DELETE FROM qso WHERE call1 = 'I0'")),
            QString());
        CHECK(log);
        QCOMPARE(log.store->count(), 4);
        QCOMPARE(log.store->countWithNr2(), 2);
    }

    // A file written by an earlier version keeps totals the triggers did not make, and may have
    // been changed while nobody kept them: it is recounted when it is opened.
    void earlierFilesAreRecountedOnOpen()
    {
        Log log;
        log.store->append({record("A", "1"), record("B"), record("C", "2")});
        log.close();
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(log.path);
        QVERIFY(raw.open());
        {
            QSqlQuery q(raw);
            QSqlQuery triggers(raw);
            QVERIFY(triggers.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger'")));
            QStringList names;
            while (triggers.next())
                names << triggers.value(0).toString();
            for (const QString &name : names)
                QVERIFY(q.exec(QStringLiteral("DROP TRIGGER ") + name));
            QVERIFY(q.exec(QStringLiteral("INSERT INTO qso (call1, nr2) VALUES ('X', '5')")));
            QVERIFY(q.exec(QStringLiteral("DELETE FROM qso WHERE call1 = 'A'")));
            QVERIFY(q.exec(QStringLiteral("UPDATE qso_totals SET total = 999, with_nr2 = 7")));
        }
        raw.close();
        raw = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));

        Database::prepareFile(log.path);
        log.open();
        CHECK(log);
        QCOMPARE(log.store->count(), 3);
        QCOMPARE(log.store->countWithNr2(), 2);
        // and from then on another program's writes are counted again
        QCOMPARE(outside(log.path, QStringLiteral("INSERT INTO qso (call1) VALUES ('Y')")), QString());
        CHECK(log);
    }

    // The store's own changes are told to the listeners as they are; a change by anyone else
    // since the store's last write is told as a Reset after it, and the grid reads the file anew.
    void changesByOthersResetTheGrid()
    {
        Log log;
        QsoStore &store = *log.store;
        LogTableModel model(store);
        QList<LogChange::Kind> told;
        QObject::connect(&store, &QsoStore::logChanged, [&told](const LogChange &c) { told << c.kind; });
        const qint64 a = store.append(record("A"));
        QCOMPARE(told, QList<LogChange::Kind>{LogChange::Added});
        QCOMPARE(model.rowCount(), 1);

        // a second connection in this process counts as someone else too
        {
            Database other(log.path, QStringLiteral("other"));
            QsoStore second(other.connection());
            second.append({record("B"), record("C")});
        }
        told.clear();
        store.append(record("D"));
        QCOMPARE(told, (QList<LogChange::Kind>{LogChange::Added, LogChange::Reset}));
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.recordAt(2).call1, QStringLiteral("C"));

        told.clear();
        QCOMPARE(outside(log.path, QStringLiteral("UPDATE qso SET call1 = 'BB' WHERE call1 = 'B'")), QString());
        store.remove(a);
        QCOMPARE(told, (QList<LogChange::Kind>{LogChange::Removed, LogChange::Reset}));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.recordAt(0).call1, QStringLiteral("BB"));

        // nobody else wrote: no Reset, and the grid follows the change itself
        told.clear();
        QsoRecord d = store.byId(model.idAt(2));
        d.call1 = QStringLiteral("DD");
        store.update(d);
        QCOMPARE(told, QList<LogChange::Kind>{LogChange::Updated});
        QCOMPARE(model.recordAt(2).call1, QStringLiteral("DD"));
        // a caller that also tells the grid changes nothing more
        model.updated(d.id);
        const QVector<qint64> ids = store.append({record("E"), record("F")});
        model.appended(ids);
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.recordAt(4).call1, QStringLiteral("F"));
    }

    // No lock is kept between writes, and no committed record waits in a side file: the log is
    // in a rollback journal, and a copy of vireolog.db alone holds every record.
    void committedRecordsAreInTheMainFile()
    {
        Log log;
        QCOMPARE(outside(log.path, QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
        log.store->append({record("A"), record("B")});
        QVERIFY(!QFile::exists(log.path + QStringLiteral("-wal")));
        QVERIFY(!QFile::exists(log.path + QStringLiteral("-journal")));
        QTemporaryDir copyDir;
        const QString copy = copyDir.filePath(QStringLiteral("copy.db"));
        QVERIFY(QFile::copy(log.path, copy));
        QCOMPARE(outside(copy, QStringLiteral("SELECT group_concat(call1) FROM qso")), QStringLiteral("A,B"));

        // a file left in write-ahead mode by an earlier version, with records only in its -wal
        log.close();
        QProcess p;
        p.start(QStringLiteral("sqlite3"), {log.path});
        QVERIFY(p.waitForStarted());
        p.write("PRAGMA journal_mode = WAL;\nPRAGMA wal_autocheckpoint = 0;\nINSERT INTO qso (call1) VALUES ('W');\n"
                "SELECT 'written';\n.shell sleep 30\n");
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += p.readAllStandardOutput()).contains("written"), 30000);
        test::sendSignal(p, SIGKILL); // a crash leaves the record in the -wal
        QVERIFY(p.waitForFinished(10000));
        QVERIFY(QFile::exists(log.path + QStringLiteral("-wal")));
        Database::prepareFile(log.path);
        log.open();
        QCOMPARE(outside(log.path, QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
        QVERIFY(!QFile::exists(log.path + QStringLiteral("-wal")));
        QCOMPARE(log.store->count(), 3);
    }
};

QTEST_GUILESS_MAIN(TestLogTotals)
#include "tst_log_totals.moc"
