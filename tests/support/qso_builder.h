#pragma once
// Records of table qso for tests, each column named where it is set:
//
//     QsoRecord r = test::Qso::typical().heard("UA3ABC", "599", "001").worked("DL1XYZ", "599", "15");
//
// A column not set stays empty, as in a row another program wrote with only some columns.
// Header only, so that the benchmarks can use it without the rest of the test support.

#include "db/qso_record.h"

#include <QString>

namespace vireo::test {

class Qso {
public:
    Qso() = default;
    explicit Qso(const QsoRecord &record) : m_r(record) {}

    // Where and when only: 14000 kHz CW on 20M in tour 0, every other column empty.
    static Qso plain()
    {
        return Qso()
            .freq(QStringLiteral("14000"))
            .mode(QStringLiteral("CW"))
            .band(QStringLiteral("20M"))
            .tur(QStringLiteral("0"));
    }
    // What most QSOs of the tests share: plain() at 05.03.2026 07:04 on radio 1, the heard
    // station's report 599.
    static Qso typical()
    {
        return plain()
            .at(QStringLiteral("05.03.2026"), QStringLiteral("07:04"))
            .rst1(QStringLiteral("599"))
            .radio(QStringLiteral("1"));
    }

    // One setter per column, named as the column.
    Qso &id(qint64 v) { return set(m_r.id, v); }
    Qso &freq(const QString &v) { return set(m_r.freq, v); }
    Qso &mode(const QString &v) { return set(m_r.mode, v); }
    Qso &data(const QString &v) { return set(m_r.data, v); }
    Qso &time(const QString &v) { return set(m_r.time, v); }
    Qso &call1(const QString &v) { return set(m_r.call1, v); }
    Qso &rst1(const QString &v) { return set(m_r.rst1, v); }
    Qso &nr1(const QString &v) { return set(m_r.nr1, v); }
    Qso &call2(const QString &v) { return set(m_r.call2, v); }
    Qso &rst2(const QString &v) { return set(m_r.rst2, v); }
    Qso &nr2(const QString &v) { return set(m_r.nr2, v); }
    Qso &band(const QString &v) { return set(m_r.band, v); }
    Qso &tur(const QString &v) { return set(m_r.tur, v); }
    Qso &radio(const QString &v) { return set(m_r.radio, v); }

    // The columns that go together.
    Qso &at(const QString &date, const QString &hhmm) { return data(date).time(hhmm); }
    Qso &heard(const QString &call, const QString &rst, const QString &nr) { return call1(call).rst1(rst).nr1(nr); }
    Qso &worked(const QString &call, const QString &rst, const QString &nr) { return call2(call).rst2(rst).nr2(nr); }
    // The worked station's number, with its report only when there is a number: a line where
    // the number was not heard has neither.
    Qso &nr2WithReport(const QString &nr, const QString &rst = QStringLiteral("599"))
    {
        return nr2(nr).rst2(nr.isEmpty() ? QString() : rst);
    }

    QsoRecord record() const { return m_r; }
    operator QsoRecord() const { return m_r; }

private:
    template <typename T>
    Qso &set(T &column, const T &value)
    {
        column = value;
        return *this;
    }

    QsoRecord m_r;
};

} // namespace vireo::test
