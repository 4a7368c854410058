#include "app/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcApp, "vireo.app")
}
