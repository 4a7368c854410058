#include "app/tmain.h"

namespace vireo {

void TMain::connectScpHandlers()
{
}

} // namespace vireo
