#pragma once
// Why a radio that Vireo runs is not on line, in plain Russian: the causes a listener can act on,
// found from the serial device, from the start of rigctld and from what rigctld writes.

#include <QString>

namespace vireo::rig {

enum class RigProblem {
    None,
    NotInstalled, // rigctld cannot be started
    NoDevice, // the serial device does not exist
    NoPermission, // the serial device may not be opened by this user
    DeviceBusy, // another program holds the serial device
    NoAnswer, // rigctld runs, the radio does not answer
    Exited, // rigctld ended by itself
};

// The cause an errno from opening a serial device stands for (ENOENT, ENODEV, ENXIO: no device;
// EACCES, EPERM: no permission; EBUSY: busy). Any other non-zero errno counts as no answer: the
// device is there but does not work.
RigProblem problemFromErrno(int err);

// The cause told by rigctld's own messages (run with "-vv" and LC_ALL=C): "Unable to open DEV -
// Permission denied", "... No such file or directory", "... Device or resource busy",
// "Communication timed out". None when the text says none of these.
RigProblem problemFromLog(const QString &log);

// One or more lines for the message box and the set-up window, naming the device where it
// matters; the permission text carries the command that adds the user to group dialout.
QString problemText(RigProblem problem, const QString &device);

// A few words for the status bar panel of the radio.
QString problemShort(RigProblem problem);

// The command that gives the user the right to use serial ports.
inline QString dialoutCommand()
{
    return QStringLiteral("sudo usermod -aG dialout $USER");
}

} // namespace vireo::rig
