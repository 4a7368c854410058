#include "app/app_folders_setup.h"

#include "base/error.h"
#include "base/services.h"
#include "db/log_backup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vireo {

void enterAppFolders(const AppFolders &folders)
{
    if (!folders.installed)
        return;
    for (const QString &dir : {QFileInfo(folders.settingsPath).absolutePath(), folders.workingDir})
        if (!QDir().mkpath(dir))
            throw Error(QCoreApplication::translate("vireo::AppFolders",
                                                    "Не удалось создать папку %1. Проверьте права на домашнюю папку.")
                            .arg(QDir::toNativeSeparators(dir)));
    if (!QDir::setCurrent(folders.workingDir))
        throw Error(QCoreApplication::translate("vireo::AppFolders", "Не удалось перейти в папку %1.")
                        .arg(QDir::toNativeSeparators(folders.workingDir)));
}

bool offerLegacyLog(const AppFolders &folders, Prompts &prompts)
{
    if (!folders.installed || folders.legacyLogPath.isEmpty() || !QFileInfo(folders.legacyLogPath).isFile()
        || QFileInfo::exists(folders.databasePath))
        return false;
    QString count;
    try {
        count = QStringLiteral(" (QSO: %1)").arg(logbackup::qsoCount(folders.legacyLogPath));
    } catch (const Error &) {
        // The copy checks the file and says what is wrong with it.
    }
    const QString question =
        QCoreApplication::translate("vireo::AppFolders",
                                    "Найден журнал Vireo, собранного в папку: %1%2.\n"
                                    "Перенести его в журнал этой установки (%3)? Прежний файл останется на месте.")
            .arg(QDir::toNativeSeparators(folders.legacyLogPath), count,
                 QDir::toNativeSeparators(folders.databasePath));
    if (!prompts.askYesNo(question))
        return false;
    try {
        logbackup::copyInto(folders.legacyLogPath, folders.databasePath);
    } catch (const Error &e) {
        prompts.error(QStringLiteral("Vireo"),
                      e.text() + QCoreApplication::translate("vireo::AppFolders", "\nПрограмма начнёт новый журнал."));
        return false;
    }
    return true;
}

} // namespace vireo
