#pragma once
// The log check: errors that can be found in a listener's own log before it is sent, because an
// SWL log holds both exchanges of every QSO and the same stations heard again and again.
//
//  - Serials that go backwards: a station's plain-number control numbers, over both sides of
//    every record in time order, within one tour and one contest (a pause of more than two days
//    between two of its records starts another contest); a number lower than an earlier one, one
//    higher than the later ones, or one that rose faster than any station works. Stations whose
//    numbers are not serials (zones, regions, letters) are left alone (serial_numbers.h).
//  - The same pair again too soon: the same heard station with the same correspondent in the
//    same band and mode within the given number of minutes.
//  - Likely busted calls: a call found neither among the known calls nor anywhere else in the
//    log, with the calls one character off that are, as suggestions.
//  - Incomplete records: a station without its number, a number without its station.
//  - Repeats: the same heard station more than once in one tour, band and mode, each group
//    listed together.
//  - Records the chosen contest's rules refuse, with the reason (handed over in the options).
//
// Plain C++; it runs on any thread. The log is read twice, record by record, and never held
// whole: the first pass keeps a few numbers a record (its time, its calls and numbers as small
// integers), the checks work on those, and the second pass copies in only the records the
// findings are about. Each finding's text is made when it is asked for.

#include "db/qso_record.h"

#include <QStringList>
#include <QVector>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace vireo::logcheck {

enum class Kind : std::uint8_t { Serial, PairTooSoon, BustedCall, Incomplete, Repeat, RuleRefused };

// Russian name of the kind, as the list and the saved file show it.
QString kindName(Kind kind);

// One finding as the list shows it. Of its record only the key and the columns the list and the
// saved file show are filled in (date, time, calls, numbers, band, mode, tour).
struct Finding {
    Kind kind = Kind::Serial;
    QsoRecord record;
    int side = 0; // 1: the heard station (call1/nr1), 2: the worked one, 0: the record
    QString text; // one line, Russian
    QStringList suggestions; // busted calls: likely right calls, best first
    int group = 0; // repeats: the findings of one group share it (1, 2, ...)
};

// The findings of one check in the order they are listed, kept compactly (a few numbers each,
// and the shown columns of the records they are about); each is made whole by at(). Copies share
// the same findings.
class Findings {
public:
    Findings();
    int size() const;
    bool isEmpty() const { return size() == 0; }
    Kind kindAt(int i) const;
    Finding at(int i) const;
    // Every finding made whole: for small logs and tests.
    QVector<Finding> all() const;

    struct Data;
    explicit Findings(std::shared_ptr<const Data> data);

private:
    std::shared_ptr<const Data> m_d;
};

struct Options {
    int minRepeatMinutes = 10; // 0: the pair check is off
    // The records the chosen contest's rules refuse, by key, with the reason; listed as findings.
    QVector<QPair<qint64, QString>> refusedByRules;
    QString tour; // empty: the whole log; else only findings on records of this tour
};

// Told now and then how much is done (0..100); returns false to stop the check.
using Progress = std::function<bool(int percent)>;

// One pass over the log: hands every record to visit, in table order. The check asks for two.
using Visitor = std::function<void(const QsoRecord &)>;
using RecordSource = std::function<void(const Visitor &visit)>;

// Checks the log the source reads (expectedRecords, its size, only scales the progress of the
// first pass) against the known calls. Returns the findings in the order they are listed: by
// kind, then by time (repeats by group); none when progress asked to stop. A record changed
// between the two passes is shown as it is in the second; one deleted meanwhile loses its
// findings.
std::optional<Findings> check(const RecordSource &source, int expectedRecords, const QStringList &knownCalls,
                              const Options &options, const Progress &progress = {});

// The same over records in memory.
std::optional<Findings> check(const QVector<QsoRecord> &records, const QStringList &knownCalls, const Options &options,
                              const Progress &progress = {});

// Most suggestions a busted call gets.
constexpr int MaxSuggestions = 5;
// A pause longer than this between two records of a station separates two contests.
constexpr int ContestGapMinutes = 48 * 60;

} // namespace vireo::logcheck
