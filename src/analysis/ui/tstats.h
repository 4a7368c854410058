#pragma once
// TStats: the statistics window. The rates of the last minutes and QSOs, a table of QSOs and
// points by band and tour, and a plot of QSOs per ten minutes stacked by band. It follows the
// log through the store's change notifications; the log is read once, when the window is
// first shown (or after a change too large to follow, such as a clear or an import).

#include "analysis/contest_stats.h"
#include "base/services.h"

#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <utility>

class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace vireo {

class QsoStore;
class StatsTableModel;
struct LogChange;

class TStats : public QWidget {
    Q_OBJECT
public:
    // How long after a change of the log the window shows it: saves in quick succession are
    // shown together, and the window is redrawn at most twice a second.
    static constexpr int RefreshDelayMs = 500;

    TStats(const AppContext &context, QsoStore &store, QWidget *parent = nullptr);
    ~TStats() override;

    const ContestStats &stats() const { return m_stats; }
    // Whether the statistics hold the log (false before the first showing and after a Reset
    // while hidden).
    bool isLoaded() const { return m_loaded; }

    // Brings the statistics, the table, the plot and the rates up to date now.
    void refresh();
    // The rates at the clock's current minute (the main window calls it on every tick).
    void refreshRates();
    // Whether a refresh is waiting for its delay.
    bool refreshPending() const;

    // Where the points of the chosen contest's rules come from (nothing: no rules chosen); the
    // check box chStatsRules shows them in the table in place of the log's own points.
    void setRulePointsSource(std::function<std::optional<std::map<std::pair<QString, QString>, qint64>>()> source);
    // The rules were chosen or dropped: the check box and the table follow.
    void rulePointsChanged();

    void btStatsTextClick();
    void btStatsPngClick();

    QLabel *lbStatsNow = nullptr;
    QLabel *lbRate10Min = nullptr;
    QLabel *lbRate60Min = nullptr;
    QLabel *lbRateLast10 = nullptr;
    QLabel *lbRateLast100 = nullptr;
    QLabel *lbStatsTable = nullptr; // says what the numbers of a cell are
    QCheckBox *chStatsRules = nullptr; // points by the contest's rules
    QTableView *tbStats = nullptr;
    QComboBox *cbStatsTour = nullptr;
    QPushButton *btStatsText = nullptr;
    QPushButton *btStatsPng = nullptr;
    QChartView *chStats = nullptr;
    QLabel *lbBadTime = nullptr;

signals:
    // The window was closed with its close box.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();
    void logChanged(const LogChange &change);
    void scheduleRefresh();
    void refreshRulePoints();
    std::function<std::optional<std::map<std::pair<QString, QString>, qint64>>()> m_rulePoints;
    // Reads the log when the statistics do not hold it, or no longer agree with its totals.
    void ensureCurrent();
    void fitTable();
    void refreshTours();
    void refreshPlot();

    AppContext m_ctx;
    QsoStore &m_store;
    ContestStats m_stats;
    StatsTableModel *m_model = nullptr;
    QTimer *m_pending = nullptr;
    bool m_loaded = false;
    QStringList m_shownTours; // tours offered by the chooser
    bool m_relabelling = false;
};

} // namespace vireo
