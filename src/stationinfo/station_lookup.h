#pragma once
// What the station information panel shows for a call: prefix and callbook lookup, distance
// and azimuth from the own position, and the values of the capture captions.

#include <QLocale>
#include <QString>

#include <optional>

namespace vireo {

class ReferenceStore;

struct StationDisplay {
    bool reset = false; // the call is too short: the display returns to its reset values

    QString dxcc; // lbDxccRpt
    QString prefix; // lbPrefix
    QString continent; // lbContinentRpt
    QString distance; // lbDistance, e.g. "1 235 km"
    QString country; // lbCountry, "Az:" + azimuth + two blanks + country
    QString cq, itu, state, loc, deg; // full captions, e.g. "CQ:16"
    std::optional<QString> ru; // RU caption; nothing means it keeps what it shows

    double stationLatitude = 0;
    double stationLongitude = 0;
    int distanceMetres = 0;
    int azimuthDegrees = 0;

    // The display after a reset.
    static StationDisplay cleared();
};

class StationLookup {
public:
    // locale: whose group separator the distance is written with; by default the interface
    // language's (set at start).
    StationLookup(ReferenceStore &references, const QLocale &locale = QLocale());

    // Looks up the call as typed; ownLatitude/ownLongitude is the listener's position.
    StationDisplay lookup(const QString &call, double ownLatitude, double ownLongitude);

    // The prefix length that the probes of the last lookup chose (0 when none matched).
    int chosenLength() const { return m_chosen; }

private:
    ReferenceStore &m_refs;
    QLocale m_locale;
    int m_chosen = 0;
};

// "1 235 km" under a locale that groups with a blank; "0 km" for under half a kilometre.
QString distanceText(int distanceMetres, const QLocale &locale);
// A coordinate of the prefix table: "." and "," both count as the decimal point. Nothing when
// the text is not a finite number.
std::optional<double> parseCoordinate(const QString &text);

} // namespace vireo
