#pragma once
// Bringing the country table and the partial-check calls up to date from a cty.dat and a
// MASTER.SCP chosen by the listener: both files are read and checked first, then written in one
// transaction, so that a file that does not read leaves everything as it was.

#include <QString>

namespace vireo {

class ScpStore;

// Returns what was loaded, in Russian ("Данные обновлены: стран 340, ..."). Any failure throws
// vireo::Error naming the file (and the line) and saying that nothing was changed.
QString refreshReferenceData(ScpStore &store, const QString &ctyPath, const QString &scpPath);

} // namespace vireo
