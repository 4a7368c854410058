#pragma once
// What the log check reads from the program's stores: the record count, the tours of the
// schedule, and the contest calls the partial check uses.

#include "analysis/ui/tlogcheck.h"

namespace vireo {

class QsoStore;
class TourStore;

TLogCheck::Sources logCheckSources(QsoStore &qsos, TourStore &tours);

} // namespace vireo
