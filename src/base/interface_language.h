#pragma once
// The language of the interface: Russian (the texts as written in the code) or English (the
// translation built into the program). Chosen in section Main of settings.ini (Language=ru or
// Language=en, Russian when missing or unknown) and taken at start; report files, settings keys
// and the Cabrillo/ADIF keywords never change with it.

#include <QString>

class QCoreApplication;

namespace vireo {

enum class InterfaceLanguage { Russian, English };

InterfaceLanguage languageFromCode(const QString &code);
QString languageCode(InterfaceLanguage language);

// Reads Language from section Main of the settings file.
InterfaceLanguage languageFromSettings(const QString &settingsPath);

// Installs the translators of the language into the application: Vireo's own English texts for
// English, and Qt's own texts (file dialogs, Yes/No buttons) from Qt's translations folder, and
// makes the language's locale the default one, so numbers are grouped as the interface writes
// them. Returns the names of the translation files that were wanted but not found (the program
// goes on with the texts it has).
QStringList installTranslations(QCoreApplication &app, InterfaceLanguage language);

// The language installed at start (Russian until installTranslations is called): the manual
// of that language is the one opened.
InterfaceLanguage currentInterfaceLanguage();

// Keeps the listener's choice in section Main of the settings file, for the next start; throws
// vireo::Error when the file cannot be written.
void saveLanguageChoice(const QString &settingsPath, InterfaceLanguage language);

} // namespace vireo
