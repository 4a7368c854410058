#pragma once
// The QSL message settings of the ADIF export, held by the main window.

#include <QString>

namespace vireo {

struct QslMessage {
    bool standard = false; // "You worked with " + the worked station's call
    QString ownText; // the listener's own message when not standard
};

} // namespace vireo
