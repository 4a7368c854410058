#pragma once
// The partial-check index of one log file, kept up to date as records are saved, edited and
// deleted.
//
// Reading the contest-call list and a large log into the index takes a few hundred milliseconds.
// While the listener types, that happens on a worker thread with a connection of its own, which
// reads in short slices so that a save never waits long for the file; the index answers once it
// is in place. Records saved meanwhile are added to it then; an edit, a deletion or a change of
// the whole log during the read starts the read again, since the read may or may not have seen it.

#include "db/qso_record.h"
#include "stationinfo/scp_index.h"

#include <QObject>
#include <QSqlDatabase>
#include <QVector>

#include <functional>
#include <memory>

class QThread;

namespace vireo {

struct LogChange;
class QsoStore;

class ScpData : public QObject {
    Q_OBJECT
public:
    // Follows the store's writes from now on. The background read opens databasePath; with an
    // empty path the index is always read on the caller's thread.
    ScpData(QsoStore &store, const QString &databasePath = QString());
    ~ScpData() override;

    // The index, read on this thread if need be (after waiting for a read in progress).
    const ScpIndex &index();
    // The index if it is up to date; otherwise nullptr, and the read starts in the background.
    // ready() follows when the index is in place.
    const ScpIndex *indexIfReady();
    bool loaded() const { return m_loaded; }
    bool reading() const { return m_worker != nullptr; }
    // Reads the contest calls and the log again (after the data refresh).
    void reload();

    void apply(const LogChange &change);

    // Called on the worker thread before each background read starts (tests hold the read there).
    void setBeforeReadHook(std::function<void()> hook) { m_beforeRead = std::move(hook); }

signals:
    void ready();

private:
    struct Read;
    void startRead();
    void finishRead();
    void readHere();

    QsoStore &m_store;
    QString m_path;
    ScpIndex m_index;
    bool m_loaded = false;
    bool m_failed = false; // a background read failed: read on this thread from now on

    std::unique_ptr<QThread> m_worker;
    std::shared_ptr<Read> m_read;
    QVector<QsoRecord> m_savedMeanwhile;
    bool m_readAgain = false;
    std::function<void()> m_beforeRead;
};

} // namespace vireo
