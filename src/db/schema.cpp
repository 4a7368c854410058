#include "db/schema.h"

#include "db/sql.h"

namespace vireo::schema {

namespace {

const char *const Tables[] = {
    "CREATE TABLE qso ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " freq TEXT NOT NULL DEFAULT '', mode TEXT NOT NULL DEFAULT '', data TEXT NOT NULL DEFAULT '',"
    " time TEXT NOT NULL DEFAULT '', call1 TEXT NOT NULL DEFAULT '', rst1 TEXT NOT NULL DEFAULT '',"
    " nr1 TEXT NOT NULL DEFAULT '', call2 TEXT NOT NULL DEFAULT '', rst2 TEXT NOT NULL DEFAULT '',"
    " nr2 TEXT NOT NULL DEFAULT '', band TEXT NOT NULL DEFAULT '', tur TEXT NOT NULL DEFAULT '',"
    " radio TEXT NOT NULL DEFAULT '')",
    "CREATE TABLE tour (tour INTEGER, datebegin TEXT, timebegin TEXT, dateend TEXT, timeend TEXT)",
    "CREATE TABLE servntp (srvntp TEXT, location TEXT)",
    "CREATE TABLE prefix (Prefix TEXT, DXCCPrefix TEXT, CQZone TEXT, ITUZone TEXT, State TEXT,"
    " Country TEXT, Continent TEXT, Latitude TEXT, Longitude TEXT)",
    "CREATE TABLE Callbook (Call TEXT, State TEXT, Grid TEXT, Deg TEXT)",
};

// Every statement run per keystroke is an index look-up.
const char *const Indexes[] = {
    "CREATE INDEX IF NOT EXISTS qso_call1 ON qso(call1, band, mode, tur)",
    "CREATE INDEX IF NOT EXISTS qso_call2 ON qso(call2, band, mode, tur)",
    "CREATE INDEX IF NOT EXISTS qso_nr2 ON qso(nr2)",
    "CREATE INDEX IF NOT EXISTS prefix_prefix ON prefix(Prefix)",
    "CREATE INDEX IF NOT EXISTS callbook_call ON Callbook(Call)",
    // The grid pages through the keys of this narrow index instead of the wide table.
    "CREATE INDEX IF NOT EXISTS qso_id ON qso(id)",
    // The band map reads the records of one band, mode and tour on a day or two.
    "CREATE INDEX IF NOT EXISTS qso_band_day ON qso(band, mode, tur, data)",
};

const char *const CountTriggers[] = {
    // nr2 > '' is nr2 <> '' for the text the column holds (NULL not counted), and an index range.
    "CREATE TRIGGER IF NOT EXISTS qso_count_insert AFTER INSERT ON qso BEGIN"
    " UPDATE qso_totals SET total = total + 1, with_nr2 = with_nr2 + (IFNULL(NEW.nr2, '') > '') WHERE id = 1; END",
    "CREATE TRIGGER IF NOT EXISTS qso_count_delete AFTER DELETE ON qso BEGIN"
    " UPDATE qso_totals SET total = total - 1, with_nr2 = with_nr2 - (IFNULL(OLD.nr2, '') > '') WHERE id = 1; END",
    "CREATE TRIGGER IF NOT EXISTS qso_count_update AFTER UPDATE OF nr2 ON qso BEGIN"
    " UPDATE qso_totals SET with_nr2 = with_nr2 + (IFNULL(NEW.nr2, '') > '') - (IFNULL(OLD.nr2, '') > '') WHERE id = "
    "1; END",
};

// Totals of the log behind the status bar counters, kept by the database itself: triggers change
// them in the same transaction as every insert, delete or change of nr2, whichever program
// writes the file, so that the counters cost the same for a hundred records or a hundred thousand
// and always match the rows.
const char *const Totals[] = {
    "CREATE TABLE IF NOT EXISTS qso_totals (id INTEGER PRIMARY KEY CHECK (id = 1),"
    " total INTEGER NOT NULL, with_nr2 INTEGER NOT NULL)",
    "INSERT OR IGNORE INTO qso_totals (id, total, with_nr2) VALUES (1, 0, 0)",
    // Earlier files: triggers under these names counted differently, or the program kept the
    // totals itself and other programs' writes went uncounted.
    "DROP TRIGGER IF EXISTS qso_totals_insert",
    "DROP TRIGGER IF EXISTS qso_totals_delete",
    "DROP TRIGGER IF EXISTS qso_totals_update",
};

// The partial-check calls and the versions of the reference data, added to files of every age.
const char *const ReferenceData[] = {
    "CREATE TABLE IF NOT EXISTS scp_call (call TEXT PRIMARY KEY) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS reference_info (name TEXT PRIMARY KEY, value TEXT NOT NULL)",
};

// Stations marked on the band map without a QSO, kept until they age out; added to files of
// every age. The moment is UTC as yyyy-MM-ddTHH:mm:ss, so that text order is time order.
const char *const BandMarks[] = {
    "CREATE TABLE IF NOT EXISTS band_mark (id INTEGER PRIMARY KEY, call TEXT NOT NULL, freq TEXT NOT NULL,"
    " band TEXT NOT NULL, mode TEXT NOT NULL, tur TEXT NOT NULL, at TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS band_mark_band ON band_mark(band, mode, tur, at)",
    "CREATE INDEX IF NOT EXISTS band_mark_at ON band_mark(at)",
};

// The UTC instant (milliseconds) of each record's save, by which the recording of the receiver's
// audio finds the record's stretch. A row goes with its record: the log store removes it when the
// record goes, and the undo history brings both back together.
const char *const AudioLinks[] = {
    "CREATE TABLE IF NOT EXISTS qso_audio (qso_id INTEGER PRIMARY KEY, at_ms INTEGER NOT NULL)",
};

// Counted anew from the rows when the file lacked the table or a trigger as it was opened: an
// earlier version's file, or one changed while nothing kept its totals. With the triggers in
// place every writer keeps them, so a file that has them needs no count at start-up.
const char *const Recount =
    "UPDATE qso_totals SET total = (SELECT COUNT(*) FROM qso), with_nr2 = (SELECT COUNT(*) FROM qso WHERE nr2 > '')"
    " WHERE id = 1";

} // namespace

bool totalsKept(QSqlDatabase db)
{
    QSqlQuery q =
        sql::run(db, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE (type = 'table' AND name = 'qso_totals')"
                                    " OR (type = 'trigger' AND name IN ('qso_count_insert', 'qso_count_delete',"
                                    " 'qso_count_update'))"));
    return sql::scalar(q) == 4;
}

QStringList requiredTables()
{
    return {QStringLiteral("qso"), QStringLiteral("tour"), QStringLiteral("servntp"), QStringLiteral("prefix"),
            QStringLiteral("Callbook")};
}

void create(QSqlDatabase db)
{
    for (const char *statement : Tables)
        sql::run(db, QString::fromLatin1(statement));
    ensureIndexes(db);
    sql::run(db, QStringLiteral("PRAGMA user_version = 1"));
}

void ensureIndexes(QSqlDatabase db)
{
    sql::Transaction t(db);
    const bool kept = totalsKept(db);
    for (const char *statement : Indexes)
        sql::run(db, QString::fromLatin1(statement));
    for (const char *statement : Totals)
        sql::run(db, QString::fromLatin1(statement));
    for (const char *statement : ReferenceData)
        sql::run(db, QString::fromLatin1(statement));
    for (const char *statement : BandMarks)
        sql::run(db, QString::fromLatin1(statement));
    for (const char *statement : AudioLinks)
        sql::run(db, QString::fromLatin1(statement));
    for (const char *statement : CountTriggers)
        sql::run(db, QString::fromLatin1(statement));
    if (!kept)
        sql::run(db, QString::fromLatin1(Recount));
    t.commit();
}

void withoutCounting(QSqlDatabase db, const std::function<void()> &change)
{
    // A trigger costs tens of microseconds a row, seconds for an import of a hundred thousand
    // records, and a delete trigger keeps SQLite from dropping a whole table's pages at once.
    // The triggers are back, and the totals counted, before the caller's transaction commits.
    for (const char *trigger : {"qso_count_insert", "qso_count_delete", "qso_count_update"})
        sql::run(db, QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(QLatin1String(trigger)));
    change();
    sql::run(db, QString::fromLatin1(Recount));
    for (const char *statement : CountTriggers)
        sql::run(db, QString::fromLatin1(statement));
}

void withIndexesRebuilt(QSqlDatabase db, const std::function<void()> &change)
{
    // Whatever indexes the file has on the table, ours or another version's, come back as they were.
    QSqlQuery q = sql::run(db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index'"
                                              " AND tbl_name = 'qso' AND sql IS NOT NULL"));
    QStringList names, statements;
    while (q.next()) {
        names << q.value(0).toString();
        statements << q.value(1).toString();
    }
    q.finish();
    for (QString name : names)
        sql::run(db,
                 QStringLiteral("DROP INDEX main.\"%1\"").arg(name.replace(QLatin1Char('"'), QStringLiteral("\"\""))));
    change();
    for (const QString &statement : statements)
        sql::run(db, statement);
}

bool bandMarksKept(QSqlDatabase db)
{
    QSqlQuery q =
        sql::run(db, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'band_mark'"));
    return sql::scalar(q) == 1;
}

void ensureBandMarks(QSqlDatabase db)
{
    for (const char *statement : BandMarks)
        sql::run(db, QString::fromLatin1(statement));
}

bool tableExists(const QSqlDatabase &db, const QString &name)
{
    QSqlQuery q =
        sql::run(db, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = ?"), {name});
    return sql::scalar(q) > 0;
}

QStringList missingTables(QSqlDatabase db)
{
    QSqlQuery q = sql::run(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    QStringList present;
    while (q.next())
        present << q.value(0).toString().toLower();
    QStringList missing;
    for (const QString &t : requiredTables())
        if (!present.contains(t.toLower()))
            missing << t;
    return missing;
}

} // namespace vireo::schema
