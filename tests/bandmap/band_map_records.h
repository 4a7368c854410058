#pragma once
// The records the band-map tests write: a station heard at a frequency and minute of the test
// clock's day, 20M CW in tour 0; band, mode, tour, date and correspondent chained on.

#include "support/qso_builder.h"

namespace vireo::test {

inline Qso heardAt(const QString &call1, const QString &freq, const QString &time)
{
    return Qso::typical().call1(call1).nr1(QStringLiteral("001")).freq(freq).time(time);
}

} // namespace vireo::test
