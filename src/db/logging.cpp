#include "db/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcDb, "vireo.db")
}
