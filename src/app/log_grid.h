#pragma once
// The log grid of the main window ("DBGrid1"): the records in file order, one selected row that
// stays visible without the focus, a pop-up menu, and Ctrl+Delete for the selected record.

#include <QTableView>

class QMenu;

namespace vireo {

class LogTableModel;

class LogGrid : public QTableView {
    Q_OBJECT
public:
    LogGrid(LogTableModel &model, QWidget *parent);

    void setPopupMenu(QMenu *menu);
    // The row selected, or the current one when none is.
    int selectedRow() const;
    // Selects the row and scrolls to it.
    void showRow(int row);
    void showLastRow();
    // Selects the record; false when it is not in the grid.
    bool showRecord(qint64 id);

signals:
    void deleteWanted(); // Ctrl+Delete

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    LogTableModel &m_model;
};

} // namespace vireo
