#pragma once
// Whether a control's text shows whole in the room it has: the checks of the texts-fit tests,
// in Russian and in English.

#include <QString>

class QAbstractButton;
class QLabel;
class QTableView;
class QWidget;

namespace vireo::test {

// An empty text when the label's text fits (word-wrapped: its whole box); else why not.
QString labelFits(const QLabel *l);
// The caption of a check box or radio button within the room its style gives the text.
QString buttonFits(const QAbstractButton *b);
// Every cell and title of a grid within its column.
QString gridFits(QTableView *view);
// Every visible label, button and grid under a window, each fault a line.
QStringList textsThatDoNotFit(QWidget *window);

} // namespace vireo::test
