// Backup copies of the log: names, order, pruning, consistency while the log is written (with a
// write-ahead log and with a rollback journal), a writer killed part-way, and restoring from a
// sound and from a damaged copy.

#include "base/error.h"
#include "db/database.h"
#include "db/log_backup.h"
#include "db/qso_store.h"
#include "db/sql.h"
#include "db/undo_journal.h"
#include "support/processes.h"
#include "support/qso_builder.h"
#include "support/temp_log.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <thread>

using namespace vireo;

namespace {

const char *const ChildVariable = "VIREO_BACKUP_CHILD_LOG";

QsoRecord record(int i)
{
    return test::Qso::typical()
        .freq(QStringLiteral("14025"))
        .heard(QStringLiteral("UA%1ABC").arg(i), QStringLiteral("599"), QString::number(i))
        .call2(QStringLiteral("DL%1XY").arg(i))
        .rst2(i % 2 ? QStringLiteral("579") : QString())
        .nr2(i % 2 ? QString::number(i * 7) : QString())
        .tur(QStringLiteral("1"));
}

QVector<QsoRecord> records(int from, int n)
{
    QVector<QsoRecord> rs;
    for (int i = from; i < from + n; ++i)
        rs << record(i);
    return rs;
}

QDateTime at(int hour, int minute, int second)
{
    return QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second), Qt::UTC);
}

struct Log : test::TempLog {
    explicit Log(int n = 0, bool wal = true) : TempLog(QStringLiteral("live"))
    {
        // The program keeps its log in a rollback journal; a log in write-ahead mode (as another
        // program may leave it) must be copied just as well. The mode is set before the store
        // prepares its statements.
        store.reset();
        QSqlQuery q(db->connection());
        QVERIFY(
            q.exec(wal ? QStringLiteral("PRAGMA journal_mode = WAL") : QStringLiteral("PRAGMA journal_mode = DELETE")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), wal ? QStringLiteral("wal") : QStringLiteral("delete"));
        q.finish();
        store = std::make_unique<QsoStore>(db->connection());
        store->append(records(0, n));
    }
};

void verifySameRows(const QVector<QsoRecord> &a, const QVector<QsoRecord> &b)
{
    QCOMPARE(a.size(), b.size());
    for (int i = 0; i < a.size(); ++i) {
        QCOMPARE(a[i].id, b[i].id);
        QVERIFY(a[i] == b[i]);
    }
}

QString journalModeOf(const QString &path)
{
    QString mode;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next())
                mode = q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return mode;
}

QString pragma(QSqlDatabase db, const QString &name)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA ") + name) || !q.next())
        return QStringLiteral("failed: ") + q.lastError().text();
    return q.value(0).toString();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestLogBackup : public QObject {
    Q_OBJECT
private slots:
    void copiesNamedListedAndPruned()
    {
        Log log(25);
        const QString folder = QFileInfo(log.path).absolutePath() + QStringLiteral("/backup");
        QCOMPARE(logbackup::folderOf(log.path), folder);
        QVERIFY(logbackup::list(log.path).isEmpty());

        const QString first = logbackup::write(log.path, at(14, 30, 5));
        QCOMPARE(first, folder + QStringLiteral("/vireolog-20261208-143005.db"));
        const QString again = logbackup::write(log.path, at(14, 30, 5)); // the same second
        QCOMPARE(again, folder + QStringLiteral("/vireolog-20261208-143005-2.db"));
        log.store->append(record(99));
        const QString later = logbackup::write(log.path, at(15, 0, 0));
        const QString earlier = logbackup::write(log.path, at(9, 0, 0));

        // Names that are not finished copies are not listed.
        for (const char *name : {"vireolog-20261208-160000.db.part", "other-20261208-160000.db", "notes.txt"}) {
            QFile f(folder + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QVector<logbackup::Copy> copies = logbackup::list(log.path);
        QCOMPARE(copies.size(), 4);
        QCOMPARE(copies[0].path, later);
        QCOMPARE(copies[1].path, again);
        QCOMPARE(copies[2].path, first);
        QCOMPARE(copies[3].path, earlier);
        QCOMPARE(copies[0].utc, at(15, 0, 0));

        QCOMPARE(logbackup::qsoCount(later), 26);
        QCOMPARE(logbackup::qsoCount(first), 25);
        // Each copy is one self-contained file, whatever journal the log keeps.
        QCOMPARE(journalModeOf(later), QStringLiteral("delete"));
        logbackup::check(later);

        // The newest are kept; temporary files of copies cut short go after an hour.
        const QString stale = folder + QStringLiteral("/vireolog-20261201-000000.db.part");
        {
            QFile f(stale);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-7200), QFileDevice::FileModificationTime));
        }
        logbackup::prune(log.path, 2);
        const QVector<logbackup::Copy> kept = logbackup::list(log.path);
        QCOMPARE(kept.size(), 2);
        QCOMPARE(kept[0].path, later);
        QCOMPARE(kept[1].path, again);
        QVERIFY(!QFile::exists(stale));
        QVERIFY(
            QFile::exists(folder + QStringLiteral("/vireolog-20261208-160000.db.part"))); // maybe still being written
        QVERIFY(QFile::exists(folder + QStringLiteral("/notes.txt")));
    }

    void copyConsistentWhileLogIsWritten_data()
    {
        QTest::addColumn<bool>("wal");
        QTest::newRow("write-ahead log") << true;
        QTest::newRow("rollback journal") << false;
    }
    void copyConsistentWhileLogIsWritten()
    {
        QFETCH(bool, wal);
        Log log(3000, wal);
        const int before = log.store->count();
        QString path, error;
        std::atomic<bool> done{false};
        // A slow copy on a worker thread, as the timed copies are written.
        std::thread worker([&] {
            try {
                path = logbackup::write(log.path, at(12, 0, 0), logbackup::Pace{2, 2});
            } catch (const Error &e) {
                error = e.text();
            }
            done = true;
        });
        // Once the copy is under way (its first pages are on disk), the program saves QSOs; none
        // of them may fail or wait out the lock timeout.
        const QString part = logbackup::folderOf(log.path) + QStringLiteral("/vireolog-20261208-120000.db.part");
        QTRY_VERIFY_WITH_TIMEOUT(done || QFileInfo(part).size() > 0, 20000);
        int saved = 0;
        while (!done && saved < 40) {
            log.store->append(record(10000 + saved));
            ++saved;
            QTest::qSleep(5);
        }
        worker.join();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(saved > 0);
        logbackup::check(path);
        const int inCopy = logbackup::qsoCount(path);
        if (wal)
            QCOMPARE(inCopy, before); // one snapshot: the log as it was when the copy began
        else
            QVERIFY(inCopy >= before && inCopy <= before + saved); // started over after each save
        // The copy's totals agree with its rows: it was taken from one consistent state.
        {
            QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("copy"));
            c.setDatabaseName(path);
            QVERIFY(c.open());
            QSqlQuery q = sql::run(c, QStringLiteral("SELECT total FROM qso_totals"));
            QCOMPARE(int(sql::scalar(q)), inCopy);
            q.finish();
            c.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("copy"));
        QCOMPARE(log.store->count(), before + saved);
    }

    void killedWriterLeavesNoHalfCopy()
    {
        Log log(4000);
        const QString folder = logbackup::folderOf(log.path);
        const QString good = logbackup::write(log.path, at(10, 0, 0));

        // A second program writing a slow copy is killed in the middle of it.
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(ChildVariable), log.path);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        const QString part = folder + QStringLiteral("/vireolog-20261208-110000.db.part");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(part).exists() && QFileInfo(part).size() > 8192, 10000);
        QCOMPARE(child.state(), QProcess::Running); // still copying
        test::sendSignal(child, SIGKILL);
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        // Only the sound copy carries a backup's name; the log itself is untouched.
        const QVector<logbackup::Copy> copies = logbackup::list(log.path);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(copies[0].path, good);
        QVERIFY(!QFile::exists(folder + QStringLiteral("/vireolog-20261208-110000.db")));
        QCOMPARE(log.store->count(), 4000);

        // The next copy in the same second does not collide with the leftover, and is sound.
        const QString next = logbackup::write(log.path, at(11, 0, 0));
        QCOMPARE(next, folder + QStringLiteral("/vireolog-20261208-110000-2.db"));
        logbackup::check(next);
        QCOMPARE(logbackup::qsoCount(next), 4000);
    }

    void restoreFromSoundCopy_data()
    {
        QTest::addColumn<bool>("wal");
        QTest::newRow("write-ahead log") << true;
        QTest::newRow("rollback journal") << false;
    }
    void restoreFromSoundCopy()
    {
        QFETCH(bool, wal);
        Log log(40, wal);
        UndoJournal journal(*log.store);
        log.store->remove(log.rows().at(5).id);
        const QVector<QsoRecord> saved = log.rows();
        const QString copy = logbackup::write(log.path, at(8, 0, 0));

        log.store->append(records(100, 30));
        log.store->remove(saved.at(0).id);
        log.store->clear();
        log.store->append(records(200, 2));

        logbackup::restore(log.store->connection(), copy);
        journal.reset();
        verifySameRows(log.rows(), saved);
        QCOMPARE(log.store->count(), 39);
        QCOMPARE(log.store->countWithNr2(),
                 int(std::count_if(saved.begin(), saved.end(), [](const QsoRecord &r) { return !r.nr2.isEmpty(); })));
        // The restored log keeps working: writes, their undo, new keys above the old ones.
        QVERIFY(!journal.canUndo());
        const qint64 id = log.store->append(record(300));
        QVERIFY(id > saved.last().id);
        QCOMPARE(journal.nextCaption(), QStringLiteral("Отменить запись QSO UA300ABC"));
        journal.undo();
        verifySameRows(log.rows(), saved);
        // The file on disk holds the restored log for the next start.
        log.store.reset();
        log.db.reset();
        log.db = std::make_unique<Database>(log.path, QStringLiteral("reopened"));
        log.store = std::make_unique<QsoStore>(log.db->connection());
        verifySameRows(log.rows(), saved);
    }

    // A copy in write-ahead mode with part of its records in its -wal file: listing and checking
    // it write nothing beside it, its -wal records are restored too, and the log stays in its
    // rollback journal with its synchronous setting, nothing beside vireolog.db, each new save in
    // that one file.
    void walCopyRestoredIntoTheRollbackJournal()
    {
        Log log(10, false);
        const QString folder = logbackup::folderOf(log.path);
        QVERIFY(QDir().mkpath(folder));
        const QString copy = folder + QStringLiteral("/vireolog-20261208-090000.db");
        test::writeWalCopy(copy, records(0, 30), 20);
        if (QTest::currentTestFailed())
            return;
        const QStringList before = filesIn(folder);
        QCOMPARE(before, (QStringList{QStringLiteral("vireolog-20261208-090000.db"),
                                      QStringLiteral("vireolog-20261208-090000.db-wal")}));

        QCOMPARE(logbackup::list(log.path).size(), 1);
        QCOMPARE(logbackup::qsoCount(copy), 30);
        logbackup::check(copy);
        QCOMPARE(filesIn(folder), before);

        const QSqlDatabase live = log.store->connection();
        const QString synchronous = pragma(live, QStringLiteral("synchronous"));
        QCOMPARE(synchronous, QStringLiteral("3")); // EXTRA, as the program opens its log
        logbackup::restore(live, copy);
        QCOMPARE(filesIn(folder), before);
        QCOMPARE(log.store->count(), 30);
        QCOMPARE(log.rows().last().call1, QStringLiteral("UA29ABC"));
        QCOMPARE(pragma(live, QStringLiteral("journal_mode")), QStringLiteral("delete"));
        QCOMPARE(pragma(live, QStringLiteral("synchronous")), synchronous);
        log.store->append(record(500));
        const QString logFolder = QFileInfo(log.path).absolutePath();
        for (const char *side : {"-wal", "-shm", "-journal"})
            QVERIFY2(!QFile::exists(log.path + QLatin1String(side)), side);
        QCOMPARE(journalModeOf(log.path), QStringLiteral("delete"));
        // The main file alone holds every record.
        QTemporaryDir elsewhere;
        const QString alone = elsewhere.filePath(QStringLiteral("vireolog.db"));
        QVERIFY(QFile::copy(log.path, alone));
        QCOMPARE(logbackup::qsoCount(alone), 31);
        QVERIFY(filesIn(logFolder).filter(QStringLiteral("vireolog.db-")).isEmpty());

        // Removing the copy takes the file beside it along.
        logbackup::write(log.path, at(10, 0, 0));
        logbackup::prune(log.path, 1);
        QCOMPARE(filesIn(folder), QStringList{QStringLiteral("vireolog-20261208-100000.db")});
    }

    // A copy in write-ahead mode without its -wal file still comes in as a rollback-journal log.
    void walCopyWithoutItsLogRestoredIntoTheRollbackJournal()
    {
        Log log(3, false);
        const QString folder = logbackup::folderOf(log.path);
        QVERIFY(QDir().mkpath(folder));
        const QString copy = folder + QStringLiteral("/vireolog-20261208-090000.db");
        test::writeWalCopy(copy, records(0, 12), 11);
        QVERIFY(QFile::remove(copy + QStringLiteral("-wal")));
        QCOMPARE(logbackup::qsoCount(copy), 11);
        logbackup::restore(log.store->connection(), copy);
        QCOMPARE(filesIn(folder), QStringList{QStringLiteral("vireolog-20261208-090000.db")});
        QCOMPARE(log.store->count(), 11);
        QCOMPARE(pragma(log.store->connection(), QStringLiteral("journal_mode")), QStringLiteral("delete"));
        log.store->append(record(600));
        QVERIFY(!QFile::exists(log.path + QStringLiteral("-wal")));
        QCOMPARE(journalModeOf(log.path), QStringLiteral("delete"));
    }

    void damagedCopyRefused_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("cut short") << QStringLiteral("truncate");
        QTest::newRow("not a database") << QStringLiteral("garbage");
        QTest::newRow("pages overwritten") << QStringLiteral("scribble");
        QTest::newRow("no log table") << QStringLiteral("notable");
        QTest::newRow("missing") << QStringLiteral("missing");
    }
    void damagedCopyRefused()
    {
        QFETCH(QString, damage);
        Log log(2000);
        const QString copy = logbackup::write(log.path, at(8, 0, 0));
        log.store->append(records(5000, 3));
        const QVector<QsoRecord> live = log.rows();

        if (damage == QLatin1String("truncate")) {
            QFile f(copy);
            QVERIFY(f.resize(f.size() / 2));
        } else if (damage == QLatin1String("garbage")) {
            QFile f(copy);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(70000, 'x'));
        } else if (damage == QLatin1String("scribble")) {
            QFile f(copy);
            QVERIFY(f.open(QIODevice::ReadWrite));
            for (qint64 at = 4096 * 3; at < f.size(); at += 4096 * 5) {
                f.seek(at + 100);
                f.write(QByteArray(600, '\x5a'));
            }
        } else if (damage == QLatin1String("notable")) {
            QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("spoil"));
            c.setDatabaseName(copy);
            QVERIFY(c.open());
            sql::run(c, QStringLiteral("DROP TABLE qso"));
            c.close();
            c = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("spoil"));
        } else {
            QVERIFY(QFile::remove(copy));
        }

        try {
            logbackup::restore(log.store->connection(), copy);
            QFAIL("a damaged copy was restored");
        } catch (const Error &e) {
            QVERIFY2(e.text().startsWith(QStringLiteral("Резервная копия vireolog-20261208-080000.db повреждена: ")),
                     qPrintable(e.text()));
        }
        verifySameRows(log.rows(), live);
        QCOMPARE(log.store->count(), 2003);
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(ChildVariable)) {
        // The second program of killedWriterLeavesNoHalfCopy: a copy slow enough to be killed.
        QCoreApplication app(argc, argv);
        try {
            logbackup::write(qEnvironmentVariable(ChildVariable), at(11, 0, 0), logbackup::Pace{1, 20});
        } catch (const Error &) {
            return 2;
        }
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestLogBackup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_log_backup.moc"
