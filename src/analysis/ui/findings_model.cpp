#include "analysis/ui/findings_model.h"

#include <QColor>
#include <QFont>

namespace vireo {

void FindingsModel::setFindings(logcheck::Findings findings)
{
    beginResetModel();
    m_findings = std::move(findings);
    m_madeRow = -1;
    m_made = logcheck::Finding();
    endResetModel();
}

const logcheck::Finding *FindingsModel::row(int row) const
{
    if (row < 0 || row >= m_findings.size())
        return nullptr;
    if (row != m_madeRow) {
        m_made = m_findings.at(row);
        m_madeRow = row;
    }
    return &m_made;
}

std::optional<logcheck::Finding> FindingsModel::findingAt(int at) const
{
    if (const logcheck::Finding *f = row(at))
        return *f;
    return std::nullopt;
}

int FindingsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_findings.size();
}

int FindingsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindingsModel::data(const QModelIndex &index, int role) const
{
    const logcheck::Finding *f = row(index.row());
    if (!f)
        return {};
    const QsoRecord &r = f->record;
    const int column = index.column();
    if (role == Qt::DisplayRole) {
        switch (column) {
        case Kind:
            return logcheck::kindName(f->kind);
        case Date:
            return r.data;
        case Time:
            return r.time;
        case Call1:
            return r.call1;
        case Nr1:
            return r.nr1;
        case Call2:
            return r.call2;
        case Nr2:
            return r.nr2;
        case Text:
            return f->text;
        }
        return {};
    }
    if (role == Qt::ToolTipRole && column == Text)
        return f->text;
    const bool about =
        (f->side == 1 && (column == Call1 || column == Nr1)) || (f->side == 2 && (column == Call2 || column == Nr2));
    if (role == Qt::ForegroundRole && about)
        return QColor(255, 0, 0);
    if (role == Qt::FontRole && about) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return {};
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const Titles[] = {
        QT_TRANSLATE_NOOP("vireo::FindingsModel", "Вид"),      "DATE", "TIME", "CALL-1", "NR-1", "CALL-2", "NR-2",
        QT_TRANSLATE_NOOP("vireo::FindingsModel", "Пояснение")};
    return section >= 0 && section < ColumnCount ? tr(Titles[section]) : QVariant();
}

} // namespace vireo
