#include "support/ui/text_room.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>

namespace vireo::test {

namespace {

// Width left for text inside a label.
int textRoom(const QLabel *l)
{
    const int indent = l->indent() > 0 ? l->indent() : 0;
    return l->contentsRect().width() - 2 * l->margin() - indent;
}

// A push button's caption within the button, less the style's margins.
QString pushButtonFits(const QPushButton *b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    const QRect room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
    QString text = b->text();
    text.remove(QLatin1Char('&'));
    const int need = QFontMetrics(b->font()).horizontalAdvance(text);
    if (need > room.width())
        return QStringLiteral("%1 \"%2\" needs %3, has %4").arg(b->objectName(), b->text()).arg(need).arg(room.width());
    return QString();
}

} // namespace

QString labelFits(const QLabel *l)
{
    const QFontMetrics fm(l->font());
    if (l->wordWrap()) {
        const QRect room = l->contentsRect();
        const QRect need = fm.boundingRect(QRect(0, 0, room.width(), 1000), Qt::TextWordWrap, l->text());
        if (need.height() > room.height() || need.width() > room.width())
            return QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
                .arg(l->objectName(), l->text())
                .arg(need.width())
                .arg(need.height())
                .arg(room.width())
                .arg(room.height());
        return QString();
    }
    const int need = fm.horizontalAdvance(l->text());
    if (need > textRoom(l))
        return QStringLiteral("%1 \"%2\" needs %3, has %4").arg(l->objectName(), l->text()).arg(need).arg(textRoom(l));
    return QString();
}

// The caption of a check box or radio button within the room its style gives the text.
QString buttonFits(const QAbstractButton *b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    const bool radio = qobject_cast<const QRadioButton *>(b) != nullptr;
    const QRect room =
        b->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &opt, b);
    const int need = QFontMetrics(b->font()).horizontalAdvance(b->text());
    if (need > room.width())
        return QStringLiteral("%1 \"%2\" needs %3, has %4").arg(b->objectName(), b->text()).arg(need).arg(room.width());
    return QString();
}

// Every cell and title of a grid within its column.
QString gridFits(QTableView *view)
{
    QAbstractItemView *base = view; // the column hint is public on the base class
    QHeaderView *header = view->horizontalHeader();
    QStringList faults;
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        const int cells = base->sizeHintForColumn(c);
        const int title = header->sectionSizeHint(c);
        if (cells > view->columnWidth(c) || title > view->columnWidth(c))
            faults << QStringLiteral("column %1 \"%2\": cells need %3, title %4, has %5")
                          .arg(c)
                          .arg(view->model()->headerData(c, Qt::Horizontal).toString())
                          .arg(cells)
                          .arg(title)
                          .arg(view->columnWidth(c));
    }
    if (view->horizontalScrollBar()->isVisible())
        faults << QStringLiteral("the grid scrolls sideways");
    return faults.join(QStringLiteral("; "));
}

QStringList textsThatDoNotFit(QWidget *window)
{
    QStringList faults;
    const QString where = window->objectName() + QStringLiteral(": ");
    for (QLabel *l : window->findChildren<QLabel *>())
        if (l->isVisibleTo(window) && !l->text().isEmpty() && l->textFormat() != Qt::RichText
            && !Qt::mightBeRichText(l->text()))
            if (const QString why = labelFits(l); !why.isEmpty())
                faults << where + why;
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
        if (!b->isVisibleTo(window) || b->text().isEmpty())
            continue;
        QString why;
        if (auto *push = qobject_cast<QPushButton *>(b))
            why = pushButtonFits(push);
        else if (qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b))
            why = buttonFits(b);
        if (!why.isEmpty())
            faults << where + why;
    }
    return faults;
}

} // namespace vireo::test
