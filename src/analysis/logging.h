#pragma once
// The logging category of this folder, "vireo.analysis" (see base/logging.h).

#include <QLoggingCategory>

namespace vireo {
Q_DECLARE_LOGGING_CATEGORY(lcAnalysis)
}
