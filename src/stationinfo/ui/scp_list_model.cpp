#include "stationinfo/ui/scp_list_model.h"

#include <QColor>
#include <QFont>

namespace vireo {

void ScpListModel::setRows(const ScpIndex *index, std::vector<ScpIndex::CallId> ids, const QString &fragment,
                           int context, int firstNumber)
{
    beginResetModel();
    m_index = index;
    m_ids = std::move(ids);
    m_fragment = fragment;
    m_context = context;
    m_firstNumber = firstNumber;
    endResetModel();
}

void ScpListModel::clear()
{
    setRows(nullptr, {}, QString(), ScpIndex::NoContext, 1);
}

QString ScpListModel::call(int row) const
{
    if (!m_index || row < 0 || row >= int(m_ids.size()) || !m_index->has(m_ids[size_t(row)]))
        return {};
    return m_index->callAt(m_ids[size_t(row)]);
}

int ScpListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
}

QVariant ScpListModel::data(const QModelIndex &index, int role) const
{
    if (!m_index || !index.isValid() || index.row() >= int(m_ids.size()))
        return {};
    const ScpIndex::CallId id = m_ids[size_t(index.row())];
    if (!m_index->has(id))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_index->callAt(id);
    case FragmentRole:
        return m_fragment;
    case NumberRole: {
        const int n = m_firstNumber + index.row();
        return n <= 9 ? n : 0;
    }
    case InLogRole:
        return m_index->inLog(id);
    case RepeatRole:
        return m_index->isRepeat(id, m_context);
    case Qt::FontRole:
        if (m_index->inLog(id)) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::ForegroundRole:
        if (m_index->isRepeat(id, m_context))
            return QColor(255, 0, 0);
        return {};
    default:
        return {};
    }
}

} // namespace vireo
