#include "stationinfo/ui/repeat_model.h"

#include <QColor>
#include <QFont>

namespace vireo {

RepeatModel::RepeatModel(QObject *parent) : QAbstractTableModel(parent) {}

void RepeatModel::setRows(QVector<RepeatRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QString RepeatModel::title(int column)
{
    static const char *const Titles[] = {"TUR", "BAND", "MD", "DATA", "TIME", "CALL 1", "CALL 2"};
    return column >= 0 && column < ColumnCount ? QString::fromLatin1(Titles[column]) : QString();
}

int RepeatModel::width(int column)
{
    // TUR is wide enough for its title, the calls for nine characters.
    static const int Widths[] = {28, 50, 30, 70, 40, 85, 85};
    return column >= 0 && column < ColumnCount ? Widths[column] : 0;
}

int RepeatModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RepeatModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString RepeatModel::text(const RepeatRow &row, int column)
{
    switch (column) {
    case Tur:
        return row.tur;
    case Band:
        return row.band;
    case Mode:
        return row.mode;
    case Data:
        return row.data;
    case Time:
        return row.time;
    case Call1:
        return row.call1;
    case Call2:
        return row.call2;
    }
    return QString();
}

QVariant RepeatModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(m_rows.at(index.row()), c);
    case Qt::TextAlignmentRole:
        if (c == Band || c == Data || c == Time)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (c == Tur)
            return QColor(0, 0, 255);
        return QVariant();
    }
    return QVariant();
}

QVariant RepeatModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::DisplayRole)
        return title(section);
    if (role == Qt::TextAlignmentRole) {
        if (section == Band || section == Mode || section == Data || section == Time)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role == Qt::FontRole) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(9);
        return f;
    }
    return QVariant();
}

} // namespace vireo
