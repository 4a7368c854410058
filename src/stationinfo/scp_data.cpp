#include "stationinfo/scp_data.h"

#include "db/qso_store.h"
#include "db/scp_store.h"

namespace vireo {

ScpData::ScpData(QsoStore &store) : m_store(store), m_db(store.connection())
{
    store.subscribe([this](const LogChange &change) { apply(change); });
}

const ScpIndex &ScpData::index()
{
    if (!m_loaded) {
        ScpStore store(m_db);
        m_index = ScpIndex(); // the old one's memory is given back first
        ScpIndex fresh;
        const QStringList master = store.calls();
        const int records = m_store.count();
        fresh.reserve(std::size_t(master.size()) + 2 * std::size_t(records), std::size_t(records));
        fresh.setMasterCalls(master);
        store.forEachLogCall([&fresh](const QString &call1, const QString &call2, const QString &band,
                                      const QString &mode, const QString &tour) {
            fresh.addRecord(call1, call2, band, mode, tour);
        });
        m_index = std::move(fresh);
        m_loaded = true;
    }
    return m_index;
}

void ScpData::apply(const LogChange &change)
{
    // Before the first use there is nothing to keep up to date: the first use reads the log.
    if (!m_loaded)
        return;
    switch (change.kind) {
    case LogChange::Added:
        for (const QsoRecord &r : change.after)
            m_index.addRecord(r.call1, r.call2, r.band, r.mode, r.tur);
        break;
    case LogChange::Updated:
        for (const QsoRecord &r : change.before)
            m_index.removeRecord(r.call1, r.call2, r.band, r.mode, r.tur);
        for (const QsoRecord &r : change.after)
            m_index.addRecord(r.call1, r.call2, r.band, r.mode, r.tur);
        break;
    case LogChange::Removed:
        for (const QsoRecord &r : change.before)
            m_index.removeRecord(r.call1, r.call2, r.band, r.mode, r.tur);
        break;
    case LogChange::Reset:
        m_loaded = false;
        break;
    }
}

} // namespace vireo
