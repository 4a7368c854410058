#include "base/beside_main_window.h"

#include <algorithm>
#include <vector>

namespace vireo {

namespace {

bool clearOf(const QRect &r, const QList<QRect> &others)
{
    return std::none_of(others.begin(), others.end(), [&r](const QRect &o) { return r.intersects(o); });
}

// Positions along one side of the main window: its start, then just past each taken window;
// each moved back so that the window ends on the screen.
std::vector<int> along(int start, int length, int screenStart, int screenEnd, const std::vector<int> &pastTaken)
{
    std::vector<int> out;
    auto add = [&](int p) {
        p = std::min(p, screenEnd - length + 1);
        p = std::max(p, screenStart);
        if (std::find(out.begin(), out.end(), p) == out.end())
            out.push_back(p);
    };
    add(start);
    for (int p : pastTaken)
        add(p);
    return out;
}

} // namespace

QPoint placeBesideMainWindow(const QSize &frame, const BesideMainWindow &around)
{
    const QRect &screen = around.screen;
    const QRect &main = around.main;
    const int gap = around.gap;
    std::vector<int> belowTaken, rightOfTaken;
    for (const QRect &t : around.taken) {
        belowTaken.push_back(t.bottom() + 1 + gap);
        rightOfTaken.push_back(t.right() + 1 + gap);
    }
    std::sort(belowTaken.begin(), belowTaken.end());
    std::sort(rightOfTaken.begin(), rightOfTaken.end());

    // Each side: the fixed coordinate and whether the side is a column (positions run down).
    struct Side {
        int fixed;
        bool column;
    };
    const Side sides[] = {
        {main.right() + 1 + gap, true}, // right
        {main.bottom() + 1 + gap, false}, // below
        {main.left() - gap - frame.width(), true}, // left
        {main.top() - gap - frame.height(), false} // above
    };
    for (const bool avoidTaken : {true, false}) {
        for (const Side &side : sides) {
            const std::vector<int> positions =
                side.column ? along(main.top(), frame.height(), screen.top(), screen.bottom(), belowTaken)
                            : along(main.left(), frame.width(), screen.left(), screen.right(), rightOfTaken);
            for (int p : positions) {
                const QRect r = side.column ? QRect(QPoint(side.fixed, p), frame) : QRect(QPoint(p, side.fixed), frame);
                if (!screen.contains(r) || r.intersects(around.entryPanel))
                    continue;
                if (avoidTaken && !clearOf(r, around.taken))
                    continue;
                return r.topLeft();
            }
        }
    }

    // No room beside the main window: at the screen's right edge, above the entry panel if the
    // window fits there, else below it.
    QRect r(QPoint(screen.right() - frame.width() + 1, screen.top()), frame);
    if (r.intersects(around.entryPanel)) {
        const int above = around.entryPanel.top() - gap - frame.height();
        const int below = around.entryPanel.bottom() + 1 + gap;
        if (above >= screen.top())
            r.moveTop(above);
        else if (below + frame.height() - 1 <= screen.bottom())
            r.moveTop(below);
    }
    r.moveLeft(std::max(r.left(), screen.left()));
    return r.topLeft();
}

} // namespace vireo
