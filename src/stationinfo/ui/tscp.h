#pragma once
// TScp: the partial-check window. Above, the known calls that contain the typed text; below,
// the calls one character off it. The typed part is marked, log calls are bold, calls that would
// be repeats now are red; the first nine carry the number that Alt+1..Alt+9 choose.

#include "base/services.h"
#include "stationinfo/scp_index.h"

#include <QStyledItemDelegate>
#include <QWidget>

class QLabel;
class QListView;

namespace vireo {

class ScpListModel;

// Draws a call with its number in grey and the typed part underlined on a yellow ground.
class ScpDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static QColor markColour() { return QColor(255, 255, 160); }
};

class TScp : public QWidget {
    Q_OBJECT
public:
    TScp(const AppContext &context, QWidget *parent);
    ~TScp() override;

    // Shows the results of one check; the index must outlive them.
    void setResults(const ScpIndex &index, const QString &typed, std::vector<ScpIndex::CallId> matches,
                    std::vector<ScpIndex::CallId> near, int context);
    void clearResults();
    // Empty lists while the index of known calls is being read.
    void showReading();
    static QString readingText() { return tr("Читается список позывных…"); }
    static QString typeMoreText() { return tr("Наберите не меньше двух знаков"); }

    // The call Alt+n chooses (n = 1..9): the n-th of the matches and then of the near calls.
    QString callForNumber(int n) const;

    ScpListModel &matchModel() { return *m_matches; }
    ScpListModel &nearModel() { return *m_near; }

    QListView *lvScp = nullptr;
    QLabel *lbScpNear = nullptr;
    QListView *lvScpNear = nullptr;
    QLabel *lbScpCount = nullptr;

signals:
    // A call was chosen by a double click or Alt+n in this window.
    void chosen(const QString &call);
    // The window was closed with its close box.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();

    AppContext m_ctx;
    ScpListModel *m_matches = nullptr;
    ScpListModel *m_near = nullptr;
};

} // namespace vireo
