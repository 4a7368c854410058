// An installed package keeps the listener's files in the XDG folders and offers the log of a
// copy built into ~/Vireo once.

#include "app/app_folders_setup.h"
#include "base/ini_file.h"
#include "db/log_backup.h"
#include "support/scripted_services.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace vireo;
using vireo::test::ScriptedPrompts;

namespace {

// A log with the tables of the program and the given number of QSOs, made by a copy of it.
void makeLog(const QString &path, int qsos)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "legacy");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const char *t :
             {"CREATE TABLE qso (id INTEGER PRIMARY KEY AUTOINCREMENT, call1 TEXT)",
              "CREATE TABLE tour (id INTEGER PRIMARY KEY)", "CREATE TABLE servntp (id INTEGER PRIMARY KEY)",
              "CREATE TABLE prefix (id INTEGER PRIMARY KEY)", "CREATE TABLE Callbook (id INTEGER PRIMARY KEY)"})
            QVERIFY2(q.exec(t), qPrintable(q.lastError().text()));
        for (int i = 0; i < qsos; ++i)
            QVERIFY(q.exec(QStringLiteral("INSERT INTO qso (call1) VALUES ('UA%1ABC')").arg(i)));
    }
    QSqlDatabase::removeDatabase("legacy");
}

} // namespace

class TestInstalledLayout : public QObject {
    Q_OBJECT

    static AppFolders installedIn(const QTemporaryDir &t)
    {
        QProcessEnvironment env;
        env.insert("HOME", t.filePath("home"));
        return resolveAppFolders(t.filePath("usr/bin"), t.path(), env, [](const QString &) { return false; });
    }

private slots:
    void theLegacyLogIsOfferedAndCopiedNeverMoved()
    {
        QTemporaryDir t;
        QVERIFY(QDir().mkpath(t.filePath("home/Vireo")));
        makeLog(t.filePath("home/Vireo/vireolog.db"), 3);
        const AppFolders f = installedIn(t);
        QVERIFY(QDir().mkpath(f.workingDir));
        ScriptedPrompts prompts;
        prompts.answers = {true};
        QVERIFY(offerLegacyLog(f, prompts));
        QCOMPARE(prompts.shown.size(), 1);
        QVERIFY(prompts.shown[0].text.contains(QDir::toNativeSeparators(t.filePath("home/Vireo/vireolog.db"))));
        QVERIFY(prompts.shown[0].text.contains("QSO: 3"));
        QCOMPARE(logbackup::qsoCount(f.databasePath), 3);
        QVERIFY(QFile::exists(t.filePath("home/Vireo/vireolog.db")));
        QCOMPARE(logbackup::qsoCount(t.filePath("home/Vireo/vireolog.db")), 3);
        // Once the installed package has its own log the question is not asked again.
        QVERIFY(!offerLegacyLog(f, prompts));
        QCOMPARE(prompts.shown.size(), 1);
    }

    void declinedOrBrokenTheProgramStartsANewLog()
    {
        QTemporaryDir t;
        QVERIFY(QDir().mkpath(t.filePath("home/Vireo")));
        const AppFolders f = installedIn(t);
        QVERIFY(QDir().mkpath(f.workingDir));
        ScriptedPrompts none;
        QVERIFY(!offerLegacyLog(f, none)); // no legacy log: nothing asked
        QVERIFY(none.shown.isEmpty());

        makeLog(t.filePath("home/Vireo/vireolog.db"), 1);
        ScriptedPrompts no;
        no.answers = {false};
        QVERIFY(!offerLegacyLog(f, no));
        QCOMPARE(no.shown.size(), 1);
        QVERIFY(!QFile::exists(f.databasePath));

        QFile broken(t.filePath("home/Vireo/vireolog.db"));
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("not a database at all, but long enough to be looked at by SQLite's header check.....");
        broken.close();
        ScriptedPrompts yes;
        yes.answers = {true};
        QVERIFY(!offerLegacyLog(f, yes));
        QCOMPARE(yes.texts("error").size(), 1);
        QVERIFY(yes.texts("error")[0].contains("не перенесён"));
        QVERIFY(!QFile::exists(f.databasePath));
        QVERIFY(QDir(f.workingDir).entryList(QDir::Files).isEmpty()); // nothing half-written
    }

    void theInstalledProgramStartsInItsDataFolder()
    {
        const QString binary = QCoreApplication::applicationDirPath() + QStringLiteral("/../../src/app/vireo");
        if (!QFile::exists(binary))
            QSKIP("the program is not built next to the tests");
        // The package's layout: <prefix>/bin/vireo with <prefix>/share/vireo beside it.
        QTemporaryDir t;
        QVERIFY(QDir().mkpath(t.filePath("usr/bin")));
        QVERIFY(QDir().mkpath(t.filePath("usr/share/vireo")));
        QVERIFY(QDir().mkpath(t.filePath("home")));
        QVERIFY(QDir().mkpath(t.filePath("elsewhere")));
        QVERIFY(QFile::copy(binary, t.filePath("usr/bin/vireo")));
        QProcess proc;
        proc.setWorkingDirectory(t.filePath("elsewhere"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", t.filePath("home"));
        env.remove("XDG_CONFIG_HOME");
        env.remove("XDG_DATA_HOME");
        proc.setProcessEnvironment(env);
        proc.start(t.filePath("usr/bin/vireo"), {});
        QVERIFY(proc.waitForStarted());
        const QString log = t.filePath("home/.local/share/Vireo/vireolog.db");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(log) && QFileInfo(log).size() > 100000, 30000);
        ::kill(pid_t(proc.processId()), SIGTERM);
        QVERIFY(proc.waitForFinished(20000));
        QCOMPARE(proc.exitStatus(), QProcess::NormalExit);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "installed");
            db.setDatabaseName(log);
            QVERIFY(db.open());
            QSqlQuery q("SELECT COUNT(*) FROM prefix", db);
            QVERIFY(q.next());
            QVERIFY2(q.value(0).toInt() > 1000, qPrintable(q.value(0).toString()));
        }
        QSqlDatabase::removeDatabase("installed");
        IniFile ini(t.filePath("home/.config/Vireo/settings.ini"));
        QVERIFY(ini.readInteger("Main", "Left", -1) >= 0); // written at the end of the run
        QVERIFY(!QFile::exists(t.filePath("usr/bin/settings.ini")));
        QVERIFY(QDir(t.filePath("elsewhere")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }
};

QTEST_MAIN(TestInstalledLayout)
#include "tst_installed_layout.moc"
