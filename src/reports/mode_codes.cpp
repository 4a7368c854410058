#include "reports/mode_codes.h"

namespace vireo::modes {

namespace {

struct Row {
    const char *code;
    const char *adifMode;
    const char *adifSubmode;
    bool keepCode;
    const char *cabrillo;
};

// The mode list of the entry panel first, then what a listener types or the radio writes.
const Row kRows[] = {
    {"CW", "CW", "", false, "CW"},
    {"PH", "SSB", "", false, "PH"},
    {"PS", "PSK", "PSK31", false, "DG"},
    {"PM", "PSK", "PSK63", false, "DG"},
    {"PO", "PSK", "PSK125", false, "DG"},
    {"RY", "RTTY", "", false, "RY"},
    {"AM", "TOR", "", false, "DG"}, // AMTOR
    {"AX", "PKT", "", false, "DG"},
    {"CO", "CONTESTI", "", false, "DG"},
    {"DO", "DOMINO", "", false, "DG"},
    {"FM", "FM", "", false, "FM"},
    {"HE", "HELL", "", false, "DG"},
    {"MF", "MFSK", "MFSK16", false, "DG"},
    {"OL", "OLIVIA", "", false, "DG"},
    {"PT", "PAC", "", false, "DG"},
    {"RM", "RTTYM", "", false, "DG"},
    {"TH", "THRB", "", false, "DG"},
    {"TV", "SSTV", "", false, "DG"},
    // Typed "SSB", "USB", "LSB", "RTTY".
    {"SS", "SSB", "", false, "PH"},
    {"US", "SSB", "USB", false, "PH"},
    {"LS", "SSB", "LSB", false, "PH"},
    {"RT", "RTTY", "", false, "RY"},
    // The radio's data mode ("DIG") and a typed "DG": ADIF has no mode for "some data mode";
    // RTTY, the data mode of contests, is the closest, and the code stays in the comment.
    {"DI", "RTTY", "", true, "DG"},
    {"DG", "RTTY", "", true, "DG"},
};

const Row *find(const QString &code)
{
    const QString c = code.trimmed().toUpper();
    for (const Row &r : kRows)
        if (c == QLatin1String(r.code))
            return &r;
    return nullptr;
}

} // namespace

AdifMode adifMode(const QString &code)
{
    const Row *r = find(code);
    if (!r)
        return {QString(), QString(), !code.trimmed().isEmpty()};
    return {QString::fromLatin1(r->adifMode), QString::fromLatin1(r->adifSubmode), r->keepCode};
}

QString adifModeComment(const QString &code)
{
    return adifMode(code).keepCode ? QStringLiteral("Vireo mode ") + code.trimmed() : QString();
}

QString cabrilloMode(const QString &code)
{
    const Row *r = find(code);
    return r ? QString::fromLatin1(r->cabrillo) : QStringLiteral("DG");
}

} // namespace vireo::modes
