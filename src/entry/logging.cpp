#include "entry/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcEntry, "vireo.entry")
}
