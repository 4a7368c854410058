// The Windows-1251 tables of the report files against Qt's own converter, character by
// character: a faster code page must not change a byte of any file.

#include "base/cp1251.h"

#include <QStringDecoder>
#include <QTest>

using namespace vireo;

class TestCodePage : public QObject {
    Q_OBJECT
private slots:
    void everyByteDecodesAsQtDoes();
    void everyByteBecomesTheUtf8OfItsCharacter();
    void everyBmpCharacterEncodesToItsByteOrQuestionMark();
    void charactersOutsideTheBmp();
};

void TestCodePage::everyByteDecodesAsQtDoes()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    QStringDecoder qt("windows-1251");
    QCOMPARE(cp1251::decode(all), QString(qt(all)));
    QCOMPARE(cp1251::decode(QByteArray()), QString());
}

void TestCodePage::everyByteBecomesTheUtf8OfItsCharacter()
{
    QByteArray all;
    for (int b = 255; b >= 0; --b)
        all += char(b);
    QStringDecoder qt("windows-1251");
    const QByteArray expected = QString(qt(all)).toUtf8();
    // Appended after what the buffer holds, whatever room it has.
    QByteArray out("head");
    cp1251::appendUtf8(out, all);
    QCOMPARE(out, "head" + expected);
    out.squeeze();
    cp1251::appendUtf8(out, QByteArrayView());
    QCOMPARE(out, "head" + expected);
}

void TestCodePage::everyBmpCharacterEncodesToItsByteOrQuestionMark()
{
    // The characters the code page has, with their bytes, as Qt decodes them.
    QHash<char16_t, char> bytes;
    for (int b = 0; b < 256; ++b) {
        QStringDecoder qt("windows-1251");
        const QString s = qt(QByteArray(1, char(b)));
        if (s.size() == 1 && s.at(0) != QChar(QChar::ReplacementCharacter))
            bytes.insert(s.at(0).unicode(), char(b));
    }
    QVERIFY(bytes.size() >= 255); // every byte (0x98 only where the converter gives it a character)
    QString text;
    QByteArray expected;
    for (int c = 0; c < 0x10000; ++c) {
        if (QChar::isSurrogate(char16_t(c)))
            continue;
        text += QChar(char16_t(c));
        expected += bytes.value(char16_t(c), '?');
    }
    const QByteArray got = cp1251::encode(text);
    QCOMPARE(got.size(), expected.size());
    QCOMPARE(got, expected);
    QByteArray appended("x");
    cp1251::appendEncoded(appended, QStringLiteral("Ёж"));
    QCOMPARE(appended, QByteArray("x\xA8\xE6"));
}

void TestCodePage::charactersOutsideTheBmp()
{
    QCOMPARE(cp1251::encode(QStringLiteral("a\U0001F600b\U0001D11E")), QByteArray("a?b?"));
    // Lone surrogates are one "?" each.
    QString lone;
    lone += QChar(char16_t(0xD83D));
    lone += QLatin1Char('x');
    lone += QChar(char16_t(0xDE00));
    QCOMPARE(cp1251::encode(lone), QByteArray("?x?"));
}

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_code_page.moc"
