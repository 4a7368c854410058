#pragma once
// What the log check reads from the program's stores: the record count, the tours of the
// schedule, the contest calls the partial check uses, and what the chosen contest rules ask.

#include "analysis/ui/tlogcheck.h"

namespace vireo {

class QsoStore;
class TourStore;
namespace rules {
class RulesTracker;
}

// With contest rules (rules not null), the pause for a pair is the longest pause the rules ask
// for, and the records they refuse are listed with the reason.
TLogCheck::Sources logCheckSources(QsoStore &qsos, TourStore &tours, const rules::RulesTracker *rules);

} // namespace vireo
