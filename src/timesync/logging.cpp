#include "timesync/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcTimeSync, "vireo.timesync")
}
