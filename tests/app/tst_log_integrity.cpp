// The log stays whole and is shown as it is, whatever else touches its files: the program's own
// file dialogs listing the folder, another program reading or writing the log, a brief lock
// held at start-up, a kill.
//
// Run with "--program DIR DIALOG" this program is itself Vireo: the real windows over the log in
// DIR, with prompts whose file dialogs do to the folder what a file dialog does (list it and
// find the type of every file, which reads the start of the log's files). It saves three QSOs
// typed into the entry line, uses the named dialog, prints "ready", and on a line from its input
// saves five more, printing "saved CALL" once each save has returned, then "done".

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "db/database.h"
#include "db/log_backup.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "reports/logger_file.h"
#include "reports/report_file.h"
#include "reports/ui/tfmcabrillo.h"
#include "support/processes.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"
#include "support/temp_log.h"
#include "support/ui/main_controls.h"
#include "support/ui/typing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QProcess>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <csignal>
#include <cstdio>

using namespace vireo;

namespace {

// What a file dialog does to the folder it shows: it lists the folder and finds the type of
// every file, reading the start of those whose name does not settle it, and closes them again.
void browseFolder(const QString &dir)
{
    QFileSystemModel model;
    QSignalSpy loaded(&model, &QFileSystemModel::directoryLoaded);
    const QModelIndex root = model.setRootPath(dir);
    QVERIFY(!loaded.isEmpty() || loaded.wait(10000));
    QMimeDatabase types;
    for (int i = 0; i < model.rowCount(root); ++i) {
        const QModelIndex file = model.index(i, 0, root);
        model.data(file, Qt::DecorationRole);
        types.mimeTypeForFile(model.filePath(file));
    }
}

class BrowsingPrompts : public test::ScriptedPrompts {
public:
    QString saveFileName(const QString &title, const QString &preset, const QString &filter) override
    {
        browseFolder(QFileInfo(preset).absolutePath());
        return ScriptedPrompts::saveFileName(title, preset, filter);
    }
    QString openFileName(const QString &title, const QString &dir, const QString &filter) override
    {
        browseFolder(dir);
        return ScriptedPrompts::openFileName(title, dir, filter);
    }
};

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void typeAndSave(TMain &m, const QString &call)
{
    test::fill(m, {{"edCall1", call},
                   {"edNr1", QStringLiteral("7")},
                   {"edCall2", QStringLiteral("UA2XYZ")},
                   {"edNr2", QStringLiteral("15")}});
    m.SaveQso();
    say(QStringLiteral("saved ") + call);
}

void writeSettings(const QString &dir)
{
    test::writeKnownListener(QDir(dir).filePath(QStringLiteral("settings.ini")));
}

int runProgram(const QString &dir, const QString &dialog)
{
    test::TestContext t;
    auto prompts = std::make_shared<BrowsingPrompts>();
    t.context.services.prompts = prompts;
    t.context.programDir = dir;
    t.context.settingsPath = QDir(dir).filePath(QStringLiteral("settings.ini"));
    t.context.databasePath = QDir(dir).filePath(QStringLiteral("vireolog.db"));
    Program program(t.context);
    TMain &m = program.main();
    const test::MainControls ui(m);
    ui.Timer1->stop();
    m.show();
    m.Timer1Timer();
    for (int i = 1; i <= 3; ++i)
        typeAndSave(m, QStringLiteral("UA%1AAA").arg(i));

    QString report;
    if (dialog == QLatin1String("adif")) {
        report = QDir(dir).filePath(QStringLiteral("UA1SWL.adi"));
        prompts->fileNames = {report};
        m.ADIF1Click();
    } else if (dialog == QLatin1String("scl")) {
        report = QDir(dir).filePath(QStringLiteral("UA1SWL.scl"));
        prompts->fileNames = {report};
        m.SCL1Click();
    } else if (dialog == QLatin1String("import")) {
        report = QDir(dir).filePath(QStringLiteral("earlier.scl"));
        if (loggerfile::writeFile(report, m.qsos()) != WriteResult::Ok)
            return 2;
        prompts->answers = {false}; // added to the log
        prompts->fileNames = {report};
        m.SCL2Click();
    } else if (dialog == QLatin1String("restore")) {
        // The newest copy in backup/, placed there by the test.
        report = logbackup::list(t.context.databasePath).value(0).path;
        prompts->onModal = [](QDialog &d) {
            auto *list = d.findChild<QTreeWidget *>(QStringLiteral("lvBackups"));
            if (!list || list->topLevelItemCount() == 0)
                return int(QDialog::Rejected);
            list->setCurrentItem(list->topLevelItem(0));
            return int(QDialog::Accepted);
        };
        prompts->answers = {true};
        ui.actRestore->trigger();
    } else if (dialog == QLatin1String("cabrillo")) {
        report = QDir(dir).filePath(QStringLiteral("UA1SWL.cbr"));
        prompts->answers = {true};
        prompts->fileNames = {report};
        program.cabrillo().btSaveClick();
    }
    if (!QFile::exists(report) || !prompts->texts(QStringLiteral("error")).isEmpty())
        return 3;
    say(QStringLiteral("ready ") + m.statusText(2));

    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 4;
    for (int i = 4; i <= 8; ++i)
        typeAndSave(m, QStringLiteral("UA%1AAA").arg(i));
    say(QStringLiteral("done"));
    while (std::fgets(line, sizeof line, stdin)) {
    }
    return 0;
}

// The sqlite3 command-line program, as a backup script or a listener's own query would run it:
// waiting a while for a lock, as such a script does, since Vireo's timed copy takes the read lock
// for a moment now and then.
QString outside(const QString &db, const QString &statement, const QByteArray &input = {})
{
    return test::sqlite3(db, statement, input, 5000);
}

QStringList lines(const QByteArray &out, const char *prefix)
{
    QStringList found;
    for (const QByteArray &l : out.split('\n'))
        if (l.startsWith(prefix))
            found << QString::fromUtf8(l.mid(int(qstrlen(prefix)))).trimmed();
    return found;
}

QsoRecord record(const QString &call, const QString &nr2)
{
    return test::Qso::plain().call1(call).nr1(QStringLiteral("1")).nr2(nr2);
}

struct Window {
    test::TestContext t;
    std::unique_ptr<Program> program;
    TMain *m = nullptr;

    Window() { writeSettings(t.dir.path()); }
    void start()
    {
        program = std::make_unique<Program>(t.context);
        m = &program->main();
        test::MainControls(*m).Timer1->stop();
        m->show();
        m->Timer1Timer();
    }
    QString db() const { return t.context.databasePath; }
    // What the window shows against what the file holds.
    void checkShowsTheFile() const
    {
        const int total = outside(db(), QStringLiteral("SELECT COUNT(*) FROM qso")).toInt();
        const int withNr2 = outside(db(), QStringLiteral("SELECT COUNT(*) FROM qso WHERE nr2 <> ''")).toInt();
        QCOMPARE(m->statusText(2), QStringLiteral("QSO: %1").arg(total));
        QCOMPARE(m->statusText(3), QStringLiteral("Points: %1").arg(total + 2 * withNr2));
        QCOMPARE(m->logModel().rowCount(), total);
        const QStringList calls = outside(db(), QStringLiteral("SELECT call1 FROM qso ORDER BY id")).split('\n');
        for (int row = 0; row < total; ++row)
            QCOMPARE(m->logModel().recordAt(row).call1, calls.at(row));
    }
};

} // namespace

#define CHECK_SHOWS_THE_FILE(w)                                                                                        \
    do {                                                                                                               \
        (w).checkShowsTheFile();                                                                                       \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

class TestLogIntegrity : public QObject {
    Q_OBJECT
private slots:
    void fileDialogsKeepTheLogWhole_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("imported");
        QTest::newRow("ADIF export") << QStringLiteral("adif") << 0;
        QTest::newRow("logger file export") << QStringLiteral("scl") << 0;
        QTest::newRow("logger file import") << QStringLiteral("import") << 3;
        QTest::newRow("Cabrillo export") << QStringLiteral("cabrillo") << 0;
    }

    // Vireo uses a file dialog in its own folder, a backup script reads the log, the listener
    // saves more QSOs and the program is killed: every confirmed QSO is in the log, seen by
    // readers outside at once, and in vireolog.db itself, so that a copy of that file holds it.
    void fileDialogsKeepTheLogWhole()
    {
        QFETCH(QString, dialog);
        QFETCH(int, imported);
        QTemporaryDir dir;
        writeSettings(dir.path());
        const QString db = dir.filePath(QStringLiteral("vireolog.db"));
        QProcess vireo;
        // What the killed program leaves in its temporary folders goes with this test's folder.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), dir.path());
        vireo.setProcessEnvironment(env);
        vireo.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--program"), dir.path(), dialog});
        QVERIFY(vireo.waitForStarted());
        QByteArray out;
        QTRY_VERIFY2_WITH_TIMEOUT((out += vireo.readAllStandardOutput()).contains("ready"),
                                  qPrintable(QString::fromUtf8(out + vireo.readAllStandardError())), 60000);
        QCOMPARE(lines(out, "ready "), QStringList{QStringLiteral("QSO: %1").arg(3 + imported)});
        QCOMPARE(outside(db, QStringLiteral("SELECT COUNT(*) FROM qso")), QString::number(3 + imported));

        vireo.write("go\n");
        QTRY_VERIFY2_WITH_TIMEOUT((out += vireo.readAllStandardOutput()).contains("done"),
                                  qPrintable(QString::fromUtf8(out + vireo.readAllStandardError())), 60000);
        const QStringList saved = lines(out, "saved ");
        QCOMPARE(saved.size(), 8);
        const QString seenOutside = outside(db, QStringLiteral("SELECT COUNT(*) FROM qso"));
        test::sendSignal(vireo, SIGKILL);
        QVERIFY(vireo.waitForFinished(10000));

        QTemporaryDir backup;
        const QString copy = backup.filePath(QStringLiteral("vireolog.db"));
        QVERIFY(QFile::copy(db, copy));
        for (const QString &file : {db, copy}) {
            QCOMPARE(outside(file, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
            const QStringList calls = outside(file, QStringLiteral("SELECT call1 FROM qso")).split('\n');
            for (const QString &call : saved)
                QVERIFY2(calls.contains(call),
                         qPrintable(call + QStringLiteral(" was saved but is missing from ") + file));
            QCOMPARE(calls.size(), 8 + imported);
        }
        QCOMPARE(seenOutside, QString::number(8 + imported));
    }

    // The listener restores a copy that another program left in write-ahead mode, with its last
    // records only in the -wal file beside it, saves more QSOs, and the program is killed: the
    // log holds the copy's records, -wal ones included, and every later save, all in vireolog.db
    // itself (nothing beside it), and listing the copies wrote nothing into backup/.
    void restoredWalCopyKeepsEverySaveInTheFile()
    {
        QTemporaryDir dir;
        writeSettings(dir.path());
        const QString db = dir.filePath(QStringLiteral("vireolog.db"));
        const QString folder = dir.filePath(QStringLiteral("backup"));
        QVERIFY(QDir().mkpath(folder));
        const QStringList copied{QStringLiteral("WAL1"), QStringLiteral("WAL2"), QStringLiteral("WAL3"),
                                 QStringLiteral("WAL4"), QStringLiteral("WAL5"), QStringLiteral("WAL6")};
        QVector<QsoRecord> copiedRecords;
        for (const QString &call : copied)
            copiedRecords << record(call, QStringLiteral("5"));
        test::writeWalCopy(folder + QStringLiteral("/vireolog-20261208-090000.db"), copiedRecords, 3);
        if (QTest::currentTestFailed())
            return;

        QProcess vireo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), dir.path());
        vireo.setProcessEnvironment(env);
        vireo.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--program"), dir.path(), QStringLiteral("restore")});
        QVERIFY(vireo.waitForStarted());
        QByteArray out;
        QTRY_VERIFY2_WITH_TIMEOUT((out += vireo.readAllStandardOutput()).contains("ready"),
                                  qPrintable(QString::fromUtf8(out + vireo.readAllStandardError())), 60000);
        QCOMPARE(lines(out, "ready "), QStringList{QStringLiteral("QSO: 6")});
        vireo.write("go\n");
        QTRY_VERIFY2_WITH_TIMEOUT((out += vireo.readAllStandardOutput()).contains("done"),
                                  qPrintable(QString::fromUtf8(out + vireo.readAllStandardError())), 60000);
        test::sendSignal(vireo, SIGKILL);
        QVERIFY(vireo.waitForFinished(10000));

        for (const char *side : {"-wal", "-shm", "-journal"})
            QVERIFY2(!QFile::exists(db + QLatin1String(side)), side);
        QTemporaryDir elsewhere;
        const QString alone = elsewhere.filePath(QStringLiteral("vireolog.db"));
        QVERIFY(QFile::copy(db, alone));
        QCOMPARE(outside(alone, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        QCOMPARE(outside(alone, QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
        const QStringList expected =
            copied
            + QStringList{QStringLiteral("UA4AAA"), QStringLiteral("UA5AAA"), QStringLiteral("UA6AAA"),
                          QStringLiteral("UA7AAA"), QStringLiteral("UA8AAA")};
        QCOMPARE(outside(alone, QStringLiteral("SELECT call1 FROM qso ORDER BY id")).split('\n'), expected);
        const QStringList inBackup = QDir(folder).entryList(QDir::Files);
        QVERIFY2(inBackup.filter(QStringLiteral("-shm")).isEmpty(), qPrintable(inBackup.join(QLatin1Char(' '))));
        QVERIFY(inBackup.contains(QStringLiteral("vireolog-20261208-090000.db-wal")));
    }

    // Another program adds, deletes and edits records while Vireo runs; after Vireo's next own
    // write the grid and both counters show what the file holds. At the next start too.
    void gridAndCountersShowTheFile()
    {
        Window w;
        w.start();
        w.m->qsos().append({record(QStringLiteral("OWN1"), QStringLiteral("5")),
                            record(QStringLiteral("OWN2"), QString()),
                            record(QStringLiteral("OWN3"), QStringLiteral("5"))});
        w.m->logModel().reload();
        w.m->RefreshCounters();
        CHECK_SHOWS_THE_FILE(w);

        QCOMPARE(outside(w.db(), QStringLiteral("INSERT INTO qso (call1, nr2) VALUES ('OUT1', '9'), ('OUT2', '');"
                                                " DELETE FROM qso WHERE call1 = 'OWN1';"
                                                " UPDATE qso SET call1 = 'EDIT2', nr2 = '3' WHERE call1 = 'OWN2';")),
                 QString());
        typeAndSave(*w.m, QStringLiteral("OWN4"));
        CHECK_SHOWS_THE_FILE(w);
        QCOMPARE(w.m->logModel().recordAt(0).call1, QStringLiteral("EDIT2"));

        // deleting one record of our own while another program deleted two
        QCOMPARE(outside(w.db(), QStringLiteral("DELETE FROM qso WHERE call1 IN ('OUT1', 'OUT2')")), QString());
        test::MainControls(*w.m).DBGrid1->selectRow(0);
        w.m->N13Click();
        CHECK_SHOWS_THE_FILE(w);

        // an import answered "No" adds to what the file holds, whoever wrote it
        QCOMPARE(outside(w.db(), QStringLiteral("INSERT INTO qso (call1, nr2) VALUES ('OUT3', '1')")), QString());
        const QString scl = w.t.path(QStringLiteral("in.scl"));
        {
            Database other(w.db(), QStringLiteral("exporter"));
            QsoStore store(other.connection());
            QVERIFY(loggerfile::writeFile(scl, store) == WriteResult::Ok);
        }
        w.t.prompts->answers = {false};
        w.t.prompts->fileNames = {scl};
        w.m->SCL2Click();
        CHECK_SHOWS_THE_FILE(w);
        QCOMPARE(w.m->statusText(2), QStringLiteral("QSO: 6"));

        // a file changed while Vireo was closed
        w.program.reset();
        QCOMPARE(outside(w.db(), QStringLiteral("DELETE FROM qso WHERE call1 = 'OUT3'")), QString());
        w.start();
        CHECK_SHOWS_THE_FILE(w);
        QCOMPARE(w.m->statusText(2), QStringLiteral("QSO: 4"));
    }

    // Another program holds the log's write lock for a moment as Vireo starts: the start waits.
    void startWaitsForABriefLock()
    {
        Window w;
        w.start(); // the log as Vireo leaves it
        w.program.reset();
        QProcess holder;
        holder.start(QStringLiteral("sqlite3"), {w.db()});
        QVERIFY(holder.waitForStarted());
        holder.write("BEGIN EXCLUSIVE;\nINSERT INTO qso (call1) VALUES ('HOLDER');\nSELECT 'locked';\n"
                     ".shell sleep 1.5\nCOMMIT;\n");
        holder.closeWriteChannel();
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += holder.readAllStandardOutput()).contains("locked"), 30000);
        QElapsedTimer waited;
        waited.start();
        try {
            w.start();
        } catch (const std::exception &e) {
            QFAIL(e.what());
        }
        QVERIFY(holder.waitForFinished(30000));
        QCOMPARE(holder.exitCode(), 0);
        typeAndSave(*w.m, QStringLiteral("AFTER"));
        QCOMPARE(w.m->statusText(2), QStringLiteral("QSO: 2"));
        QVERIFY(waited.elapsed() >= 500);
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--program") == 0) {
        QApplication app(argc, argv);
        return runProgram(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QApplication app(argc, argv);
    TestLogIntegrity t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_log_integrity.moc"
