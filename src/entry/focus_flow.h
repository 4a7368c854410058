#pragma once
// Where Enter, the arrows and Esc move the focus among the six station fields, in the column
// layout (each station's fields one above the other) and the row layout (one row per station).

#include <QString>
#include <Qt>

#include <optional>

namespace vireo::focusflow {

enum class Field { Call1, Rst1, Nr1, Call2, Rst2, Nr2, OkButton };
enum class Key { Enter, Up, Down, Esc };

struct Move {
    Field target;
    // Number fields reached "with placement" get the cursor-side blank (see placeCursor).
    bool placement = false;

    bool operator==(const Move &o) const { return target == o.target && placement == o.placement; }
};

// The move for a key in a field; nothing when the key has no special meaning there.
// reportsShown: the "RST" box is checked (report fields shown and visited).
std::optional<Move> next(Field from, Key key, bool columnLayout, bool reportsShown);

// Ctrl+Enter saves in the call and number fields, not in the report fields.
bool savesOnCtrlEnter(Field field);
// In the heard call field the save comes before the focus move; elsewhere after it.
bool savesBeforeMove(Field field);

// An entry field that gets the focus from the program or the keyboard has its whole text
// selected, so that what is typed replaces it; a click places the caret, and a window or menu
// that gives the focus back leaves the field as it was.
bool selectsAllOnFocus(Qt::FocusReason reason);

// Cursor placement into a number field: the text with a blank on the cursor side, so that what is
// typed next stays apart from what is there already.
struct Placement {
    QString text;
    int cursor = 0;
};
Placement placeCursor(const QString &text, bool right);

} // namespace vireo::focusflow
