#pragma once
// The log grid's model: the records of table qso in table order. It keeps the number of records
// and a small cache of pages of rows around those on screen, never the whole log, so a log of a
// hundred thousand records opens and grows as fast as an empty one. It follows the store's
// changes itself, and reads the file anew when another program changed it; the number of rows
// is always the file's own total.

#include "db/qso_record.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QVector>

namespace vireo {

class QsoStore;
struct LogChange;

class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LogTableModel(QsoStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Reads the log afresh.
    void reload();
    // The store has appended these records at the end, removed, changed one, or cleared the log.
    // The model hears of these from the store; a caller that tells it again changes nothing.
    void appended(const QVector<qint64> &ids);
    void removed(qint64 id);
    void updated(qint64 id);
    void clearedAll();

    qint64 idAt(int row) const;
    int rowOfId(qint64 id) const;
    QsoRecord recordAt(int row) const;

private:
    void follow(const LogChange &change);
    const QsoRecord *cached(int row) const;
    void forget();

    QsoStore &m_store;
    int m_count = 0;
    mutable QHash<int, QVector<QsoRecord>> m_pages; // page number -> its rows
};

} // namespace vireo
