// The log file: creation with the reference rows it is given, refusal of bad files, the log statements.

#include "base/error.h"
#include "db/database.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "db/reference_store.h"
#include "db/scp_store.h"
#include "support/qso_builder.h"
#include "support/temp_log.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vireo;

namespace {

QsoRecord record(const QString &call1, const QString &nr2 = QString(), const QString &band = QStringLiteral("20M"))
{
    return test::Qso::typical()
        .heard(call1, QStringLiteral("599"), QStringLiteral("001"))
        .call2(QStringLiteral("UA2XYZ"))
        .nr2WithReport(nr2)
        .band(band);
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void newFileTakesTheRowsItIsGiven()
    {
        // The log file takes the reference rows handed to it and reads no file of its own; it asks
        // for the rows only when it writes them.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        int countriesAsked = 0, callsAsked = 0;
        ReferenceSource source;
        source.countries = [&countriesAsked]() -> std::optional<CountryRows> {
            ++countriesAsked;
            const PrefixRow dl{QStringLiteral("DL"),
                               QStringLiteral("DL"),
                               QStringLiteral("14"),
                               QStringLiteral("28"),
                               QString(),
                               QStringLiteral("Germany"),
                               QStringLiteral("EU"),
                               QStringLiteral("51.00"),
                               QStringLiteral("10.00")};
            return CountryRows{{dl}, QStringLiteral("VER20991231")};
        };
        source.calls = [&callsAsked]() -> std::optional<CallRows> {
            ++callsAsked;
            return CallRows{{QStringLiteral("DL1ABC"), QStringLiteral("UA3ABC")},
                            QStringLiteral("Release 2099.12.31.00")};
        };
        Database::prepareFile(path, source);
        QVERIFY(QFile::exists(path));
        QVERIFY(!QFile::exists(path + QStringLiteral(".new")));
        QCOMPARE(countriesAsked, 1);
        QCOMPARE(callsAsked, 1);
        {
            Database db(path, QStringLiteral("t1"));
            auto dl = ReferenceStore(db.connection()).firstPrefix(QStringLiteral("DL1ABC"), 2);
            QVERIFY(dl.has_value());
            QCOMPARE(dl->cqZone, QStringLiteral("14"));
            QCOMPARE(dl->longitude, QStringLiteral("10.00"));
            ScpStore scp(db.connection());
            QCOMPARE(scp.calls(), (QStringList{"DL1ABC", "UA3ABC"}));
            const ReferenceInfo info = scp.info();
            QCOMPARE(info.ctyVersion, QStringLiteral("VER20991231"));
            QCOMPARE(info.scpRelease, QStringLiteral("Release 2099.12.31.00"));
            QCOMPARE(info.prefixes, 1);
        }
        // A file that has its calls asks for nothing.
        Database::prepareFile(path, source);
        QCOMPARE(countriesAsked, 1);
        QCOMPARE(callsAsked, 1);

        // Without rows the file opens with empty reference tables, and asks for the calls again
        // the next time it is prepared.
        const QString bare = dir.filePath(QStringLiteral("bare.db"));
        ReferenceSource none;
        none.calls = [&callsAsked]() -> std::optional<CallRows> {
            ++callsAsked;
            return std::nullopt;
        };
        Database::prepareFile(bare, none);
        QCOMPARE(callsAsked, 2);
        Database::prepareFile(bare, none);
        QCOMPARE(callsAsked, 3);
        Database db(bare, QStringLiteral("t1-bare"));
        const ReferenceInfo info = ScpStore(db.connection()).info();
        QCOMPARE(info.prefixes, 0);
        QCOMPARE(info.calls, 0);
        QCOMPARE(info.ctyVersion, QString());
    }

    void badFilesStopTheStartWithTheirName()
    {
        QTemporaryDir dir;
        const QString garbage = dir.filePath(QStringLiteral("garbage.db"));
        QFile f(garbage);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        try {
            Database::prepareFile(garbage);
            QFAIL("a file that is not a database must be refused");
        } catch (const Error &e) {
            QVERIFY2(e.text().contains(garbage), qPrintable(e.text()));
        }
        // a database without the log tables
        const QString empty = dir.filePath(QStringLiteral("empty.db"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mk"));
            db.setDatabaseName(empty);
            QVERIFY(db.open());
            QSqlQuery(db).exec(QStringLiteral("CREATE TABLE qso (id INTEGER)"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("mk"));
        try {
            Database::prepareFile(empty);
            QFAIL("a file without the tables must be refused");
        } catch (const Error &e) {
            QVERIFY2(e.text().contains(QStringLiteral("нет таблицы tour")), qPrintable(e.text()));
        }
        QVERIFY_THROWS_EXCEPTION(Error, Database::prepareFile(dir.path()));
    }

    void countsRepeatsAndDeletion()
    {
        test::TempLog log(QStringLiteral("t2"));
        QsoStore &store = *log.store;
        QCOMPARE(store.count(), 0);
        QCOMPARE(store.countWithNr2(), 0);
        // two identical records: deleting by key removes exactly one
        const QVector<qint64> ids = store.append({record("UA1AAA", "002"), record("UA1AAA", "002"), record("DL1AB"),
                                                  record("UA1AAA", QString(), "40M"), record("ua1aaa", "5")});
        QCOMPARE(ids.size(), 5);
        QCOMPARE(store.count(), 5);
        QCOMPARE(store.countWithNr2(), 3);
        QCOMPARE(store.heardRepeatCount("20M", "CW", "UA1AAA", "0"), 2); // exact: case and band count
        QCOMPARE(store.workedRepeatCount("20M", "CW", "UA2XYZ", "0"), 4);
        QCOMPARE(store.heardRepeatCount("20M", "CW", "UA1AAA", "1"), 0);
        QCOMPARE(store.repeats("UA1AAA").size(), 3);
        store.remove(ids[0]);
        QCOMPARE(store.count(), 4);
        QCOMPARE(store.byId(ids[1]).call1, QStringLiteral("UA1AAA"));
        // a value with quotes is stored as text
        QsoRecord q = record(QStringLiteral("A\"B'C;--"));
        const qint64 id = store.append(q);
        QCOMPARE(store.byId(id).call1, q.call1);
        store.clear();
        QCOMPARE(store.count(), 0);
    }

    void importIsAllOrNothing()
    {
        test::TempLog log(QStringLiteral("t3"));
        QsoStore &store = *log.store;
        store.append({record("OLD1"), record("OLD2")});
        int n = 0;
        QVERIFY_THROWS_EXCEPTION(Error, store.import(true, [&n](QsoRecord &r) {
            if (++n > 3)
                throw Error(QStringLiteral("ошибка чтения"));
            r = record(QStringLiteral("NEW%1").arg(n));
            return true;
        }));
        QCOMPARE(store.count(), 2);
        QCOMPARE(store.repeats("OLD1").size(), 1);
        n = 0;
        QCOMPARE(store.import(true,
                              [&n](QsoRecord &r) {
                                  if (++n > 3)
                                      return false;
                                  r = record(QStringLiteral("NEW%1").arg(n));
                                  return true;
                              }),
                 3);
        QCOMPARE(store.count(), 3);
        QCOMPARE(store.repeats("OLD1").size(), 0);
    }

    void totalsFollowEveryChange()
    {
        test::TempLog log(QStringLiteral("t5"));
        QsoStore &store = *log.store;
        Database &db = *log.db;
        const QString &path = log.path;
        auto real = [&db](const char *where) {
            QSqlQuery q(db.connection());
            q.exec(QStringLiteral("SELECT COUNT(*) FROM qso %1").arg(QLatin1String(where)));
            q.next();
            return q.value(0).toInt();
        };
        auto check = [&] {
            QCOMPARE(store.count(), real(""));
            QCOMPARE(store.countWithNr2(), real("WHERE nr2 <> ''"));
        };
        const QVector<qint64> ids = store.append({record("A", "1"), record("B"), record("C", "3"), record("D")});
        check();
        QsoRecord b = store.byId(ids[1]);
        b.nr2 = QStringLiteral("7");
        store.update(b); // empty -> filled
        check();
        QsoRecord c = store.byId(ids[2]);
        c.nr2.clear();
        store.update(c); // filled -> empty
        check();
        store.update(c); // unchanged
        check();
        store.remove(ids[0]);
        store.remove(ids[0]); // already gone
        check();
        int n = 0;
        store.import(false, [&n](QsoRecord &r) {
            r = record(QStringLiteral("I%1").arg(n), n % 2 ? QStringLiteral("9") : QString());
            return ++n <= 5;
        });
        check();
        store.clear();
        check();
        QCOMPARE(store.count(), 0);
        // a file whose totals were never kept gets them from its rows
        QSqlQuery raw(db.connection());
        for (const char *trigger : {"qso_count_insert", "qso_count_delete", "qso_count_update"})
            QVERIFY(raw.exec(QStringLiteral("DROP TRIGGER %1").arg(QLatin1String(trigger))));
        QVERIFY(raw.exec(QStringLiteral("DROP TABLE qso_totals")));
        QVERIFY(raw.exec(QStringLiteral("INSERT INTO qso (call1, nr2) VALUES ('X', '1'), ('Y', '')")));
        QVERIFY_THROWS_EXCEPTION(Error, store.count());
        Database::prepareFile(path);
        QsoStore again(db.connection());
        QCOMPARE(again.count(), 2);
        QCOMPARE(again.countWithNr2(), 1);
    }

    void gridModelFollowsTheLog()
    {
        test::TempLog log(QStringLiteral("t4"));
        QsoStore &store = *log.store;
        QVector<QsoRecord> many;
        for (int i = 0; i < 300; ++i)
            many.append(record(QStringLiteral("C%1").arg(i)));
        store.append(many);
        LogTableModel model(store);
        QCOMPARE(model.rowCount(), 300);
        QCOMPARE(model.columnCount(), 10);
        QCOMPARE(model.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("CALL-1"));
        QCOMPARE(model.data(model.index(299, 4), Qt::DisplayRole).toString(), QStringLiteral("C299"));
        QCOMPARE(model.data(model.index(0, 4), Qt::DisplayRole).toString(), QStringLiteral("C0"));
        const QVector<qint64> added = store.append(QVector<QsoRecord>{record("NEW")});
        model.appended(added);
        QCOMPARE(model.data(model.index(300, 4), Qt::DisplayRole).toString(), QStringLiteral("NEW"));
        const qint64 id = model.idAt(150);
        store.remove(id);
        model.removed(id);
        QCOMPARE(model.rowCount(), 300);
        QCOMPARE(model.data(model.index(150, 4), Qt::DisplayRole).toString(), QStringLiteral("C151"));
        QsoRecord changed = store.byId(model.idAt(0));
        changed.call1 = QStringLiteral("EDITED");
        store.update(changed);
        model.updated(changed.id);
        QCOMPARE(model.data(model.index(0, 4), Qt::DisplayRole).toString(), QStringLiteral("EDITED"));
    }

    // Listeners hear every write in the order they connected; one that has gone away is no
    // longer called, whatever its callback held, and a store nobody listens to any more skips
    // reading the record as it was.
    void destroyedListenerIsNotCalled()
    {
        test::TempLog log(QStringLiteral("t5"));
        QsoStore &store = *log.store;
        QStringList heard;
        auto first = std::make_unique<QObject>();
        auto second = std::make_unique<QObject>();
        QObject::connect(&store, &QsoStore::logChanged, first.get(),
                         [&heard](const LogChange &c) { heard << QStringLiteral("first %1").arg(c.kind); });
        QObject::connect(&store, &QsoStore::logChanged, second.get(),
                         [&heard](const LogChange &c) { heard << QStringLiteral("second %1").arg(c.kind); });
        auto model = std::make_unique<LogTableModel>(store);
        const qint64 a = store.append(record(QStringLiteral("A")));
        QCOMPARE(heard, (QStringList{"first 0", "second 0"}));
        QCOMPARE(model->rowCount(), 1);

        first.reset();
        model.reset();
        heard.clear();
        store.append(record(QStringLiteral("B")));
        QCOMPARE(heard, QStringList{"second 0"});

        // Updated and Removed carry the record as it was while someone listens.
        QList<LogChange> told;
        QObject::connect(&store, &QsoStore::logChanged, second.get(), [&told](const LogChange &c) { told << c; });
        QsoRecord edited = store.byId(a);
        edited.call1 = QStringLiteral("A2");
        store.update(edited);
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].kind, LogChange::Updated);
        QCOMPARE(told[0].before.value(0).call1, QStringLiteral("A"));
        QCOMPARE(told[0].after.value(0).call1, QStringLiteral("A2"));
        second.reset();
        heard.clear();
        told.clear();
        store.remove(a);
        QVERIFY(heard.isEmpty() && told.isEmpty());
        QCOMPARE(store.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
