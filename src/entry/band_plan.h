#pragma once
// Frequencies, modes and bands of the entry line.

#include <QString>
#include <QStringList>

#include <optional>

namespace vireo::bandplan {

QStringList frequencyList(); // "1800" ... "432"
QStringList modeList(); // "CW (CW)" ... "TV (SSTV)"
QStringList bandNames(); // "160M" ... "1.2G"

// What a frequency text says about the band.
struct BandLookup {
    std::optional<QString> band; // the band the text gives; empty: the current band stays
    bool outsideBands = false; // the text is a frequency, but of no band
};

// The band for a frequency text. With a radio followed on line the whole megahertz are read
// from the text and looked up in the radio table. Otherwise the text without blanks is read as
// a whole number: the eight list frequencies give their bands ("1800" is 160M), a number inside
// a band's edges gives that band (kHz from 1810 up; 144-148 and 420-450 are megahertz, since no
// band has so few kilohertz). A text that gives no integer ("", " R1 OFF") gives nothing and is
// not outside the bands.
BandLookup lookupBand(const QString &frequencyText, bool radioOnline);

// The band alone.
inline std::optional<QString> freqToBand(const QString &frequencyText, bool radioOnline)
{
    return lookupBand(frequencyText, radioOnline).band;
}

// A band's edges in kHz, as typed frequencies are checked against them ("20M": 14000 to 14350,
// "2M": 144000 to 148000); nothing for a band without edges here ("222", "903", "1.2G").
struct BandEdges {
    long long lowKHz = 0, highKHz = 0;
};
std::optional<BandEdges> bandEdges(const QString &band);

// The status-bar text for a frequency of no band; currentBand is the band that stays.
QString outsideBandsText(const QString &frequencyText, const QString &currentBand);

// The first two characters of a mode box text.
QString modeCode(const QString &modeText);

} // namespace vireo::bandplan
