#pragma once
// How the log check keeps its findings: a few numbers each, the shown columns of the records
// they are about packed once per record as UTF-8, and the suggestions as UTF-8 text. A finding's
// text is made from these when it is asked for. For log_check.cpp and log_check_findings.cpp.

#include "analysis/log_check.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace vireo::logcheck {

// What a finding says, beyond its kind.
enum class Says : std::uint8_t {
    None,
    SerialBelowEarlier, // other: the earlier number
    SerialAboveLater, // other: the later number
    SerialOutOfLine,
    SerialTooFast, // other: the number before; a: minutes between
    PairAgain, // other: the earlier record; a: minutes between
    BustedCall, // a, b: offset and length of its suggestions (0x1f between), b = 0: none
    Repeat, // other: the group's first record; a: place in the group (1, ...); b: its size
    RuleRefused, // a, b: offset and length of the reason in suggestions
};

struct Item {
    std::int32_t record = 0; // the record's place among the kept records
    std::int32_t other = -1; // the other record the text names, or -1
    std::int32_t group = 0;
    std::int32_t a = 0, b = 0;
    Kind kind = Kind::Serial;
    Says says = Says::None;
    std::uint8_t side = 0;
    std::uint8_t otherSide = 0;
};

struct Findings::Data {
    std::vector<Item> items;
    std::vector<qint64> ids; // by kept record: its key
    std::vector<std::uint32_t> start; // by kept record: where its columns start in columns
    QByteArray columns;
    QByteArray suggestions;
    int minRepeatMinutes = 0;

    // Appends the shown columns of r as a new kept record.
    void keep(const QsoRecord &r);
    QsoRecord recordAt(int kept) const;
};

} // namespace vireo::logcheck
