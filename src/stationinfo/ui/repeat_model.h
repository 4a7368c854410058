#pragma once
// The rows of the repeats window: every earlier record of the call being typed.

#include "db/qso_record.h"

#include <QAbstractTableModel>
#include <QVector>

namespace vireo {

class RepeatModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Tur, Band, Mode, Data, Time, Call1, Call2, ColumnCount };

    explicit RepeatModel(QObject *parent = nullptr);

    void setRows(QVector<RepeatRow> rows);
    const QVector<RepeatRow> &rows() const { return m_rows; }
    const RepeatRow &row(int r) const { return m_rows.at(r); }

    static QString title(int column);
    static int width(int column);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QString text(const RepeatRow &row, int column);

private:
    QVector<RepeatRow> m_rows;
};

} // namespace vireo
