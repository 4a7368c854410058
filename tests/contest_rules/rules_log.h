#pragma once
// Small logs and a small prefix table for the contest-rules tests, written so that the scores
// can be worked out by hand.

#include "contest_rules/rule_definition.h"
#include "contest_rules/station_entity.h"
#include "db/qso_record.h"
#include "support/qso_builder.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QVector>

#include <memory>

namespace vireo::test {

// A record as the rules tests write them, one a line: heard call, correspondent, band, time
// (hh:mm, on 07.03.2026 unless given), the two numbers, mode and tour; both reports 599 (the
// correspondent's only when there is one).
inline QsoRecord qso(qint64 id, const QString &call1, const QString &call2, const QString &band, const QString &time,
                     const QString &nr1 = QStringLiteral("001"), const QString &nr2 = QStringLiteral("002"),
                     const QString &mode = QStringLiteral("CW"), const QString &tour = QStringLiteral("0"),
                     const QString &date = QStringLiteral("07.03.2026"))
{
    return Qso::typical()
        .id(id)
        .freq(QStringLiteral("14025"))
        .mode(mode)
        .band(band)
        .tur(tour)
        .at(date, time)
        .heard(call1, QStringLiteral("599"), nr1)
        .worked(call2, call2.isEmpty() ? QString() : QStringLiteral("599"), nr2);
}

// DL (CQ 14, ITU 28), UA (16, 29), UA9 (17, 30), G (14, 27), JA (25, 45), LZ (20, 28), K (5, 8),
// PA (14, 27), SP (15, 28), OK (15, 28).
inline std::shared_ptr<const rules::PrefixTable> testPrefixes()
{
    struct P {
        const char *prefix, *dxcc, *cq, *itu;
    };
    static const P Rows[] = {{"DL", "DL", "14", "28"},   {"G", "G", "14", "27"},   {"JA", "JA", "25", "45"},
                             {"K", "K", "5", "8"},       {"LZ", "LZ", "20", "28"}, {"OK", "OK", "15", "28"},
                             {"PA", "PA", "14", "27"},   {"SP", "SP", "15", "28"}, {"UA", "UA", "16", "29"},
                             {"UA9", "UA9", "17", "30"}, {"R", "UA", "16", "29"}};
    QVector<PrefixRow> rows;
    for (const P &p : Rows) {
        PrefixRow r;
        r.prefix = QString::fromLatin1(p.prefix);
        r.dxccPrefix = QString::fromLatin1(p.dxcc);
        r.cqZone = QString::fromLatin1(p.cq);
        r.ituZone = QString::fromLatin1(p.itu);
        rows.append(r);
    }
    return std::make_shared<const rules::PrefixTable>(rows);
}

// Copies the shipped definitions into contests/shipped under programDir, where the program
// reads them as an install puts them.
inline void installShippedDefinitions(const QString &programDir)
{
    const QDir source(QStringLiteral(VIREO_SOURCE_DIR "/contests"));
    QVERIFY(QDir(programDir).mkpath(QStringLiteral("contests/shipped")));
    for (const QString &name : source.entryList({QStringLiteral("*.json")}))
        QVERIFY(
            QFile::copy(source.filePath(name), QDir(programDir).filePath(QStringLiteral("contests/shipped/") + name)));
}

inline rules::Definition definition(int both, int heard)
{
    rules::Definition d;
    d.fileName = QStringLiteral("test.json");
    d.name = QStringLiteral("Test");
    d.pointsBoth = both;
    d.pointsHeard = heard;
    return d;
}

inline rules::Limit limit(rules::Limit::Kind kind, rules::Station station, const QString &per, int count,
                          int minutes = 0)
{
    rules::Limit l;
    l.kind = kind;
    l.station = station;
    l.per = *rules::scopeFromName(per);
    l.count = count;
    l.minutes = minutes;
    return l;
}

inline rules::Multiplier multiplier(rules::Multiplier::Kind kind, rules::Station station, const QString &per)
{
    rules::Multiplier m;
    m.kind = kind;
    m.station = station;
    m.per = *rules::scopeFromName(per);
    return m;
}

} // namespace vireo::test
