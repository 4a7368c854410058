#include "entry/field_layout.h"

#include <QCoreApplication>

namespace vireo::layout {

namespace {
QRect at(int left, int top, int width)
{
    return QRect(left, top, width, FieldHeight);
}
} // namespace

FieldPlaces place(bool column, bool rst)
{
    FieldPlaces p;
    if (column) {
        p.call1 = at(148, 50, 175);
        p.rst1 = at(148, 78, 50);
        p.nr1 = at(199, 78, 124);
        p.call2 = at(325, 50, 175);
        p.rst2 = at(325, 78, 50);
        p.nr2 = at(376, 78, 124);
        if (!rst) {
            p.nr1 = at(148, 78, 175);
            p.nr2 = at(325, 78, 175);
        }
    } else {
        p.call1 = at(148, 50, 150);
        p.rst1 = at(299, 50, 50);
        p.nr1 = at(350, 50, 150);
        p.call2 = at(148, 78, 150);
        p.rst2 = at(299, 78, 50);
        p.nr2 = at(350, 78, 150);
        if (!rst) {
            p.nr1 = at(299, 50, 200);
            p.nr2 = at(299, 78, 200);
        }
    }
    p.reportsVisible = rst;
    return p;
}

QString menuCaption(bool column)
{
    return column ? QCoreApplication::translate("vireo::FieldLayout", "Установить окна ввода вертикально")
                  : QCoreApplication::translate("vireo::FieldLayout", "Установить окна ввода горизонтально");
}

} // namespace vireo::layout
