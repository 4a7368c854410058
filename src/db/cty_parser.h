#pragma once
// Reader of the AD1C country file cty.dat: one prefix row per alias prefix of an entity.

#include <QByteArray>
#include <QString>
#include <QVector>

namespace vireo {

struct PrefixRow {
    QString prefix, dxccPrefix, cqZone, ituZone, state, country, continent, latitude, longitude;
};

// Rows for every alias of at most four characters, with the alias's overrides applied
// ((cq), [itu], <lat/long>, {continent}); exact calls ("=...") and entities marked "*"
// (not DXCC entities) are skipped. Longitude is East-positive, as the lookup expects.
// Malformed entries are skipped; the reader never fails.
QVector<PrefixRow> parseCty(const QByteArray &text);

} // namespace vireo
