// No confirmed QSO is lost: a writer process saving QSOs is killed at random moments, and two
// processes write to the same log at once.
//
// Run with "--writer DB COUNT" this program is itself the writer: it appends records through the
// log store and prints the number of each record once its save has returned.

#include "db/database.h"
#include "db/qso_store.h"
#include "support/processes.h"
#include "support/qso_builder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <cstdio>

using namespace vireo;

namespace {

QsoRecord numbered(const QString &writer, int i)
{
    return test::Qso::typical().heard(writer + QString::number(i), QStringLiteral("599"), QString::number(i));
}

int runWriter(const QString &path, const QString &name, int count)
{
    try {
        Database db(path, QStringLiteral("writer"));
        QsoStore store(db.connection());
        for (int i = 0; i < count; ++i) {
            store.append(numbered(name, i));
            std::printf("%d\n", i);
            std::fflush(stdout);
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "writer failed: %s\n", e.what());
        return 1;
    }
    return 0;
}

// Holds the write lock of the log for a while, as a second program saving a large import would.
int runHolder(const QString &path, int ms)
{
    Database db(path, QStringLiteral("holder"));
    QSqlQuery q(db.connection());
    if (!q.exec(QStringLiteral("BEGIN EXCLUSIVE")))
        return 1;
    std::printf("locked\n");
    std::fflush(stdout);
    QThread::msleep(ulong(ms));
    q.exec(QStringLiteral("COMMIT"));
    return 0;
}

QStringList acknowledged(const QByteArray &out)
{
    QStringList done;
    for (const QByteArray &line : out.split('\n'))
        if (!line.trimmed().isEmpty())
            done << QString::fromLatin1(line.trimmed());
    return done;
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLosesNothingConfirmed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        Database::prepareFile(path);
        QStringList all;
        for (int round = 0; round < 5; ++round) {
            QProcess writer;
            writer.start(
                QCoreApplication::applicationFilePath(),
                {QStringLiteral("--writer"), path, QStringLiteral("R%1-").arg(round), QStringLiteral("100000")});
            QVERIFY(writer.waitForStarted());
            // Kill it at a random moment once it is saving (it starts slowly on a loaded machine):
            // after a random number of confirmed saves, somewhere in the save after them.
            QByteArray out;
            QTRY_VERIFY_WITH_TIMEOUT((out += writer.readAllStandardOutput()).contains('\n'), 30000);
            const int saves = out.count('\n') + 5 + QRandomGenerator::global()->bounded(60);
            QTRY_VERIFY_WITH_TIMEOUT((out += writer.readAllStandardOutput()).count('\n') >= saves, 30000);
            test::sendSignal(writer, SIGKILL);
            QVERIFY(writer.waitForFinished(10000));
            const QStringList done = acknowledged(out + writer.readAllStandardOutput());
            QVERIFY2(!done.isEmpty(), "the writer saved nothing before it was killed");
            for (const QString &n : done)
                all << QStringLiteral("R%1-%2").arg(round).arg(n);

            Database db(path, QStringLiteral("check%1").arg(round));
            QSqlQuery q(db.connection());
            QVERIFY(q.exec(QStringLiteral("PRAGMA integrity_check")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
            QsoStore store(db.connection());
            QSet<QString> present;
            store.forEach([&present](const QsoRecord &r) { present.insert(r.call1); });
            for (const QString &call : all)
                QVERIFY2(present.contains(call), qPrintable(call + QStringLiteral(" was confirmed but is missing")));
        }
    }

    void briefLockIsWaitedFor()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        Database::prepareFile(path);
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), path, QStringLiteral("1500")});
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += holder.readAllStandardOutput()).contains("locked"), 30000);
        QElapsedTimer waited;
        waited.start();
        Database db(path, QStringLiteral("waiter")); // an exclusive lock keeps out readers too
        QsoStore store(db.connection());
        store.append(numbered(QStringLiteral("W"), 1)); // waits for the lock instead of failing
        QVERIFY(waited.elapsed() >= 500);
        QVERIFY(holder.waitForFinished(30000));
        QCOMPARE(holder.exitCode(), 0);
        QCOMPARE(store.count(), 1);
    }

    void twoProcessesOnOneLog()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vireolog.db"));
        Database::prepareFile(path);
        QProcess a, b;
        for (QProcess *p : {&a, &b})
            p->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--writer"), path, p == &a ? QStringLiteral("A") : QStringLiteral("B"),
                      QStringLiteral("300")});
        for (QProcess *p : {&a, &b}) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitCode(), 0);
            QCOMPARE(acknowledged(p->readAllStandardOutput()).size(), 300);
        }
        Database db(path, QStringLiteral("check"));
        QsoStore store(db.connection());
        QCOMPARE(store.count(), 600);
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--hold") == 0) {
        QCoreApplication app(argc, argv);
        return runHolder(QString::fromLocal8Bit(argv[2]), atoi(argv[3]));
    }
    if (argc == 5 && qstrcmp(argv[1], "--writer") == 0) {
        QCoreApplication app(argc, argv);
        return runWriter(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), atoi(argv[4]));
    }
    QCoreApplication app(argc, argv);
    TestCrashSafety t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_crash_safety.moc"
