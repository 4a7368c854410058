#include "db/log_table_model.h"

#include "db/qso_store.h"

#include <algorithm>

namespace vireo {

namespace {
constexpr int PageSize = 64;
constexpr int CacheLimit = 1024;
} // namespace

LogTableModel::LogTableModel(QsoStore &store, QObject *parent)
    : QAbstractTableModel(parent), m_store(store)
{
    reload();
}

QStringList LogTableModel::fieldNames()
{
    return {QStringLiteral("freq"), QStringLiteral("mode"), QStringLiteral("data"), QStringLiteral("time"),
            QStringLiteral("call1"), QStringLiteral("rst1"), QStringLiteral("nr1"), QStringLiteral("call2"),
            QStringLiteral("rst2"), QStringLiteral("nr2")};
}

int LogTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_ids.size();
}

int LogTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 10;
}

const QsoRecord *LogTableModel::cached(int row) const
{
    if (row < 0 || row >= m_ids.size())
        return nullptr;
    const qint64 id = m_ids.at(row);
    auto it = m_cache.constFind(id);
    if (it != m_cache.constEnd())
        return &it.value();
    if (m_cache.size() > CacheLimit)
        m_cache.clear();
    const int first = std::max(0, row - PageSize / 2);
    const int last = std::min(int(m_ids.size()) - 1, first + PageSize - 1);
    try {
        for (const QsoRecord &r : m_store.range(m_ids.at(first), m_ids.at(last)))
            m_cache.insert(r.id, r);
    } catch (...) {
        return nullptr; // the grid shows an empty row rather than failing while painting
    }
    it = m_cache.constFind(id);
    return it == m_cache.constEnd() ? nullptr : &it.value();
}

QVariant LogTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case 0: return int(Qt::AlignRight | Qt::AlignVCenter);
        case 2:
        case 3: return int(Qt::AlignCenter);
        default: return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    const QsoRecord *r = cached(index.row());
    if (!r)
        return {};
    switch (index.column()) {
    case 0: return r->freq;
    case 1: return r->mode;
    case 2: return r->data;
    case 3: return r->time;
    case 4: return r->call1;
    case 5: return r->rst1;
    case 6: return r->nr1;
    case 7: return r->call2;
    case 8: return r->rst2;
    case 9: return r->nr2;
    }
    return {};
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const Titles[] = {"FREQ", "MD", "DATE", "TIME", "CALL-1", "RST-1", "NR-1", "CALL-2", "RST-2", "NR-2"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 10)
        return QString::fromLatin1(Titles[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void LogTableModel::reload()
{
    beginResetModel();
    m_cache.clear();
    m_ids = m_store.allIds();
    endResetModel();
}

void LogTableModel::appended(const QVector<qint64> &ids)
{
    if (ids.isEmpty())
        return;
    const int first = m_ids.size();
    beginInsertRows(QModelIndex(), first, first + ids.size() - 1);
    m_ids += ids;
    endInsertRows();
}

void LogTableModel::removed(qint64 id)
{
    const int row = rowOfId(id);
    if (row < 0)
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_ids.remove(row);
    m_cache.remove(id);
    endRemoveRows();
}

void LogTableModel::updated(qint64 id)
{
    m_cache.remove(id);
    const int row = rowOfId(id);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, 9));
}

void LogTableModel::clearedAll()
{
    beginResetModel();
    m_ids.clear();
    m_cache.clear();
    endResetModel();
}

qint64 LogTableModel::idAt(int row) const
{
    return row >= 0 && row < m_ids.size() ? m_ids.at(row) : 0;
}

int LogTableModel::rowOfId(qint64 id) const
{
    // Keys grow with every append, so the list is sorted.
    const auto it = std::lower_bound(m_ids.cbegin(), m_ids.cend(), id);
    return it != m_ids.cend() && *it == id ? int(it - m_ids.cbegin()) : -1;
}

QsoRecord LogTableModel::recordAt(int row) const
{
    const QsoRecord *r = cached(row);
    return r ? *r : QsoRecord();
}

} // namespace vireo
