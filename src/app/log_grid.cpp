#include "app/log_grid.h"

#include "base/ui/cut_text_tip.h"
#include "base/ui/widget_kit.h"
#include "db/log_table_model.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

namespace vireo {

LogGrid::LogGrid(LogTableModel &model, QWidget *parent) : QTableView(parent), m_model(model)
{
    setObjectName(QStringLiteral("DBGrid1"));
    setModel(&model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::ClickFocus);
    setAlternatingRowColors(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setFont(kit::monoFont(12));
    QPalette gp = palette();
    gp.setColor(QPalette::Base, QColor(255, 251, 240)); // cream
    // whole-row selection stays visible when the grid has no focus
    gp.setColor(QPalette::Inactive, QPalette::Highlight, gp.color(QPalette::Active, QPalette::Highlight));
    gp.setColor(QPalette::Inactive, QPalette::HighlightedText, gp.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(gp);
    // FREQ holds seven digits (1296000); the report and time columns give it the room.
    const int widths[] = {58, 25, 80, 46, 75, 34, 75, 75, 34, 75};
    for (int i = 0; i < 10; ++i)
        setColumnWidth(i, widths[i]);
    horizontalHeader()->setFont(kit::narrowFont(11));
    // A control number holds up to twenty characters, its column shows nine: all of it in a tool tip.
    setItemDelegate(new CutTextTipDelegate(this));
}

void LogGrid::setPopupMenu(QMenu *menu)
{
    connect(this, &QWidget::customContextMenuRequested, this, [this, menu](const QPoint &pos) {
        const QModelIndex index = indexAt(pos);
        if (index.isValid())
            selectRow(index.row());
        menu->popup(viewport()->mapToGlobal(pos));
    });
}

int LogGrid::selectedRow() const
{
    if (QItemSelectionModel *s = selectionModel()) {
        const QModelIndexList rows = s->selectedRows();
        if (!rows.isEmpty())
            return rows.first().row();
    }
    return currentIndex().row();
}

void LogGrid::showRow(int row)
{
    selectRow(row);
    scrollTo(m_model.index(row, 0));
}

void LogGrid::showLastRow()
{
    const int rows = m_model.rowCount();
    if (rows > 0)
        showRow(rows - 1);
}

bool LogGrid::showRecord(qint64 id)
{
    const int row = m_model.rowOfId(id);
    if (row < 0)
        return false;
    showRow(row);
    return true;
}

void LogGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        emit deleteWanted();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace vireo
