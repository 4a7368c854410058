#include "app/language_choice.h"

#include "app/main_menu.h"
#include "app/tmain.h"
#include "base/interface_language.h"
#include "base/services.h"

#include <QAction>
#include <QCoreApplication>

namespace vireo {

void attachLanguageChoice(TMain &window, const MainMenu &menu, const QString &settingsPath, Prompts &prompts)
{
    const InterfaceLanguage saved = languageFromSettings(settingsPath);
    (saved == InterfaceLanguage::English ? menu.actLanguageEn : menu.actLanguageRu)->setChecked(true);
    const auto choose = [&window, &prompts, settingsPath](InterfaceLanguage language) {
        window.guard([&prompts, settingsPath, language] {
            if (languageFromSettings(settingsPath) == language)
                return;
            saveLanguageChoice(settingsPath, language);
            // Back to the language running now: nothing changes.
            if (language != currentInterfaceLanguage())
                prompts.information(QCoreApplication::translate(
                    "vireo::LanguageChoice", "Язык интерфейса сменится при следующем запуске Vireo."));
        });
    };
    QObject::connect(menu.actLanguageRu, &QAction::triggered, &window,
                     [choose] { choose(InterfaceLanguage::Russian); });
    QObject::connect(menu.actLanguageEn, &QAction::triggered, &window,
                     [choose] { choose(InterfaceLanguage::English); });
}

} // namespace vireo
