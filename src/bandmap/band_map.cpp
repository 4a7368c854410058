#include "bandmap/band_map.h"

#include "bandmap/logging.h"
#include "base/services.h"
#include "db/database_error.h"
#include "db/qso_store.h"
#include "entry/band_plan.h"
#include "rig/rig_display.h"

#include <QHash>

#include <algorithm>

namespace vireo {

using bandmap::Entry;

BandMap::BandMap(QsoStore &qsos, const UtcClock &clock, QObject *parent)
    : QObject(parent), m_qsos(qsos), m_store(qsos.connection()), m_clock(clock)
{
    // Heard directly, before the write call returns; the connection goes with the map.
    connect(&m_qsos, &QsoStore::logChanged, this, &BandMap::follow);
}

BandMap::~BandMap() = default;

QDateTime BandMap::now() const
{
    return m_clock.nowUtc().toUTC();
}

QDateTime BandMap::oldestKept() const
{
    return now().addSecs(-qint64(m_maxAge) * 60);
}

void BandMap::setContext(const bandmap::Context &context)
{
    if (context == m_context)
        return;
    m_context = context;
    if (m_active)
        rebuildOrLater();
}

void BandMap::setMaxAgeMinutes(int minutes)
{
    minutes = bandmap::clampMaxAge(minutes);
    if (minutes == m_maxAge)
        return;
    m_maxAge = minutes;
    if (m_active)
        rebuildOrLater();
}

void BandMap::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        rebuildOrLater();
    } else {
        m_entries.clear();
        m_entries.shrink_to_fit();
        emit changed();
    }
}

bool BandMap::inContext(const QString &band, const QString &mode, const QString &tour) const
{
    return !m_context.band.isEmpty() && band == m_context.band && mode == m_context.mode && tour == m_context.tour;
}

void BandMap::rebuild()
{
    m_entries.clear();
    m_stale = false;
    m_shownMinute = now().toSecsSinceEpoch() / 60;
    if (m_context.band.isEmpty()) {
        emit changed();
        return;
    }
    const auto &c = m_context;
    QHash<QString, QVector<BandMapRecord>> records;
    for (const BandMapRecord &r : m_store.records(c.band, c.mode, c.tour, bandmap::daysOf(now(), m_maxAge)))
        if (!r.call1.isEmpty())
            records[r.call1].append(r);
    QHash<QString, QVector<BandMark>> marks;
    for (const BandMark &m : m_store.marks(c.band, c.mode, c.tour, oldestKept()))
        if (!m.call.isEmpty())
            marks[m.call].append(m);
    QSet<QString> calls;
    for (auto it = records.cbegin(); it != records.cend(); ++it)
        calls.insert(it.key());
    for (auto it = marks.cbegin(); it != marks.cend(); ++it)
        calls.insert(it.key());
    const QDateTime t = now();
    for (const QString &call : calls) {
        auto e = bandmap::composeEntry(call, records.value(call), marks.value(call), t, m_maxAge);
        if (!e)
            continue;
        setRepeat(*e);
        m_entries.push_back(std::move(*e));
    }
    std::sort(m_entries.begin(), m_entries.end(), bandmap::before);
    emit changed();
}

void BandMap::rebuildOrLater()
{
    // Called from windows' events: a log that cannot be read now leaves the map empty, and the
    // next tick tries again.
    try {
        rebuild();
    } catch (const std::exception &e) {
        qCWarning(lcBandMap).noquote() << "band map not read, tried again in a moment:" << errorText(e);
        m_entries.clear();
        m_stale = true;
        emit changed();
    }
}

void BandMap::setRepeat(Entry &e)
{
    // A record of the call as heard station in this band, mode and tour makes it a repeat
    // whatever else: an entry built from records is one. A mark asks the log.
    if (!e.marked) {
        e.repeat = bandmap::Repeat::Heard;
        return;
    }
    const auto &c = m_context;
    e.repeat = bandmap::repeatOf(m_qsos.heardRepeatCount(c.band, c.mode, e.call, c.tour),
                                 m_qsos.workedRepeatCount(c.band, c.mode, e.call, c.tour));
}

const Entry *BandMap::entryOf(const QString &call) const
{
    const auto it =
        std::find_if(m_entries.begin(), m_entries.end(), [&call](const Entry &e) { return e.call == call; });
    return it == m_entries.end() ? nullptr : &*it;
}

void BandMap::follow(const LogChange &change)
{
    if (!m_active)
        return;
    // The write is committed whatever happens here: a fault reading the map only makes it read
    // the log anew at the next tick.
    try {
        if (change.kind == LogChange::Reset) {
            rebuild();
            return;
        }
        QSet<QString> calls;
        for (const QVector<QsoRecord> *records : {&change.before, &change.after}) {
            for (const QsoRecord &r : *records) {
                if (!inContext(r.band, r.mode, r.tur))
                    continue;
                if (!r.call1.isEmpty())
                    calls.insert(r.call1);
                // A station marked on the map becomes a repeat once logged as worked station.
                if (!r.call2.isEmpty() && entryOf(r.call2))
                    calls.insert(r.call2);
            }
        }
        if (!calls.isEmpty())
            refreshCalls(calls);
    } catch (const std::exception &e) {
        qCWarning(lcBandMap).noquote() << "band map not brought up to date, read anew in a moment:" << errorText(e);
        m_stale = true;
    }
}

std::optional<Entry> BandMap::entryFromLog(const QString &call)
{
    const auto &c = m_context;
    auto e = bandmap::composeEntry(call, m_store.recordsOf(call, c.band, c.mode, c.tour),
                                   m_store.marksOf(call, c.band, c.mode, c.tour, oldestKept()), now(), m_maxAge);
    if (e)
        setRepeat(*e);
    return e;
}

void BandMap::place(const QString &call, std::optional<Entry> entry)
{
    m_entries.erase(
        std::remove_if(m_entries.begin(), m_entries.end(), [&call](const Entry &e) { return e.call == call; }),
        m_entries.end());
    if (!entry)
        return;
    const auto at = std::lower_bound(m_entries.begin(), m_entries.end(), *entry, bandmap::before);
    m_entries.insert(at, std::move(*entry));
}

void BandMap::refreshCalls(const QSet<QString> &calls)
{
    for (const QString &call : calls)
        place(call, entryFromLog(call));
    emit changed();
}

bool BandMap::dropAged()
{
    const QDateTime t = now();
    const auto gone = std::remove_if(m_entries.begin(), m_entries.end(), [this, &t](const Entry &e) {
        return !bandmap::onMap(bandmap::ageMinutes(e.heardAt, t), m_maxAge);
    });
    const bool any = gone != m_entries.end();
    m_entries.erase(gone, m_entries.end());
    return any;
}

void BandMap::tick()
{
    if (!m_active)
        return;
    try {
        if (m_stale) {
            rebuild();
            return;
        }
        // Another program's writes come back through the change feed as a change of the whole log.
        if (m_qsos.noticeOtherWrites())
            return;
    } catch (const std::exception &e) {
        qCWarning(lcBandMap).noquote() << "band map not read, tried again in a moment:" << errorText(e);
        m_stale = true;
        return;
    }
    const bool dropped = dropAged();
    const qint64 minute = now().toSecsSinceEpoch() / 60;
    if (dropped || minute != m_shownMinute) {
        m_shownMinute = minute;
        emit changed();
    }
}

int BandMap::ageOf(const Entry &entry) const
{
    return bandmap::ageMinutes(entry.heardAt, now());
}

std::vector<Entry> BandMap::entriesNow()
{
    if (m_active)
        return m_entries;
    // Closed: read once for the question, and forget again; the window hears nothing of it.
    const QSignalBlocker quiet(this);
    m_active = true;
    try {
        rebuild();
    } catch (...) {
        m_active = false;
        m_entries.clear();
        throw;
    }
    std::vector<Entry> entries;
    entries.swap(m_entries);
    m_active = false;
    return entries;
}

std::optional<Entry> BandMap::step(qint64 fromKHz, bool up)
{
    const std::vector<Entry> entries = entriesNow();
    const Entry *e = up ? bandmap::nextAbove(entries, fromKHz) : bandmap::nextBelow(entries, fromKHz);
    return e ? std::optional<Entry>(*e) : std::nullopt;
}

Result<QString> BandMap::mark(const QString &typedCall, const QString &frequencyText)
{
    const QString call = typedCall.trimmed();
    if (call.isEmpty())
        return Error(tr("Нечего отмечать: наберите позывной услышанной станции, затем Ctrl+M."));
    if (m_context.band.isEmpty())
        return Error(tr("Диапазон не выбран: %1 не отмечен.").arg(call));
    QString digits = frequencyText;
    digits.remove(QLatin1Char(' '));
    const auto khz = bandmap::khzOf(digits);
    if (!khz)
        return Error(tr("Частота «%1» не число: %2 не отмечен.").arg(frequencyText.trimmed(), call));
    // A frequency the band plan gives to another band is a slip, not a station of this band.
    const auto band = bandplan::freqToBand(digits, false);
    if (band && *band != m_context.band)
        return Error(tr("Частота %1 кГц относится к диапазону %2, а не %3: %4 не отмечен.")
                         .arg(rig::frequencyText(*khz * 1000), *band, m_context.band, call));
    BandMark m;
    m.call = call;
    m.freq = digits;
    m.band = m_context.band;
    m.mode = m_context.mode;
    m.tur = m_context.tour;
    m.at = now();
    try {
        // Marks leave the file only once no time the listener may set would show them: a time
        // made shorter for a while and longer again brings them back, as it does QSOs.
        m_store.addMark(m, m.at.addSecs(-qint64(bandmap::MaxMaxAgeMinutes) * 60));
    } catch (const DatabaseError &e) {
        return Error(tr("%1 не отмечен: %2.").arg(call, e.reason()), ErrorKind::Database);
    } catch (const Error &e) {
        return Error(tr("%1 не отмечен: %2").arg(call, e.text()), e.kind());
    }
    if (m_active) {
        try {
            refreshCalls({call});
        } catch (const std::exception &e) {
            qCWarning(lcBandMap).noquote() << "band map not brought up to date, read anew in a moment:" << errorText(e);
            m_stale = true;
        }
    }
    return tr("%1 отмечен на карте: %2 кГц, %3.").arg(call, rig::frequencyText(*khz * 1000), m.band);
}

} // namespace vireo
