#pragma once
// Running statistics of the log: records and points per band and tour, the rate of the last
// minutes and of the last QSOs, and QSOs per ten minutes per band for the plot. Kept up to date
// from the changes the log store reports, so that a save costs a few map updates instead of a
// pass over the log. Records whose date or time does not parse are counted in the table only.

#include "db/qso_record.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>

#include <map>
#include <optional>
#include <utility>

namespace vireo {

class QsoStore;
struct LogChange;

// Records and their points.
struct StatsCell {
    int qso = 0;
    int points = 0;
    bool operator==(const StatsCell &o) const { return qso == o.qso && points == o.points; }
};

struct StatsRates {
    int lastTenMinutes = 0; // records of the current minute and the nine before it
    int lastSixtyMinutes = 0; // records of the current minute and the 59 before it
    // QSOs per hour over the last 10 and the last 100 records (by time), when there are that many.
    std::optional<int> lastTenQsos;
    std::optional<int> lastHundredQsos;
};

class ContestStats {
public:
    static constexpr int BinMinutes = 10;

    // QSOs per bin (key: minutes since 1970-01-01 00:00 UTC divided by BinMinutes, rounded down).
    using Bins = std::map<qint64, int>;
    // Bins of each band.
    using BandBins = std::map<QString, Bins>;

    void clear();
    // Reads the whole log afresh.
    void load(QsoStore &store);
    void add(const QsoRecord &r);
    void remove(const QsoRecord &r);
    // Applies one change of the log. A Reset cannot be applied piecemeal: returns false, and the
    // caller loads the log anew.
    bool apply(const LogChange &change);

    // Bands of the log in band-plan order (others after them by name, an empty band last).
    QStringList bands() const;
    // Tour numbers of the log in numeric order (texts that are not numbers after them).
    QStringList tours() const;
    StatsCell cell(const QString &band, const QString &tour) const;
    StatsCell bandTotal(const QString &band) const;
    StatsCell tourTotal(const QString &tour) const;
    StatsCell total() const;
    // Records with a date or time that does not parse.
    int badTimeCount() const { return m_badTime; }
    // Records with a parsed moment.
    int timedCount() const { return m_timed; }

    // The rates at the given UTC moment (to the minute, as records are stamped).
    StatsRates rates(const QDateTime &nowUtc) const;

    // QSOs per ten minutes for each band, of all tours or of one.
    BandBins bins(const std::optional<QString> &tour = std::nullopt) const;
    // Start of a bin as a UTC moment.
    static QDateTime binStart(qint64 bin);

private:
    void count(const QsoRecord &r, int sign);
    // Minutes since 1970-01-01 00:00 UTC of the record's stored date and time.
    std::optional<qint64> minuteOf(const QString &date, const QString &time);

    std::map<std::pair<QString, QString>, StatsCell> m_cells; // (band, tour)
    std::map<qint64, int> m_minutes; // records per minute
    std::map<std::pair<QString, QString>, Bins> m_bins; // (tour, band)
    int m_badTime = 0;
    int m_timed = 0;
    // Parsed moments by date and time text; a log holds few distinct ones.
    QHash<QString, QHash<QString, std::optional<qint64>>> m_parsed;
};

// Texts of the table, shared by the window and the text export.
namespace statstext {
QString bandTitle(const QString &band); // "20M"; "—" for an empty band
QString tourTitle(const QString &tour); // "Тур 1"
QString totalTitle(); // "Всего"
QString cellText(const StatsCell &c); // "12 / 30"
QString badTimeText(int count);
// The table as lines of text: a heading, one line per band, the totals, and the count of
// records with a bad date or time.
QStringList tableLines(const ContestStats &stats);
} // namespace statstext

} // namespace vireo
