// Report files of the main window: Cabrillo, ADIF and the logger file.

#include "app/tmain.h"

namespace vireo {

void TMain::cbr2Click() {}
void TMain::ADIF1Click() {}
void TMain::ADIF2Click() {}
void TMain::SCL1Click() {}
void TMain::SCL2Click() {}
void TMain::ExportAdif() {}
void TMain::ExportLoggerFile() {}
void TMain::ImportLoggerFile() {}

} // namespace vireo
