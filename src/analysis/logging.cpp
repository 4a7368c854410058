#include "analysis/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcAnalysis, "vireo.analysis")
}
