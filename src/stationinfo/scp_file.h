#pragma once
// Reader of MASTER.SCP, the list of active contest calls: one call a line, comment lines
// beginning with "#" (one of them names the release).

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vireo {

struct ScpContents {
    QStringList calls;  // in file order, upper case, each once
    QString release;    // the comment line naming the release, e.g. "Release 2023.05.02.00"
    int errorLine = 0;  // 0: the whole file was read; else the 1-based line that is not a call
    QString error;      // Russian, without the file name and line
};

ScpContents readScp(const QByteArray &text);

} // namespace vireo
