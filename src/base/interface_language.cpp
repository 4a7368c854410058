#include "base/interface_language.h"

#include "base/ini_file.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vireo {

InterfaceLanguage languageFromCode(const QString &code)
{
    return code.trimmed().compare(QLatin1String("en"), Qt::CaseInsensitive) == 0 ? InterfaceLanguage::English
                                                                                 : InterfaceLanguage::Russian;
}

QString languageCode(InterfaceLanguage language)
{
    return language == InterfaceLanguage::English ? QStringLiteral("en") : QStringLiteral("ru");
}

InterfaceLanguage languageFromSettings(const QString &settingsPath)
{
    return languageFromCode(
        IniFile(settingsPath).readString(QStringLiteral("Main"), QStringLiteral("Language"), QString()));
}

namespace {
InterfaceLanguage g_current = InterfaceLanguage::Russian;
}

InterfaceLanguage currentInterfaceLanguage()
{
    return g_current;
}

void saveLanguageChoice(const QString &settingsPath, InterfaceLanguage language)
{
    IniFile(settingsPath).writeString(QStringLiteral("Main"), QStringLiteral("Language"), languageCode(language));
}

QStringList installTranslations(QCoreApplication &app, InterfaceLanguage language)
{
    g_current = language;
    QStringList missing;
    const QLocale locale(language == InterfaceLanguage::English ? QLocale::English : QLocale::Russian,
                         language == InterfaceLanguage::English ? QLocale::UnitedStates : QLocale::Russia);
    QLocale::setDefault(locale);
    // Qt's own texts: Russian from Qt's translations folder; Qt's source texts are English.
    if (language == InterfaceLanguage::Russian) {
        auto *qt = new QTranslator(&app);
        if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else {
            missing << QStringLiteral("qtbase_ru.qm");
            delete qt;
        }
    }
    // Vireo's own texts are written in Russian; English comes from the translation built in.
    if (language == InterfaceLanguage::English) {
        auto *own = new QTranslator(&app);
        if (own->load(QStringLiteral(":/i18n/vireo_en.qm")))
            QCoreApplication::installTranslator(own);
        else {
            missing << QStringLiteral("vireo_en.qm");
            delete own;
        }
    }
    return missing;
}

} // namespace vireo
