#pragma once
// The listener's own position, from which distances and bearings are measured: read from what
// the listener types (a Maidenhead locator, or latitude and longitude in degrees), shown in the
// other form, and kept in section MyPosition of the settings file.

#include "base/error.h"

#include <QString>

namespace vireo {

struct GeoPosition {
    double latitude = 0; // degrees, north positive
    double longitude = 0; // degrees, east positive
    bool operator==(const GeoPosition &o) const { return latitude == o.latitude && longitude == o.longitude; }
};

// A position read from the listener's typing, or one Russian sentence saying what is wrong.
using PositionInput = Result<GeoPosition>;

namespace myposition {

// A locator of 4, 6 or 8 characters (field A-R, square 0-9, subsquare A-X, extended square 0-9;
// letters of either case, blanks around it ignored) gives the centre of the square it names.
PositionInput fromLocator(const QString &text);

// Latitude -90..90 and longitude -180..180 in decimal degrees, with "." or "," before the
// fraction; a hemisphere letter may stand before or after the number instead of a sign
// (N/S or С/Ю, E/W or В/З, O for east as the station panel writes it).
PositionInput fromDegrees(const QString &latitude, const QString &longitude);

// The locator of a position, 4, 6 or 8 characters ("KO85", "KO85ts", "KO85ts12"). Latitudes and
// longitudes beyond the ranges are taken as their nearest edge.
QString locatorOf(const GeoPosition &position, int length = 6);

// Degrees as the fields show them: up to five decimals, no trailing zeros, "." before the
// fraction ("55.8125", "37", "-0.5").
QString degreesText(double degrees);

// Section MyPosition, keys Latitude and Longitude; 0 where a key is absent or not a number.
GeoPosition read(const QString &settingsPath);
// Writes both keys; throws vireo::Error when the file cannot be written.
void write(const QString &settingsPath, const GeoPosition &position);

} // namespace myposition

} // namespace vireo
