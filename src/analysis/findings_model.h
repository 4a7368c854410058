#pragma once
// The findings of the log check as a table for the list: kind, the record (date, time, calls,
// numbers) and the explanation. The station a finding is about is drawn in red.

#include "analysis/log_check.h"

#include <QAbstractTableModel>

namespace vireo {

class FindingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Kind, Date, Time, Call1, Nr1, Call2, Nr2, Text, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setFindings(QVector<logcheck::Finding> findings);
    const QVector<logcheck::Finding> &findings() const { return m_findings; }
    const logcheck::Finding *findingAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVector<logcheck::Finding> m_findings;
};

} // namespace vireo
