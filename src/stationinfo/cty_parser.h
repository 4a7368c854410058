#pragma once
// Reader of the AD1C country file cty.dat: one prefix row per alias prefix of an entity.

#include "base/error.h"
#include "db/reference_rows.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace vireo {

// What a reading of cty.dat found.
struct CtyContents {
    QVector<PrefixRow> rows;
    int entities = 0; // DXCC entities read (entities marked "*" are not counted)
    QString version; // the release entry, e.g. "VER20230502"; empty when the file has none
};

// Rows for every alias of at most four characters, with the alias's overrides applied
// ((cq), [itu], <lat/long>, {continent}); exact calls ("=...") and entities marked "*"
// (not DXCC entities) are skipped. Longitude is East-positive, as the lookup expects. A file that
// breaks off or holds something that is not a country entry throws vireo::LineError saying where
// and what.
CtyContents readCty(const QByteArray &text);

// What readCty finds, up to the first fault of a broken file, without a word about the fault
// (used when a new log file is made from the installed country file, which is taken as it is).
CtyContents parseCty(const QByteArray &text);

} // namespace vireo
