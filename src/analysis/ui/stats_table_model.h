#pragma once
// The table of the statistics window: one row per band and a row of totals, one column per
// tour and a column of totals, each cell "QSO / points".

#include "analysis/contest_stats.h"

#include <QAbstractTableModel>

namespace vireo {

class StatsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StatsTableModel(const ContestStats &stats, QObject *parent = nullptr);

    // Reads the statistics again.
    void refresh();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ContestStats &m_stats;
    QStringList m_bands;
    QStringList m_tours;
};

} // namespace vireo
