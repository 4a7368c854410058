#pragma once
// Where a secondary window goes when it first opens in a run without a stored place: beside the
// main window, so that it never hides the entry panel the listener types in.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace vireo {

struct BesideMainWindow {
    QRect screen; // the screen's area free for windows
    QRect main; // the main window with its frame
    QRect entryPanel; // the entry panel, in screen coordinates
    QList<QRect> taken; // other secondary windows open now, with their frames
    int gap = 4; // pixels between windows
};

// The top-left corner for a window of the given frame size. In order of preference: right of
// the main window, below it, left of it, above it, each first where no other secondary window
// is and then over them; the window is moved along the main window's edge to stay on the
// screen. On a screen with room for none of these it goes to the right edge of the screen, kept
// clear of the entry panel as far as the screen's height allows.
QPoint placeBesideMainWindow(const QSize &frame, const BesideMainWindow &around);

} // namespace vireo
