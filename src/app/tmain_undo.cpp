#include "app/tmain.h"

namespace vireo {

void TMain::connectUndoHandlers()
{
}

} // namespace vireo
