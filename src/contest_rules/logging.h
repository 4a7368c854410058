#pragma once
// The logging category of this folder, "vireo.contest_rules" (see base/logging.h).

#include <QLoggingCategory>

namespace vireo {
Q_DECLARE_LOGGING_CATEGORY(lcContestRules)
}
