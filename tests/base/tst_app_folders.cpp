// Where a copy built into a folder and an installed package keep their files.

#include "base/app_folders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace vireo;

class TestAppFolders : public QObject {
    Q_OBJECT

    static QProcessEnvironment home(const QString &path)
    {
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), path);
        return env;
    }

private slots:
    void aCopyInAFolderKeepsEverythingBesideItAndWhereItStarts()
    {
        QTemporaryDir t;
        const QString exe = t.filePath("Vireo");
        QVERIFY(QDir().mkpath(exe));
        const AppFolders f = resolveAppFolders(exe, t.filePath("logs"), home(t.filePath("home")));
        QVERIFY(!f.installed);
        QCOMPARE(f.settingsPath, exe + "/settings.ini");
        QCOMPARE(f.databasePath, t.filePath("logs/vireolog.db"));
        QCOMPARE(f.workingDir, t.filePath("logs"));
        QCOMPARE(f.programDir, exe);
        QCOMPARE(f.sharedDataDir, exe);
    }

    void aFolderThatCannotBeWrittenMeansTheXdgFolders()
    {
        QTemporaryDir t;
        const AppFolders f = resolveAppFolders(t.filePath("opt/vireo"), QStringLiteral("/tmp"),
                                               home(t.filePath("home")), [](const QString &) { return false; });
        QVERIFY(f.installed);
        QCOMPARE(f.settingsPath, t.filePath("home/.config/Vireo/settings.ini"));
        QCOMPARE(f.databasePath, t.filePath("home/.local/share/Vireo/vireolog.db"));
        QCOMPARE(f.workingDir, t.filePath("home/.local/share/Vireo"));
        QCOMPARE(f.programDir, f.workingDir); // reports are offered beside the log
        QCOMPARE(f.legacyLogPath, t.filePath("home/Vireo/vireolog.db"));
    }

    void thePackageRunByRootIsStillInstalled()
    {
        // root may write into /usr/bin; the layout of the prefix tells that it is the package.
        QTemporaryDir t;
        QVERIFY(QDir().mkpath(t.filePath("usr/bin")));
        QVERIFY(QDir().mkpath(t.filePath("usr/share/vireo")));
        const AppFolders f = resolveAppFolders(t.filePath("usr/bin"), QStringLiteral("/"), home(t.filePath("root")),
                                               [](const QString &) { return true; });
        QVERIFY(f.installed);
        QCOMPARE(f.sharedDataDir, t.filePath("usr/share/vireo"));
        QCOMPARE(f.databasePath, t.filePath("root/.local/share/Vireo/vireolog.db"));
        // A writable bin folder without the shipped files beside it is a folder of the listener's own.
        QVERIFY(QDir(t.filePath("usr/share/vireo")).removeRecursively());
        QVERIFY(!resolveAppFolders(t.filePath("usr/bin"), "/", home(t.filePath("root")), [](const QString &) {
                     return true;
                 }).installed);
    }

    void xdgVariablesCountOnlyWithAbsolutePaths()
    {
        QTemporaryDir t;
        QProcessEnvironment env = home(t.filePath("home"));
        env.insert("XDG_CONFIG_HOME", t.filePath("cfg"));
        env.insert("XDG_DATA_HOME", "relative/data");
        const AppFolders f = resolveAppFolders(t.filePath("x"), "/", env, [](const QString &) { return false; });
        QCOMPARE(f.settingsPath, t.filePath("cfg/Vireo/settings.ini"));
        QCOMPARE(f.databasePath, t.filePath("home/.local/share/Vireo/vireolog.db"));
    }

    void writableFolders()
    {
        QTemporaryDir t;
        QVERIFY(folderWritable(t.path()));
        QVERIFY(!folderWritable(t.filePath("missing")));
        QVERIFY(!folderWritable(QString()));
    }
};

QTEST_APPLESS_MAIN(TestAppFolders)
#include "tst_app_folders.moc"
