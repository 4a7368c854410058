#pragma once
// One contest's SWL rules as read from its definition file: the points of a record, the
// multiplier lists and the limits that refuse a record. The file is JSON; every key is explained
// in the manual's section on contest rules.

#include "base/error.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace vireo::rules {

// Which records share a count: those of the same band, mode and tour as far as the scope names
// them; a scope naming none of the three is the whole contest. Written "band", "band-mode",
// "band-mode-tour", "contest", ...
struct Scope {
    bool band = false;
    bool mode = false;
    bool tour = false;
    bool isContest() const { return !band && !mode && !tour; }
    bool operator==(const Scope &o) const { return band == o.band && mode == o.mode && tour == o.tour; }
};

// Which of a record's stations a multiplier or a limit looks at.
enum class Station {
    Heard, // call1 with rst1 and nr1
    Correspondent, // call2 with rst2 and nr2
    Both, // multipliers: both stations, each on its own
    Either, // limits: both stations, each counted wherever it stands in earlier records
};

struct Multiplier {
    enum class Kind { Dxcc, CqZone, ItuZone, Wpx, Exchange, Call };
    Kind kind = Kind::Dxcc;
    Station station = Station::Heard;
    Scope per;
    QStringList values; // when not empty, only these values count
    QString pattern; // when not empty, only values this regular expression matches whole
    bool numeric = false; // exchange: numbers compared without their leading zeros
    QHash<QString, int> weights; // band name -> weight; "*" for the bands not named; 1 by default

    int weight(const QString &band) const;
};

struct Limit {
    enum class Kind { Max, Gap, Run, Once };
    Kind kind = Kind::Max;
    Station station = Station::Either;
    int count = 0; // max: at most this many records; run: this many in a row, then this many others
    int minutes = 0; // gap: not again within this many minutes
    Scope per;
    bool unlessNewMultiplier = false; // the record counts all the same when it brings a new multiplier
};

struct Definition {
    QString fileName; // the file's name without its folder, "cq-m-2024.json"
    QString name; // the contest's name
    QString cabrillo; // the Cabrillo CONTEST: value
    QString rules; // the year (or edition) of the published rules followed
    QString source; // where the organiser publishes them
    QStringList unconfirmed; // rules of the contest the file could not confirm, in the file's words
    QString notes; // anything else the listener should know
    int pointsBoth = 1; // a record whose nr2 is not empty
    int pointsHeard = 1; // a record whose nr2 is empty
    QVector<Multiplier> multipliers;
    QVector<Limit> limits;
    // How the claimed score is made: the points times the sum of the multiplier lists, or the
    // product of the lists' sums (points not used).
    enum class Score { PointsTimesMultipliers, MultipliersProduct };
    Score score = Score::PointsTimesMultipliers;
};

// The pause the definition's gap limits set before a station may be logged again: what the log
// check takes for "the same pair again too soon" (the longest of them); nothing without one.
std::optional<int> pairGapMinutes(const Definition &definition);

// Reads a definition from the file's text (UTF-8): the definition, or the error with one Russian
// sentence that names the file, the line and the key. fileName is used in the definition and in
// the error message.
Result<Definition> parseDefinition(const QByteArray &text, const QString &fileName);

// The texts of the JSON values, as the manual lists them.
QString scopeName(const Scope &scope); // "band-mode", "contest"
std::optional<Scope> scopeFromName(const QString &name);
QString kindName(Multiplier::Kind kind); // "dxcc", "cq-zone", ...
QString kindName(Limit::Kind kind); // "max", "gap", ...
QString stationName(Station station); // "heard", "correspondent", "both", "either"

} // namespace vireo::rules
