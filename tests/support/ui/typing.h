#pragma once
// The keyboard of the tests, as a listener uses it: keys into whatever has the focus, a line
// typed over or cleared and typed, and texts put into fields found by their objectName.

#include <QString>
#include <Qt>

#include <initializer_list>
#include <utility>

class QLineEdit;
class QWidget;

namespace vireo::test {

QWidget *focused();

// Types each character into the focused widget as one key press carrying that text, sent
// straight to the widget (so Cyrillic letters arrive as they do with the Russian keyboard layout).
void type(const QString &text);
// Presses a key in the focused widget, through QTest (shortcuts included).
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Clicks each character into whatever has the focus at that moment, through QTest (Latin-1 only).
void typeKeys(const QString &text);

// Empties the line, then clicks the text into it.
void clearAndType(QLineEdit *field, const QString &text);
// Types over the line's whole text as a listener does: select all, Backspace, then the text.
void typeOver(QLineEdit *field, const QString &text);

// The line edit under root with this objectName; a failed check when there is none.
QLineEdit *lineEdit(const QWidget &root, const char *name);
// Sets the texts of the named line edits under root, as a paste into each would (no key presses).
void fill(const QWidget &root, std::initializer_list<std::pair<const char *, QString>> texts);

} // namespace vireo::test
