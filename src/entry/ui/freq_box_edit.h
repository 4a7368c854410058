#pragma once
// The text field of the frequency box. While the listener types, the box completes the text with
// the first list entry that starts with it and selects the completed part; this field tells what
// was typed from what the box proposed.

#include <QLineEdit>

namespace vireo {

class FreqBoxEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FreqBoxEdit(QWidget *parent = nullptr);

    // True while a key press is being handled, the completion it brings included.
    bool typing() const { return m_typing; }

signals:
    // After each key press that changed the text or accepted it: the text the listener typed
    // (without a proposed completion), or the whole text when Enter accepted it.
    void typed(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_typing = false;
    bool m_proposing = false; // the text shows a completion the listener has not accepted yet
    QString m_typedText;
};

} // namespace vireo
