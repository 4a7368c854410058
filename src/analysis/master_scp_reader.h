#pragma once
// The calls known to be active in contests, for the log check: one call a line in MASTER.SCP,
// "#" lines are comments.

#include <QString>
#include <QStringList>

namespace vireo {

// Where Debian's hamradio-files package keeps MASTER.SCP.
QString defaultMasterScpPath();

// The calls of the file, upper-cased, without blanks, comments and empty lines. A missing or
// unreadable file gives no calls (the check then goes by the log alone).
QStringList masterScpCalls(const QString &path = defaultMasterScpPath());

} // namespace vireo
