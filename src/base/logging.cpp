#include "base/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcBase, "vireo.base")
}
