#include "analysis/qso_time.h"

namespace vireo {

std::optional<QDateTime> qsoUtc(const QString &date, const QString &time)
{
    const QDate d = QDate::fromString(date.trimmed(), QStringLiteral("dd.MM.yyyy"));
    const QTime t = QTime::fromString(time.trimmed(), QStringLiteral("HH:mm"));
    if (!d.isValid() || !t.isValid())
        return std::nullopt;
    return QDateTime(d, t, Qt::UTC);
}

} // namespace vireo
