#pragma once
// The texts of the score: why a record does not count, a multiplier and where it counts,
// and the line the main window shows for the record being typed.

#include "contest_rules/rule_definition.h"

#include <QString>

namespace vireo::rules::text {

// "1 раз", "2 раза", "5 раз"; "1 очко", "3 очка", "5 очков"; "1 множитель", ...
QString times(qint64 n);
QString points(qint64 n);
QString multipliers(qint64 n);

// Where a count is kept, inside a sentence: "на 20M", "на 20M CW", "в туре 2", "на 20M в туре 2",
// "в соревновании".
QString scopeWhere(const Scope &scope, const QString &band, const QString &mode, const QString &tour);
// The same after a multiplier's value: ", 20M", ", 20M CW", ", тур 2"; empty for the contest.
QString scopeSuffix(const Scope &scope, const QString &band, const QString &mode, const QString &tour);

// How a multiplier's value is shown: "DL", "DL1", "зона CQ 14", "зона ITU 28", "BU".
QString multiplierValue(Multiplier::Kind kind, const QString &value);

// What a limit's role word says of the station: "корреспондент", "слышимая станция", or nothing
// for a limit that counts the station on either side.
QString role(Station station);

// Why a limit refused a record; call is the station it counted. detail: max: the earlier records
// counted; gap: minutes since the last one; run: records with others since the run.
QString refusal(const Limit &limit, Station side, const QString &call, int detail, const QString &band,
                const QString &mode, const QString &tour);
// A record whose date or time does not read.
QString badTime(const QString &date, const QString &time);

// "засчитывается: 3 очка"
QString scores(int points);
// "новый множитель: DL, 20M"; several: "новые множители: DL, 20M; зона ITU 28, 20M"
QString newMultipliers(const QStringList &labels);

} // namespace vireo::rules::text
