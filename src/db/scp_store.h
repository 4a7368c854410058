#pragma once
// The partial-check calls (table scp_call), the versions of the reference data (reference_info),
// and the refresh that replaces the country table and the calls together.

#include "db/reference_rows.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace vireo {

// What the reference data in use holds.
struct ReferenceInfo {
    QString ctyVersion; // empty when not recorded (a file made before versions were kept)
    QString scpRelease;
    int entities = 0; // entities the prefix table holds rows of (distinct DXCCPrefix)
    int prefixes = 0; // rows of table prefix
    int calls = 0; // partial-check calls
};

class ScpStore {
public:
    explicit ScpStore(QSqlDatabase db);

    // The calls, sorted, read in slices of their own.
    QStringList calls();
    // Fills scp_call with the calls the source gives when the table is empty; the source is asked
    // only then. No source or no calls leaves it empty (the partial check then shows the log's
    // calls only).
    void fillIfEmpty(const std::function<std::optional<CallRows>()> &source);
    // Records the version of the country file the prefix table was filled from.
    void setCtyVersion(const QString &version);

    // The calls, band, mode and tour of every record (of those with keys up to upToId, when it
    // is not negative), as the partial check needs them, in key order and in slices of their own.
    // Stops when visit returns false, and then returns false.
    bool forEachLogCall(const std::function<bool(const QString &call1, const QString &call2, const QString &band,
                                                 const QString &mode, const QString &tour)> &visit,
                        qint64 upToId = -1);

    ReferenceInfo info();

    // Replaces the prefix table, the calls and both versions in one transaction; the callbook is
    // not touched. Either all of it is written or, on any failure, nothing.
    void replace(const CountryRows &countries, const CallRows &calls);

private:
    void writeCalls(const QStringList &calls);
    void setInfo(const QString &name, const QString &value);

    QSqlDatabase m_db;
};

} // namespace vireo
