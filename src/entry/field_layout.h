#pragma once
// Where the six station fields of the entry panel stand, in the column layout (each station's
// fields one above the other, side by side) or the row layout (one row per station).

#include <QRect>
#include <QString>

namespace vireo::layout {

struct FieldPlaces {
    QRect call1, rst1, nr1, call2, rst2, nr2;
    bool reportsVisible = true;
};

constexpr int FieldHeight = 28;

FieldPlaces place(bool columnLayout, bool rstChecked);

// Caption of the menu item that switches the layout.
QString menuCaption(bool columnLayout);

} // namespace vireo::layout
