#include "contest_rules/ui/score_models.h"

#include <QFont>

namespace vireo::rules {

// ---- per band ----

ScoreBandsModel::ScoreBandsModel(QObject *parent) : QAbstractTableModel(parent) {}

void ScoreBandsModel::refresh(const Scorer *scorer)
{
    QVector<BandScore> rows;
    if (scorer) {
        rows = scorer->bands();
        BandScore total = scorer->total();
        total.band = totalTitle();
        rows.append(total);
    }
    if (rows.size() == m_rows.size()) {
        // A save changes one band and the total: only their rows are drawn again.
        auto same = [](const BandScore &a, const BandScore &b) {
            return a.band == b.band && a.records == b.records && a.scoring == b.scoring && a.refused == b.refused
                   && a.points == b.points && a.multipliers == b.multipliers;
        };
        for (int i = 0; i < rows.size(); ++i) {
            if (same(rows.at(i), m_rows.at(i)))
                continue;
            m_rows[i] = rows.at(i);
            emit dataChanged(index(i, 0), index(i, ColumnCount - 1));
        }
        return;
    }
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int ScoreBandsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ScoreBandsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ScoreBandsModel::title(int column)
{
    switch (column) {
    case Band:
        return tr("Диапазон");
    case Records:
        return tr("Записей");
    case Scoring:
        return tr("Засчитано");
    case Refused:
        return tr("Не засчитано");
    case Points:
        return tr("Очки");
    case Multipliers:
        return tr("Множители");
    default:
        return QString();
    }
}

QVariant ScoreBandsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const BandScore &b = m_rows.at(index.row());
    if (role == Qt::TextAlignmentRole)
        return int(index.column() == Band ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::FontRole && index.row() == m_rows.size() - 1) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Band:
        return b.band.isEmpty() ? QStringLiteral("—") : b.band;
    case Records:
        return QString::number(b.records);
    case Scoring:
        return QString::number(b.scoring);
    case Refused:
        return QString::number(b.refused);
    case Points:
        return QString::number(b.points);
    case Multipliers:
        return QString::number(b.multipliers);
    default:
        return {};
    }
}

QVariant ScoreBandsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return title(section);
    return {};
}

// ---- refused records ----

RefusedModel::RefusedModel(QObject *parent) : QAbstractTableModel(parent) {}

void RefusedModel::reset(const Scorer *scorer)
{
    beginResetModel();
    m_scorer = scorer;
    m_rows = scorer ? scorer->refusedCount() : 0;
    endResetModel();
}

void RefusedModel::inserted(int row)
{
    if (!m_scorer || row < 0 || row > m_rows)
        return reset(m_scorer);
    beginInsertRows(QModelIndex(), row, row);
    ++m_rows;
    endInsertRows();
}

qint64 RefusedModel::idAt(int row) const
{
    return m_scorer && row >= 0 && row < m_rows ? m_scorer->refusedAt(row).id : 0;
}

int RefusedModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int RefusedModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString RefusedModel::title(int column)
{
    switch (column) {
    case Date:
        return QStringLiteral("DATE");
    case Time:
        return QStringLiteral("TIME");
    case Band:
        return QStringLiteral("BAND");
    case Mode:
        return QStringLiteral("MD");
    case Call1:
        return QStringLiteral("CALL-1");
    case Call2:
        return QStringLiteral("CALL-2");
    case Reason:
        return tr("Почему не засчитано");
    default:
        return QString();
    }
}

QVariant RefusedModel::data(const QModelIndex &index, int role) const
{
    if (!m_scorer || !index.isValid() || index.row() >= m_rows || role != Qt::DisplayRole)
        return {};
    const RefusedRecord r = m_scorer->refusedAt(index.row());
    switch (index.column()) {
    case Date:
        return r.date;
    case Time:
        return r.time;
    case Band:
        return r.band;
    case Mode:
        return r.mode;
    case Call1:
        return r.call1;
    case Call2:
        return r.call2;
    case Reason:
        return r.reason;
    default:
        return {};
    }
}

QVariant RefusedModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return title(section);
    return {};
}

// ---- multipliers ----

MultipliersModel::MultipliersModel(QObject *parent) : QAbstractTableModel(parent) {}

void MultipliersModel::reset(const Scorer *scorer)
{
    beginResetModel();
    m_scorer = scorer;
    m_rows = scorer ? scorer->multiplierCount() : 0;
    endResetModel();
}

void MultipliersModel::appended(int count)
{
    if (!m_scorer || count <= 0)
        return;
    if (m_rows + count != m_scorer->multiplierCount())
        return reset(m_scorer);
    beginInsertRows(QModelIndex(), m_rows, m_rows + count - 1);
    m_rows += count;
    endInsertRows();
}

qint64 MultipliersModel::idAt(int row) const
{
    return m_scorer && row >= 0 && row < m_rows ? m_scorer->multiplierAt(row).id : 0;
}

int MultipliersModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int MultipliersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString MultipliersModel::title(int column)
{
    switch (column) {
    case Label:
        return tr("Множитель");
    case Kind:
        return tr("Вид");
    case Call:
        return tr("Станция");
    case Date:
        return QStringLiteral("DATE");
    case Time:
        return QStringLiteral("TIME");
    default:
        return QString();
    }
}

QString MultipliersModel::kindTitle(const QString &kind)
{
    if (kind == QLatin1String("dxcc"))
        return tr("страна DXCC");
    if (kind == QLatin1String("cq-zone"))
        return tr("зона CQ");
    if (kind == QLatin1String("itu-zone"))
        return tr("зона ITU");
    if (kind == QLatin1String("wpx"))
        return tr("префикс WPX");
    if (kind == QLatin1String("exchange"))
        return tr("контрольный номер");
    if (kind == QLatin1String("call"))
        return tr("позывной");
    return kind;
}

QVariant MultipliersModel::data(const QModelIndex &index, int role) const
{
    if (!m_scorer || !index.isValid() || index.row() >= m_rows || role != Qt::DisplayRole)
        return {};
    const MultiplierLine m = m_scorer->multiplierAt(index.row());
    switch (index.column()) {
    case Label:
        return m.label;
    case Kind:
        return kindTitle(m.kind);
    case Call:
        return m.call;
    case Date:
        return m.date;
    case Time:
        return m.time;
    default:
        return {};
    }
}

QVariant MultipliersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return title(section);
    return {};
}

} // namespace vireo::rules
