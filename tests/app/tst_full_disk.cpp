// A start on a disk that has filled up: the log opens and is shown with the right counters, one
// box and the status bar say that saving will fail until space is freed, a save refused meanwhile
// keeps the typed QSO in the fields, reports go elsewhere, and once space is back saving, undo and
// the backup copy work without a restart. Once with SQLite's files on a file system that refuses
// writes on the test's word, once on a real small file system that is full.

#include "app/backup_scheduler.h"
#include "app/program.h"
#include "app/tmain.h"
#include "base/error.h"
#include "base/ini_file.h"
#include "db/log_backup.h"
#include "db/log_disk.h"
#include "db/log_table_model.h"
#include "support/full_disk.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"
#include "support/ui/typing.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/mount.h>

using namespace vireo;

namespace {

void writeSettings(const QString &path, int backupInterval)
{
    test::writeKnownListener(path);
    IniFile(path).writeInteger(QStringLiteral("Backup"), QStringLiteral("Interval"), backupInterval);
}

void typeQso(TMain &m, const QString &call, const QString &nr2)
{
    test::fill(m, {{"edCall1", call},
                   {"edNr1", QStringLiteral("7")},
                   {"edCall2", nr2.isEmpty() ? QString() : QStringLiteral("UA2XYZ")},
                   {"edNr2", nr2}});
    const test::MainControls ui(m);
    ui.btSave->click();
}

// Three QSOs saved in an earlier run, whose undo history is still in the file.
void earlierRun(const AppContext &context)
{
    Program program(context);
    TMain &m = program.main();
    const test::MainControls ui(m);
    m.Timer1Timer();
    typeQso(m, QStringLiteral("UA1AAA"), QStringLiteral("5"));
    typeQso(m, QStringLiteral("UA3CCC"), QString());
    typeQso(m, QStringLiteral("UA4DDD"), QStringLiteral("12"));
    ui.backups->waitIdle();
}

qint64 rowsOf(const QString &db, const QString &table)
{
    qint64 n = -1;
    {
        QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        c.setDatabaseName(db);
        c.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (c.open()) {
            QSqlQuery q(c);
            if (q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && q.next())
                n = q.value(0).toLongLong();
        }
        c.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return n;
}

// What the listener sees once the window is up on the full disk.
void checkShownOnFullDisk(TMain &m, const test::ScriptedPrompts &prompts, const QString &folder)
{
    QTRY_COMPARE(prompts.texts(QStringLiteral("warning")).size(), 1);
    QCOMPARE(prompts.texts(QStringLiteral("warning")).first(), logdisk::fullNotice(folder));
    QVERIFY(prompts.texts(QStringLiteral("error")).isEmpty());
    QCOMPARE(m.statusText(5), logdisk::fullStatus());
    QCOMPARE(m.logModel().rowCount(), 3);
    QCOMPARE(m.logModel().recordAt(2).call1, QStringLiteral("UA4DDD"));
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 3"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 7"));
}

// A save on the full disk: refused in one Russian sentence, in the box and the status bar, with
// the QSO still in the fields to save again.
void checkSaveRefused(TMain &m, test::ScriptedPrompts &prompts)
{
    const test::MainControls ui(m);
    typeQso(m, QStringLiteral("UA9ZZZ"), QStringLiteral("3"));
    const QStringList errors = prompts.texts(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(
        errors.first().startsWith(QStringLiteral("На диске нет места, запись в журнал не удалась — освободите место"
                                                 " на диске и повторите")),
        qPrintable(errors.first()));
    QCOMPARE(m.statusText(5), errors.first());
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 3"));
    QCOMPARE(ui.edCall1->text(), QStringLiteral("UA9ZZZ"));
    QCOMPARE(ui.edNr2->text(), QStringLiteral("3"));
}

// Space is back: the same QSO saved with the OK button, undone and saved again.
void checkSavedOnceSpaceIsBack(TMain &m, test::ScriptedPrompts &prompts)
{
    const test::MainControls ui(m);
    ui.btSave->click();
    QCOMPARE(prompts.texts(QStringLiteral("error")).size(), 1);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 4"));
    QCOMPARE(m.statusText(5), QString()); // the fault is over
    QCOMPARE(m.logModel().recordAt(3).call1, QStringLiteral("UA9ZZZ"));
    QCOMPARE(ui.actUndo->text(), QStringLiteral("Отменить запись QSO UA9ZZZ"));
    ui.actUndo->trigger();
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 3"));
    typeQso(m, QStringLiteral("UA9ZZZ"), QStringLiteral("3"));
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 4"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 10"));
}

// The retry timer finishes what start-up left: the history of the earlier run is gone.
void checkHousekeepingDone(TMain &m, const QString &db)
{
    auto *timer = m.findChild<QTimer *>(QStringLiteral("HousekeepingTimer"));
    QVERIFY(timer);
    timer->setInterval(0);
    QTRY_VERIFY(!timer->isActive());
    QCOMPARE(rowsOf(db, QStringLiteral("undo_row")), 1); // the last save's own
}

// A small file system of its own, filled to the last byte, gone with the object.
struct FullFileSystem {
    QString path;
    bool mounted = false;
    QString why;

    FullFileSystem(const QString &where, qint64 bytes) : path(where)
    {
        QDir().mkpath(path);
        const QByteArray options = "size=" + QByteArray::number(bytes);
        if (::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, options.constData()) == 0)
            mounted = true;
        else
            why = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~FullFileSystem()
    {
        if (mounted)
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }
    QString filler() const { return path + QStringLiteral("/filler"); }
    bool fill() const
    {
        QFile f(filler());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, '\0');
        while (f.write(block) == block.size()) {
        }
        return true;
    }
};

} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT
private slots:
    void startOnDiskThatRefusesWrites()
    {
        test::FullDisk disk; // under every connection from here on
        test::TestContext t;
        writeSettings(t.context.settingsPath, 0);
        earlierRun(t.context);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(rowsOf(t.context.databasePath, QStringLiteral("undo_row")), 3);

        disk.setFull(true);
        std::unique_ptr<Program> program;
        try {
            program = std::make_unique<Program>(t.context);
        } catch (const std::exception &e) {
            QFAIL(qPrintable(QStringLiteral("the start failed: ") + errorText(e)));
        }
        TMain &m = program->main();
        const test::MainControls ui(m);
        ui.Timer1->stop();
        m.show();
        m.Timer1Timer();
        checkShownOnFullDisk(m, *t.prompts, t.dir.path());
        if (QTest::currentTestFailed())
            return;
        QVERIFY(disk.refusedWrites() > 0); // start-up tried to empty the history
        checkSaveRefused(m, *t.prompts);
        if (QTest::currentTestFailed())
            return;

        disk.setFull(false);
        checkSavedOnceSpaceIsBack(m, *t.prompts);
        if (QTest::currentTestFailed())
            return;
        checkHousekeepingDone(m, t.context.databasePath);
        program.reset();
        QCOMPARE(rowsOf(t.context.databasePath, QStringLiteral("qso")), 4);
    }

    // The same on a real file system with no byte left, the copy at start included: it is not
    // even begun, and the first tick after space is back writes it.
    void startOnFullFileSystem()
    {
        test::TestContext made;
        writeSettings(made.context.settingsPath, 10);
        earlierRun(made.context);
        if (QTest::currentTestFailed())
            return;
        const qint64 logSize = QFileInfo(made.context.databasePath).size();

        QTemporaryDir outer;
        FullFileSystem fs(outer.filePath(QStringLiteral("disk")), logSize + 2 * 1024 * 1024);
        if (!fs.mounted)
            QSKIP(
                qPrintable(QStringLiteral("a tmpfs cannot be mounted here (%1); the test on the seam covers the start")
                               .arg(fs.why)));
        test::TestContext t;
        t.context.programDir = fs.path;
        t.context.settingsPath = fs.path + QStringLiteral("/settings.ini");
        t.context.databasePath = fs.path + QStringLiteral("/vireolog.db");
        QVERIFY(QFile::copy(made.context.databasePath, t.context.databasePath));
        QVERIFY(QFile::copy(made.context.settingsPath, t.context.settingsPath));
        QVERIFY(fs.fill());
        QVERIFY(logdisk::full(t.context.databasePath));

        std::unique_ptr<Program> program;
        try {
            program = std::make_unique<Program>(t.context);
        } catch (const std::exception &e) {
            QFAIL(qPrintable(QStringLiteral("the start failed: ") + errorText(e)));
        }
        TMain &m = program->main();
        const test::MainControls ui(m);
        ui.Timer1->stop();
        m.show();
        m.Timer1Timer();
        checkShownOnFullDisk(m, *t.prompts, fs.path);
        if (QTest::currentTestFailed())
            return;
        ui.backups->waitIdle();
        QVERIFY(QDir(fs.path + QStringLiteral("/backup")).entryList(QDir::Files).isEmpty());
        QCOMPARE(m.statusText(5), logdisk::fullStatus());

        // A report goes to another disk.
        const QString report = outer.filePath(QStringLiteral("UA1SWL.adi"));
        t.prompts->fileNames = {report};
        m.ADIF1Click();
        QVERIFY(QFileInfo(report).size() > 0);
        QVERIFY(t.prompts->texts(QStringLiteral("error")).isEmpty());

        checkSaveRefused(m, *t.prompts);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(QFile::remove(fs.filler()));
        checkSavedOnceSpaceIsBack(m, *t.prompts);
        if (QTest::currentTestFailed())
            return;
        checkHousekeepingDone(m, t.context.databasePath);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(ui.backups->changed());
        ui.backups->tick();
        ui.backups->waitIdle();
        const QVector<logbackup::Copy> copies = logbackup::list(t.context.databasePath);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(logbackup::qsoCount(copies.first().path), 4);
        program.reset();
        QCOMPARE(rowsOf(t.context.databasePath, QStringLiteral("qso")), 4);
    }
};

QTEST_MAIN(TestFullDisk)
#include "tst_full_disk.moc"
