#pragma once
// Table qso: the log. Every write is committed before the call returns.

#include "db/qso_record.h"
#include "db/qso_scan.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVector>

#include <functional>
#include <optional>

namespace vireo {

// What one write did to the log, handed to the listeners after it is committed. Windows and
// indexes that follow the log (partial check, statistics) keep themselves up to date from it.
struct LogChange {
    enum Kind {
        Added, // after: the new records with their keys
        Updated, // before: the record as it was; after: as it is now
        Removed, // before: the removed records
        Reset, // many records changed at once (clear, import, undo of those, restore): read the log anew
    };
    Kind kind = Reset;
    QVector<QsoRecord> before;
    QVector<QsoRecord> after;
};

// Told of a write of many rows at once (a clear, an import) inside its transaction, before the
// rows change and after, so that it can note the change in a few statements instead of row by row.
class BulkWriteWatcher {
public:
    virtual ~BulkWriteWatcher() = default;
    // The rows are still as they were; removingAll: every one of them is about to go.
    virtual void beforeBulkWrite(bool removingAll) = 0;
    // Done: the rows with keys above lastKeyBefore are the new ones.
    virtual void afterBulkWrite(qint64 lastKeyBefore) = 0;
};

class QsoStore : public QObject {
    Q_OBJECT
public:
    explicit QsoStore(QSqlDatabase db, QObject *parent = nullptr);

    QSqlDatabase connection() const { return m_db; }

    // One watcher of the bulk writes at a time; a watcher going away stops watching.
    void watchBulkWrites(BulkWriteWatcher *watcher) { m_bulkWatcher = watcher; }
    void stopWatchingBulkWrites(const BulkWriteWatcher *watcher)
    {
        if (m_bulkWatcher == watcher)
            m_bulkWatcher = nullptr;
    }
    // Tells the listeners about a change made outside the write calls (undo, restore).
    void notify(const LogChange &change);
    // Whether another connection or program committed to the file since this store last looked;
    // if so the listeners are told with a Reset, as after a write of this store. For windows that
    // follow the log while this program writes nothing.
    bool noticeOtherWrites();

    // Appends the records in one transaction and returns their new keys.
    QVector<qint64> append(const QVector<QsoRecord> &records);
    qint64 append(const QsoRecord &record);
    // The same, noting savedAtMs (UTC milliseconds) as the instant every one of them was saved
    // (table qso_audio), in the same transaction: the recording of the receiver's audio finds a
    // record's stretch by it. A record removed takes its instant along; undo brings both back.
    QVector<qint64> append(const QVector<QsoRecord> &records, qint64 savedAtMs);
    // The instant the record was saved at, when one was noted.
    std::optional<qint64> savedAt(qint64 id);
    // Writes every column but the key into the row with record.id.
    void update(const QsoRecord &record);
    void remove(qint64 id);
    void clear();

    int count();
    // The highest key in the log, 0 when it is empty; later records get higher ones.
    qint64 lastKey();
    // Records whose nr2 is not empty.
    int countWithNr2();

    // Records of the call in the given band, mode and tour, as heard station (call1)
    // or as worked station (call2). Exact text comparisons.
    int heardRepeatCount(const QString &band, const QString &mode, const QString &call, const QString &tour);
    int workedRepeatCount(const QString &band, const QString &mode, const QString &call, const QString &tour);
    // Every record of the call, as heard station or as worked station, in table order.
    QVector<RepeatRow> repeats(const QString &call);

    QsoRecord byId(qint64 id);
    // Keys of all records in table order.
    QVector<qint64> allIds();
    // limit records in table order starting at the offset-th one, counted from the start of the
    // table or from its end (then the offset-th from the end is the last one returned).
    QVector<QsoRecord> page(int offset, int limit, bool fromEnd);
    // Position of the record with this key in table order (the number of records before it).
    int rowOf(qint64 id);
    // Every record in table order, read in pages so that no large log is held at once.
    void forEach(const std::function<void(const QsoRecord &)> &visit);

    // Replaces the log (deleteFirst) or adds to it, with the records that next() hands over
    // until it returns false, all in one transaction: if next() or the database fails part-way,
    // the log is left exactly as it was and the error is passed on.
    int import(bool deleteFirst, const std::function<bool(QsoRecord &)> &next);
    // The same with records whose values next() hands over as UTF-8 text (db/qso_scan.h).
    int importTexts(bool deleteFirst, const std::function<bool(QsoTexts &)> &next);

signals:
    // Emitted after every committed write of this store; the listeners connected directly hear
    // it in the order they connected, before the write call returns. When another connection or
    // program changed the log since this store's previous write, a Reset follows the write's
    // own change. A listener that goes away is disconnected with it.
    void logChanged(const vireo::LogChange &change);

private:
    // Whether anyone listens to the changes (who then needs a record as it was before a write).
    bool listened() const;
    // Whether anyone else committed to the file since the last call.
    bool changedElsewhere();
    // Tells the listeners about a committed write of this store.
    void committed(const LogChange &change);
    // Runs a clear or an import in one transaction, with what makes a write of many rows fast.
    void bulkWrite(bool removingAll, const std::function<void()> &insert);
    int repeatCount(QSqlQuery &query, const char *column, const QString &band, const QString &mode, const QString &call,
                    const QString &tour);
    QVector<qint64> insert(const QVector<QsoRecord> &records, std::optional<qint64> savedAtMs);
    // Whether the file has table qso_audio (a file of an older version on a full disk may not yet).
    bool instantsKept();

    QSqlDatabase m_db;
    QSqlQuery m_insert, m_insertInstant, m_heard, m_worked, m_repeats, m_count, m_countNr2, m_pageAsc, m_pageDesc,
        m_version;
    // Whether the counts can be read from the file's totals, which a file of an older version
    // lacks until they can be added (not while its disk is full).
    bool totalsKept();
    qint64 m_seenVersion = -1;
    bool m_totalsKept = false;
    bool m_instantsKept = false;
    BulkWriteWatcher *m_bulkWatcher = nullptr;
};

} // namespace vireo
