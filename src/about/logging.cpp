#include "about/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcAbout, "vireo.about")
}
