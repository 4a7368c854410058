#include "about/ui/manual_link.h"

#include "base/interface_language.h"
#include "base/services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace vireo {

void openManual(const AppContext &context)
{
    Prompts &prompts = *context.services.prompts;
    // The manual lies with the program's shipped files: in the folder a copy was installed into
    // and started in, or in <prefix>/share/vireo for an installed package.
    const QDir folder = context.sharedDataDir.isEmpty() ? QDir::current() : QDir(context.sharedDataDir);
    // The English edition, manual-en.pdf, goes with the English interface.
    const QString name = currentInterfaceLanguage() == InterfaceLanguage::English ? QStringLiteral("manual-en.pdf")
                                                                                  : QStringLiteral("manual.pdf");
    const QString path = folder.absoluteFilePath(name);
    if (!QFileInfo::exists(path)) {
        prompts.warning(QCoreApplication::translate("vireo::ManualLink",
                                                    "Руководство пользователя не найдено: нет файла %1.\n"
                                                    "Переустановите программу, чтобы вернуть его.")
                            .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!context.services.shell->openUrl(QUrl::fromLocalFile(path)))
        prompts.warning(QCoreApplication::translate("vireo::ManualLink",
                                                    "Не удалось открыть руководство пользователя %1.\n"
                                                    "Установите программу для просмотра файлов PDF.")
                            .arg(QDir::toNativeSeparators(path)));
}

} // namespace vireo
