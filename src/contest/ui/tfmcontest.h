#pragma once
// TfmContest: the contest name and the tour schedule.

#include "base/services.h"
#include "db/tour_store.h"

#include <QDialog>

#include <functional>

class QDateEdit;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTimeEdit;

namespace vireo {

class TfmContest : public QDialog {
    Q_OBJECT
public:
    // The tours are the program's store of them, which outlives the window.
    TfmContest(const AppContext &context, TourStore &tours, QWidget *mainWindow);
    ~TfmContest() override;

    void btAddTourClick();
    void btClearAllToursClick();
    void btCancelClick();          // "ВЫХОД"
    void deleteSelectedTour();     // Ctrl+Delete on the grid

    // Tour rows as last read, in table order.
    const QVector<TourRow> &tourRows() const { return m_rows; }

    QLineEdit *edContest = nullptr;
    QTableView *DBGrid1 = nullptr;
    QPushButton *btClearAllTours = nullptr;
    QDateEdit *DateTimePicker1 = nullptr; // start date
    QTimeEdit *DateTimePicker2 = nullptr; // start time
    QDateEdit *DateTimePicker3 = nullptr; // end date
    QTimeEdit *DateTimePicker4 = nullptr; // end time
    QPushButton *btAddTour = nullptr;
    QPushButton *btCancel = nullptr;

signals:
    // "ВЫХОД" hands the contest name to the main window and the Cabrillo window.
    void contestAccepted(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildUi();
    void FormCreate();
    void FormDestroy();
    // Reads the tour list afresh; false (and the grid unchanged) when the reading fails.
    bool readTours();
    void selectRow(int row);

    AppContext m_ctx;
    QWidget *m_main;
    TourStore &m_tours;
    QStandardItemModel *m_model = nullptr;
    QVector<TourRow> m_rows;
};

} // namespace vireo
