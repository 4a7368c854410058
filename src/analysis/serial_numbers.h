#pragma once
// Which control numbers are serials. A contest station's serial rises with every QSO it makes;
// zones, regions, ages and power are the same for a station all contest long, and letters
// (regions, locators, names) are not numbers at all. The log check looks for serials that go
// backwards, so it must leave everything else alone.

#include <QString>

#include <optional>
#include <vector>

namespace vireo::serials {

// The value of a control number that may be a serial: one to five decimal digits, nothing else
// once surrounding blanks are removed ("001" is 1). Anything else ("16 KR", "MO", "599 001",
// "KO85", an empty text) has no value.
std::optional<int> serialValue(const QString &nr);

// Whether one station's numbers, in time order, behave as serials: they must rise clearly over
// the contest, which the numbers of a zone or a region never do, however often they were copied
// wrongly or the station moved. All of these must hold:
//  - at least three numbers with at least three different values, none of them standing more
//    than twice (the same QSO copied from both sides), or in more than one number in six of a
//    long run: a serial changes with every QSO, a zone stays;
//  - the highest is at least three above the lowest: a zone copied one off either way, or a
//    station that moved to the next zone and back (16, 17, 18, 17, 16), stays within three
//    neighbouring values;
//  - and most changes are rises: at least two rises for every fall (steps between equal
//    numbers do not count), or, for a few numbers far apart, at least as many rises as falls
//    with the highest at least ten times the count of different values above the lowest,
//    wider than any zone or region copied with slips spreads.
bool looksLikeSerials(const std::vector<int> &valuesInTimeOrder);

// The positions of the numbers that break the rise: the fewest numbers whose removal leaves the
// rest never falling (equal neighbours are allowed: the same QSO copied from both sides). Where
// one number taken out could as well be swapped for another (22, 7, 23: either 22 or 7 is
// wrong), the one farther from what its neighbours suggest at its time is taken out. moments
// are the numbers' times in minutes (their positions when not given).
std::vector<int> outOfOrder(const std::vector<int> &valuesInTimeOrder, const std::vector<qint64> &moments = {});

// How far a serial can plausibly rise in the given minutes: no station makes more than ten QSOs
// a minute, with fifty to spare for the listener's gaps.
inline int plausibleRise(qint64 minutes)
{
    return 50 + 10 * int(std::min<qint64>(minutes, 100000));
}

} // namespace vireo::serials
