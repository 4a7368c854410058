#pragma once
// The findings of the log check as a table for the list: kind, the record (date, time, calls,
// numbers) and the explanation. The station a finding is about is drawn in red. The findings stay
// in their compact form; a row is made whole only when the view asks for it (the last one made is
// kept, as the view asks for a row's cells one after another).

#include "analysis/log_check.h"

#include <QAbstractTableModel>

namespace vireo {

class FindingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Kind, Date, Time, Call1, Nr1, Call2, Nr2, Text, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setFindings(logcheck::Findings findings);
    const logcheck::Findings &findings() const { return m_findings; }
    std::optional<logcheck::Finding> findingAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const logcheck::Finding *row(int row) const;

    logcheck::Findings m_findings;
    mutable int m_madeRow = -1;
    mutable logcheck::Finding m_made;
};

} // namespace vireo
