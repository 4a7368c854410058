#include "app/tmain.h"

namespace vireo {

void TMain::connectStatsHandlers()
{
}

} // namespace vireo
