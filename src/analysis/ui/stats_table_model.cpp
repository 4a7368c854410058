#include "analysis/ui/stats_table_model.h"

#include <QFont>

namespace vireo {

StatsTableModel::StatsTableModel(const ContestStats &stats, QObject *parent)
    : QAbstractTableModel(parent), m_stats(stats)
{
    refresh();
}

void StatsTableModel::refresh()
{
    const QStringList bands = m_stats.bands();
    const QStringList tours = m_stats.tours();
    if (bands != m_bands || tours != m_tours) {
        beginResetModel();
        m_bands = bands;
        m_tours = tours;
        endResetModel();
        return;
    }
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

int StatsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_bands.size()) + 1;
}

int StatsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_tours.size()) + 1;
}

QVariant StatsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const bool totalRow = index.row() == int(m_bands.size());
    const bool totalColumn = index.column() == int(m_tours.size());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::FontRole && (totalRow || totalColumn)) {
        QFont f;
        f.setBold(true);
        return f;
    }
    if (role != Qt::DisplayRole)
        return {};
    StatsCell c;
    const QString *band = totalRow ? nullptr : &m_bands.at(index.row());
    const QString *tour = totalColumn ? nullptr : &m_tours.at(index.column());
    if (totalRow && totalColumn)
        c = m_stats.total();
    else if (totalRow)
        c = m_stats.tourTotal(*tour);
    else if (totalColumn)
        c = m_stats.bandTotal(*band);
    else
        c = m_stats.cell(*band, *tour);
    return statstext::cellText(withRulePoints(c, band, tour));
}

void StatsTableModel::setRulePoints(std::optional<RulePoints> points)
{
    m_rulePoints = std::move(points);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

StatsCell StatsTableModel::withRulePoints(StatsCell c, const QString *band, const QString *tour) const
{
    if (!m_rulePoints)
        return c;
    qint64 points = 0;
    for (const auto &cell : *m_rulePoints)
        if ((!band || cell.first.first == *band) && (!tour || cell.first.second == *tour))
            points += cell.second;
    c.points = int(points);
    return c;
}

QVariant StatsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < int(m_tours.size()) ? statstext::tourTitle(m_tours.at(section)) : statstext::totalTitle();
    return section < int(m_bands.size()) ? statstext::bandTitle(m_bands.at(section)) : statstext::totalTitle();
}

} // namespace vireo
