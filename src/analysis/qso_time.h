#pragma once
// The UTC moment of a record from its stored date (DD.MM.YYYY) and time (HH:MM) texts.
// Manual entry and imports can store anything there; such records have no moment.

#include "db/qso_record.h"

#include <QDateTime>

#include <optional>

namespace vireo {

std::optional<QDateTime> qsoUtc(const QString &date, const QString &time);
inline std::optional<QDateTime> qsoUtc(const QsoRecord &r)
{
    return qsoUtc(r.data, r.time);
}

} // namespace vireo
