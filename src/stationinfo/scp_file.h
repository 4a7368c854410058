#pragma once
// Reader of MASTER.SCP, the list of active contest calls: one call a line, comment lines
// beginning with "#" (one of them names the release).

#include "base/error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vireo {

struct ScpContents {
    QStringList calls; // in file order, upper case, each once
    QString release; // the comment line naming the release, e.g. "Release 2023.05.02.00"
};

// A line that is not a call, or a file without calls, throws vireo::LineError naming the line.
ScpContents readScp(const QByteArray &text);

} // namespace vireo
