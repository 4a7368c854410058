// ADIF lines and the whole file, the export command of the main window, and the comment window.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "db/database.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "reports/adif_writer.h"
#include "reports/ui/tcomentadif.h"
#include "stationinfo/reference_files.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"
#include "support/temp_log.h"
#include "support/ui/main_controls.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

using namespace vireo;

namespace {

QsoRecord rec(const QString &freq, const QString &mode, const QString &band, const QString &data, const QString &time,
              const QString &call1, const QString &rst1, const QString &nr1, const QString &call2)
{
    return test::Qso()
        .freq(freq)
        .mode(mode)
        .band(band)
        .at(data, time)
        .heard(call1, rst1, nr1)
        .worked(call2, QStringLiteral("599"), QStringLiteral("777"))
        .tur(QStringLiteral("2"))
        .radio(QStringLiteral("1"));
}

// A small log over the frequency column cases: 4, 5 and 6 digits, band designators and 7 digits,
// each followed by a record whose frequency is written again.
QVector<QsoRecord> sampleLog()
{
    return {
        rec("3550", "CW", "80M", "05.03.2026", "07:04", "UA3ABC", "599", "001", "RK9XYZ"),
        rec("14025", "PH", "20M", " 06.03.2026 ", "23:59", " DL1ABC ", "59", "14", ""),
        rec("144", "RY", "2M", "07.03.2026", "00:00", "OH2XX", "599", "KP20", "ES1AA"),
        rec("144050", "CW", "2M", "07.03.2026", "00:01", "OH2XY", "599", "KP21", " "),
        rec("432", "CW", "432", "07.03.2026", "01:00", "SM5AAA", "599", "JO89", "SM5BBB"),
        rec("1296000", "PS", "1.2G", "07.03.2026", "01:30", "SM5CCC", "599", "JO99", "SM5DDD"),
        rec("7012", "CW", "40M", "08.03.2026", "12:00", "R3A", "579", "", "UA1AA"),
    };
}

const char *const ExpectedStandard[] = {
    "<OPERATOR:7>R2A-456<SWL:1>Y<CONTEST_ID:4>RDXC<CALL:6>UA3ABC<QSO_DATE:8>20260305<TIME_ON:4>0704<FREQ:5>3.550"
    "<BAND:3>80M<MODE:2>CW<RST_RCVD:3>599<SRX:3>001<QSLMSG:22>You worked with RK9XYZ<EOR>",
    "<OPERATOR:7>R2A-456<SWL:1>Y<CONTEST_ID:4>RDXC<CALL:6>DL1ABC<QSO_DATE:8>20260306<TIME_ON:4>2359<FREQ:6>14.025"
    "<BAND:3>20M<MODE:3>SSB<RST_RCVD:2>59<SRX:2>14<QSLMSG:0><EOR>",
    "<OPERATOR:7>R2A-456<SWL:1>Y<CONTEST_ID:4>RDXC<CALL:5>OH2XX<QSO_DATE:8>20260307<TIME_ON:4>0000<FREQ:0>"
    "<BAND:2>2M<MODE:4>RTTY<RST_RCVD:3>599<SRX_STRING:4>KP20<QSLMSG:21>You worked with ES1AA<EOR>",
    "<OPERATOR:7>R2A-456<SWL:1>Y<CONTEST_ID:4>RDXC<CALL:5>OH2XY<QSO_DATE:8>20260307<TIME_ON:4>0001<FREQ:7>144.050"
    "<BAND:2>2M<MODE:2>CW<RST_RCVD:3>599<SRX_STRING:4>KP21<QSLMSG:0><EOR>",
    "<OPERATOR:7>R2A-456<SWL:1>Y<CONTEST_ID:4>RDXC<CALL:6>SM5AAA<QSO_DATE:8>20260307<TIME_ON:4>0100<FREQ:0>"
    "<BAND:3>432<MODE:2>CW<RST_RCVD:3>599<SRX_STRING:4>JO89<QSLMSG:22>You worked with SM5BBB<EOR>",
    "<OPERATOR:7>R2A-456<SWL:1>Y<CONTEST_ID:4>RDXC<CALL:6>SM5CCC<QSO_DATE:8>20260307<TIME_ON:4>0130<FREQ:0>"
    "<BAND:4>1.2G<MODE:3>PSK<SUBMODE:5>PSK31<RST_RCVD:3>599<SRX_STRING:4>JO99"
    "<QSLMSG:22>You worked with SM5DDD<EOR>",
    "<OPERATOR:7>R2A-456<SWL:1>Y<CONTEST_ID:4>RDXC<CALL:3>R3A<QSO_DATE:8>20260308<TIME_ON:4>1200<FREQ:5>7.012"
    "<BAND:3>40M<MODE:2>CW<RST_RCVD:3>579<SRX:0><QSLMSG:21>You worked with UA1AA<EOR>",
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

} // namespace

class TestAdif : public QObject {
    Q_OBJECT
private slots:
    void fieldRules_data();
    void fieldRules();
    void modesOfTheEnumeration_data();
    void modesOfTheEnumeration();
    void receivedExchangeField_data();
    void receivedExchangeField();
    void qslMessageTable();
    void headerLines();
    void wholeFileStandardMessage();
    void wholeFileCyrillicOwnMessage();
    void emptyLogGivesHeaderOnly();
    void exportCommand();
    void exportFailures();
    void commentWindowSaveAndCancel();
    void commentWindowStartsFromSettings();
};

void TestAdif::fieldRules_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("freq 4") << "freq"
                            << "3550"
                            << "3.550";
    QTest::newRow("freq 5") << "freq"
                            << "14025"
                            << "14.025";
    QTest::newRow("freq 6") << "freq"
                            << "144050"
                            << "144.050";
    QTest::newRow("freq 144") << "freq"
                              << "144"
                              << "";
    QTest::newRow("freq 7") << "freq"
                            << "1296000"
                            << "";
    QTest::newRow("freq empty") << "freq"
                                << ""
                                << "";
    QTest::newRow("mode PH") << "mode"
                             << "PH"
                             << "SSB";
    QTest::newRow("mode RY") << "mode"
                             << "RY"
                             << "RTTY";
    QTest::newRow("mode ph lower case") << "mode"
                                        << " ph "
                                        << "SSB";
    QTest::newRow("date") << "date"
                          << "31.12.2025"
                          << "20251231";
    QTest::newRow("date padded") << "date"
                                 << " 01.02.2026 "
                                 << "20260201";
    QTest::newRow("strip") << "strip"
                           << "2026-03-05 07:04:09.5"
                           << "20260305 0704095";
    QTest::newRow("field cyrillic counts chars") << "field"
                                                 << "Привет"
                                                 << "<X:6>Привет";
    QTest::newRow("field empty") << "field"
                                 << ""
                                 << "<X:0>";
}

void TestAdif::fieldRules()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QString got;
    if (kind == "freq")
        got = adif::freqMhz(input);
    else if (kind == "mode")
        got = adif::adifMode(input);
    else if (kind == "date")
        got = adif::qsoDate(input);
    else if (kind == "strip")
        got = adif::StripDateTime(input);
    else
        got = adif::field("X", input);
    QCOMPARE(got, expected);
}

// The part of a record line between BAND and RST_RCVD, and whatever follows QSLMSG.
struct ModeFields {
    QString modePart;
    QString tail;
};

ModeFields modeFieldsOf(const QString &mode)
{
    QsoRecord r = rec("14025", mode, "20M", "05.03.2026", "07:04", "UA3ABC", "599", "001", "");
    const QString line = adif::recordLine(r, "R2A", "RDXC", QslMessage{});
    const qsizetype from = line.indexOf("<BAND:3>20M") + 11;
    const qsizetype to = line.indexOf("<RST_RCVD:");
    const qsizetype qsl = line.indexOf("<QSLMSG:0>") + 10;
    return {line.mid(from, to - from), line.mid(qsl)};
}

void TestAdif::modesOfTheEnumeration_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("modePart");
    QTest::addColumn<QString>("comment");
    const struct {
        const char *code, *fields, *comment;
    } rows[] = {
        {"CW", "<MODE:2>CW", ""},
        {"PH", "<MODE:3>SSB", ""},
        {"PS", "<MODE:3>PSK<SUBMODE:5>PSK31", ""},
        {"PM", "<MODE:3>PSK<SUBMODE:5>PSK63", ""},
        {"PO", "<MODE:3>PSK<SUBMODE:6>PSK125", ""},
        {"RY", "<MODE:4>RTTY", ""},
        {"AM", "<MODE:3>TOR", ""}, // AMTOR, not amplitude modulation
        {"AX", "<MODE:3>PKT", ""},
        {"CO", "<MODE:8>CONTESTI", ""},
        {"DO", "<MODE:6>DOMINO", ""},
        {"FM", "<MODE:2>FM", ""},
        {"HE", "<MODE:4>HELL", ""},
        {"MF", "<MODE:4>MFSK<SUBMODE:6>MFSK16", ""},
        {"OL", "<MODE:6>OLIVIA", ""},
        {"PT", "<MODE:3>PAC", ""},
        {"RM", "<MODE:5>RTTYM", ""},
        {"TH", "<MODE:4>THRB", ""},
        {"TV", "<MODE:4>SSTV", ""},
        // Typed, or written by the radio.
        {"SS", "<MODE:3>SSB", ""},
        {"us", "<MODE:3>SSB<SUBMODE:3>USB", ""},
        {"DI", "<MODE:4>RTTY", "<COMMENT:13>Vireo mode DI"},
        {"XY", "<MODE:0>", "<COMMENT:13>Vireo mode XY"},
        {"", "<MODE:0>", ""},
    };
    for (const auto &r : rows)
        QTest::newRow(*r.code ? r.code : "empty") << r.code << r.fields << r.comment;
}

void TestAdif::modesOfTheEnumeration()
{
    QFETCH(QString, code);
    QFETCH(QString, modePart);
    QFETCH(QString, comment);
    const ModeFields f = modeFieldsOf(code);
    QCOMPARE(f.modePart, modePart);
    QCOMPARE(f.tail, comment + "<EOR>");
}

void TestAdif::receivedExchangeField_data()
{
    QTest::addColumn<QString>("nr1");
    QTest::addColumn<QString>("field");
    QTest::newRow("serial") << " 001 "
                            << "<SRX:3>001";
    QTest::newRow("nine digits") << "123456789"
                                 << "<SRX:9>123456789";
    QTest::newRow("empty") << ""
                           << "<SRX:0>";
    QTest::newRow("locator") << "KO85"
                             << "<SRX_STRING:4>KO85";
    QTest::newRow("two words") << "17 MO"
                               << "<SRX_STRING:5>17 MO";
    QTest::newRow("sign") << "-5"
                          << "<SRX_STRING:2>-5";
    QTest::newRow("ten digits") << "1234567890"
                                << "<SRX_STRING:10>1234567890";
    QTest::newRow("other digits") << QString::fromUtf8("١٢") << QString::fromUtf8("<SRX_STRING:2>١٢");
}

void TestAdif::receivedExchangeField()
{
    QFETCH(QString, nr1);
    QFETCH(QString, field);
    QsoRecord r = rec("14025", "CW", "20M", "05.03.2026", "07:04", "UA3ABC", "599", nr1, "");
    const QString line = adif::recordLine(r, "R2A", "RDXC", QslMessage{});
    const qsizetype from = line.indexOf("<RST_RCVD:3>599") + 15;
    QCOMPARE(line.mid(from, line.indexOf("<QSLMSG:") - from), field);
}

void TestAdif::qslMessageTable()
{
    QslMessage standard{true, QStringLiteral("ignored")};
    QCOMPARE(adif::qslMessageFor(standard, " UA1AA "), QStringLiteral("You worked with UA1AA"));
    QCOMPARE(adif::qslMessageFor(standard, "   "), QString());
    QslMessage own{false, QStringLiteral(" 73! ")};
    QCOMPARE(adif::qslMessageFor(own, "UA1AA"), QStringLiteral(" 73! "));
    QCOMPARE(adif::qslMessageFor(own, ""), QStringLiteral(" 73! "));
    QslMessage none;
    QCOMPARE(adif::qslMessageFor(none, "UA1AA"), QString());
}

void TestAdif::headerLines()
{
    const QDateTime t(QDate(2026, 3, 5), QTime(10, 4, 9));
    const QStringList h = adif::header(t, QLocale(QLocale::Russian, QLocale::Russia));
    QCOMPARE(h.size(), 7);
    QVERIFY2(h[0].startsWith("#Vireo v.1.5 http"), qPrintable(h[0]));
    QCOMPARE(h[1], QStringLiteral("#  Created: 05.03.2026 10:04:09"));
    QCOMPARE(h.mid(2),
             (QStringList{"#", "<PROGRAMID:13>Tamarin Vireo", "<PROGRAMVERSION:3>1.5", "<ADIF_VER:5>3.0.4", "<EOH>"}));
    // The long time format of a locale with a 12-hour clock keeps its AM/PM but no zone name.
    const QStringList us = adif::header(t, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(us[1].startsWith("#  Created: 3/5/26 10:04:09"), qPrintable(us[1]));
    QVERIFY2(!us[1].contains("UTC") && !us[1].contains("GMT"), qPrintable(us[1]));
}

void TestAdif::wholeFileStandardMessage()
{
    QTemporaryDir dir;
    test::TempLog log(dir.filePath("log.db"), QStringLiteral("adifTest"), referenceFiles());
    QsoStore &store = *log.store;
    store.append(sampleLog());

    const QString path = dir.filePath("out.adi");
    const QDateTime t(QDate(2026, 3, 5), QTime(10, 4, 9));
    const QLocale ru(QLocale::Russian, QLocale::Russia);
    QCOMPARE(adif::writeFile(path, store, "R2A-456", "RDXC", QslMessage{true, "own"}, t, ru), WriteResult::Ok);

    QByteArray expected;
    for (const QString &l : adif::header(t, ru))
        expected += l.toLatin1() + "\r\n";
    for (const char *l : ExpectedStandard)
        expected += QByteArray(l) + "\r\n";
    QCOMPARE(readAll(path), expected);
}

void TestAdif::wholeFileCyrillicOwnMessage()
{
    QTemporaryDir dir;
    test::TempLog log(dir.filePath("log.db"), QStringLiteral("adifTest2"), referenceFiles());
    QsoStore &store = *log.store;
    store.append(sampleLog().mid(0, 2));

    const QString path = dir.filePath("out.adi");
    // Untrimmed call and contest name go out as held; the own text counts characters, is written
    // in Windows-1251, and is the same for a record without a worked station.
    QCOMPARE(adif::writeFile(path, store, " R2A-456", "Кубок", QslMessage{false, QStringLiteral("Спасибо за QSO")},
                             QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)), QLocale::c()),
             WriteResult::Ok);
    const QByteArray file = readAll(path);
    const QByteArray cup = "\xCA\xF3\xE1\xEE\xEA"; // Кубок
    const QByteArray thanks = "\xD1\xEF\xE0\xF1\xE8\xE1\xEE \xE7\xE0 QSO"; // Спасибо за QSO
    const QByteArray line1 =
        "<OPERATOR:8> R2A-456<SWL:1>Y<CONTEST_ID:5>" + cup
        + "<CALL:6>UA3ABC<QSO_DATE:8>20260305<TIME_ON:4>0704<FREQ:5>3.550<BAND:3>80M<MODE:2>CW<RST_RCVD:3>599"
          "<SRX:3>001<QSLMSG:14>"
        + thanks + "<EOR>\r\n";
    const QByteArray line2 =
        "<OPERATOR:8> R2A-456<SWL:1>Y<CONTEST_ID:5>" + cup
        + "<CALL:6>DL1ABC<QSO_DATE:8>20260306<TIME_ON:4>2359<FREQ:6>14.025<BAND:3>20M<MODE:3>SSB<RST_RCVD:2>59"
          "<SRX:2>14<QSLMSG:14>"
        + thanks + "<EOR>\r\n";
    QVERIFY2(file.endsWith("<EOH>\r\n" + line1 + line2), file.constData());
    QCOMPARE(file.count("\r\n"), 9);
    QCOMPARE(file.count('\n'), 9);
}

void TestAdif::emptyLogGivesHeaderOnly()
{
    QTemporaryDir dir;
    test::TempLog log(dir.filePath("log.db"), QStringLiteral("adifTest3"), referenceFiles());
    QsoStore &store = *log.store;
    const QString path = dir.filePath("empty.adi");
    QCOMPARE(adif::writeFile(path, store, "R2A", "X", QslMessage{}, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)),
                             QLocale::c()),
             WriteResult::Ok);
    const QByteArray file = readAll(path);
    QCOMPARE(file.count("\r\n"), 7);
    QVERIFY(
        file.endsWith("#\r\n<PROGRAMID:13>Tamarin Vireo\r\n<PROGRAMVERSION:3>1.5\r\n<ADIF_VER:5>3.0.4\r\n<EOH>\r\n"));
}

void TestAdif::exportCommand()
{
    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    const test::MainControls ui(m);
    m.qsos().append(sampleLog());
    m.logModel().reload();
    ui.DBGrid1->selectRow(0);
    m.myCall = "R2A-456 ";
    m.contestName = "RDXC";
    m.qsl = QslMessage{true, QString()};
    const QString path = t.path("chosen-name.adi");
    t.prompts->shown.clear();
    t.prompts->fileNames = {path};
    m.ADIF1Click();

    QCOMPARE(t.prompts->shown.size(), 2);
    QCOMPARE(t.prompts->shown[0].kind, QStringLiteral("save"));
    QCOMPARE(t.prompts->shown[0].caption, QStringLiteral("Сохранить файл"));
    QCOMPARE(t.prompts->shown[0].text,
             t.path("R2A-456.adi") + "|Файлы отчетов (*.cbr *.scl *.adif\");;Все файлы (*.*)");
    // The message names the file written, by its full path, not my call plus .adi.
    QCOMPARE(t.prompts->texts("information"),
             QStringList{"Выгрузка в файл  " + path + "  формата \"ADIF\" произведена!"});

    const QList<QByteArray> lines = readAll(path).split('\n');
    QCOMPARE(lines.size(), 7 + 7 + 1);
    QVERIFY(QRegularExpression("^#  Created: \\S+ \\S.*\\r$").match(QString::fromLatin1(lines[1])).hasMatch());
    QCOMPARE(lines[6], QByteArray("<EOH>\r"));
    QCOMPARE(lines[7], QByteArray(ExpectedStandard[0]).replace("<OPERATOR:7>R2A-456", "<OPERATOR:8>R2A-456 ") + "\r");
    QCOMPARE(lines[13], QByteArray(ExpectedStandard[6]).replace("<OPERATOR:7>R2A-456", "<OPERATOR:8>R2A-456 ") + "\r");
    QCOMPARE(lines[14], QByteArray());
    QCOMPARE(ui.DBGrid1->currentIndex().row(), 6);
}

void TestAdif::exportFailures()
{
    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    m.qsos().append(sampleLog());
    m.myCall = "R2A-456";
    m.contestName = "";

    // Missing contest name: the message, no dialog, nothing written.
    t.prompts->shown.clear();
    t.prompts->fileNames = {t.path("x.adi")};
    m.ExportAdif();
    QCOMPARE(t.prompts->shown.size(), 1);
    QCOMPARE(t.prompts->shown[0].text,
             QStringLiteral("Выгрузка невозможна!\n\rНе заполнены поля \"Позывной\" или \"Contest\""));
    QVERIFY(!QFile::exists(t.path("x.adi")));

    m.contestName = "RDXC";
    // Cancelled dialog: not a word.
    t.prompts->shown.clear();
    t.prompts->fileNames.clear();
    m.ExportAdif();
    QCOMPARE(t.prompts->shown.size(), 1);
    QCOMPARE(t.prompts->shown[0].kind, QStringLiteral("save"));

    // A file that cannot be created.
    t.prompts->shown.clear();
    t.prompts->fileNames = {t.path("no-such-folder/x.adi")};
    m.ExportAdif();
    QCOMPARE(t.prompts->shown.size(), 2);
    QCOMPARE(t.prompts->shown[1].kind, QStringLiteral("error"));
    QCOMPARE(t.prompts->shown[1].caption, QStringLiteral("Ошибка"));
    QCOMPARE(t.prompts->shown[1].text, QStringLiteral("Произошла ошибка открытия файла"));

    // A full disk: the write error box, never the success message.
    t.prompts->shown.clear();
    t.prompts->fileNames = {"/dev/full"};
    m.ExportAdif();
    QCOMPARE(t.prompts->shown.size(), 2);
    QCOMPARE(t.prompts->shown[1].kind, QStringLiteral("error"));
    QCOMPARE(t.prompts->shown[1].caption, QStringLiteral("Ошибка"));
    QCOMPARE(t.prompts->shown[1].text, QStringLiteral("Произошла ошибка записи данных в файл"));
    QVERIFY(t.prompts->texts("information").isEmpty());
}

void TestAdif::commentWindowSaveAndCancel()
{
    test::TestContext t;
    {
        Program p(t.context);
        TMain &m = p.main();
        TComentAdif &c = p.coment();
        // First run without settings: free message selected, empty, editable.
        QVERIFY(c.rbQslPr->isChecked());
        QVERIFY(c.edQslEdit->isEnabled());
        QCOMPARE(c.edQslEdit->text(), QString());

        // Type a message and save it through the menu command.
        t.prompts->onModal = [&](QDialog &d) {
            d.show();
            QTest::keyClicks(c.edQslEdit, QStringLiteral("TNX QSO 73 "));
            QTest::mouseClick(c.Button1, Qt::LeftButton);
            return d.result();
        };
        m.ADIF2Click();
        QCOMPARE(t.prompts->shown.last().caption, QStringLiteral("ComentAdif"));
        QVERIFY(!m.qsl.standard);
        QCOMPARE(m.qsl.ownText, QStringLiteral("TNX QSO 73 "));
        QVERIFY(!c.isVisible());

        // Choosing "Стандарт" shows the sample, disabled; cancelling changes nothing, and the
        // controls keep what was clicked for the next opening.
        bool enabled = true, hint1 = false, hint2 = true;
        QString shownText;
        t.prompts->onModal = [&](QDialog &d) {
            d.show();
            QTest::mouseClick(c.rbQslSt, Qt::LeftButton);
            enabled = c.edQslEdit->isEnabled();
            shownText = c.edQslEdit->text();
            hint1 = c.Label1->isVisible();
            hint2 = c.Label2->isVisible();
            QTest::mouseClick(c.Button2, Qt::LeftButton);
            return d.result();
        };
        m.ADIF2Click();
        QVERIFY(!enabled);
        QCOMPARE(shownText, TComentAdif::sampleText());
        QVERIFY(hint1);
        QVERIFY(!hint2);
        QVERIFY(!m.qsl.standard);
        QCOMPARE(m.qsl.ownText, QStringLiteral("TNX QSO 73 "));
        QVERIFY(c.rbQslSt->isChecked());

        // Back to free text: the field is emptied and enabled.
        QTest::mouseClick(c.rbQslPr, Qt::LeftButton);
        QVERIFY(c.edQslEdit->isEnabled());
        QCOMPARE(c.edQslEdit->text(), QString());

        // Saving with "Стандарт" sets the flag and erases the own text.
        QTest::mouseClick(c.rbQslSt, Qt::LeftButton);
        QTest::mouseClick(c.Button1, Qt::LeftButton);
        QVERIFY(m.qsl.standard);
        QCOMPARE(m.qsl.ownText, QString());
    }
    const IniFile ini(t.context.settingsPath);
    QCOMPARE(ini.readString("Message", "QslMesCh", "?"), QStringLiteral("1"));
    QCOMPARE(ini.readString("Message", "QslMessage", "?"), QString());
}

void TestAdif::commentWindowStartsFromSettings()
{
    test::TestContext t;
    {
        IniFile ini(t.context.settingsPath);
        ini.writeInteger("Message", "QslMesCh", 0);
        ini.writeString("Message", "QslMessage", QStringLiteral("Привет от SWL"));
    }
    {
        Program p(t.context);
        QVERIFY(p.coment().rbQslPr->isChecked());
        QCOMPARE(p.coment().edQslEdit->text(), QStringLiteral("Привет от SWL"));
        QVERIFY(p.coment().edQslEdit->isEnabled());
    }
    {
        IniFile ini(t.context.settingsPath);
        ini.writeInteger("Message", "QslMesCh", 1);
    }
    Program p(t.context);
    QVERIFY(p.coment().rbQslSt->isChecked());
    QCOMPARE(p.coment().edQslEdit->text(), TComentAdif::sampleText());
    QVERIFY(!p.coment().edQslEdit->isEnabled());
}

QTEST_MAIN(TestAdif)
#include "tst_adif.moc"
