#pragma once
// The logging category of the band map.

#include <QLoggingCategory>

namespace vireo {
Q_DECLARE_LOGGING_CATEGORY(lcBandMap)
}
