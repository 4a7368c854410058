// Time synchronisation, about box and manual, opened from the main window's menus.

#include "app/tmain.h"

namespace vireo {

void TMain::N14Click() {}
void TMain::N5Click() {}
void TMain::N6Click() {}

} // namespace vireo
