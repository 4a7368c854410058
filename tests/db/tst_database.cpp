// The log file: creation with the country table, refusal of bad files, the log statements.

#include "base/error.h"
#include "db/cty_parser.h"
#include "db/database.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "db/reference_store.h"
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
    void newFileHasTablesAndCountryPrefixes()
    {
        if (!QFile::exists(Database::defaultCtyPath()))
            QSKIP("cty.dat of hamradio-files is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        Database::prepareFile(path);
        QVERIFY(QFile::exists(path));
        QVERIFY(!QFile::exists(path + QStringLiteral(".new")));
        Database db(path, QStringLiteral("t1"));
        ReferenceStore refs(db.connection());
        // UA9 is the entity prefix of Asiatic Russia; UA9 itself is an alias of it.
        auto ua9 = refs.firstPrefix(QStringLiteral("UA9XYZ"), 3);
        QVERIFY(ua9.has_value());
        QCOMPARE(ua9->dxccPrefix, QStringLiteral("UA9"));
        auto dl = refs.firstPrefix(QStringLiteral("DL1ABC"), 2);
        QVERIFY(dl.has_value());
        QCOMPARE(dl->dxccPrefix, QStringLiteral("DL"));
        QCOMPARE(dl->cqZone, QStringLiteral("14"));
        QCOMPARE(dl->ituZone, QStringLiteral("28"));
        QCOMPARE(dl->continent, QStringLiteral("EU"));
        QVERIFY(dl->longitude.toDouble() > 0); // Germany lies East
        // no exact-call entries and nothing longer than four characters
        QSqlQuery q(db.connection());
        QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM prefix WHERE length(Prefix) > 4 OR Prefix LIKE '=%'")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 0);
        QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM prefix")));
        QVERIFY(q.next());
        QVERIFY(q.value(0).toInt() > 1000);
    }

    void ctyOverridesAndWaeEntities()
    {
        const QByteArray cty =
            "European Russia:          16:  29:  EU:   53.65:   -41.37:    -4.0:  UA:\n"
            "    R,U,UA9F(17)[30],=R9XYZ;\n"
            "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
            "    IT9,IW9;\n"
            "United States:            05:  08:  NA:   37.60:    91.87:     5.0:  K:\n"
            "    K,W<40.0/75.0>{SA},AA0(4)[7];\n"
            "Truncated:                01:  02:  EU:   10.00:";
        const QVector<PrefixRow> rows = parseCty(cty);
        QStringList prefixes;
        for (const PrefixRow &r : rows)
            prefixes << r.prefix;
        QCOMPARE(prefixes, (QStringList{"R", "U", "UA9F", "K", "W", "AA0"}));
        QCOMPARE(rows[2].cqZone, QStringLiteral("17"));
        QCOMPARE(rows[2].ituZone, QStringLiteral("30"));
        QCOMPARE(rows[2].dxccPrefix, QStringLiteral("UA"));
        QCOMPARE(rows[0].longitude, QStringLiteral("41.37"));
        QCOMPARE(rows[3].longitude, QStringLiteral("-91.87"));
        QCOMPARE(rows[3].cqZone, QStringLiteral("5"));
        QCOMPARE(rows[4].latitude, QStringLiteral("40.00"));
        QCOMPARE(rows[4].longitude, QStringLiteral("-75.00"));
        QCOMPARE(rows[4].continent, QStringLiteral("SA"));
        QCOMPARE(rows[5].ituZone, QStringLiteral("7"));
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
        QCOMPARE(store.import(true, [&n](QsoRecord &r) {
            if (++n > 3)
                return false;
            r = record(QStringLiteral("NEW%1").arg(n));
            return true;
        }), 3);
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
        Database::prepareFile(path, QString());
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
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
