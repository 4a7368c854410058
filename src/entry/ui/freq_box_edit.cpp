#include "entry/ui/freq_box_edit.h"

#include <QKeyEvent>

namespace vireo {

FreqBoxEdit::FreqBoxEdit(QWidget *parent) : QLineEdit(parent) {}

void FreqBoxEdit::keyPressEvent(QKeyEvent *event)
{
    const QString before = text();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    m_typing = true;
    QLineEdit::keyPressEvent(event);
    m_typing = false;
    if (enter) {
        m_proposing = false;
        emit typed(text());
        return;
    }
    // A completion is the selected tail the box added after the cursor. Typing the next digit of
    // a proposal leaves the whole text as it was and shortens only the proposed tail.
    const bool proposing = hasSelectedText() && selectionStart() + selectedText().size() == text().size();
    const QString typedText = proposing ? text().left(selectionStart()) : text();
    if (text() == before && proposing == m_proposing && typedText == m_typedText)
        return;
    m_proposing = proposing;
    m_typedText = typedText;
    emit typed(typedText);
}

void FreqBoxEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Leaving the box accepts what it shows, a completion included.
    if (m_proposing) {
        m_proposing = false;
        emit typed(text());
    }
}

} // namespace vireo
