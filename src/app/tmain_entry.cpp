// Entry line of the main window: saving, keyboard flow, editing and deleting.

#include "app/tmain.h"

#include <QKeyEvent>

namespace vireo {

void TMain::connectEntryHandlers() {}
bool TMain::entryKeyPress(QObject *, QKeyEvent *) { return false; }
void TMain::SaveQso() {}
void TMain::btSaveClick() {}
void TMain::btCopySaveClick() {}
void TMain::chCopyClick() {}
void TMain::BitBtn1Click() {}
void TMain::BitBtn2Click() {}
void TMain::edRst2Change() {}
void TMain::chRstClick() {}
void TMain::chLRClick() {}
void TMain::N12Click() {}
void TMain::btEditSaveClick() {}
void TMain::N13Click() {}
void TMain::N7Click() {}
bool TMain::editMode() const { return false; }

} // namespace vireo
