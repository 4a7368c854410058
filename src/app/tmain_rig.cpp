// Rig control of the main window.

#include "app/tmain.h"

#include "rig/rig_server.h"

namespace vireo {

void TMain::connectRigHandlers() {}
void TMain::CreateRigControl() {}
void TMain::KillRigControl() { m_rig.reset(); }
void TMain::RigTypeChangeEvent(int) {}
void TMain::StatusChangeEvent(int) {}
void TMain::ParamsChangeEvent(int, int) {}
void TMain::btRdaio1Click() { numRadio = QStringLiteral("1"); }
void TMain::btRdaio2Click() { numRadio = QStringLiteral("2"); }
void TMain::CAT1Click() {}
bool TMain::selectedRadioOnline() const { return false; }

} // namespace vireo
