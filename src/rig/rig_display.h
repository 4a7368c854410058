#pragma once
// What the main window shows of the two radios: mode texts, the frequency text and the
// decisions of a parameter refresh and a radio switch. No widgets here; the window applies
// the result to its frequency and mode boxes.

#include <QString>
#include <QStringList>

#include <optional>

namespace vireo::rig {

// The mode bit for a mode name as rigctld reports it ("CW", "PKTUSB", ...); 0 when unknown.
quint32 modeBitFromName(const QString &name);

// "CW", "PH", "DIG" for the mode bits, "UN" for anything else.
QString modeText(quint32 modeBit);

// Hertz as whole kilohertz (halves up) with a blank before the last three digits:
// 14025500 -> "14 026", 3512000 -> "3 512". Below 1 MHz there is nothing before the blank, and
// the text is just the kilohertz ("512"), so it still reads as a number.
QString frequencyText(qint64 hz);

struct RadioState {
    bool online = false;
    qint64 hz = 0;
    quint32 mode = 0;
};

// Texts to put into the frequency and mode boxes; an empty optional leaves a box as it is.
struct DisplayUpdate {
    std::optional<QString> freq;
    std::optional<QString> mode;
};

// After a parameter notification. selected is the radio whose button is down (1 or 2).
// The mode box takes over only CW and phone, and only when its text differs.
DisplayUpdate paramsRefresh(const RadioState &r1, const RadioState &r2, int selected, const QString &currentModeText);

// After the listener chose a radio: the radio's mode is taken over whatever it is.
DisplayUpdate radioSwitch(const RadioState &r1, const RadioState &r2, int selected);

// The rig-server command of the settings split into program and arguments, with the usual
// quoting ("..." keeps blanks). Empty when the command is blank or its quotes do not close.
QStringList splitCommand(const QString &command);

} // namespace vireo::rig
