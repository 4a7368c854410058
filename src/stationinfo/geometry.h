#pragma once
// Distance and azimuth on a spherical Earth, and the two texts made from a position: the
// rounded degree position and the four-character Maidenhead locator.

#include <QString>

namespace vireo::geo {

constexpr int EarthRadiusMetres = 6372795;
constexpr double FullTurn = 6.283185307179586;

struct DistAz {
    int distanceMetres = 0; // great-circle distance, rounded half to even
    int azimuthDegrees = 0; // initial bearing, 0..360, rounded half to even
};

// Nearest integer, halves to the even neighbour.
double roundHalfEven(double value);
// Whole-number rounding to int, halves to even; values out of the int range are clamped
// (NaN gives 0), so no input can overflow.
int roundToInt(double value);

// Brings an angle into the period: a negative angle gets one period added, otherwise the
// period is subtracted as long as the angle is not below it.
double normaliseAngle(double angle, double period);

// Own latitude and longitude, then the station's, in degrees (north and east positive).
DistAz CalcDistAz(double ownLatitude, double ownLongitude, double latitude, double longitude);

// "56N38O": rounded latitude with N/S, rounded longitude with O/W, without minus signs.
QString degreePosition(double latitude, double longitude);

// Four-character locator (field and square), e.g. "KO85". Positions are not range-checked.
QString locator(double latitude, double longitude);

} // namespace vireo::geo
