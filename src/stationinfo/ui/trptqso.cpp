#include "stationinfo/ui/trptqso.h"

#include "base/error.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "base/ui/window_placement.h"
#include "stationinfo/ui/repeat_model.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace vireo {

namespace {
const QString Section = QStringLiteral("RptQso");
constexpr int DesignedWidth = 406;
constexpr int DesignedHeight = 230;
} // namespace

// ---------------------------------------------------------------------------------------------
// Cell drawing

RepeatDelegate::RepeatDelegate(TRptQso *window) : CutTextTipDelegate(window), m_window(window) {}

void RepeatDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const int column = index.column();
    if (column != RepeatModel::Call1 && column != RepeatModel::Call2)
        return;
    if (!dupe::namesEntryCall(index.data().toString(), m_window->entry()))
        return;
    const QColor colour = column == RepeatModel::Call1 ? QColor(255, 0, 0) : QColor(0, 0, 255);
    option->font.setBold(true);
    option->palette.setColor(QPalette::Text, colour);
    option->palette.setColor(QPalette::HighlightedText, colour);
}

void RepeatDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!m_window->rowIsRepeat(index.row())) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    painter->save();
    painter->fillRect(opt.rect, TRptQso::pink());
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(QPalette::Text));
    painter->drawText(opt.rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, opt.text);
    painter->restore();
}

// ---------------------------------------------------------------------------------------------
// The window

TRptQso::TRptQso(const AppContext &context) : QWidget(nullptr), m_ctx(context)
{
    setObjectName(QStringLiteral("RptQso"));
    setWindowTitle(tr("Повторные связи"));
    QFont cellFont(QStringLiteral("DejaVu Sans"));
    cellFont.setPixelSize(11);
    setFont(cellFont);

    m_model = new RepeatModel(this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setShowGrid(false); // row lines come from the style below, column lines not at all
    DBGrid1->setStyleSheet(QStringLiteral("QTableView::item { border-bottom: 1px solid #c0c0c0; }"));
    DBGrid1->verticalHeader()->hide();
    DBGrid1->verticalHeader()->setDefaultSectionSize(17);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid1->horizontalHeader()->setMinimumSectionSize(12);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    QFont titleFont(QStringLiteral("DejaVu Sans"));
    titleFont.setPixelSize(9);
    DBGrid1->horizontalHeader()->setFont(titleFont);
    DBGrid1->setItemDelegate(new RepeatDelegate(this));
    DBGrid1->setModel(m_model);
    for (int c = 0; c < RepeatModel::ColumnCount; ++c)
        DBGrid1->setColumnWidth(c, RepeatModel::width(c));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    // The first panel is 190 pixels; the second takes the rest beside the size grip, so that the
    // window keeps its designed width of 406.
    for (int i = 0; i < 2; ++i) {
        auto *panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        if (i == 0)
            panel->setFixedWidth(190);
        else
            panel->setMinimumWidth(0);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        StatusBar1->addWidget(panel, i == 0 ? 0 : 1);
        StatusPanels[i] = panel;
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(DBGrid1);
    layout->addWidget(StatusBar1);

    resize(DesignedWidth, DesignedHeight);
    m_ctx.traceEvent(QStringLiteral("create RptQso"));
    FormCreate();
}

TRptQso::~TRptQso()
{
    FormDestroy();
    m_ctx.traceEvent(QStringLiteral("destroy RptQso"));
}

void TRptQso::FormCreate()
{
    restorePlacement(*this, m_ctx.settingsPath, Section);
}

void TRptQso::FormDestroy()
{
    // Runs from the destructor: a settings file that cannot be written must not end the program.
    runGuarded(m_ctx.services.prompts.get(), [this] { savePlacement(*this, m_ctx.settingsPath, Section); });
}

void TRptQso::FormClose()
{
    emit closed();
}

void TRptQso::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window; it lives until the program ends.
    event->accept();
    FormClose();
}

void TRptQso::setRepeats(QVector<RepeatRow> rows)
{
    m_model->setRows(std::move(rows));
}

void TRptQso::setCounts(int heardCount, int workedCount)
{
    StatusPanels[0]->setText(dupe::heardStatus(heardCount));
    StatusPanels[1]->setText(dupe::workedStatus(workedCount));
}

void TRptQso::setEntrySource(std::function<dupe::Entry()> source)
{
    m_entry = std::move(source);
    DBGrid1->viewport()->update();
}

dupe::Entry TRptQso::entry() const
{
    return m_entry ? m_entry() : dupe::Entry();
}

bool TRptQso::rowIsRepeat(int row) const
{
    if (row < 0 || row >= m_model->rowCount())
        return false;
    return dupe::isRepeat(m_model->row(row), entry());
}

} // namespace vireo
