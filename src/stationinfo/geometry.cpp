#include "stationinfo/geometry.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace vireo::geo {

namespace {

constexpr double Pi = 3.14159265358979323846;

double toRadians(double degrees)
{
    return degrees * Pi / 180.0;
}

// Integer part toward zero, kept within a range that any later arithmetic can hold.
int truncated(double value)
{
    if (std::isnan(value))
        return 0;
    const double t = std::trunc(value);
    if (t > 1e6)
        return 1000000;
    if (t < -1e6)
        return -1000000;
    return int(t);
}

} // namespace

double roundHalfEven(double value)
{
    // The default floating-point rounding mode is to nearest, ties to even; make sure of it.
    const int previous = std::fegetround();
    if (previous != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    if (previous != FE_TONEAREST)
        std::fesetround(previous);
    return r;
}

int roundToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = roundHalfEven(value);
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

double normaliseAngle(double angle, double period)
{
    if (angle < 0)
        return angle + period;
    if (!std::isfinite(angle) || period <= 0)
        return angle;
    while (angle >= period)
        angle -= period;
    return angle;
}

DistAz CalcDistAz(double ownLatitude, double ownLongitude, double latitude, double longitude)
{
    const double phi1 = toRadians(ownLatitude);
    const double lambda1 = toRadians(ownLongitude);
    const double phi2 = toRadians(latitude);
    const double lambda2 = toRadians(longitude);
    const double dLambda = lambda2 - lambda1;

    const double sinPhi1 = std::sin(phi1), cosPhi1 = std::cos(phi1);
    const double sinPhi2 = std::sin(phi2), cosPhi2 = std::cos(phi2);
    const double sinDl = std::sin(dLambda), cosDl = std::cos(dLambda);

    const double a = cosPhi2 * sinDl;
    const double b = cosPhi1 * sinPhi2 - sinPhi1 * cosPhi2 * cosDl;
    const double sigma = std::atan2(std::sqrt(a * a + b * b), sinPhi1 * sinPhi2 + cosPhi1 * cosPhi2 * cosDl);

    double theta = std::atan2(sinDl * cosPhi2, b);
    theta = normaliseAngle(theta, FullTurn);

    DistAz r;
    r.azimuthDegrees = roundToInt(theta / Pi * 180.0);
    r.distanceMetres = roundToInt(double(EarthRadiusMetres) * sigma);
    return r;
}

QString degreePosition(double latitude, double longitude)
{
    const QString lat = QString::number(roundHalfEven(latitude), 'f', 0);
    const QString lon = QString::number(roundHalfEven(longitude), 'f', 0);
    QString text = lat + (latitude >= 0 ? QLatin1Char('N') : QLatin1Char('S')) + lon
                   + (longitude >= 0 ? QLatin1Char('O') : QLatin1Char('W'));
    text.remove(QLatin1Char('-'));
    return text;
}

QString locator(double latitude, double longitude)
{
    const double x = (longitude + 180.0) / 20.0 + 1e-7;
    const double y = (latitude + 90.0) / 10.0 + 1e-7;
    const int xi = truncated(x);
    const int yi = truncated(y);
    QString text;
    text += QChar(char16_t('A' + xi));
    text += QChar(char16_t('A' + yi));
    text += QChar(char16_t('0' + truncated((x - xi) * 10.0)));
    text += QChar(char16_t('0' + truncated((y - yi) * 10.0)));
    return text;
}

} // namespace vireo::geo
