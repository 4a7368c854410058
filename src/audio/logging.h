#pragma once
// The logging category of this folder, "vireo.audio" (see base/logging.h).

#include <QLoggingCategory>

namespace vireo {
Q_DECLARE_LOGGING_CATEGORY(lcAudio)
}
