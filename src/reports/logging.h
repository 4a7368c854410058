#pragma once
// The logging category of this folder, "vireo.reports" (see base/logging.h).

#include <QLoggingCategory>

namespace vireo {
Q_DECLARE_LOGGING_CATEGORY(lcReports)
}
