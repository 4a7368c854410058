// The instant of each save (table qso_audio) beside the log: kept with its records, gone with a
// record that goes, back with an undo, emptied with a clear or an import that replaces the log;
// added to a file of an older version, and never in the way of a save.

#include "db/database.h"
#include "db/qso_store.h"
#include "db/sql.h"
#include "db/undo_journal.h"
#include "support/full_disk.h"
#include "support/qso_builder.h"
#include "support/temp_log.h"

#include <QSqlRecord>
#include <QtTest>

#include <memory>

using namespace vireo;

namespace {

constexpr qint64 T = 1772694249123; // 05.03.2026 07:04:09.123 UTC

QsoRecord record(const QString &call1)
{
    return test::Qso::typical().heard(call1, QStringLiteral("599"), QStringLiteral("001"));
}

// A log with its undo history, opened again as a new start of the program would.
struct Log : test::TempLog {
    std::unique_ptr<UndoJournal> journal;
    Log() : TempLog(QStringLiteral("audio-links")) { journal = std::make_unique<UndoJournal>(*store); }
    ~Log() { journal.reset(); }
    void reopen()
    {
        journal.reset();
        open();
        journal = std::make_unique<UndoJournal>(*store);
    }
    void shut()
    {
        journal.reset();
        close();
    }
    // The table's rows as the file holds them: key and instant.
    QVector<QPair<qint64, qint64>> instants()
    {
        QSqlQuery q = sql::run(db->connection(), QStringLiteral("SELECT qso_id, at_ms FROM qso_audio ORDER BY qso_id"));
        QVector<QPair<qint64, qint64>> rows;
        while (q.next())
            rows.append({q.value(0).toLongLong(), q.value(1).toLongLong()});
        return rows;
    }
};

} // namespace

class TestQsoAudio : public QObject {
    Q_OBJECT
private slots:
    // A save of a pair (copy with swap) notes one instant for both; a save without one, and an
    // edit, leave the table as it is.
    void instantKeptWithItsRecords()
    {
        Log log;
        const QVector<qint64> pair =
            log.store->append({record(QStringLiteral("UA1ABC")), record(QStringLiteral("UA2XYZ"))}, T);
        const qint64 plain = log.store->append(record(QStringLiteral("UA3CCC")));
        QCOMPARE(log.store->savedAt(pair[0]).value_or(0), T);
        QCOMPARE(log.store->savedAt(pair[1]).value_or(0), T);
        QVERIFY(!log.store->savedAt(plain).has_value());
        QsoRecord edited = log.store->byId(pair[0]);
        edited.nr1 = QStringLiteral("002");
        log.store->update(edited);
        QCOMPARE(log.store->savedAt(pair[0]).value_or(0), T);
        QCOMPARE(log.instants(), (QVector<QPair<qint64, qint64>>{{pair[0], T}, {pair[1], T}}));
        // The columns of the log are as they always were.
        QSqlQuery q = sql::run(log.db->connection(), QStringLiteral("SELECT * FROM qso"));
        QCOMPARE(q.record().count(), 14);
    }

    void deleteUndoAndUndoOfSave()
    {
        Log log;
        const qint64 a = log.store->append({record(QStringLiteral("UA1ABC"))}, T).value(0);
        const qint64 b = log.store->append({record(QStringLiteral("UA2XYZ"))}, T + 5000).value(0);
        log.store->remove(a);
        QVERIFY(!log.store->savedAt(a).has_value());
        QCOMPARE(log.instants(), (QVector<QPair<qint64, qint64>>{{b, T + 5000}}));
        QCOMPARE(log.journal->nextCaption(), QStringLiteral("Отменить удаление UA1ABC"));
        log.journal->undo();
        QCOMPARE(log.store->savedAt(a).value_or(0), T);
        QCOMPARE(log.instants(), (QVector<QPair<qint64, qint64>>{{a, T}, {b, T + 5000}}));
        // Undo of the save of b takes its instant out with it.
        QCOMPARE(log.journal->nextCaption(), QStringLiteral("Отменить запись QSO UA2XYZ"));
        log.journal->undo();
        QCOMPARE(log.store->count(), 1);
        QCOMPARE(log.instants(), (QVector<QPair<qint64, qint64>>{{a, T}}));
        // A new save never finds an instant of a record that is gone.
        const qint64 c = log.store->append(record(QStringLiteral("UA4DDD")));
        QVERIFY(c != b);
        QVERIFY(!log.store->savedAt(c).has_value());
    }

    void clearAndImportThenUndo()
    {
        Log log;
        const QVector<qint64> ids =
            log.store->append({record(QStringLiteral("UA1ABC")), record(QStringLiteral("UA2XYZ"))}, T);
        const qint64 third = log.store->append({record(QStringLiteral("UA3CCC"))}, T + 1).value(0);
        const auto all = log.instants();
        QCOMPARE(all.size(), 3);
        log.store->clear();
        QVERIFY(log.instants().isEmpty());
        log.journal->undo();
        QCOMPARE(log.instants(), all);
        QCOMPARE(log.store->savedAt(third).value_or(0), T + 1);

        // An import that replaces the log: the instants go with the old records, and come back with them.
        int n = 0;
        log.store->import(true, [&n](QsoRecord &r) {
            if (n++ == 2)
                return false;
            r = record(QStringLiteral("R%1AA").arg(n));
            return true;
        });
        QCOMPARE(log.store->count(), 2);
        QVERIFY(log.instants().isEmpty());
        log.journal->undo();
        QCOMPARE(log.store->count(), 3);
        QCOMPARE(log.instants(), all);
        QCOMPARE(log.store->savedAt(ids[1]).value_or(0), T);
        // An import that adds to the log leaves the instants alone.
        n = 0;
        log.store->import(false, [&n](QsoRecord &r) {
            if (n++ == 1)
                return false;
            r = record(QStringLiteral("R9AA"));
            return true;
        });
        QCOMPARE(log.instants(), all);
    }

    // A record removed by another program: its instant is not found any more.
    void recordRemovedElsewhereHasNoInstant()
    {
        Log log;
        const qint64 a = log.store->append({record(QStringLiteral("UA1ABC"))}, T).value(0);
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(log.path);
            QVERIFY(other.open());
            QSqlQuery q(other);
            QVERIFY(q.exec(QStringLiteral("DELETE FROM qso WHERE id = %1").arg(a)));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        QVERIFY(!log.store->savedAt(a).has_value());
    }

    // A file of an older version lacks the table: it gets it at the start; on a full disk it
    // saves without instants until the table can be added, and then with them, undo included.
    void olderFileGetsTheTable()
    {
        test::FullDisk disk;
        Log log;
        log.store->append(record(QStringLiteral("UA1ABC")));
        sql::run(log.db->connection(), QStringLiteral("DROP TABLE qso_audio"));
        log.shut();

        disk.setFull(true);
        QVERIFY(!Database::prepareFile(log.path));
        log.reopen();
        disk.setFull(false);
        const qint64 a = log.store->append({record(QStringLiteral("UA2XYZ"))}, T).value(0);
        QCOMPARE(log.store->count(), 2);
        QVERIFY(!log.store->savedAt(a).has_value());

        QVERIFY(Database::completeHousekeeping(log.db->connection()));
        const qint64 b = log.store->append({record(QStringLiteral("UA3CCC"))}, T + 7).value(0);
        QCOMPARE(log.store->savedAt(b).value_or(0), T + 7);
        log.store->remove(b);
        log.journal->undo();
        QCOMPARE(log.store->savedAt(b).value_or(0), T + 7);

        // And a file that never had it gets it when it opens.
        log.shut();
        {
            Database db(log.path, QStringLiteral("drop"));
            sql::run(db.connection(), QStringLiteral("DROP TABLE qso_audio"));
        }
        QVERIFY(Database::prepareFile(log.path));
        log.reopen();
        QVERIFY(log.instants().isEmpty());
        const qint64 c = log.store->append({record(QStringLiteral("UA4DDD"))}, T + 9).value(0);
        QCOMPARE(log.store->savedAt(c).value_or(0), T + 9);
    }
};

QTEST_GUILESS_MAIN(TestQsoAudio)
#include "tst_qso_audio.moc"
