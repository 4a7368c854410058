#include "db/scp_store.h"

#include "db/reference_store.h"
#include "db/sql.h"

#include <QFile>

namespace vireo {

namespace {
const QString CtyVersion = QStringLiteral("cty_version");
const QString ScpRelease = QStringLiteral("scp_release");
} // namespace

ScpStore::ScpStore(QSqlDatabase db) : m_db(db) {}

QString ScpStore::defaultScpPath()
{
    return QStringLiteral("/usr/share/hamradio-files/MASTER.SCP");
}

QStringList ScpStore::calls()
{
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT call FROM scp_call"));
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

void ScpStore::fillIfEmpty(const QString &path)
{
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM scp_call)"));
    if (sql::scalar(q) != 0 || path.isEmpty())
        return;
    q.finish();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const ScpContents scp = readScp(file.readAll());
    if (scp.errorLine != 0)
        return;
    sql::Transaction t(m_db);
    writeCalls(scp.calls);
    setInfo(ScpRelease, scp.release);
    t.commit();
}

void ScpStore::setCtyVersion(const QString &version)
{
    setInfo(CtyVersion, version);
}

void ScpStore::writeCalls(const QStringList &calls)
{
    sql::run(m_db, QStringLiteral("DELETE FROM scp_call"));
    QSqlQuery insert(m_db);
    sql::prepare(insert, QStringLiteral("INSERT OR IGNORE INTO scp_call (call) VALUES (?)"));
    for (const QString &c : calls)
        sql::exec(insert, {c});
}

void ScpStore::setInfo(const QString &name, const QString &value)
{
    sql::run(m_db, QStringLiteral("INSERT OR REPLACE INTO reference_info (name, value) VALUES (?, ?)"),
             {name, value});
}

void ScpStore::forEachLogCall(
    const std::function<void(const QString &, const QString &, const QString &, const QString &, const QString &)>
        &visit)
{
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT call1, call2, band, mode, tur FROM qso"));
    while (q.next())
        visit(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
              q.value(4).toString());
}

ReferenceInfo ScpStore::info()
{
    ReferenceInfo r;
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT name, value FROM reference_info"));
    while (q.next()) {
        if (q.value(0).toString() == CtyVersion)
            r.ctyVersion = q.value(1).toString();
        else if (q.value(0).toString() == ScpRelease)
            r.scpRelease = q.value(1).toString();
    }
    QSqlQuery counts = sql::run(m_db, QStringLiteral("SELECT (SELECT COUNT(DISTINCT DXCCPrefix) FROM prefix),"
                                                     " (SELECT COUNT(*) FROM prefix),"
                                                     " (SELECT COUNT(*) FROM scp_call)"));
    if (counts.next()) {
        r.entities = counts.value(0).toInt();
        r.prefixes = counts.value(1).toInt();
        r.calls = counts.value(2).toInt();
    }
    return r;
}

void ScpStore::replace(const CtyContents &cty, const ScpContents &scp)
{
    sql::Transaction t(m_db);
    sql::run(m_db, QStringLiteral("DELETE FROM prefix"));
    ReferenceStore(m_db).insertPrefixes(cty.rows);
    writeCalls(scp.calls);
    setInfo(CtyVersion, cty.version);
    setInfo(ScpRelease, scp.release);
    t.commit();
}

} // namespace vireo
