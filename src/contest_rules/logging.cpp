#include "contest_rules/logging.h"

namespace vireo {
Q_LOGGING_CATEGORY(lcContestRules, "vireo.contest_rules")
}
