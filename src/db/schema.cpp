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
};

// Totals of the log, kept up to date by the log store in the same transaction as every change,
// so that the status bar counters cost the same for a hundred records or a hundred thousand.
const char *const Totals[] = {
    "CREATE TABLE IF NOT EXISTS qso_totals (id INTEGER PRIMARY KEY CHECK (id = 1),"
    " total INTEGER NOT NULL, with_nr2 INTEGER NOT NULL)",
    // Counted from the rows only when the file has no totals yet (the check comes before the scan).
    "INSERT INTO qso_totals (id, total, with_nr2)"
    " SELECT 1, (SELECT COUNT(*) FROM qso), (SELECT COUNT(*) FROM qso WHERE COALESCE(nr2, '') <> '')"
    " WHERE NOT EXISTS (SELECT 1 FROM qso_totals)",
    // Early files kept the totals by triggers, which also slowed clearing the log.
    "DROP TRIGGER IF EXISTS qso_totals_insert",
    "DROP TRIGGER IF EXISTS qso_totals_delete",
    "DROP TRIGGER IF EXISTS qso_totals_update",
};

// The partial-check calls and the versions of the reference data, added to files of every age.
const char *const ReferenceData[] = {
    "CREATE TABLE IF NOT EXISTS scp_call (call TEXT PRIMARY KEY) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS reference_info (name TEXT PRIMARY KEY, value TEXT NOT NULL)",
};

} // namespace

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
    for (const char *statement : Indexes)
        sql::run(db, QString::fromLatin1(statement));
    for (const char *statement : Totals)
        sql::run(db, QString::fromLatin1(statement));
    for (const char *statement : ReferenceData)
        sql::run(db, QString::fromLatin1(statement));
    t.commit();
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
