#pragma once
// Other processes as the tests see them: whether one is gone, its children, its signal handlers,
// a signal sent to one as the desktop or a crash would, and the sqlite3 command line run over a
// log as another program would.

#include <QByteArray>
#include <QList>
#include <QString>

class QProcess;

namespace vireo::test {

// Whether the process is gone; a zombie that nobody reaps (as in a container without an init)
// counts as gone.
bool processGone(qint64 pid);
// The living children of parent whose command name is name, from /proc.
QList<qint64> childrenNamed(qint64 parent, const QByteArray &name);
// Whether the process has a handler for the signal (SigCgt of /proc/PID/status).
bool catchesSignal(qint64 pid, int signal);
// Sends the signal to the process that p started.
void sendSignal(const QProcess &p, int signal);

// Runs the sqlite3 command-line program over the file with one statement and the input on its
// standard input. With lockWaitMs it waits that long for a lock, as a backup script does. Returns
// its output trimmed, or a text beginning "sqlite3 " when it did not start or failed.
QString sqlite3(const QString &db, const QString &statement, const QByteArray &input = {}, int lockWaitMs = 0);

} // namespace vireo::test
