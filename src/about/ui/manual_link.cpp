#include "about/ui/manual_link.h"

#include "base/services.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace vireo {

void openManual(const AppContext &context)
{
    Prompts &prompts = *context.services.prompts;
    const QString path = QDir::current().absoluteFilePath(QStringLiteral("manual.pdf"));
    if (!QFileInfo::exists(path)) {
        prompts.warning(QStringLiteral("Руководство пользователя не найдено: нет файла %1.\n"
                                       "Переустановите программу, чтобы вернуть его.")
                            .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!context.services.shell->openUrl(QUrl::fromLocalFile(path)))
        prompts.warning(QStringLiteral("Не удалось открыть руководство пользователя %1.\n"
                                       "Установите программу для просмотра файлов PDF.")
                            .arg(QDir::toNativeSeparators(path)));
}

} // namespace vireo
