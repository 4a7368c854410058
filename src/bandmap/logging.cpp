#include "bandmap/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcBandMap, "vireo.bandmap")
}
