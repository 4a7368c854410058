#pragma once
// The two-letter mode codes of the log as the report formats name them: ADIF's mode and
// submode enumeration, and the five modes of a Cabrillo QSO line. One table for both.

#include <QString>

namespace vireo::modes {

// An ADIF mode of the enumeration, with its submode where the code names one. A code ADIF has
// no mode for gets the closest mode and keepCode set, so the code itself goes into a comment;
// a code nothing is known about gets an empty mode (the field stays empty, never invalid).
struct AdifMode {
    QString mode;
    QString submode;
    bool keepCode = false;
};

// The code as stored (surrounding blanks and letter case do not matter).
AdifMode adifMode(const QString &code);

// The comment that carries a code ADIF cannot name, or an empty text.
QString adifModeComment(const QString &code);

// CW, PH, FM, RY or DG: "PH" and the typed "SS", "US", "LS" as PH, "RY" and "RT" as RY, every
// other code (the list's digital modes, the radio's "DI", anything typed) as DG.
QString cabrilloMode(const QString &code);

} // namespace vireo::modes
