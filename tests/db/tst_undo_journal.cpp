// The undo history: every kind of change taken back, several in a row, against the file's rows,
// keys and totals; what the listeners are told; what is and is not journaled.

#include "base/error.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "db/sql.h"
#include "db/undo_journal.h"
#include "support/qso_builder.h"
#include "support/temp_log.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vireo;

namespace {

QsoRecord record(const QString &call1, const QString &nr2 = QString())
{
    return test::Qso::typical()
        .freq(QStringLiteral("14025"))
        .heard(call1, QStringLiteral("599"), QStringLiteral("001"))
        .call2(QStringLiteral("UA2XYZ"))
        .nr2WithReport(nr2, QStringLiteral("579"))
        .tur(QStringLiteral("2"));
}

QVector<QsoRecord> some(int n, const QString &prefix)
{
    QVector<QsoRecord> rs;
    for (int i = 0; i < n; ++i)
        rs << record(QStringLiteral("%1%2").arg(prefix).arg(i), i % 3 ? QString::number(i) : QString());
    return rs;
}

// A log with its undo history, which starts after the seed.
struct Log : test::TempLog {
    std::unique_ptr<UndoJournal> journal;
    explicit Log(const QVector<QsoRecord> &seed = {}) : TempLog(QStringLiteral("undo"))
    {
        store->append(seed);
        journal = std::make_unique<UndoJournal>(*store);
    }
    // The log's indexes as the file declares them.
    QStringList indexes()
    {
        QSqlQuery q =
            sql::run(db->connection(), QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index'"
                                                      " AND tbl_name = 'qso' AND sql IS NOT NULL ORDER BY name"));
        QStringList all;
        while (q.next())
            all << q.value(0).toString();
        return all;
    }
    QString integrity()
    {
        QSqlQuery q = sql::run(db->connection(), QStringLiteral("PRAGMA integrity_check"));
        return q.next() ? q.value(0).toString() : QString();
    }
    int historyRows()
    {
        QSqlQuery q = sql::run(db->connection(), QStringLiteral("SELECT COUNT(*) FROM undo_row"));
        return int(sql::scalar(q));
    }
};

// Rows, keys and every column equal; the totals agree with the rows.
void verifyState(Log &log, const QVector<QsoRecord> &expected)
{
    const QVector<QsoRecord> now = log.rows();
    QCOMPARE(now.size(), expected.size());
    int withNr2 = 0;
    for (int i = 0; i < now.size(); ++i) {
        QCOMPARE(now[i].id, expected[i].id);
        QVERIFY2(now[i] == expected[i], qPrintable(now[i].call1 + QStringLiteral(" / ") + expected[i].call1));
        withNr2 += now[i].nr2.isEmpty() ? 0 : 1;
    }
    QCOMPARE(log.store->count(), int(expected.size()));
    QCOMPARE(log.store->countWithNr2(), withNr2);
}

} // namespace

class TestUndoJournal : public QObject {
    Q_OBJECT
private slots:
    void eachKindUndoneNewestFirst()
    {
        Log log(some(5, QStringLiteral("DL1A")));
        QCOMPARE(log.journal->nextCaption(), QStringLiteral("Отменить"));
        QVERIFY(!log.journal->canUndo()); // what was in the file at the start cannot be undone

        QVector<QVector<QsoRecord>> states{log.rows()};
        QStringList captions;
        auto step = [&](const std::function<void()> &change, const QString &caption) {
            change();
            QCOMPARE(log.journal->nextCaption(), caption);
            states << log.rows();
            captions << caption;
        };
        const qint64 third = log.rows().at(2).id;
        step([&] { log.store->append(record(QStringLiteral("UA1ABC"), QStringLiteral("12"))); },
             QStringLiteral("Отменить запись QSO UA1ABC"));
        step(
            [&] {
                log.store->append({record(QStringLiteral("RA3AA")), record(QStringLiteral("RA3BB"))});
            },
            QStringLiteral("Отменить запись QSO RA3AA"));
        step([&] { log.store->remove(third); }, QStringLiteral("Отменить удаление DL1A2"));
        step(
            [&] {
                QsoRecord r = log.store->byId(log.rows().at(0).id);
                r.call1 = QStringLiteral("OK1XYZ");
                r.nr2 = QStringLiteral("99");
                r.freq = QStringLiteral("7010");
                log.store->update(r);
            },
            QStringLiteral("Отменить правку OK1XYZ"));
        step(
            [&] {
                QVector<QsoRecord> file = some(3, QStringLiteral("SP9"));
                log.store->import(false, [&file](QsoRecord &r) {
                    if (file.isEmpty())
                        return false;
                    r = file.takeFirst();
                    return true;
                });
            },
            QStringLiteral("Отменить импорт журнала"));
        step([&] { log.store->clear(); }, QStringLiteral("Отменить очистку журнала"));
        step(
            [&] {
                QVector<QsoRecord> file = some(4, QStringLiteral("YU"));
                log.store->import(true, [&file](QsoRecord &r) {
                    if (file.isEmpty())
                        return false;
                    r = file.takeFirst();
                    return true;
                });
            },
            QStringLiteral("Отменить импорт журнала"));
        step([&] { log.store->clear(); }, QStringLiteral("Отменить очистку журнала"));
        QVERIFY(log.rows().isEmpty());

        // Each undo gives back exactly the log before that change: rows, keys, columns, totals.
        for (int i = int(states.size()) - 1; i > 0; --i) {
            QCOMPARE(log.journal->nextCaption(), captions.at(i - 1));
            const UndoJournal::Result r = log.journal->undo();
            QVERIFY(r.kind != UndoJournal::Kind::None);
            verifyState(log, states.at(i - 1));
        }
        QVERIFY(!log.journal->canUndo());
        QCOMPARE(log.journal->undo().kind, UndoJournal::Kind::None);
        verifyState(log, states.first());
        QCOMPARE(log.integrity(), QStringLiteral("ok"));
        QCOMPARE(log.historyRows(), 0);

        // New keys never take the place of keys that came back.
        const qint64 next = log.store->append(record(QStringLiteral("R1NEW")));
        QVERIFY(next > states.at(states.size() - 2).last().id);
    }

    void resultNamesTheRecordToSelect()
    {
        Log log(some(4, QStringLiteral("DL")));
        const QVector<QsoRecord> before = log.rows();
        log.store->remove(before.at(1).id);
        UndoJournal::Result r = log.journal->undo();
        QCOMPARE(r.kind, UndoJournal::Kind::Delete);
        QCOMPARE(r.selectId, before.at(1).id);
        QCOMPARE(r.restored, 1);
        QCOMPARE(r.removed, 0);

        log.store->append({record(QStringLiteral("A")), record(QStringLiteral("B"))});
        r = log.journal->undo();
        QCOMPARE(r.kind, UndoJournal::Kind::Save);
        QCOMPARE(r.selectId, 0);
        QCOMPARE(r.removed, 2);

        QsoRecord e = before.at(3);
        e.call1 = QStringLiteral("CHANGED");
        log.store->update(e);
        r = log.journal->undo();
        QCOMPARE(r.kind, UndoJournal::Kind::Edit);
        QCOMPARE(r.selectId, before.at(3).id);
        verifyState(log, before);
    }

    void listenersAreTold()
    {
        Log log(some(150, QStringLiteral("G")));
        QList<LogChange> told;
        QObject::connect(log.store.get(), &QsoStore::logChanged, [&told](const LogChange &c) { told << c; });
        const QVector<QsoRecord> before = log.rows();

        log.store->remove(before.at(7).id);
        told.clear();
        log.journal->undo();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].kind, LogChange::Added);
        QCOMPARE(told[0].after.size(), 1);
        QCOMPARE(told[0].after[0].id, before.at(7).id);
        QVERIFY(told[0].after[0] == before.at(7));

        const qint64 id = log.store->append(record(QStringLiteral("UA9X")));
        told.clear();
        log.journal->undo();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].kind, LogChange::Removed);
        QCOMPARE(told[0].before.value(0).id, id);

        QsoRecord e = before.at(3);
        e.nr1 = QStringLiteral("777");
        log.store->update(e);
        told.clear();
        log.journal->undo();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].kind, LogChange::Updated);
        QCOMPARE(told[0].before.value(0).nr1, QStringLiteral("777"));
        QVERIFY(told[0].after.value(0) == before.at(3));
        QCOMPARE(told[0].after.value(0).id, before.at(3).id);

        log.store->clear();
        told.clear();
        log.journal->undo();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].kind, LogChange::Reset); // a large step: read the log anew
        verifyState(log, before);
    }

    void undoIsOneTransaction()
    {
        // Large enough for the undo to rebuild the log's indexes rather than update them.
        Log log(some(6000, QStringLiteral("F")));
        const QVector<QsoRecord> before = log.rows();
        const QStringList indexes = log.indexes();
        QVERIFY(indexes.size() >= 4);
        log.store->clear();
        // Another program puts a record under one of the cleared keys: the undo cannot put that
        // key back, and must then change nothing at all.
        Database other(log.path, QStringLiteral("other"));
        sql::run(other.connection(), QStringLiteral("INSERT INTO qso (id, call1) VALUES (?, 'INTRUDER')"),
                 {before.at(500).id});
        QVERIFY_THROWS_EXCEPTION(Error, log.journal->undo());
        QCOMPARE(log.rows().size(), 1);
        QCOMPARE(log.store->count(), 1); // the totals still count the rows there are: the other program's one
        QVERIFY(log.journal->canUndo());
        QCOMPARE(log.journal->nextCaption(), QStringLiteral("Отменить очистку журнала"));
        QCOMPARE(log.indexes(), indexes);

        sql::run(other.connection(), QStringLiteral("DELETE FROM qso"));
        log.journal->undo();
        verifyState(log, before);
        QCOMPARE(log.indexes(), indexes);
        QCOMPARE(log.integrity(), QStringLiteral("ok"));

        // An import replacing the whole log, undone the same way.
        QVector<QsoRecord> file = some(7000, QStringLiteral("N"));
        log.store->import(true, [&file](QsoRecord &r) {
            if (file.isEmpty())
                return false;
            r = file.takeFirst();
            return true;
        });
        QCOMPARE(log.store->count(), 7000);
        const UndoJournal::Result r = log.journal->undo();
        QCOMPARE(r.removed, 7000);
        QCOMPARE(r.restored, 6000);
        verifyState(log, before);
        QCOMPARE(log.indexes(), indexes);
        QCOMPARE(log.integrity(), QStringLiteral("ok"));
    }

    void onlyThisConnectionsCommittedWritesAreJournaled()
    {
        Log log(some(3, QStringLiteral("I")));
        // A write of another connection (another program on the same file) is not in the history.
        {
            Database other(log.path, QStringLiteral("other"));
            QsoStore otherStore(other.connection());
            otherStore.append(record(QStringLiteral("W1AW")));
        }
        QVERIFY(!log.journal->canUndo());
        QCOMPARE(log.historyRows(), 0);

        // A write that fails part-way and is rolled back leaves no step behind, and the log's
        // indexes, taken away for the import, are back.
        const QStringList indexes = log.indexes();
        QVERIFY(indexes.size() >= 4);
        int n = 0;
        QVERIFY_THROWS_EXCEPTION(Error, log.store->import(true, [&n](QsoRecord &r) {
            if (++n > 2)
                throw Error(QStringLiteral("broken file"));
            r = record(QStringLiteral("X"));
            return true;
        }));
        QVERIFY(!log.journal->canUndo());
        QCOMPARE(log.historyRows(), 0);
        QCOMPARE(log.rows().size(), 4);
        QCOMPARE(log.indexes(), indexes);
        QCOMPARE(log.integrity(), QStringLiteral("ok"));
        // The rollback brought back what journals a single write too.
        log.store->append(record(QStringLiteral("AFTER1")));
        QCOMPARE(log.journal->nextCaption(), QStringLiteral("Отменить запись QSO AFTER1"));
        log.journal->undo();
        QCOMPARE(log.rows().size(), 4);
        QVERIFY(!log.journal->canUndo());
    }

    void historyEmptiedAtNextStart()
    {
        Log log(some(3, QStringLiteral("H")));
        log.store->clear();
        QVERIFY(log.historyRows() > 0);
        // The next start of the program opens a fresh journal on the file.
        log.journal.reset();
        log.store.reset();
        log.db.reset();
        log.db = std::make_unique<Database>(log.path, QStringLiteral("again"));
        log.store = std::make_unique<QsoStore>(log.db->connection());
        log.journal = std::make_unique<UndoJournal>(*log.store);
        QVERIFY(!log.journal->canUndo());
        QCOMPARE(log.historyRows(), 0);
        log.store->append(record(QStringLiteral("AFTER")));
        QCOMPARE(log.journal->nextCaption(), QStringLiteral("Отменить запись QSO AFTER"));
    }

    void captions()
    {
        QCOMPARE(UndoJournal::caption(UndoJournal::Kind::Delete, QStringLiteral(" UA1ABC ")),
                 QStringLiteral("Отменить удаление UA1ABC"));
        QCOMPARE(UndoJournal::caption(UndoJournal::Kind::Delete, QString()),
                 QStringLiteral("Отменить удаление записи"));
        QCOMPARE(UndoJournal::caption(UndoJournal::Kind::Edit, QString()), QStringLiteral("Отменить правку записи"));
        QCOMPARE(UndoJournal::caption(UndoJournal::Kind::Save, QString()), QStringLiteral("Отменить запись QSO"));
        QCOMPARE(UndoJournal::caption(UndoJournal::Kind::None, QStringLiteral("X")), QStringLiteral("Отменить"));
    }
};

QTEST_GUILESS_MAIN(TestUndoJournal)
#include "tst_undo_journal.moc"
