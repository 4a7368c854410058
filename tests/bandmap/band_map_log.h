#pragma once
// A log file made by a band-map test, and the records it writes into it.

#include "db/database.h"
#include "db/qso_record.h"
#include "db/qso_store.h"
#include "support/scripted_services.h"

#include <memory>

namespace vireo::test {

inline QsoRecord bandQso(const QString &call1, const QString &freq, const QString &time,
                         const QString &call2 = QString(), const QString &band = QStringLiteral("20M"),
                         const QString &mode = QStringLiteral("CW"), const QString &tour = QStringLiteral("0"))
{
    QsoRecord r;
    r.freq = freq;
    r.mode = mode;
    r.data = QStringLiteral("05.03.2026");
    r.time = time;
    r.call1 = call1;
    r.rst1 = QStringLiteral("599");
    r.nr1 = QStringLiteral("001");
    r.call2 = call2;
    r.band = band;
    r.tur = tour;
    r.radio = QStringLiteral("1");
    return r;
}

// The log of a test context (its clock stands at 05.03.2026 07:04:09 UTC).
struct BandMapLog {
    TestContext t;
    std::unique_ptr<Database> db;
    std::unique_ptr<QsoStore> store;
    BandMapLog()
    {
        Database::prepareFile(t.context.databasePath, QString(), QString());
        db = std::make_unique<Database>(t.context.databasePath, QStringLiteral("bandmap-log"));
        store = std::make_unique<QsoStore>(db->connection());
    }
    ~BandMapLog()
    {
        store.reset();
        db.reset();
    }
};

} // namespace vireo::test
