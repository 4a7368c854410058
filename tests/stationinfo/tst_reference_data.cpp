// The country file and the contest-call list: reading the real files and the overrides of the
// country file, refusing broken ones with the line, filling a log file, and the refresh that
// replaces both in one transaction.

#include "base/error.h"
#include "db/database.h"
#include "db/reference_store.h"
#include "db/scp_store.h"
#include "db/sql.h"
#include "stationinfo/cty_parser.h"
#include "stationinfo/data_refresh.h"
#include "stationinfo/reference_files.h"
#include "stationinfo/scp_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vireo;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

int count(QSqlDatabase db, const QString &statement)
{
    QSqlQuery q = sql::run(db, statement);
    return int(sql::scalar(q));
}

} // namespace

class TestReferenceData : public QObject {
    Q_OBJECT
private slots:
    void realFilesRead();
    void newFileHasTablesAndCountryPrefixes();
    void ctyOverridesAndWaeEntities();
    void brokenCountryFilesNameTheLine_data();
    void brokenCountryFilesNameTheLine();
    void brokenCallListsNameTheLine_data();
    void brokenCallListsNameTheLine();
    void newAndOldLogFilesGetTheCalls();
    void refreshReplacesBothOrNothing();
};

void TestReferenceData::realFilesRead()
{
    const CtyContents cty = readCty(readAll(defaultCtyPath()));
    QCOMPARE(cty.version, QStringLiteral("VER20230502"));
    QVERIFY(cty.entities > 330 && cty.entities < 350);
    QCOMPARE(cty.rows.size(), parseCty(readAll(defaultCtyPath())).rows.size());

    const ScpContents scp = readScp(readAll(defaultScpPath()));
    QCOMPARE(scp.release, QStringLiteral("Release 2023.05.02.00"));
    QVERIFY(scp.calls.size() > 80000);
    QVERIFY(scp.calls.contains(QStringLiteral("2E0ACE")));
    QVERIFY(!scp.calls.contains(QStringLiteral("#")));
}

void TestReferenceData::newFileHasTablesAndCountryPrefixes()
{
    if (!QFile::exists(defaultCtyPath()))
        QSKIP("cty.dat of hamradio-files is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vireolog.db"));
    Database::prepareFile(path, referenceFiles());
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

void TestReferenceData::ctyOverridesAndWaeEntities()
{
    const QByteArray cty = "European Russia:          16:  29:  EU:   53.65:   -41.37:    -4.0:  UA:\n"
                           "    R,U,UA9F(17)[30],=R9XYZ;\n"
                           "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
                           "    IT9,IW9;\n"
                           "United States:            05:  08:  NA:   37.60:    91.87:     5.0:  K:\n"
                           "    K,W<40.0/75.0>{SA},AA0(4)[7];\n"
                           "Truncated:                01:  02:  EU:   10.00:";
    const QVector<PrefixRow> rows = parseCty(cty).rows;
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

void TestReferenceData::brokenCountryFilesNameTheLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("says");
    const QByteArray real = readAll(defaultCtyPath());
    // Cut in the middle of an entity's prefix list.
    const int cut = real.indexOf("Germany:");
    const QByteArray truncated = real.left(cut + 200);
    const int germanyLine = int(real.left(cut).count('\n')) + 1;
    QTest::newRow("truncated") << truncated << germanyLine << QStringLiteral("обрывается");
    QTest::newRow("header cut") << real.left(cut + 30) << germanyLine << QStringLiteral("обрывается");
    QTest::newRow("call list") << readAll(defaultScpPath()) << 1 << QStringLiteral("заголовок");
    QTest::newRow("bad zone") << QByteArray("Malta: 15: 99: EU: 35.9: -14.4: -1.0: 9H:\n    9H;\n") << 1
                              << QStringLiteral("ITU");
    QTest::newRow("bad alias") << QByteArray("Malta: 15: 28: EU: 35.9: -14.4: -1.0: 9H:\n    9H,\n    9H 1;\n") << 3
                               << QStringLiteral("9H 1");
    QTest::newRow("empty") << QByteArray("\n\n") << 3 << QStringLiteral("нет ни одной");
    QTest::newRow("binary") << QByteArray("Malta\0\1\2", 8) << 1 << QStringLiteral("не текстовый");
}

void TestReferenceData::brokenCountryFilesNameTheLine()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(QString, says);
    try {
        readCty(text);
        QFAIL("the broken file was read");
    } catch (const LineError &e) {
        QCOMPARE(e.line(), line);
        QVERIFY2(e.reason().contains(says), qPrintable(e.reason()));
        QCOMPARE(e.text(), QStringLiteral("Строка %1: %2.").arg(line).arg(e.reason()));
    }
}

void TestReferenceData::brokenCallListsNameTheLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("says");
    QTest::newRow("country file") << readAll(defaultCtyPath()) << 1 << QStringLiteral("не похоже");
    QTest::newRow("a word") << QByteArray("# Release 1\nUA3ABC\nhello world\n") << 3 << QStringLiteral("hello");
    QTest::newRow("no digit") << QByteArray("UA3ABC\r\nABCDEF\r\n") << 2 << QStringLiteral("ABCDEF");
    QTest::newRow("only comments") << QByteArray("# Release 1\n#\n") << 2 << QStringLiteral("нет ни одного");
    QTest::newRow("binary") << QByteArray("UA3ABC\n\x89PNG\0\0", 12) << 2 << QStringLiteral("не текстовый");
}

void TestReferenceData::brokenCallListsNameTheLine()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(QString, says);
    try {
        readScp(text);
        QFAIL("the broken file was read");
    } catch (const LineError &e) {
        QCOMPARE(e.line(), line);
        QVERIFY2(e.reason().contains(says), qPrintable(e.reason()));
    }
}

void TestReferenceData::newAndOldLogFilesGetTheCalls()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vireolog.db"));
    Database::prepareFile(path, referenceFiles());
    const int calls = int(readScp(readAll(defaultScpPath())).calls.size());
    {
        Database db(path, QStringLiteral("ref-new"));
        ScpStore store(db.connection());
        const ReferenceInfo info = store.info();
        QCOMPARE(info.calls, calls);
        QCOMPARE(info.ctyVersion, QStringLiteral("VER20230502"));
        QCOMPARE(info.scpRelease, QStringLiteral("Release 2023.05.02.00"));
        QVERIFY(info.prefixes > 1000);
        QVERIFY(info.entities > 300 && info.entities <= 340);
        // A file of an older program: no calls table and no versions.
        sql::run(db.connection(), QStringLiteral("DROP TABLE scp_call"));
        sql::run(db.connection(), QStringLiteral("DROP TABLE reference_info"));
    }
    Database::prepareFile(path, referenceFiles());
    {
        Database db(path, QStringLiteral("ref-old"));
        ScpStore store(db.connection());
        const ReferenceInfo info = store.info();
        QCOMPARE(info.calls, calls);
        QCOMPARE(info.ctyVersion, QString()); // not known for a file made earlier
        QCOMPARE(info.scpRelease, QStringLiteral("Release 2023.05.02.00"));
    }
    // Without the list the file still opens, with no calls.
    const QString bare = dir.filePath(QStringLiteral("bare.db"));
    Database::prepareFile(bare, referenceFiles(QString(), dir.filePath(QStringLiteral("missing.scp"))));
    Database db(bare, QStringLiteral("ref-bare"));
    QCOMPARE(ScpStore(db.connection()).info().calls, 0);
}

void TestReferenceData::refreshReplacesBothOrNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vireolog.db"));
    Database::prepareFile(path, referenceFiles());
    Database db(path, QStringLiteral("ref-refresh"));
    QSqlDatabase c = db.connection();
    ReferenceStore(c).addCallbook(
        {{QStringLiteral("UA3ABC"), QStringLiteral("MO"), QStringLiteral("KO85"), QString()}});
    ScpStore store(c);

    const QString cty = dir.filePath(QStringLiteral("cty.dat"));
    const QString scp = dir.filePath(QStringLiteral("MASTER.SCP"));
    write(cty, "Malta:                    15:  28:  EU:   35.88:   -14.50:    -1.0:  9H:\n"
               "    9H,9G(14),=VER20991231;\n"
               "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:\n"
               "    IT9;\n");
    write(scp, "#\n# Release 2099.12.31.00\n#\n9H1AA\n9H1BB\n9H1AA\n");
    QCOMPARE(refreshReferenceData(store, cty, scp),
             QStringLiteral("Данные обновлены: стран 1, префиксов 2, позывных 2."));
    ReferenceInfo info = store.info();
    QCOMPARE(info.ctyVersion, QStringLiteral("VER20991231"));
    QCOMPARE(info.scpRelease, QStringLiteral("Release 2099.12.31.00"));
    QCOMPARE(info.entities, 1);
    QCOMPARE(info.prefixes, 2);
    QCOMPARE(info.calls, 2);
    QCOMPARE(store.calls(), (QStringList{"9H1AA", "9H1BB"}));
    QCOMPARE(ReferenceStore(c).firstPrefix(QStringLiteral("9G1X"), 2)->cqZone, QStringLiteral("14"));
    QVERIFY(ReferenceStore(c).callbook(QStringLiteral("UA3ABC"))); // the callbook is not touched

    // Back to the installed files, then a truncated country file and a call list of another
    // format: each leaves all as it was and names its file and line.
    QVERIFY(
        refreshReferenceData(store, defaultCtyPath(), defaultScpPath()).startsWith(QStringLiteral("Данные обновлены")));
    // The refusal of a refresh: its error's text, empty when the refresh went through.
    auto refused = [&store](const QString &ctyPath, const QString &scpPath) {
        try {
            refreshReferenceData(store, ctyPath, scpPath);
        } catch (const Error &e) {
            return e.text();
        }
        return QString();
    };
    const ReferenceInfo installed = store.info();
    QCOMPARE(installed.ctyVersion, QStringLiteral("VER20230502"));
    const QByteArray real = readAll(defaultCtyPath());
    const QByteArray half = real.left(real.size() / 2);
    write(cty, half);
    // The break is reported at the header of the entity it cuts: the last line not indented.
    const QList<QByteArray> lines = half.split('\n');
    int header = 0;
    for (int i = 0; i < lines.size(); ++i)
        if (!lines[i].isEmpty() && lines[i].at(0) != ' ')
            header = i + 1;
    QString bad = refused(cty, defaultScpPath());
    QVERIFY2(bad.startsWith(QStringLiteral("Файл %1, строка ").arg(cty)), qPrintable(bad));
    QVERIFY2(bad.contains(QStringLiteral("Данные не изменены")), qPrintable(bad));
    const int line = bad.section(QStringLiteral("строка "), 1).section(QLatin1Char(':'), 0, 0).toInt();
    QCOMPARE(line, header);

    bad = refused(defaultCtyPath(), defaultCtyPath());
    QVERIFY2(bad.startsWith(QStringLiteral("Файл %1, строка 1: ").arg(defaultCtyPath())), qPrintable(bad));
    bad = refused(dir.filePath(QStringLiteral("none.dat")), scp);
    QVERIFY2(bad.contains(dir.filePath(QStringLiteral("none.dat"))), qPrintable(bad));

    info = store.info();
    QCOMPARE(info.ctyVersion, installed.ctyVersion);
    QCOMPARE(info.scpRelease, installed.scpRelease);
    QCOMPARE(info.prefixes, installed.prefixes);
    QCOMPARE(info.calls, installed.calls);
    QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM Callbook")), 1);

    // A failure while writing rolls back: another connection holds the write lock.
    Database other(path, QStringLiteral("ref-lock"));
    sql::run(other.connection(), QStringLiteral("PRAGMA busy_timeout = 0"));
    sql::run(c, QStringLiteral("PRAGMA busy_timeout = 0"));
    QVERIFY(other.connection().transaction());
    sql::run(other.connection(), QStringLiteral("DELETE FROM Callbook"));
    bad = refused(defaultCtyPath(), scp);
    QVERIFY2(bad.contains(QStringLiteral("Данные не изменены")), qPrintable(bad));
    QVERIFY(other.connection().rollback());
    QCOMPARE(store.info().calls, installed.calls);
}

QTEST_GUILESS_MAIN(TestReferenceData)
#include "tst_reference_data.moc"
