// Time synchronisation, about box and manual, opened from the main window's menus.

#include "app/tmain.h"

#include "about/taboutbox.h"
#include "timesync/tsntp.h"

namespace vireo {

void TMain::N14Click()
{
    if (windows.sntp)
        m_ctx.services.prompts->showModal(*windows.sntp);
}
void TMain::N5Click() {}
void TMain::N6Click()
{
    if (windows.about)
        m_ctx.services.prompts->showModal(*windows.about);
}

} // namespace vireo
