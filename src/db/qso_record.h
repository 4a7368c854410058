#pragma once
// One row of table qso. Every column but the key is text.

#include <QString>

#include <array>

namespace vireo {

struct QsoRecord {
    qint64 id = 0;
    QString freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, band, tur, radio;

    // The text columns in the order of table qso (the statements that read or write all of them
    // list them so), for code that treats them alike.
    std::array<QString *, 13> columns()
    {
        return {&freq, &mode, &data, &time, &call1, &rst1, &nr1, &call2, &rst2, &nr2, &band, &tur, &radio};
    }
    std::array<const QString *, 13> columns() const
    {
        return {&freq, &mode, &data, &time, &call1, &rst1, &nr1, &call2, &rst2, &nr2, &band, &tur, &radio};
    }

    bool operator==(const QsoRecord &o) const
    {
        return freq == o.freq && mode == o.mode && data == o.data && time == o.time && call1 == o.call1
               && rst1 == o.rst1 && nr1 == o.nr1 && call2 == o.call2 && rst2 == o.rst2 && nr2 == o.nr2 && band == o.band
               && tur == o.tur && radio == o.radio;
    }
};

// One row of the repeats list.
struct RepeatRow {
    QString tur, band, mode, data, time, call1, call2;
};

} // namespace vireo
