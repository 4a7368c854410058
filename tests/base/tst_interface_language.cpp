// The interface language: read from the settings, Qt's own texts in Russian, numbers grouped as
// the language does.

#include "base/interface_language.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

using namespace vireo;

class TestInterfaceLanguage : public QObject {
    Q_OBJECT
private slots:
    void theSettingChoosesAndRussianIsTheDefault()
    {
        QTemporaryDir t;
        const QString ini = t.filePath("settings.ini");
        QCOMPARE(languageFromSettings(ini), InterfaceLanguage::Russian); // no file
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Main]\r\nLanguage= EN \r\n");
        f.close();
        QCOMPARE(languageFromSettings(ini), InterfaceLanguage::English);
        QCOMPARE(languageFromCode("ru"), InterfaceLanguage::Russian);
        QCOMPARE(languageFromCode("de"), InterfaceLanguage::Russian);
        QCOMPARE(languageCode(InterfaceLanguage::English), QStringLiteral("en"));
        QCOMPARE(languageCode(InterfaceLanguage::Russian), QStringLiteral("ru"));
    }

    void russianBringsQtsOwnTextsAndGrouping()
    {
        const QStringList missing = installTranslations(*QCoreApplication::instance(), InterfaceLanguage::Russian);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        // The Yes button of every question, and the Save button of the file dialogs.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Да"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("Сохранить"));
        QCOMPARE(QLocale().language(), QLocale::Russian);
        QCOMPARE(QLocale().toString(12345), QStringLiteral("12\u00a0345"));
    }
};

QTEST_GUILESS_MAIN(TestInterfaceLanguage)
#include "tst_interface_language.moc"
