#pragma once
// TRptQso: the repeats window, listing every earlier record of the call being typed.

#include "base/services.h"
#include "base/ui/cut_text_tip.h"
#include "db/qso_record.h"
#include "stationinfo/dupe_check.h"

#include <QWidget>

#include <functional>

class QLabel;
class QStatusBar;
class QTableView;

namespace vireo {

class RepeatModel;
class TRptQso;

// Draws the cells: calls of the entry line in red (heard column) or blue (worked column), bold;
// records that repeat the entry in pink. A cell whose text is cut shows all of it as a tool tip.
class RepeatDelegate : public CutTextTipDelegate {
    Q_OBJECT
public:
    RepeatDelegate(TRptQso *window);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    TRptQso *m_window;
};

class TRptQso : public QWidget {
    Q_OBJECT
public:
    explicit TRptQso(const AppContext &context);
    ~TRptQso() override;

    static QColor pink() { return QColor(255, 204, 204); }

    // The records of the last check, shown in table order.
    void setRepeats(QVector<RepeatRow> rows);
    // The two status panels.
    void setCounts(int heardCount, int workedCount);
    // Where the cell drawing reads the entry line from (the main window).
    void setEntrySource(std::function<dupe::Entry()> source);
    dupe::Entry entry() const;

    RepeatModel &model() { return *m_model; }
    // Whether a listed record repeats the entry line now (drawn pink).
    bool rowIsRepeat(int row) const;

    QTableView *DBGrid1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusPanels[2] = {};

signals:
    // The window was closed with its close box.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();
    void FormClose();

    AppContext m_ctx;
    RepeatModel *m_model = nullptr;
    std::function<dupe::Entry()> m_entry;
};

} // namespace vireo
