#include "contest/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcContest, "vireo.contest")
}
