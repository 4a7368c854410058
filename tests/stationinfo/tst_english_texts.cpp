// The station texts in English: with the English translation installed, the messages that are
// put together from several pieces (a table of what each locator character must be, the line
// of a file, the position's own field name) come out whole in English; with it removed again
// they are the Russian texts as before, to the character.

#include "stationinfo/cty_parser.h"
#include "stationinfo/dupe_check.h"
#include "stationinfo/my_position.h"
#include "support/cyrillic.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

using namespace vireo;

using vireo::test::hasCyrillic;

namespace {

struct Texts {
    QString locatorPlace, locatorLetter, emptyLatitude, longitudeRange, ctyLine, repeats;
};

Texts texts()
{
    Texts t;
    t.locatorPlace = myposition::fromLocator(QStringLiteral("KO8A")).errorText();
    t.locatorLetter = myposition::fromLocator(QStringLiteral("KO85ty")).errorText();
    t.emptyLatitude = myposition::fromDegrees(QString(), QStringLiteral("37.62")).errorText();
    t.longitudeRange = myposition::fromDegrees(QStringLiteral("55.75"), QStringLiteral("190")).errorText();
    try {
        readCty(QByteArrayLiteral("Not a header line\nK;\n"));
    } catch (const LineError &e) {
        t.ctyLine = e.text();
    }
    t.repeats = dupe::heardStatus(3);
    return t;
}

} // namespace

class EnglishTextsTest : public QObject {
    Q_OBJECT
private slots:
    void theMessagesFollowTheLanguage()
    {
        const Texts russian = texts();
        QCOMPARE(russian.locatorPlace, QStringLiteral("В локаторе «KO8A» 4-й знак («A») должен быть цифрой."));
        QCOMPARE(russian.emptyLatitude, QStringLiteral("Введите широту в градусах, например 55.75."));
        QCOMPARE(russian.longitudeRange, QStringLiteral("Долгота должна быть от -180 до 180 градусов; введено 190."));
        QVERIFY2(russian.ctyLine.startsWith(QStringLiteral("Строка 1: ")), qPrintable(russian.ctyLine));

        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/vireo_en.qm")));
        QVERIFY(QCoreApplication::installTranslator(&english));
        const Texts t = texts();
        QCoreApplication::removeTranslator(&english);

        QCOMPARE(t.locatorPlace, QStringLiteral("In locator “KO8A”, character 4 (“A”) must be a digit."));
        QCOMPARE(t.locatorLetter,
                 QStringLiteral("In locator “KO85ty”, character 6 (“y”) must be a letter from A to X."));
        QCOMPARE(t.emptyLatitude, QStringLiteral("Enter the latitude in degrees, for example 55.75."));
        QCOMPARE(t.longitudeRange, QStringLiteral("Longitude must be from -180 to 180 degrees; you entered 190."));
        QCOMPARE(
            t.ctyLine,
            QStringLiteral("Line 1: the line does not look like a country header (eight fields separated by “:”)."));
        QCOMPARE(t.repeats, QStringLiteral("Repeats: Heard = 3"));
        for (const QString &s : {t.locatorPlace, t.locatorLetter, t.emptyLatitude, t.longitudeRange, t.ctyLine})
            QVERIFY2(!hasCyrillic(s), qPrintable(s));

        // Back in Russian once the translator is gone.
        const Texts again = texts();
        QCOMPARE(again.locatorPlace, russian.locatorPlace);
        QCOMPARE(again.locatorLetter, russian.locatorLetter);
        QCOMPARE(again.ctyLine, russian.ctyLine);
        QCOMPARE(again.repeats, russian.repeats);
    }
};

QTEST_GUILESS_MAIN(EnglishTextsTest)
#include "tst_english_texts.moc"
