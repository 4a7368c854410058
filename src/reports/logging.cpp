#include "reports/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcReports, "vireo.reports")
}
