#include "app/tmain.h"

namespace vireo {

void TMain::connectCheckHandlers()
{
}

} // namespace vireo
