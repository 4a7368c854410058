#pragma once
// The seams as the program really uses them: Qt's message boxes and file dialogs, the system
// clock, the desktop's handlers and Hamlib's rigctld.

#include "base/services.h"

namespace vireo {

// settingsPath is where the rig-control section is read from when rig control starts.
Services realServices(const QString &settingsPath);

} // namespace vireo
