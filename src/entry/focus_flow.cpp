#include "entry/focus_flow.h"

namespace vireo::focusflow {

namespace {

Move to(Field f, bool placement = false)
{
    return Move{f, placement};
}

// The report field if reports are shown, else the number field (without placement).
Move reportOr(Field report, Field number, bool reportsShown)
{
    return to(reportsShown ? report : number);
}

std::optional<Move> column(Field from, Key key, bool rst)
{
    switch (from) {
    case Field::Call1:
        if (key == Key::Enter || key == Key::Esc)
            return to(Field::Call2);
        if (key == Key::Down)
            return reportOr(Field::Rst1, Field::Nr1, rst);
        break;
    case Field::Rst1:
        if (key == Key::Enter)
            return to(Field::Nr1, true);
        if (key == Key::Up)
            return to(Field::Call1);
        break;
    case Field::Nr1:
        if (key == Key::Enter)
            return reportOr(Field::Rst2, Field::Nr2, rst);
        if (key == Key::Up)
            return to(Field::Call1);
        if (key == Key::Esc)
            return to(Field::Nr2);
        break;
    case Field::Call2:
        if (key == Key::Enter)
            return reportOr(Field::Rst1, Field::Nr1, rst);
        if (key == Key::Down)
            return reportOr(Field::Rst2, Field::Nr2, rst);
        if (key == Key::Esc)
            return to(Field::Call1);
        break;
    case Field::Rst2:
        if (key == Key::Enter)
            return to(Field::Nr2, true);
        if (key == Key::Up)
            return to(Field::Call2);
        break;
    case Field::Nr2:
        if (key == Key::Enter)
            return to(Field::OkButton);
        if (key == Key::Up)
            return to(Field::Call2);
        if (key == Key::Esc)
            return to(Field::Nr1);
        break;
    case Field::OkButton:
        break;
    }
    return std::nullopt;
}

std::optional<Move> row(Field from, Key key, bool rst)
{
    switch (from) {
    case Field::Call1:
        if (key == Key::Enter)
            return rst ? to(Field::Rst1) : to(Field::Nr1, true);
        if (key == Key::Down)
            return to(Field::Call2);
        if (key == Key::Esc)
            return to(Field::Nr1);
        break;
    case Field::Rst1:
        if (key == Key::Enter)
            return to(Field::Nr1, true);
        break;
    case Field::Nr1:
        if (key == Key::Enter)
            return to(Field::Call2);
        if (key == Key::Down)
            return to(Field::Nr2);
        if (key == Key::Esc)
            return to(Field::Call1);
        break;
    case Field::Call2:
        if (key == Key::Enter)
            return rst ? to(Field::Rst2) : to(Field::Nr2, true);
        if (key == Key::Up)
            return to(Field::Call1);
        if (key == Key::Esc)
            return to(Field::Nr2);
        break;
    case Field::Rst2:
        if (key == Key::Enter)
            return to(Field::Nr2, true);
        if (key == Key::Up)
            return to(Field::Rst1);
        break;
    case Field::Nr2:
        if (key == Key::Enter)
            return to(Field::OkButton);
        if (key == Key::Up)
            return to(Field::Nr1);
        if (key == Key::Esc)
            return to(Field::Call2);
        break;
    case Field::OkButton:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<Move> next(Field from, Key key, bool columnLayout, bool reportsShown)
{
    return columnLayout ? column(from, key, reportsShown) : row(from, key, reportsShown);
}

bool savesOnCtrlEnter(Field field)
{
    return field == Field::Call1 || field == Field::Nr1 || field == Field::Call2 || field == Field::Nr2;
}

bool savesBeforeMove(Field field)
{
    return field == Field::Call1;
}

Placement placeCursor(const QString &text, bool right)
{
    const QString t = text.trimmed();
    if (right)
        return {t + QLatin1Char(' '), int(t.size()) + 1};
    return {QLatin1Char(' ') + t, 0};
}

bool selectsAllOnFocus(Qt::FocusReason reason)
{
    return reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace vireo::focusflow
