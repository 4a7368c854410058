// The log check's two passes over the log: read from the file a few records a statement, the
// same findings as over the records in memory, and a log that changes between the passes.

#include "analysis/contest_log.h"
#include "analysis/log_check.h"
#include "analysis/log_check_runner.h"
#include "db/database.h"
#include "db/qso_scan.h"
#include "db/qso_store.h"
#include "db/statement_trace.h"
#include "support/temp_log.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vireo;
using namespace vireo::logcheck;

namespace {

QStringList lines(const Findings &found)
{
    QStringList out;
    for (int i = 0; i < found.size(); ++i) {
        const Finding f = found.at(i);
        out << QStringLiteral("%1 %2/%3 g%4 %5 [%6]")
                   .arg(kindName(f.kind))
                   .arg(f.record.id)
                   .arg(f.side)
                   .arg(f.group)
                   .arg(f.text, f.suggestions.join(QLatin1Char(',')));
    }
    return out;
}

} // namespace

class TestLogCheckPasses : public QObject {
    Q_OBJECT
private slots:
    void theLogIsReadInChunks()
    {
        test::TempLog log(QStringLiteral("chunks"));
        Database &db = *log.db;
        QsoStore &store = *log.store;
        QVector<QsoRecord> records = test::makeContestLog(10, 10).records;
        for (QsoRecord &r : records)
            r.id = 0;
        const QVector<qint64> ids0 = store.append(records);
        const qint64 removed = ids0.at(4); // a gap in the keys
        store.remove(removed);

        for (const int chunk : {3, 9, 10, 100}) {
            StatementRecorder recorder(db.connection());
            QVERIFY(recorder.active());
            QList<qint64> ids;
            scanQsosInChunks(db.connection(), chunk, [&ids](const QsoRecord &r) { ids << r.id; });
            QCOMPARE(ids.size(), 9);
            QVERIFY(std::is_sorted(ids.begin(), ids.end()));
            QVERIFY(!ids.contains(removed));
            QCOMPARE(std::adjacent_find(ids.begin(), ids.end()), ids.end());
            // one statement per chunk, and one more that finds the end when the last is full
            const int selects = int(recorder.statements().filter(QStringLiteral("SELECT")).size());
            QCOMPARE(selects, 9 / chunk + 1);
        }
        // a record's columns come through whole
        QsoRecord seen;
        scanQsosInChunks(db.connection(), 2, [&seen](const QsoRecord &r) {
            if (seen.id == 0)
                seen = r;
        });
        const QsoRecord first = store.byId(ids0.first());
        QCOMPARE(seen.id, first.id);
        QVERIFY(seen == first);
    }

    // The check of a log file finds what the check of the same records in memory finds, word for
    // word, with the planted errors among them.
    void fileAndMemoryAgree()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        Database::prepareFile(path);
        test::ContestLog log = test::makeContestLog(60, 900);
        test::plantErrors(log);
        // a call one character off a known one, and two records without a heard station
        log.records[300].call1 = log.calls[3] + QStringLiteral("X");
        log.records[301].call1.clear();
        log.records[302].call1 = QStringLiteral(" ");
        {
            Database db(path, QStringLiteral("agree"));
            QVector<QsoRecord> records = log.records;
            for (QsoRecord &r : records)
                r.id = 0;
            QsoStore(db.connection()).append(records);
        }
        // the store numbers the records 1, 2, ... in the order given
        for (int i = 0; i < log.records.size(); ++i)
            log.records[i].id = i + 1;
        const auto inMemory = check(log.records, log.calls, {});
        const auto fromFile = checkLogFile(path, int(log.records.size()), log.calls, {}, {});
        QVERIFY(inMemory && fromFile);
        QVERIFY(inMemory->size() >= 9);
        QCOMPARE(lines(*fromFile), lines(*inMemory));
    }

    // A record deleted between the two passes takes its findings with it, and those of others
    // that name it; one changed meanwhile is shown as it is now; the rest stay as they were.
    void theLogChangesBetweenThePasses()
    {
        test::ContestLog log = test::makeContestLog(40, 600);
        QsoRecord again = log.records[100];
        again.id = 10000;
        again.time =
            QTime::fromString(again.time, QStringLiteral("HH:mm")).addSecs(3 * 60).toString(QStringLiteral("HH:mm"));
        again.nr1 = again.nr2 = QStringLiteral("MO");
        log.records.append(again); // a pair too soon naming record 101, and a repeat group of two
        log.records[10].nr2.clear(); // incomplete
        log.records[20].nr2.clear(); // incomplete
        const Findings before = *check(log.records, log.calls, {});
        QCOMPARE(before.size(), 5);

        int pass = 0;
        const RecordSource changing = [&](const Visitor &visit) {
            ++pass;
            for (const QsoRecord &r : log.records) {
                if (pass == 2 && r.id == log.records[100].id)
                    continue; // deleted meanwhile
                if (pass == 2 && r.id == log.records[20].id) {
                    QsoRecord edited = r;
                    edited.time = QStringLiteral("23:59");
                    visit(edited);
                    continue;
                }
                visit(r);
            }
        };
        const Findings after = *check(changing, int(log.records.size()), log.calls, {});
        QCOMPARE(pass, 2);
        QStringList kinds;
        for (int i = 0; i < after.size(); ++i)
            kinds << kindName(after.kindAt(i)) + QLatin1Char(' ') + QString::number(after.at(i).record.id);
        // the pair and the repeat group both name record 101: they went with it
        QCOMPARE(kinds, (QStringList{QStringLiteral("Неполная %1").arg(log.records[10].id),
                                     QStringLiteral("Неполная %1").arg(log.records[20].id)}));
        QCOMPARE(after.at(1).record.time, QStringLiteral("23:59"));
        QCOMPARE(before.kindAt(1), Kind::Incomplete);
        QCOMPARE(after.at(0).text, before.at(1).text);
    }

    void stoppingInEitherPass()
    {
        const test::ContestLog log = test::makeContestLog(300, 9000);
        for (const int stopAt : {1, 95}) {
            int asked = 0;
            bool stopped = false;
            const auto found = check(log.records, log.calls, {}, [&](int percent) {
                ++asked;
                if (percent >= stopAt)
                    stopped = true;
                return !stopped;
            });
            QVERIFY(!found.has_value());
            QVERIFY(asked > 0);
        }
    }
};

QTEST_APPLESS_MAIN(TestLogCheckPasses)
#include "tst_log_check_passes.moc"
