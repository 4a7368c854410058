// Station information and the duplicate check of the main window.

#include "app/tmain.h"

namespace vireo {

void TMain::connectStationHandlers() {}
void TMain::edCall1Change() {}
void TMain::edCall2Change() {}
void TMain::ShowInfoCall() {}
void TMain::ClearTerr() {}
void TMain::ColorRbInfo() {}
void TMain::Button1Click() {}
void TMain::N17Click() {}

} // namespace vireo
