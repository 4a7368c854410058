#pragma once
// The character filter of the six station fields: calls, reports and numbers are typed in
// Latin capitals, digits and a few signs, whatever the keyboard layout.

#include <QChar>
#include <QString>

namespace vireo::keyfilter {

// What a typed character becomes: itself, its replacement, or a null QChar when it is discarded.
//   backspace, Enter and blank                  unchanged
//   % & ' (  digits  A..Z                       unchanged
//   a..z                                        the capital letter
//   full stop, slash, backslash                 slash
//   Russian letters (either case)               the Latin capital on the same key of the Russian
//                                               layout (Ф -> A, И -> B, ...); Х Ъ Ж Э Б Ю Ё discarded
//   anything else                               discarded
QChar filterChar(QChar c);

// Every character of a text through filterChar; discarded ones are left out. Control characters
// (backspace and Enter included) are left out too: inserted text has no use for them.
QString filterText(const QString &text);

// A field's text changed from `before` to `after` by something other than a typed key (a paste,
// a drop). Only the inserted part is filtered: what was already in the field stays as it was.
// Returns the text the field should hold and sets `cursor` to the end of the inserted part.
QString filterInserted(const QString &before, const QString &after, int &cursor);

} // namespace vireo::keyfilter
