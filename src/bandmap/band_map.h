#pragma once
// The band map: who was heard where on the band of the entry line. One entry per heard station
// of the current band, mode and tour, at its last frequency, with the stations logged with it
// there and the time since; marks of stations heard but not logged; the repeat state of each.
// Built from the log when it starts to follow it, then kept current change by change from the
// store's change feed (a save reads one station's rows, not the band's); a change of the whole
// log, or another program's writes, read it anew. It follows the log only while active (its
// window open), so that a closed map costs nothing.

#include "bandmap/band_map_rules.h"
#include "base/error.h"
#include "db/band_map_store.h"

#include <QObject>
#include <QSet>

#include <vector>

namespace vireo {

class QsoStore;
class UtcClock;
struct LogChange;

class BandMap : public QObject {
    Q_OBJECT
public:
    // The marks are kept in the store's own file, through its connection.
    BandMap(QsoStore &qsos, const UtcClock &clock, QObject *parent = nullptr);
    ~BandMap() override;

    // What the map shows; while active, a new context reads the log anew.
    void setContext(const bandmap::Context &context);
    const bandmap::Context &context() const { return m_context; }
    // The listener's time after which an entry goes (clamped to its bounds).
    void setMaxAgeMinutes(int minutes);
    int maxAgeMinutes() const { return m_maxAge; }

    // Following the log: active reads it now; inactive forgets the entries.
    void setActive(bool active);
    bool isActive() const { return m_active; }
    // Reads the band's entries from the log afresh.
    void rebuild();
    // Called now and then while active: takes away the entries that aged out, and reads the log
    // anew when another program has written to it. Emits changed() when the ages shown moved on.
    void tick();

    // In frequency order, then by call.
    const std::vector<bandmap::Entry> &entries() const { return m_entries; }
    const bandmap::Entry *entryOf(const QString &call) const;
    const bandmap::Entry *nextAbove(qint64 khz) const { return bandmap::nextAbove(m_entries, khz); }
    const bandmap::Entry *nextBelow(qint64 khz) const { return bandmap::nextBelow(m_entries, khz); }
    // The next entry above (up) or below the frequency, for Ctrl+PgUp and Ctrl+PgDn; with the
    // map closed the band's entries are read for the question alone.
    std::optional<bandmap::Entry> step(qint64 fromKHz, bool up);

    // The entry's age now, its text and how strongly it is drawn.
    int ageOf(const bandmap::Entry &entry) const;
    QString ageTextOf(const bandmap::Entry &entry) const { return bandmap::ageText(ageOf(entry)); }
    double fadeOf(const bandmap::Entry &entry) const { return bandmap::fade(ageOf(entry), m_maxAge); }

    // Puts the call on the map at the frequency (the frequency box's text) in the present band,
    // mode and tour, without a QSO, and keeps the mark in the log file. Returns the status-bar
    // text of what was marked, or the error that says why nothing was (of kind Database when
    // the file did not take it).
    Result<QString> mark(const QString &call, const QString &frequencyText);

signals:
    // The entries, their ages or their repeat states changed.
    void changed();

private:
    void follow(const LogChange &change);
    void rebuildOrLater();
    // Reads the rows of these calls again and puts their entries right.
    void refreshCalls(const QSet<QString> &calls);
    std::optional<bandmap::Entry> entryFromLog(const QString &call);
    void setRepeat(bandmap::Entry &entry);
    void place(const QString &call, std::optional<bandmap::Entry> entry);
    bool dropAged();
    std::vector<bandmap::Entry> entriesNow();
    bool inContext(const QString &band, const QString &mode, const QString &tour) const;
    QDateTime now() const;
    QDateTime oldestKept() const;

    QsoStore &m_qsos;
    BandMapStore m_store;
    const UtcClock &m_clock;
    bandmap::Context m_context;
    int m_maxAge = bandmap::DefaultMaxAgeMinutes;
    bool m_active = false;
    std::vector<bandmap::Entry> m_entries;
    qint64 m_shownMinute = -1; // the minute whose ages were last shown
    bool m_stale = false; // a read failed: the next tick reads the log anew
};

} // namespace vireo
