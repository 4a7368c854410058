#include "stationinfo/scp_data.h"

#include "base/error.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "db/scp_store.h"
#include "stationinfo/logging.h"

#include <QThread>

#include <atomic>
#include <utility>

namespace vireo {

namespace {

// Reads the contest calls and the log's records up to a key into an index.
bool fill(ScpIndex &index, ScpStore &store, int records, qint64 upToId, const std::atomic<bool> *stop)
{
    const QStringList master = store.calls();
    index.reserve(std::size_t(master.size()) + 2 * std::size_t(records), std::size_t(records));
    index.setMasterCalls(master);
    return store.forEachLogCall(
        [&index, stop](const QString &call1, const QString &call2, const QString &band, const QString &mode,
                       const QString &tour) {
            index.addRecord(call1, call2, band, mode, tour);
            return !(stop && stop->load());
        },
        upToId);
}

} // namespace

// One background read: what it is asked for and what it gives back.
struct ScpData::Read {
    QString path;
    int records = 0;
    qint64 upToId = 0;
    std::function<void()> beforeRead;
    std::atomic<bool> stop{false};
    ScpIndex index;
    ScpIndex retired; // the index this one replaces, given back on the worker
    QString error; // empty when the read succeeded
};

ScpData::ScpData(QsoStore &store, const QString &databasePath) : m_store(store), m_path(databasePath)
{
    connect(&store, &QsoStore::logChanged, this, &ScpData::apply);
}

ScpData::~ScpData()
{
    if (m_worker) {
        m_read->stop = true;
        m_worker->wait();
    }
}

void ScpData::readHere()
{
    ScpStore store(m_store.connection());
    m_index = ScpIndex(); // the old one's memory is given back first
    ScpIndex fresh;
    fill(fresh, store, m_store.count(), -1, nullptr);
    m_index = std::move(fresh);
    m_loaded = true;
}

const ScpIndex &ScpData::index()
{
    while (m_worker) {
        m_worker->wait();
        finishRead(); // may start the read again, when the log changed under it
    }
    if (!m_loaded)
        readHere();
    return m_index;
}

const ScpIndex *ScpData::indexIfReady()
{
    if (m_loaded)
        return &m_index;
    if (m_path.isEmpty() || m_failed)
        return &index();
    if (!m_worker)
        startRead();
    return nullptr;
}

void ScpData::reload()
{
    if (m_worker)
        m_readAgain = true;
    m_loaded = false;
}

void ScpData::startRead()
{
    auto read = std::make_shared<Read>();
    // The old index is not needed any more. Giving back the memory of a large one takes tens of
    // milliseconds: the worker does it, before it reads the new one.
    read->retired = std::move(m_index);
    m_index = ScpIndex();
    m_loaded = false;
    m_readAgain = false;
    m_savedMeanwhile.clear();
    read->path = m_path;
    read->records = m_store.count();
    read->upToId = m_store.lastKey();
    read->beforeRead = m_beforeRead;
    m_read = read;
    QThread *thread = QThread::create([read] {
        read->retired = ScpIndex();
        if (read->beforeRead)
            read->beforeRead();
        try {
            const ReadOnlyConnection db(read->path);
            ScpStore store(db.connection());
            if (fill(read->index, store, read->records, read->upToId, &read->stop))
                read->index.prepare();
        } catch (const std::exception &e) {
            read->error = errorText(e);
            if (read->error.isEmpty())
                read->error = tr("ошибка чтения журнала");
        }
    });
    m_worker.reset(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        if (m_worker.get() == thread)
            finishRead();
    });
    thread->start();
}

void ScpData::finishRead()
{
    m_worker->wait();
    m_worker.reset();
    const std::shared_ptr<Read> read = std::move(m_read);
    if (!read->error.isEmpty()) {
        qCWarning(lcStationInfo).noquote() << "partial check: background read failed:" << read->error;
        m_failed = true; // read on this thread at the next use
        m_savedMeanwhile.clear();
        return;
    }
    if (m_readAgain) {
        startRead();
        return;
    }
    m_index = std::move(read->index);
    for (const QsoRecord &r : std::as_const(m_savedMeanwhile))
        m_index.addRecord(r.call1, r.call2, r.band, r.mode, r.tur);
    m_savedMeanwhile.clear();
    m_loaded = true;
    emit ready();
}

void ScpData::apply(const LogChange &change)
{
    if (m_worker) {
        // New records (keys above what the read takes) are added when it is done; anything
        // else the read may or may not have seen, so it is read again.
        bool allNew = change.kind == LogChange::Added;
        for (const QsoRecord &r : change.after)
            allNew = allNew && r.id > m_read->upToId;
        if (allNew)
            m_savedMeanwhile += change.after;
        else
            m_readAgain = true;
        return;
    }
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
