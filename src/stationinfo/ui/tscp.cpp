#include "stationinfo/ui/tscp.h"

#include "base/error.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "base/ui/window_placement.h"
#include "stationinfo/ui/scp_list_model.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace vireo {

namespace {
const QString Section = QStringLiteral("Scp");
constexpr int DesignedWidth = 240;
constexpr int DesignedHeight = 380;
constexpr int NumberWidth = 18;
} // namespace

// ---------------------------------------------------------------------------------------------
// Drawing

void ScpDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString call = opt.text;
    opt.text.clear();
    // Background, selection and focus as the style draws them, without the text.
    QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    painter->save();
    const bool selected = opt.state & QStyle::State_Selected;
    QRect r = opt.rect.adjusted(3, 0, -2, 0);
    const int number = index.data(ScpListModel::NumberRole).toInt();
    QFont numberFont = option.font;
    numberFont.setBold(false);
    painter->setFont(numberFont);
    painter->setPen(selected ? opt.palette.color(QPalette::HighlightedText) : QColor(128, 128, 128));
    if (number > 0)
        painter->drawText(QRect(r.left(), r.top(), NumberWidth, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                          QString::number(number));
    r.setLeft(r.left() + NumberWidth);

    const QColor text = selected ? opt.palette.color(QPalette::HighlightedText) : opt.palette.color(QPalette::Text);
    painter->setFont(opt.font);
    const QFontMetrics fm(opt.font);
    const QString fragment = index.data(ScpListModel::FragmentRole).toString();
    const int at = fragment.isEmpty() ? -1 : call.indexOf(fragment);
    int x = r.left();
    auto piece = [&](const QString &s, bool marked) {
        if (s.isEmpty())
            return;
        const int w = fm.horizontalAdvance(s);
        const QRect box(x, r.top(), w, r.height());
        QFont f = opt.font;
        if (marked) {
            if (!selected)
                painter->fillRect(box.adjusted(0, 2, 0, -2), ScpDelegate::markColour());
            f.setUnderline(true);
        }
        painter->setFont(f);
        painter->setPen(text);
        painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, s);
        x += w;
    };
    if (at < 0) {
        piece(call, false);
    } else {
        piece(call.left(at), false);
        piece(call.mid(at, fragment.size()), true);
        piece(call.mid(at + fragment.size()), false);
    }
    painter->restore();
}

QSize ScpDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setWidth(s.width() + NumberWidth + 6);
    return s;
}

// ---------------------------------------------------------------------------------------------
// The window

TScp::TScp(const AppContext &context, QWidget *parent) : QWidget(parent, Qt::Window), m_ctx(context)
{
    setObjectName(QStringLiteral("Scp"));
    setWindowTitle(tr("Частичный поиск позывных"));

    QFont callFont(QStringLiteral("DejaVu Sans Mono"));
    callFont.setStyleHint(QFont::Monospace);
    callFont.setPixelSize(13);

    auto makeList = [this, &callFont](const char *name, ScpListModel *model) {
        auto *view = new QListView(this);
        view->setObjectName(QString::fromLatin1(name));
        view->setModel(model);
        view->setItemDelegate(new ScpDelegate(view));
        view->setFont(callFont);
        view->setUniformItemSizes(true);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setFocusPolicy(Qt::ClickFocus);
        connect(view, &QListView::doubleClicked, this, [this, model](const QModelIndex &index) {
            const QString call = model->call(index.row());
            if (!call.isEmpty())
                emit chosen(call);
        });
        return view;
    };
    m_matches = new ScpListModel(this);
    m_near = new ScpListModel(this);
    lvScp = makeList("lvScp", m_matches);
    lvScpNear = makeList("lvScpNear", m_near);
    lbScpCount = new QLabel(this);
    lbScpCount->setObjectName(QStringLiteral("lbScpCount"));
    lbScpNear = new QLabel(tr("Отличаются одним знаком:"), this);
    lbScpNear->setObjectName(QStringLiteral("lbScpNear"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addWidget(lbScpCount);
    layout->addWidget(lvScp, 3);
    layout->addWidget(lbScpNear);
    layout->addWidget(lvScpNear, 1);

    // Alt+1..Alt+9 while this window is active; the main window has its own.
    for (int n = 1; n <= 9; ++n) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + n)), this);
        connect(shortcut, &QShortcut::activated, this, [this, n] {
            const QString call = callForNumber(n);
            if (!call.isEmpty())
                emit chosen(call);
        });
    }

    clearResults();
    resize(DesignedWidth, DesignedHeight);
    FormCreate();
}

TScp::~TScp()
{
    // The rows point into an index that may go before this window does.
    clearResults();
    FormDestroy();
}

void TScp::FormCreate()
{
    restorePlacement(*this, m_ctx.settingsPath, Section);
}

void TScp::FormDestroy()
{
    // Runs from the destructor: a settings file that cannot be written must not end the program.
    runGuarded(m_ctx.services.prompts.get(), [this] { savePlacement(*this, m_ctx.settingsPath, Section); });
}

void TScp::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window.
    event->accept();
    emit closed();
}

void TScp::setResults(const ScpIndex &index, const QString &typed, std::vector<ScpIndex::CallId> matches,
                      std::vector<ScpIndex::CallId> near, int context)
{
    const int count = int(matches.size());
    m_matches->setRows(&index, std::move(matches), typed, context, 1);
    m_near->setRows(&index, std::move(near), QString(), context, count + 1);
    lbScpCount->setText(tr("«%1»: найдено %2").arg(typed).arg(count));
}

void TScp::clearResults()
{
    m_matches->clear();
    m_near->clear();
    lbScpCount->setText(typeMoreText());
}

void TScp::showReading()
{
    m_matches->clear();
    m_near->clear();
    lbScpCount->setText(readingText());
}

QString TScp::callForNumber(int n) const
{
    if (n < 1 || n > 9)
        return {};
    const int matches = m_matches->rowCount();
    if (n <= matches)
        return m_matches->call(n - 1);
    return m_near->call(n - 1 - matches);
}

} // namespace vireo
