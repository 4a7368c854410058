// Report files of the main window: Cabrillo, ADIF and the logger file.

#include "app/tmain.h"

#include "reports/tcomentadif.h"
#include "reports/tfmcabrillo.h"

namespace vireo {

void TMain::cbr2Click()
{
    if (windows.cabrillo)
        m_ctx.services.prompts->showModal(*windows.cabrillo);
}
void TMain::ADIF1Click() {}
void TMain::ADIF2Click()
{
    if (windows.coment)
        m_ctx.services.prompts->showModal(*windows.coment);
}
void TMain::SCL1Click() {}
void TMain::SCL2Click() {}
void TMain::ExportAdif() {}
void TMain::ExportLoggerFile() {}
void TMain::ImportLoggerFile() {}

} // namespace vireo
