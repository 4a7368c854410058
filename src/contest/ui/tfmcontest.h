#pragma once
// TfmContest: the contest name and the tour schedule.

#include "base/services.h"
#include "contest_rules/rule_catalogue.h"
#include "db/tour_store.h"

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
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
    void btCancelClick(); // "ВЫХОД"
    void deleteSelectedTour(); // Ctrl+Delete on the grid

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

    // ---- contest rules ----
    // "Без правил" first, then the definitions of the listener's own and the shipped folder.
    QComboBox *cbRules = nullptr;
    QLabel *lbRulesErrors = nullptr; // the files that could not be read, or a choice not found
    // The rules chosen now; nothing for "Без правил".
    std::optional<rules::Definition> chosenRules() const;
    // Reads the definition folders again and keeps the choice where it still stands.
    void reloadRules();
    // The listener picked an item of cbRules (index into the list).
    void cbRulesChange(int index);
    // What the Cabrillo CONTEST: line takes: the chosen definition's Cabrillo name while the
    // contest name is the definition's; otherwise the contest name, as without rules.
    QString cabrilloContest() const;

signals:
    // "ВЫХОД" hands the contest name to the main window and the Cabrillo window.
    void contestAccepted(const QString &name);
    // ... and after it the CONTEST: value of the chosen rules (cabrilloContest()).
    void cabrilloContestAccepted(const QString &contest);
    // Another definition was chosen (empty: no rules); already kept in the settings file.
    void rulesChosen(const QString &fileName);

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
    rules::Catalogue m_catalogue;
    QString m_chosenFile; // file name of the chosen rules, empty for none
};

} // namespace vireo
