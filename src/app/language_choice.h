#pragma once
// "Установки" → "Язык интерфейса": the listener's choice of Russian or English, kept in the
// settings and taken at the next start (every window is built with its texts then).

#include <QString>

namespace vireo {

struct MainMenu;
class Prompts;
class TMain;

// Checks the language the settings hold and keeps a new choice there, telling the listener
// when it takes effect.
void attachLanguageChoice(TMain &window, const MainMenu &menu, const QString &settingsPath, Prompts &prompts);

} // namespace vireo
