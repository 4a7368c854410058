#include "db/log_table_model.h"

#include "base/error.h"
#include "db/logging.h"
#include "db/qso_store.h"

#include <algorithm>

namespace vireo {

namespace {
constexpr int PageSize = 64;
constexpr int PageLimit = 32;
} // namespace

LogTableModel::LogTableModel(QsoStore &store, QObject *parent) : QAbstractTableModel(parent), m_store(store)
{
    m_count = m_store.count();
    connect(&m_store, &QsoStore::logChanged, this, &LogTableModel::follow);
}

void LogTableModel::follow(const LogChange &change)
{
    try {
        switch (change.kind) {
        case LogChange::Added: {
            QVector<qint64> ids;
            for (const QsoRecord &r : change.after)
                ids.append(r.id);
            appended(ids);
            break;
        }
        case LogChange::Updated:
            for (const QsoRecord &r : change.after)
                updated(r.id);
            break;
        case LogChange::Removed:
            if (change.before.size() == 1)
                removed(change.before.first().id);
            else
                reload();
            break;
        case LogChange::Reset:
            reload();
            break;
        }
    } catch (const std::exception &e) {
        // The write is committed; the grid reads the rows again when it next paints them.
        qCWarning(lcDb).noquote() << "log grid not brought up to date:" << errorText(e);
        forget();
    }
}

int LogTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int LogTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 10;
}

const QsoRecord *LogTableModel::cached(int row) const
{
    if (row < 0 || row >= m_count)
        return nullptr;
    const int page = row / PageSize;
    auto it = m_pages.constFind(page);
    if (it == m_pages.constEnd()) {
        if (m_pages.size() >= PageLimit)
            m_pages.clear();
        const int first = page * PageSize;
        const int last = std::min(m_count, first + PageSize) - 1;
        QVector<QsoRecord> rows;
        try {
            // Pages near the end (where the grid usually stands) are counted from the end.
            if (first > m_count / 2)
                rows = m_store.page(m_count - 1 - last, last - first + 1, true);
            else
                rows = m_store.page(first, last - first + 1, false);
        } catch (const std::exception &e) {
            // the grid shows an empty row rather than failing while painting
            qCWarning(lcDb).noquote() << "log grid rows" << first << "to" << last << "not read:" << errorText(e);
            return nullptr;
        }
        it = m_pages.insert(page, rows);
    }
    const int i = row - page * PageSize;
    return i < it->size() ? &it->at(i) : nullptr;
}

QVariant LogTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case 0:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        case 2:
        case 3:
            return int(Qt::AlignCenter);
        default:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    const QsoRecord *r = cached(index.row());
    if (!r)
        return {};
    switch (index.column()) {
    case 0:
        return r->freq;
    case 1:
        return r->mode;
    case 2:
        return r->data;
    case 3:
        return r->time;
    case 4:
        return r->call1;
    case 5:
        return r->rst1;
    case 6:
        return r->nr1;
    case 7:
        return r->call2;
    case 8:
        return r->rst2;
    case 9:
        return r->nr2;
    }
    return {};
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const Titles[] = {"FREQ",  "MD",   "DATE",   "TIME",  "CALL-1",
                                         "RST-1", "NR-1", "CALL-2", "RST-2", "NR-2"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 10)
        return QString::fromLatin1(Titles[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void LogTableModel::forget()
{
    m_pages.clear();
}

void LogTableModel::reload()
{
    beginResetModel();
    forget();
    m_count = m_store.count();
    endResetModel();
}

void LogTableModel::appended(const QVector<qint64> &ids)
{
    if (ids.isEmpty())
        return;
    const int total = m_store.count();
    if (total == m_count)
        return; // already shown
    if (total != m_count + ids.size()) {
        reload();
        return;
    }
    beginInsertRows(QModelIndex(), m_count, total - 1);
    // Pages counted from the end shift with every append.
    forget();
    m_count = total;
    endInsertRows();
}

void LogTableModel::removed(qint64 id)
{
    const int total = m_store.count();
    if (total == m_count)
        return; // already shown, or nothing was removed
    if (total != m_count - 1) {
        reload();
        return;
    }
    // Where the record stood: the number of records with smaller keys.
    const int row = rowOfId(id);
    if (row < 0 || row >= m_count) {
        reload();
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    forget();
    m_count = total;
    endRemoveRows();
}

void LogTableModel::updated(qint64 id)
{
    const int row = rowOfId(id);
    forget();
    if (row >= 0 && row < m_count)
        emit dataChanged(index(row, 0), index(row, 9));
}

void LogTableModel::clearedAll()
{
    reload();
}

qint64 LogTableModel::idAt(int row) const
{
    const QsoRecord *r = cached(row);
    return r ? r->id : 0;
}

int LogTableModel::rowOfId(qint64 id) const
{
    for (auto it = m_pages.constBegin(); it != m_pages.constEnd(); ++it)
        for (int i = 0; i < it->size(); ++i)
            if (it->at(i).id == id)
                return it.key() * PageSize + i;
    try {
        return m_store.rowOf(id);
    } catch (const std::exception &e) {
        qCWarning(lcDb).noquote() << "row of record" << id << "not read:" << errorText(e);
        return -1;
    }
}

QsoRecord LogTableModel::recordAt(int row) const
{
    const QsoRecord *r = cached(row);
    return r ? *r : QsoRecord();
}

} // namespace vireo
