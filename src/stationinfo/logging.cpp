#include "stationinfo/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcStationInfo, "vireo.stationinfo")
}
