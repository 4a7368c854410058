#pragma once
// The three tables of the score window over a scorer: the figures per band with the totals, the
// multipliers in the order they were found, and the records that do not score with the reason.
// After a save at the end of the log only the rows that came are inserted.

#include "contest_rules/scorer.h"

#include <QAbstractTableModel>
#include <QVector>

namespace vireo::rules {

class ScoreBandsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Band, Records, Scoring, Refused, Points, Multipliers, ColumnCount };
    explicit ScoreBandsModel(QObject *parent = nullptr);

    // Reads the figures anew (nullptr: no rules, no rows).
    void refresh(const Scorer *scorer);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QString title(int column);
    static QString totalTitle() { return tr("Всего"); }

private:
    QVector<BandScore> m_rows; // the bands, then the total
};

class RefusedModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Date, Time, Band, Mode, Call1, Call2, Reason, ColumnCount };
    explicit RefusedModel(QObject *parent = nullptr);

    void reset(const Scorer *scorer);
    // One refused record went in at this place.
    void inserted(int row);
    qint64 idAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QString title(int column);

private:
    const Scorer *m_scorer = nullptr;
    int m_rows = 0;
};

class MultipliersModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Label, Kind, Call, Date, Time, ColumnCount };
    explicit MultipliersModel(QObject *parent = nullptr);

    void reset(const Scorer *scorer);
    // This many multipliers were added at the end.
    void appended(int count);
    qint64 idAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QString title(int column);
    // The name of a list's kind ("страна DXCC", ...).
    static QString kindTitle(const QString &kind);

private:
    const Scorer *m_scorer = nullptr;
    int m_rows = 0;
};

} // namespace vireo::rules
