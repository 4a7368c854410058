// Time synchronisation, about box and manual, opened from the main window's menus.

#include "app/tmain.h"

#include "about/ui/taboutbox.h"
#include "timesync/ui/tsntp.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace vireo {

void TMain::N14Click()
{
    if (windows.sntp)
        m_ctx.services.prompts->showModal(*windows.sntp);
}
void TMain::N5Click()
{
    // The manual lies in the working directory, where the program is installed and started.
    const QString path = QDir::current().absoluteFilePath(QStringLiteral("manual.pdf"));
    if (!QFileInfo::exists(path)) {
        m_ctx.services.prompts->warning(QStringLiteral("Руководство пользователя не найдено: нет файла %1.\n"
                                                       "Переустановите программу, чтобы вернуть его.")
                                            .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!m_ctx.services.shell->openUrl(QUrl::fromLocalFile(path)))
        m_ctx.services.prompts->warning(QStringLiteral("Не удалось открыть руководство пользователя %1.\n"
                                                       "Установите программу для просмотра файлов PDF.")
                                            .arg(QDir::toNativeSeparators(path)));
}
void TMain::N6Click()
{
    if (windows.about)
        m_ctx.services.prompts->showModal(*windows.about);
}

} // namespace vireo
