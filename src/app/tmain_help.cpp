// Time synchronisation, about box and manual, opened from the main window's menus.

#include "app/tmain.h"

#include "about/taboutbox.h"
#include "timesync/tsntp.h"

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
    // The manual lies with the program's shipped files: in the folder a copy was installed into
    // and started in, or in <prefix>/share/vireo for an installed package.
    const QDir folder = m_ctx.sharedDataDir.isEmpty() ? QDir::current() : QDir(m_ctx.sharedDataDir);
    const QString path = folder.absoluteFilePath(QStringLiteral("manual.pdf"));
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
