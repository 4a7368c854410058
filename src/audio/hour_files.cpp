#include "audio/hour_files.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace vireo::hourfiles {

qint64 hourStart(qint64 ms)
{
    const qint64 h = ms / HourMs;
    return (ms < 0 && ms % HourMs != 0 ? h - 1 : h) * HourMs;
}

QString fileName(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(hourStart(ms), Qt::UTC).toString(QStringLiteral("yyyyMMdd-HH00"))
           + QStringLiteral(".opus");
}

qint64 hourOfName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{8})-(\\d{2})00\\.opus$"));
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch())
        return -1;
    const QDate date = QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd"));
    const int hour = m.captured(2).toInt();
    if (!date.isValid() || hour > 23)
        return -1;
    return QDateTime(date, QTime(hour, 0), Qt::UTC).toMSecsSinceEpoch();
}

QString folderBeside(const QString &databasePath)
{
    return QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("audio"));
}

QStringList removeOlderThan(const QString &folder, int keepDays, qint64 nowMs)
{
    QStringList removed;
    if (keepDays <= 0)
        return removed;
    const qint64 limit = nowMs - keepDays * DayMs;
    QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.opus")}, QDir::Files)) {
        const qint64 hour = hourOfName(name);
        if (hour >= 0 && hour + HourMs <= limit && dir.remove(name))
            removed << name;
    }
    return removed;
}

} // namespace vireo::hourfiles
