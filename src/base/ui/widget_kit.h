#pragma once
// The small tools the main window's panels build their controls with: a control named and placed
// in one call, the condensed face of the interface font, and the entry colours (the field
// backgrounds that tell the listener which mode the entry line is in).

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QRect>
#include <QWidget>

namespace vireo::kit {

// A new control of type W under parent, with its objectName and geometry.
template <typename W>
W *make(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

inline QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *l = make<QLabel>(parent, name, geometry);
    l->setText(text);
    return l;
}

// The condensed face of the interface font, for the small panels.
inline QFont narrowFont(int pixels)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setStretch(QFont::Condensed);
    return f;
}

// The monospaced face of the grid and the capture buttons.
inline QFont monoFont(int pixels)
{
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(pixels);
    return f;
}

// The entry colours: a field's own background, manual entry, the top strip, edit mode.
inline QColor windowColour()
{
    return QApplication::palette().color(QPalette::Base);
}
inline QColor lightGreen()
{
    return QColor(192, 220, 192);
}
inline QColor silver()
{
    return QColor(192, 192, 192);
}
inline QColor yellow()
{
    return QColor(255, 255, 0);
}

inline void setBackground(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

inline QColor background(const QWidget *w)
{
    return w->palette().color(QPalette::Base);
}

} // namespace vireo::kit
