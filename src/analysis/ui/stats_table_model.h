#pragma once
// The table of the statistics window: one row per band and a row of totals, one column per
// tour and a column of totals, each cell "QSO / points".

#include "analysis/contest_stats.h"

#include <QAbstractTableModel>

#include <map>
#include <optional>
#include <utility>

namespace vireo {

class StatsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StatsTableModel(const ContestStats &stats, QObject *parent = nullptr);

    // Reads the statistics again.
    void refresh();

    // Points by (band, tour) of the chosen contest's rules, shown in place of the log's own
    // points; nothing: the log's own (1 a record, 2 more with the second number).
    using RulePoints = std::map<std::pair<QString, QString>, qint64>;
    void setRulePoints(std::optional<RulePoints> points);
    bool showsRulePoints() const { return m_rulePoints.has_value(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    StatsCell withRulePoints(StatsCell c, const QString *band, const QString *tour) const;

    const ContestStats &m_stats;
    std::optional<RulePoints> m_rulePoints;
    QStringList m_bands;
    QStringList m_tours;
};

} // namespace vireo
