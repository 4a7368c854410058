#include "support/processes.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <csignal>

namespace vireo::test {

namespace {

// The fields of /proc/PID/stat after the command name: state, parent, ... Empty when unreadable.
QList<QByteArray> statFields(qint64 pid, QByteArray *name = nullptr)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray s = stat.readAll();
    const int open = s.indexOf('('), close = s.lastIndexOf(')');
    if (open < 0 || close < 0)
        return {};
    if (name)
        *name = s.mid(open + 1, close - open - 1);
    return s.mid(close + 2).split(' ');
}

} // namespace

bool processGone(qint64 pid)
{
    if (::kill(pid_t(pid), 0) != 0)
        return errno == ESRCH;
    const QList<QByteArray> fields = statFields(pid);
    return fields.isEmpty() || fields.first() == "Z";
}

QList<qint64> childrenNamed(qint64 parent, const QByteArray &name)
{
    QList<qint64> found;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &p : pids) {
        bool numeric = false;
        const qint64 pid = p.toLongLong(&numeric);
        if (!numeric)
            continue;
        QByteArray command;
        const QList<QByteArray> fields = statFields(pid, &command);
        if (command == name && fields.size() > 1 && fields[1].toLongLong() == parent && fields[0] != "Z")
            found << pid;
    }
    return found;
}

bool catchesSignal(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

void sendSignal(const QProcess &p, int signal)
{
    ::kill(pid_t(p.processId()), signal);
}

QString sqlite3(const QString &db, const QString &statement, const QByteArray &input, int lockWaitMs)
{
    QStringList arguments;
    if (lockWaitMs > 0)
        arguments << QStringLiteral("-cmd") << QStringLiteral(".timeout %1").arg(lockWaitMs);
    arguments << db << statement;
    QProcess p;
    p.start(QStringLiteral("sqlite3"), arguments);
    if (!p.waitForStarted(10000))
        return QStringLiteral("sqlite3 did not start");
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("sqlite3 failed: ") + QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace vireo::test
