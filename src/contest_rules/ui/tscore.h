#pragma once
// TScore: the score window ("Окна" -> "Счёт"). The claimed score by the chosen contest's rules,
// the figures per band, the multipliers worked and the records that do not score with the
// reason; a double click on a refused record asks for it in the log grid. It follows the
// tracker, which follows the log; its place is kept in section Score of the settings file.

#include "base/services.h"

#include <QWidget>

class QLabel;
class QTableView;

namespace vireo::rules {

class RulesTracker;
class ScoreBandsModel;
class RefusedModel;
class MultipliersModel;

class TScore : public QWidget {
    Q_OBJECT
public:
    static constexpr const char *Section = "Score";

    TScore(const AppContext &context, RulesTracker &tracker, QWidget *parent = nullptr);
    ~TScore() override;

    // Brings everything up to date now (the window does so itself as the score changes).
    void refresh();

    QLabel *lbScoreRules = nullptr; // the contest and its rules, or that none are chosen
    QLabel *lbClaimed = nullptr; // the claimed score as a plain number
    QLabel *lbScoreFormula = nullptr; // how it is made
    QTableView *tbScore = nullptr; // per band and in total
    QTableView *tbMultipliers = nullptr;
    QTableView *tbRefused = nullptr;
    QLabel *lbRefused = nullptr; // the heading of the refused records, with their count

signals:
    // A refused record was double-clicked: the grid selects it.
    void recordChosen(qint64 id);
    // The window was closed with its close box.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void scoreChanged(bool rescored, int refusedInsertedAt, int multipliersAdded);
    void refreshTexts();

    AppContext m_ctx;
    RulesTracker &m_tracker;
    ScoreBandsModel *m_bands = nullptr;
    RefusedModel *m_refused = nullptr;
    MultipliersModel *m_multipliers = nullptr;
    bool m_stale = true; // changed while hidden: read anew when shown
};

} // namespace vireo::rules
