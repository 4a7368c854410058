#include "support/ui/typing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtTest>

namespace vireo::test {

QWidget *focused()
{
    return QApplication::focusWidget();
}

void type(const QString &text)
{
    for (const QChar c : text) {
        QWidget *w = focused();
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(focused(), key, modifiers);
}

void typeKeys(const QString &text)
{
    for (const QChar c : text) {
        QWidget *target = focused();
        QVERIFY(target);
        QTest::keyClick(target, c.toLatin1());
    }
}

void clearAndType(QLineEdit *field, const QString &text)
{
    field->clear();
    QTest::keyClicks(field, text);
}

void typeOver(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

QLineEdit *lineEdit(const QWidget &root, const char *name)
{
    auto *field = root.findChild<QLineEdit *>(QLatin1String(name));
    [&] { QVERIFY2(field, name); }();
    return field;
}

void fill(const QWidget &root, std::initializer_list<std::pair<const char *, QString>> texts)
{
    for (const auto &[name, text] : texts)
        if (QLineEdit *field = lineEdit(root, name))
            field->setText(text);
}

} // namespace vireo::test
