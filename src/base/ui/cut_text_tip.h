#pragma once
// Grid cells whose text does not fit the column (a control number of ten or more characters in a
// column made for nine) show the whole text as a tool tip when the pointer rests on them; cells whose text
// fits show none. Only windows include this header (it needs Qt's widget classes).

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace vireo {

class CutTextTipDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Whether the cell's text is wider than the room the style gives it.
    bool textCut(const QAbstractItemView *view, const QModelIndex &index) const
    {
        QStyleOptionViewItem option;
        option.initFrom(view->viewport());
        option.font = view->font();
        option.fontMetrics = view->fontMetrics();
        option.rect = view->visualRect(index);
        initStyleOption(&option, index);
        const QStyle *style = view->style();
        const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &option, view);
        // The style keeps this margin on either side of the text inside its rectangle.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        return option.fontMetrics.horizontalAdvance(option.text) > room.width() - 2 * margin;
    }

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        if (textCut(view, index))
            QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view,
                               view->visualRect(index));
        else
            QToolTip::hideText();
        return true;
    }
};

} // namespace vireo
