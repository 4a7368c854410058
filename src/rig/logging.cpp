#include "rig/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcRig, "vireo.rig")
}
