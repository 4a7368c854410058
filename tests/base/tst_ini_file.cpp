// settings.ini: the private-profile semantics, the code page and failed writes.

#include "base/cp1251.h"
#include "base/error.h"
#include "base/ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace vireo;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void missingFileGivesDefaults()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath(QStringLiteral("settings.ini")));
        QCOMPARE(ini.readInteger("Main", "Left", -1), -1);
        QCOMPARE(ini.readString("MySetting", "Call", "UA1"), QStringLiteral("UA1"));
        // trailing blanks of a default are dropped, so a default of one blank reads as empty
        QCOMPARE(ini.readString("Cabrillo", "CategoryPower", " "), QString());
        QCOMPARE(ini.readFloat("MyPosition", "Latitude", 0.5), 0.5);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("settings.ini"))));
    }

    void namesMatchWithoutCaseAndValuesAreTrimmed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        writeAll(path, "; comment\r\n[mysetting]\r\n  CALL =  UA9XYZ  \r\ncontest=QRP \r\n[Main]\r\nleft=12\r\n");
        IniFile ini(path);
        QCOMPARE(ini.readString("MySetting", "Call", ""), QStringLiteral("UA9XYZ"));
        QCOMPARE(ini.readString("MYSETTING", "Contest", ""), QStringLiteral("QRP"));
        QCOMPARE(ini.readInteger("MAIN", "Left", -1), 12);
        QCOMPARE(ini.readString("Main", "Top", "x"), QStringLiteral("x"));
    }

    void badNumbersReadAsDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        writeAll(path, "[A]\nn=12abc\nm=\nf=55,75\ng=north\nh=-3\n");
        IniFile ini(path);
        QCOMPARE(ini.readInteger("A", "n", 7), 7);
        QCOMPARE(ini.readInteger("A", "m", 7), 7);
        QCOMPARE(ini.readInteger("A", "h", 7), -3);
        QCOMPARE(ini.readFloat("A", "f", 0), 55.75); // a comma is a decimal point too
        QCOMPARE(ini.readFloat("A", "g", 1.5), 1.5);
    }

    void writesReplaceInPlaceAndKeepOtherLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        writeAll(path, "; keep me\r\n[Main]\r\nLeft=1\r\nunknown line\r\nTop=2\r\n\r\n[Other]\r\nx=y\r\n");
        IniFile ini(path);
        ini.writeInteger("main", "LEFT", 300);
        ini.writeString("Main", "Position", "1");
        ini.writeString("New", "Key", "Значение");
        QCOMPARE(readAll(path),
                 QByteArray(
                     "; keep me\r\n[Main]\r\nLEFT=300\r\nunknown line\r\nTop=2\r\nPosition=1\r\n\r\n[Other]\r\nx=y\r\n"
                     "\r\n[New]\r\nKey=")
                     + cp1251::encode(QStringLiteral("Значение")) + "\r\n");
        // every write is in the file at once: a second reader sees it
        QCOMPARE(IniFile(path).readString("NEW", "key", ""), QStringLiteral("Значение"));
    }

    void valuesRoundTripThroughTheCodePage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        {
            IniFile ini(path);
            ini.writeString("Message", "QslMessage", QStringLiteral("Спасибо за QSO! 73"));
            ini.writeFloat("MyPosition", "Latitude", 55.75);
            ini.writeString("Cabrillo", "CategoryPower", QStringLiteral("QRP "));
        }
        IniFile ini(path);
        QCOMPARE(ini.readString("Message", "QslMessage", ""), QStringLiteral("Спасибо за QSO! 73"));
        QCOMPARE(ini.readFloat("MyPosition", "Latitude", 0), 55.75);
        QCOMPARE(ini.readString("Cabrillo", "CategoryPower", ""), QStringLiteral("QRP"));
        QVERIFY(!readAll(path).contains("\xD0")); // no UTF-8 lead bytes of Cyrillic on disk
    }

    void failedWriteNamesTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        writeAll(path, "[A]\r\nx=1\r\n");
        QFile::setPermissions(path, QFile::ReadOwner);
        IniFile ini(path);
        try {
            ini.writeString("A", "x", "2");
            QFAIL("a write to a read-only file must fail");
        } catch (const Error &e) {
            QVERIFY2(e.text().contains(path), qPrintable(e.text()));
        }
        QCOMPARE(readAll(path), QByteArray("[A]\r\nx=1\r\n"));
        QCOMPARE(ini.readString("A", "x", ""), QStringLiteral("1"));
        // a directory where the file should be
        IniFile bad(dir.path());
        QVERIFY_THROWS_EXCEPTION(Error, bad.writeString("A", "x", "1"));
    }

    // Files of tens of megabytes are read whole; one beyond the limit is not read and a write
    // to it fails naming it, leaving it as it was.
    void largeFilesAreReadWholeOrLeftAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        QByteArray text = "[Notes]\r\n";
        while (text.size() < 20 * 1024 * 1024)
            text += "line=" + QByteArray(70, 'x') + "\r\n";
        text += "[Main]\r\nLeft=10\r\n";
        writeAll(path, text);
        IniFile ini(path);
        QCOMPARE(ini.readInteger("Main", "Left", -1), 10);
        ini.writeInteger("Main", "Top", 20);
        QCOMPARE(readAll(path), text + "Top=20\r\n");

        const QString huge = dir.filePath(QStringLiteral("huge.ini"));
        {
            QFile f(huge);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Main]\r\nLeft=10\r\n");
            QVERIFY(f.resize(IniFile::MaxFileSize + 1));
        }
        IniFile tooLarge(huge);
        QCOMPARE(tooLarge.readInteger("Main", "Left", -1), -1);
        try {
            tooLarge.writeInteger("Main", "Left", 5);
            QFAIL("a file that was not read whole must not be written over");
        } catch (const Error &e) {
            QVERIFY2(e.text().contains(huge), qPrintable(e.text()));
        }
        QCOMPARE(QFileInfo(huge).size(), IniFile::MaxFileSize + 1);
        QCOMPARE(readAll(huge).left(17), QByteArray("[Main]\r\nLeft=10\r\n"));
    }

    // A UTF-8 byte-order mark is not part of the first section's name; the text after it is UTF-8.
    void byteOrderMarkIsSkipped()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        writeAll(path,
                 "\xEF\xBB\xBF[MySetting]\r\nCall=UA1SWL\r\nContest=\xD0\x9A\xD1\x83\xD0\xB1\xD0\xBE\xD0\xBA\r\n");
        IniFile ini(path);
        QCOMPARE(ini.readString("MySetting", "Call", ""), QStringLiteral("UA1SWL"));
        QCOMPARE(ini.readString("MySetting", "Contest", ""), QStringLiteral("Кубок"));
        ini.writeString("MySetting", "Call", "UA9XYZ");
        // written back in the settings file's own code page, without the mark
        QCOMPARE(readAll(path), QByteArray("[MySetting]\r\nCall=UA9XYZ\r\nContest=\xCA\xF3\xE1\xEE\xEA\r\n"));
        QCOMPARE(IniFile(path).readString("MySetting", "Contest", ""), QStringLiteral("Кубок"));
    }

    void codePageMapsWhatItCanAndMarksTheRest()
    {
        QCOMPARE(cp1251::encode(QStringLiteral("Привет UA9XYZ")), QByteArray::fromHex("cff0e8e2e5f22055413958595a"));
        QCOMPARE(cp1251::encode(QStringLiteral("A日B€")), QByteArray("A?B\x88"));
        QCOMPARE(cp1251::decode(QByteArray::fromHex("cff0e8e2e5f2")), QStringLiteral("Привет"));
    }
};

QTEST_APPLESS_MAIN(TestIniFile)
#include "tst_ini_file.moc"
