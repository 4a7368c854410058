#pragma once
// Reader of the AD1C country file cty.dat: one prefix row per alias prefix of an entity.

#include "db/reference_rows.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace vireo {

// What a reading of cty.dat found. When the file breaks off or holds something that is not a
// country entry, errorLine (1-based) and error say where and what; rows holds what was read before.
struct CtyContents {
    QVector<PrefixRow> rows;
    int entities = 0;   // DXCC entities read (entities marked "*" are not counted)
    QString version;    // the release entry, e.g. "VER20230502"; empty when the file has none
    int errorLine = 0;  // 0: the whole file was read
    QString error;      // Russian, without the file name and line
};

// Rows for every alias of at most four characters, with the alias's overrides applied
// ((cq), [itu], <lat/long>, {continent}); exact calls ("=...") and entities marked "*"
// (not DXCC entities) are skipped. Longitude is East-positive, as the lookup expects.
CtyContents readCty(const QByteArray &text);

// The rows readCty found; a broken file gives the rows before the break (used when a new log file
// is made from the installed country file, which is taken as it is).
QVector<PrefixRow> parseCty(const QByteArray &text);

} // namespace vireo
