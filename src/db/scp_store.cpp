#include "db/scp_store.h"

#include "db/logging.h"
#include "db/reference_store.h"
#include "db/sql.h"

#include <QVector>

#include <array>
#include <limits>
#include <utility>

namespace vireo {

namespace {
const QString CtyVersion = QStringLiteral("cty_version");
const QString ScpRelease = QStringLiteral("scp_release");
// Rows of one read: a few milliseconds of holding the file.
constexpr int ReadSlice = 2000;
} // namespace

ScpStore::ScpStore(QSqlDatabase db) : m_db(db) {}

QStringList ScpStore::calls()
{
    // In slices, each its own short read, so that a save of another connection never waits
    // long for the file while the whole list is read.
    QStringList out;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    sql::prepare(q, QStringLiteral("SELECT call FROM scp_call WHERE call > ? ORDER BY call LIMIT %1").arg(ReadSlice));
    QString after = QStringLiteral("");
    for (;;) {
        sql::exec(q, {after});
        int n = 0;
        while (q.next()) {
            after = q.value(0).toString();
            out << after;
            ++n;
        }
        q.finish();
        if (n < ReadSlice)
            return out;
    }
}

void ScpStore::fillIfEmpty(const std::function<std::optional<CallRows>()> &source)
{
    QSqlQuery q = sql::run(m_db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM scp_call)"));
    if (sql::scalar(q) != 0 || !source)
        return;
    q.finish();
    const std::optional<CallRows> scp = source();
    if (!scp)
        return;
    sql::Transaction t(m_db);
    writeCalls(scp->calls);
    setInfo(ScpRelease, scp->release);
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
    sql::run(m_db, QStringLiteral("INSERT OR REPLACE INTO reference_info (name, value) VALUES (?, ?)"), {name, value});
}

bool ScpStore::forEachLogCall(const std::function<bool(const QString &, const QString &, const QString &,
                                                       const QString &, const QString &)> &visit,
                              qint64 upToId)
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    sql::prepare(q, QStringLiteral("SELECT id, call1, call2, band, mode, tur FROM qso WHERE id > ? AND id <= ?"
                                   " ORDER BY id LIMIT %1")
                        .arg(ReadSlice));
    qint64 after = -1;
    const qint64 last = upToId < 0 ? std::numeric_limits<qint64>::max() : upToId;
    QVector<std::array<QString, 5>> slice;
    slice.reserve(ReadSlice);
    for (;;) {
        // The slice is read and the statement ended before the rows are handed on, so the read
        // holds the file only as long as the reading itself takes.
        sql::exec(q, {after, last});
        slice.clear();
        while (q.next()) {
            after = q.value(0).toLongLong();
            slice.append({q.value(1).toString(), q.value(2).toString(), q.value(3).toString(), q.value(4).toString(),
                          q.value(5).toString()});
        }
        q.finish();
        for (const auto &r : std::as_const(slice))
            if (!visit(r[0], r[1], r[2], r[3], r[4]))
                return false;
        if (slice.size() < ReadSlice)
            return true;
    }
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

void ScpStore::replace(const CountryRows &countries, const CallRows &calls)
{
    sql::Transaction t(m_db);
    sql::run(m_db, QStringLiteral("DELETE FROM prefix"));
    ReferenceStore(m_db).insertPrefixes(countries.rows);
    writeCalls(calls.calls);
    setInfo(CtyVersion, countries.version);
    setInfo(ScpRelease, calls.release);
    t.commit();
}

} // namespace vireo
