#include "db/reference_store.h"

#include "db/sql.h"

namespace vireo {

ReferenceStore::ReferenceStore(QSqlDatabase db) : m_db(db), m_probe(db), m_fetch(db), m_callbook(db)
{
    for (QSqlQuery *q : {&m_probe, &m_fetch, &m_callbook})
        q->setForwardOnly(true);
}

bool ReferenceStore::prefixMatches(const QString &call, int n)
{
    if (m_probe.lastQuery().isEmpty())
        sql::prepare(m_probe, QStringLiteral("SELECT 1 FROM prefix WHERE Prefix = substr(?, 1, ?) LIMIT 1"));
    sql::exec(m_probe, {call, n});
    const bool found = m_probe.next();
    m_probe.finish();
    return found;
}

std::optional<PrefixRow> ReferenceStore::firstPrefix(const QString &call, int n)
{
    if (m_fetch.lastQuery().isEmpty())
        sql::prepare(m_fetch,
                     QStringLiteral("SELECT Prefix, DXCCPrefix, CQZone, ITUZone, State, Country, Continent, Latitude,"
                                    " Longitude FROM prefix WHERE Prefix = substr(?, 1, ?) ORDER BY Prefix"));
    sql::exec(m_fetch, {call, n});
    std::optional<PrefixRow> row;
    if (m_fetch.next()) {
        PrefixRow r;
        r.prefix = m_fetch.value(0).toString();
        r.dxccPrefix = m_fetch.value(1).toString();
        r.cqZone = m_fetch.value(2).toString();
        r.ituZone = m_fetch.value(3).toString();
        r.state = m_fetch.value(4).toString();
        r.country = m_fetch.value(5).toString();
        r.continent = m_fetch.value(6).toString();
        r.latitude = m_fetch.value(7).toString();
        r.longitude = m_fetch.value(8).toString();
        row = r;
    }
    m_fetch.finish();
    return row;
}

QVector<PrefixRow> ReferenceStore::allPrefixes()
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    sql::prepare(q, QStringLiteral("SELECT Prefix, DXCCPrefix, CQZone, ITUZone, State, Country, Continent, Latitude,"
                                   " Longitude FROM prefix ORDER BY Prefix"));
    sql::exec(q, {});
    QVector<PrefixRow> rows;
    while (q.next()) {
        PrefixRow r;
        r.prefix = q.value(0).toString();
        r.dxccPrefix = q.value(1).toString();
        r.cqZone = q.value(2).toString();
        r.ituZone = q.value(3).toString();
        r.state = q.value(4).toString();
        r.country = q.value(5).toString();
        r.continent = q.value(6).toString();
        r.latitude = q.value(7).toString();
        r.longitude = q.value(8).toString();
        rows.append(r);
    }
    return rows;
}

std::optional<CallbookRow> ReferenceStore::callbook(const QString &call)
{
    if (m_callbook.lastQuery().isEmpty())
        sql::prepare(m_callbook, QStringLiteral("SELECT Call, State, Grid, Deg FROM Callbook WHERE Call = ?"));
    sql::exec(m_callbook, {call});
    std::optional<CallbookRow> row;
    if (m_callbook.next())
        row = CallbookRow{m_callbook.value(0).toString(), m_callbook.value(1).toString(),
                          m_callbook.value(2).toString(), m_callbook.value(3).toString()};
    m_callbook.finish();
    return row;
}

void ReferenceStore::fillPrefixes(const QVector<PrefixRow> &rows)
{
    sql::Transaction t(m_db);
    insertPrefixes(rows);
    t.commit();
}

void ReferenceStore::insertPrefixes(const QVector<PrefixRow> &rows)
{
    QSqlQuery q(m_db);
    sql::prepare(q, QStringLiteral("INSERT INTO prefix (Prefix, DXCCPrefix, CQZone, ITUZone, State, Country,"
                                   " Continent, Latitude, Longitude) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const PrefixRow &r : rows)
        sql::exec(
            q, {r.prefix, r.dxccPrefix, r.cqZone, r.ituZone, r.state, r.country, r.continent, r.latitude, r.longitude});
}

void ReferenceStore::addCallbook(const QVector<CallbookRow> &rows)
{
    sql::Transaction t(m_db);
    QSqlQuery q(m_db);
    sql::prepare(q, QStringLiteral("INSERT INTO Callbook (Call, State, Grid, Deg) VALUES (?, ?, ?, ?)"));
    for (const CallbookRow &r : rows)
        sql::exec(q, {r.call, r.state, r.grid, r.deg});
    t.commit();
}

} // namespace vireo
