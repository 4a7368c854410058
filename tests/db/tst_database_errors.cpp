// What the listener reads when SQLite refuses: for a full disk, a read-only log, a lock held
// beyond the wait, a damaged file and a lack of memory, one Russian sentence saying what happened
// and what to do, SQLite's own words after it in brackets. And a file of an older version, which
// lacks what this one adds at start, opened on a full disk.

#include "base/error.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "db/sql.h"
#include "db/undo_journal.h"
#include "support/full_disk.h"
#include "support/qso_builder.h"
#include "support/temp_log.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <functional>
#include <memory>
#include <optional>

using namespace vireo;

namespace {

QsoRecord record(const QString &call)
{
    return test::Qso::plain().call1(call).nr1(QStringLiteral("1"));
}

// A log of one record.
struct Log : test::TempLog {
    Log() : TempLog(QStringLiteral("live")) { store->append(record(QStringLiteral("UA1AAA"))); }
};

// The text of the error a step throws, or "no error".
QString thrownBy(const std::function<void()> &step)
{
    try {
        step();
    } catch (const Error &e) {
        return e.text();
    }
    return QStringLiteral("no error");
}

} // namespace

class TestDatabaseErrors : public QObject {
    Q_OBJECT
private slots:
    void faultsToldInRussian_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("start"); // the Russian sentence begins so (a pattern)
        QTest::addColumn<QString>("english"); // SQLite's words, in brackets at its end
        QTest::newRow("disk full, save")
            << QStringLiteral("full")
            << QStringLiteral("На диске нет места, запись в журнал не удалась — освободите место на диске и повторите")
            << QStringLiteral("database or disk is full");
        QTest::newRow("disk full, import")
            << QStringLiteral("full import")
            << QStringLiteral("(Ошибка записи в журнал: на|На) диске нет места, запись в журнал не удалась")
            << QStringLiteral("database or disk is full");
        QTest::newRow("read-only") << QStringLiteral("readonly")
                                   << QStringLiteral("Файл журнала или его папка доступны только для чтения")
                                   << QStringLiteral("attempt to write a readonly database");
        QTest::newRow("locked beyond the wait")
            << QStringLiteral("locked") << QStringLiteral("Журнал дольше пяти секунд занят другой программой")
            << QStringLiteral("database is locked");
        QTest::newRow("damaged file") << QStringLiteral("damaged") << QStringLiteral("Не удалось открыть базу данных ")
                                      << QStringLiteral("file is not a database");
        QTest::newRow("out of memory") << QStringLiteral("memory")
                                       << QStringLiteral("Не хватило памяти — закройте другие программы и повторите")
                                       << QStringLiteral("out of memory");
    }
    void faultsToldInRussian()
    {
        QFETCH(QString, fault);
        QFETCH(QString, start);
        QFETCH(QString, english);
        // The file system goes under the connections as they open.
        std::optional<test::FullDisk> disk;
        if (fault.startsWith(QLatin1String("full")))
            disk.emplace();
        Log log;
        QString text;
        if (disk) {
            disk->setFull(true);
            if (fault == QLatin1String("full"))
                text = thrownBy([&log] { log.store->append(record(QStringLiteral("UA2BBB"))); });
            else
                text = thrownBy([&log] {
                    int n = 0;
                    log.store->import(false, [&n](QsoRecord &r) {
                        r = record(QStringLiteral("UA%1CCC").arg(n));
                        return ++n <= 3000;
                    });
                });
            QVERIFY(disk->refusedWrites() > 0);
            disk->setFull(false);
        } else if (fault == QLatin1String("readonly")) {
            sql::run(log.db->connection(), QStringLiteral("PRAGMA query_only = 1"));
            text = thrownBy([&log] { log.store->append(record(QStringLiteral("UA2BBB"))); });
        } else if (fault == QLatin1String("locked")) {
            Database other(log.path, QStringLiteral("holder"));
            QSqlQuery hold(other.connection());
            QVERIFY(hold.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            text = thrownBy([&log] { log.store->append(record(QStringLiteral("UA2BBB"))); });
            hold.exec(QStringLiteral("ROLLBACK"));
        } else if (fault == QLatin1String("damaged")) {
            const QString damaged = log.filePath(QStringLiteral("damaged.db"));
            QFile f(damaged);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(8192, '\x5a'));
            f.close();
            text = thrownBy([&damaged] { Database db(damaged, QStringLiteral("damaged")); });
            QVERIFY2(text.contains(QStringLiteral(
                         ": файл журнала повреждён — восстановите журнал из резервной копии в меню «Журнал»")),
                     qPrintable(text));
        } else {
            const sqlite3_int64 limit = sqlite3_hard_heap_limit64(-1);
            sqlite3_hard_heap_limit64(sqlite3_memory_used() + 4 * 1024 * 1024);
            text = thrownBy(
                [&log] { sql::run(log.db->connection(), QStringLiteral("SELECT length(randomblob(50000000))")); });
            sqlite3_hard_heap_limit64(limit);
        }
        QVERIFY2(text.contains(QRegularExpression(QLatin1Char('^') + start)), qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral("(%1).").arg(english)), qPrintable(text));
        // Russian all through but the bracket: no English word outside it.
        // (file names aside)
        const QString outsideBrackets =
            text.left(text.lastIndexOf(QLatin1Char('('))).remove(QRegularExpression(QStringLiteral("/\\S+")));
        QVERIFY2(!outsideBrackets.contains(QRegularExpression(QStringLiteral("[A-Za-z]{3,}"))), qPrintable(text));
        // The log is as it was.
        QCOMPARE(log.store->count(), 1);
    }

    // A file of an older version (no totals, no undo history table) on a full disk: it opens, the
    // counts are right, nothing is written; once space is back what it lacks is added, and from
    // the next save on the history works.
    void olderFileOpensOnFullDisk()
    {
        test::FullDisk disk;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        {
            Log made;
            made.store->append({record(QStringLiteral("UA2BBB")), record(QStringLiteral("UA3CCC"))});
            QsoRecord withNr2 = record(QStringLiteral("UA4DDD"));
            withNr2.nr2 = QStringLiteral("9");
            made.store->append(withNr2);
            made.store.reset();
            for (const char *statement : {"DROP TRIGGER qso_count_insert", "DROP TRIGGER qso_count_delete",
                                          "DROP TRIGGER qso_count_update", "DROP TABLE qso_totals"})
                sql::run(made.db->connection(), QString::fromLatin1(statement));
            made.db.reset();
            QVERIFY(QFile::copy(made.path, path));
        }

        disk.setFull(true);
        bool complete = true;
        try {
            complete = Database::prepareFile(path);
        } catch (const Error &e) {
            QFAIL(qPrintable(e.text()));
        }
        QVERIFY(!complete);
        Database db(path, QStringLiteral("full"));
        QsoStore store(db.connection());
        QCOMPARE(store.count(), 4);
        QCOMPARE(store.countWithNr2(), 1);
        UndoJournal journal(store);
        QVERIFY(journal.pending());
        QVERIFY(!journal.canUndo());
        QVERIFY(!Database::completeHousekeeping(db.connection()));
        QVERIFY(disk.refusedWrites() > 0);

        disk.setFull(false);
        QVERIFY(Database::completeHousekeeping(db.connection()));
        store.append(record(QStringLiteral("UA5EEE")));
        QVERIFY(!journal.pending());
        store.append(record(QStringLiteral("UA6FFF")));
        QCOMPARE(journal.nextCaption(), QStringLiteral("Отменить запись QSO UA6FFF"));
        journal.undo();
        QCOMPARE(store.count(), 5);
        QSqlQuery totals = sql::run(db.connection(), QStringLiteral("SELECT total, with_nr2 FROM qso_totals"));
        QVERIFY(totals.next());
        QCOMPARE(totals.value(0).toInt(), 5);
        QCOMPARE(totals.value(1).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseErrors)
#include "tst_database_errors.moc"
