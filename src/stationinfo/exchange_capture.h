#pragma once
// Auto-capture of the exchange: the six capture buttons hold the looked-up values in their
// captions ("CQ:16"); the checked one is copied into the number field of the side typed.

#include <QString>
#include <QStringList>

#include <optional>

namespace vireo::capture {

enum class Kind { CQ, ITU, RU, Loc, State, Deg };

// Caption tags of the buttons, in screen order CQ, ITU, RU, LOC, STATE, DEG.
QString tag(Kind kind);

// The order in which the copy step examines the buttons.
constexpr Kind CopyOrder[] = {Kind::CQ, Kind::ITU, Kind::State, Kind::Loc, Kind::RU, Kind::Deg};

// The value of a caption: the text after its first ":", cut to 2 characters for STATE and to
// 8 for the others.
QString valueOfCaption(Kind kind, const QString &caption);

// The value to copy, given which buttons are checked and their captions (both indexed by
// Kind); nothing when no button is checked.
struct Button {
    bool checked = false;
    QString caption;
};
std::optional<QString> copyValue(const Button (&buttons)[6]);

} // namespace vireo::capture
