#pragma once
// The rules of the band map that need no log: frequencies as the log writes them, the moment of
// a record, ages and fading, the entry of one station from its records and marks, the order of
// the entries, the next one above or below, and the mode a radio is tuned to.

#include "db/band_map_store.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vireo::bandmap {

// Whether the station would be a repeat now, by the rule that colours the call field: logged as
// heard station in this band, mode and tour (red), else as worked station there (aqua).
enum class Repeat { None, Heard, Worked };
Repeat repeatOf(int heardCount, int workedCount);

// What the map shows of the band: the band name, the mode code and the tour text of the entry line.
struct Context {
    QString band, mode, tour;
    bool operator==(const Context &o) const { return band == o.band && mode == o.mode && tour == o.tour; }
    bool operator!=(const Context &o) const { return !(*this == o); }
};

// One station on the map: where it was heard last, and since when.
struct Entry {
    QString call;
    qint64 khz = 0; // whole kHz
    QString freq; // the frequency as the log keeps it ("14025", "144")
    QDateTime heardAt; // UTC: the minute of its last record, or the moment of its mark
    QStringList correspondents; // the worked stations logged with it there, in the order logged
    bool marked = false; // its last sighting is a mark, not a record
    Repeat repeat = Repeat::None;
};

// The default and the bounds of the listener's time after which an entry goes, in minutes.
constexpr int DefaultMaxAgeMinutes = 60;
constexpr int MinMaxAgeMinutes = 5;
constexpr int MaxMaxAgeMinutes = 720;
int clampMaxAge(int minutes);

// Records this many kHz apart count as one frequency: a station drifts, and a radio followed in
// whole kHz may read one off from one QSO to the next.
constexpr qint64 SameFrequencyKHz = 1;

// The frequency text of a record or of the frequency box (blanks ignored) in whole kHz. The
// short-wave bands are written in kHz; on 2 m and 70 cm a number below 1000 is in MHz, as the
// list frequencies "144" and "432" are. Nothing for a text that is not a positive whole number.
std::optional<qint64> khzOf(const QString &frequencyText);
// The same in Hz, for the radio.
std::optional<qint64> hzOf(const QString &frequencyText);

// The moment of a record from its date (DD.MM.YYYY) and time (HH:MM), in UTC; invalid when
// either cannot be read.
QDateTime recordMoment(const QString &date, const QString &time);

// The dates, as the log writes them, of the days that the last maxAgeMinutes up to now touch.
QStringList daysOf(const QDateTime &now, int maxAgeMinutes);

// Whole minutes since the moment (0 for a moment in the future).
int ageMinutes(const QDateTime &heardAt, const QDateTime &now);
// "3 мин", "1 ч 05 мин".
QString ageText(int minutes);
// Whether an entry of that age is still on the map: younger than the listener's time.
bool onMap(int ageMinutes, int maxAgeMinutes);
// How strongly an entry is drawn: 1 for the first half of the listener's time, then less and
// less, down to MinimumFade at its end.
constexpr double MinimumFade = 0.3;
double fade(int ageMinutes, int maxAgeMinutes);

// A station's entry from its records and marks of the map's band, mode and tour: at its last
// sighting within the listener's time; a mark counts only when no record of the same minute or
// later stands (a later QSO replaces it). Its correspondents are those of its records there
// within the time. Nothing when no sighting is young enough or none has a frequency. The repeat
// state is left for the caller.
std::optional<Entry> composeEntry(const QString &call, const QVector<BandMapRecord> &records,
                                  const QVector<BandMark> &marks, const QDateTime &now, int maxAgeMinutes);

// Entries are kept in frequency order, then by call.
bool before(const Entry &a, const Entry &b);
// The first entry above the frequency (higher), or the nearest below it; nullptr when none.
const Entry *nextAbove(const std::vector<Entry> &sorted, qint64 khz);
const Entry *nextBelow(const std::vector<Entry> &sorted, qint64 khz);

// The rigctld mode to set for an entry of the mode code at the frequency, or empty when the
// radio's present mode (its mode bit) is of the same kind already and is left as the listener
// set it: CW for CW; LSB below 10 MHz and USB above for phone (a radio in AM or FM stays);
// RTTY for RTTY; the data mode PKTUSB for the other digital modes (a radio in a data or RTTY
// mode stays); FM for FM.
QString rigModeFor(const QString &modeCode, qint64 hz, quint32 radioModeBit);

} // namespace vireo::bandmap
