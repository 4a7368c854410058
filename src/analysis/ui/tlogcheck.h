#pragma once
// TLogCheck: the log check window. The listener picks the whole log or one tour and the pause
// the same pair needs, starts the check, watches its progress (and may cancel it), reads the
// findings in the list and saves them as a text file. A double click on a finding asks the
// main window to select its record. Closing the window lets go of the findings: a list of a
// large log can take a good part of the computer's memory.

#include "analysis/log_check.h"
#include "base/services.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeView;

namespace vireo {

class FindingsModel;
class LogCheckRunner;

class TLogCheck : public QWidget {
    Q_OBJECT
public:
    // What the window needs from the log around it.
    struct Sources {
        std::function<int()> recordCount; // the log's size, for the progress of reading it
        std::function<QStringList()> tours; // tour numbers to offer, as text
        std::function<QStringList()> knownCalls; // calls known to be active (MASTER.SCP)
        // The chosen contest rules: the pause they set between two records of one pair (nothing
        // without rules or without such a limit), and the records they refuse with the reason.
        std::function<std::optional<int>()> rulesPairMinutes;
        std::function<QVector<QPair<qint64, QString>>()> refusedByRules;
    };

    TLogCheck(const AppContext &context, Sources sources, QWidget *parent = nullptr);
    ~TLogCheck() override;

    // Offers the tours afresh (before the window is shown).
    void refreshScopes();
    // Starts a check with the chosen scope and pause.
    void btCheckClick();
    void btCancelClick();
    void btSaveClick();

    LogCheckRunner &runner() { return *m_runner; }
    FindingsModel &model() { return *m_model; }

    QComboBox *cbScope = nullptr;
    QSpinBox *sbMinRepeat = nullptr;
    QPushButton *btCheck = nullptr;
    QPushButton *btCancel = nullptr;
    QPushButton *btSave = nullptr;
    QProgressBar *pbCheck = nullptr;
    QTreeView *lvCheck = nullptr;
    QLabel *lbSummary = nullptr;

    // The one-line summary after a check: the count of each kind, or that nothing was found.
    static QString summaryText(const logcheck::Findings &findings);

signals:
    // A finding was double-clicked: select this record in the main window's grid.
    void recordChosen(qint64 id);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();
    void setRunning(bool running);
    // Empties the list and hands the memory of the findings back to the system.
    void releaseFindings();
    QTreeView *makeList();
    void lvCheckDoubleClick(const QModelIndex &index);

    AppContext m_ctx;
    Sources m_sources;
    LogCheckRunner *m_runner = nullptr;
    FindingsModel *m_model = nullptr;
    // The scope and moment of the check shown in the list (saved with it), and of the one running.
    QString m_checkedTour, m_runningTour;
    QDateTime m_checkedAt, m_runningAt;
};

} // namespace vireo
