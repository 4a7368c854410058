#pragma once
// Bringing the country table and the partial-check calls up to date from a cty.dat and a
// MASTER.SCP chosen by the listener: both files are read and checked first, then written in one
// transaction, so that a file that does not read leaves everything as it was.

#include <QString>

namespace vireo {

class ScpStore;

struct RefreshResult {
    bool ok = false;
    QString text; // Russian: the error, naming the file and the line, or what was loaded
};

RefreshResult refreshReferenceData(ScpStore &store, const QString &ctyPath, const QString &scpPath);

} // namespace vireo
