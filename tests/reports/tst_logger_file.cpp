// The logger file: line builder and parser, the whole file, export followed by import, and an
// import that fails leaving the log as it was.

#include "app/program.h"
#include "app/tmain.h"
#include "base/cp1251.h"
#include "db/database.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "reports/logger_file.h"
#include "stationinfo/reference_files.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"
#include "support/temp_log.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTest>

using namespace vireo;

namespace {

QsoRecord rec(const QStringList &v) // band, freq, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, tur, radio
{
    return test::Qso()
        .band(v[0])
        .freq(v[1])
        .mode(v[2])
        .at(v[3], v[4])
        .heard(v[5], v[6], v[7])
        .worked(v[8], v[9], v[10])
        .tur(v[11])
        .radio(v[12]);
}

QVector<QsoRecord> sampleLog()
{
    return {
        rec({"20M", "14025", "CW", "05.03.2026", "07:04", "UA3ABC", "599", "001", "RK9XYZ", "599", "017", "1", "1"}),
        rec({"80M", "3550", "PH", "05.03.2026", "07:05", "R3A-123", "59", "МО", "", "", "", "0", "2"}),
        rec({"2M", "144", "RY", "06.03.2026", "23:59", "OH2\"X'X", "599", "KP20", "ES1AA", "599", "KO29", "2", "1"}),
        rec({"", "", "", "", "", "", "", "", "", "", "", "", ""}),
    };
}

const QByteArray SampleFile = "20M;14025;CW;05.03.2026;07:04;UA3ABC;599;001;RK9XYZ;599;017;1;1;\r\n"
                              "80M;3550;PH;05.03.2026;07:05;R3A-123;59;\xCC\xCE;;;;0;2;\r\n"
                              "2M;144;RY;06.03.2026;23:59;OH2\"X'X;599;KP20;ES1AA;599;KO29;2;1;\r\n"
                              ";;;;;;;;;;;;;\r\n";

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QVector<QsoRecord> allRecords(QsoStore &store)
{
    QVector<QsoRecord> out;
    store.forEach([&](const QsoRecord &r) { out.append(r); });
    return out;
}

} // namespace

class TestLoggerFile : public QObject {
    Q_OBJECT
private slots:
    void lineTrimsEveryValue();
    void parse_data();
    void parse();
    void wholeFileBytes();
    void exportThenImportGivesBackEveryColumn();
    void importAddsWithNoAndKeepsQuotesAsText();
    void importFailuresLeaveTheLogIntact_data();
    void importFailuresLeaveTheLogIntact();
    void strictLinesRefuseTheWholeFile_data();
    void strictLinesRefuseTheWholeFile();
    void valuesAtTheirLimitsImport();
    void cancelledChoiceAfterYesKeepsTheLog();
    void fileInAnotherEncodingStillImports();
    void exportFailures();
};

void TestLoggerFile::lineTrimsEveryValue()
{
    const QsoRecord r =
        rec({" 20M", "14025 ", " CW ", "05.03.2026", "07:04", " UA3ABC", "599", "  ", "RK9XYZ", "", "017", "1", " 1 "});
    QCOMPARE(loggerfile::line(r), QStringLiteral("20M;14025;CW;05.03.2026;07:04;UA3ABC;599;;RK9XYZ;;017;1;1;"));
    QCOMPARE(loggerfile::line(QsoRecord()), QStringLiteral(";;;;;;;;;;;;;"));
}

void TestLoggerFile::parse_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("full") << "20M;14025;CW;05.03.2026;07:04;UA3ABC;599;001;RK9XYZ;599;017;1;1;"
                          << QStringList{"20M", "14025",  "CW",  "05.03.2026", "07:04", "UA3ABC", "599",
                                         "001", "RK9XYZ", "599", "017",        "1",     "1"};
    QTest::newRow("short line loses text after last semicolon")
        << "20M;14025;CW" << QStringList{"20M", "14025", "", "", "", "", "", "", "", "", "", "", ""};
    QTest::newRow("text after 13th ignored")
        << "a;b;c;d;e;f;g;h;i;j;k;l;m;n;o"
        << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m"};
    QTest::newRow("empty") << "" << QStringList{"", "", "", "", "", "", "", "", "", "", "", "", ""};
    QTest::newRow("not trimmed") << " 20M ;  ;CW;;;;;;;;;;;"
                                 << QStringList{" 20M ", "  ", "CW", "", "", "", "", "", "", "", "", "", ""};
    QTest::newRow("value with semicolon shifts the rest")
        << "20M;14025;CW;05.03.2026;07:04;UA3;ABC;599;001;RK9XYZ;599;017;1;1;"
        << QStringList{"20M", "14025", "CW",     "05.03.2026", "07:04", "UA3", "ABC",
                       "599", "001",   "RK9XYZ", "599",        "017",   "1"};
}

void TestLoggerFile::parse()
{
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    QCOMPARE(loggerfile::parse(line), rec(expected));
}

void TestLoggerFile::wholeFileBytes()
{
    QTemporaryDir dir;
    test::TempLog log(dir.filePath("log.db"), QStringLiteral("sclBytes"), referenceFiles());
    QsoStore &store = *log.store;
    const QString path = dir.filePath("out.scl");

    QCOMPARE(loggerfile::writeFile(path, store), WriteResult::Ok);
    QCOMPARE(readAll(path), QByteArray()); // an empty log exports an empty file

    store.append(sampleLog());
    QCOMPARE(loggerfile::writeFile(path, store), WriteResult::Ok);
    QCOMPARE(readAll(path), SampleFile);
}

void TestLoggerFile::exportThenImportGivesBackEveryColumn()
{
    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    const test::MainControls ui(m);
    m.qsos().append(sampleLog());
    m.logModel().reload();
    m.myCall = "R3A-123";
    m.contestName = "RDXC";
    const QString path = t.path("log.scl");

    t.prompts->shown.clear();
    t.prompts->fileNames = {path};
    m.SCL1Click();
    QCOMPARE(t.prompts->shown.size(), 2);
    QCOMPARE(t.prompts->shown[0].kind, QStringLiteral("save"));
    QCOMPARE(t.prompts->shown[0].caption, QStringLiteral("Сохранить файл"));
    QCOMPARE(t.prompts->shown[0].text,
             t.path("R3A-123.scl") + "|Файлы отчетов (*.cbr *.scl *.adif\");;Все файлы (*.*)");
    QCOMPARE(t.prompts->shown[1].kind, QStringLiteral("information"));
    // The file written is named by its full path, whatever my call is.
    QCOMPARE(t.prompts->shown[1].text, "Выгрузка в файл  " + path + "  формата \"SCL\" произведена!");
    QCOMPARE(readAll(path), SampleFile);

    // Replace the log with a different one, then read the file back with Yes.
    m.qsos().clear();
    m.qsos().append(rec({"40M", "7000", "CW", "", "", "X", "", "", "", "", "", "", ""}));
    m.logModel().reload();
    const QVector<qint64> oldIds = m.qsos().allIds();
    t.prompts->shown.clear();
    t.prompts->answers = {true};
    t.prompts->fileNames = {path};
    m.SCL2Click();
    QCOMPARE(t.prompts->shown.size(), 3);
    QCOMPARE(t.prompts->shown[0].kind, QStringLiteral("yesno"));
    QCOMPARE(t.prompts->shown[0].text, QStringLiteral("Вы хотите перезаписать все записи лога?"));
    QCOMPARE(t.prompts->shown[1].kind, QStringLiteral("open"));
    QCOMPARE(t.prompts->shown[1].text, t.path("") + "|Файлы логгера (*.scl)");
    // The closing message names the file read and the records loaded.
    QCOMPARE(t.prompts->shown[2].kind, QStringLiteral("information"));
    QCOMPARE(t.prompts->shown[2].text, "Загрузка из файла  " + path + "  произведена! Загружено записей: 4.");

    QCOMPARE(allRecords(m.qsos()), sampleLog());
    const QVector<qint64> newIds = m.qsos().allIds();
    QCOMPARE(newIds.size(), 4);
    QVERIFY(newIds.first() > oldIds.last()); // new keys
    // The grid, its last row and the counters follow the import.
    QCOMPARE(m.logModel().rowCount(), 4);
    QCOMPARE(m.logModel().recordAt(1).nr1, QStringLiteral("МО"));
    QCOMPARE(ui.DBGrid1->currentIndex().row(), 3);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 4"));
    QCOMPARE(m.statusText(3), QStringLiteral("Points: 8")); // 4 records, 2 with nr2
}

void TestLoggerFile::importAddsWithNoAndKeepsQuotesAsText()
{
    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    const QString path = t.path("in.scl");
    writeFile(path, "20M;14025;CW;05.03.2026;07:04;UA3\"); --;599; DROP;;;1;1;\r\n"
                    ";;;;;;;;;;;;;\r\n"
                    "40M;7012;CW;;;R3A;599;001;;;;1;1;");
    m.qsos().append(rec({"80M", "3550", "CW", "", "", "OLD", "", "", "", "", "", "", ""}));
    for (int round = 1; round <= 2; ++round) {
        t.prompts->answers = {false};
        t.prompts->fileNames = {path};
        m.ImportLoggerFile();
    }
    QVERIFY(t.prompts->texts("error").isEmpty());
    const QVector<QsoRecord> all = allRecords(m.qsos());
    QCOMPARE(all.size(), 1 + 2 * 3); // no duplicate check: the file is added twice
    QCOMPARE(all[0].call1, QStringLiteral("OLD"));
    QCOMPARE(all[1].call1, QStringLiteral("UA3\")"));
    QCOMPARE(all[1].rst1, QStringLiteral(" --"));
    QCOMPARE(all[1].call2, QStringLiteral(" DROP")); // values are taken as they stand, not trimmed
    QCOMPARE(all[2], QsoRecord()); // thirteen empty values give an empty record
    QCOMPARE(all[3], rec({"40M", "7012", "CW", "", "", "R3A", "599", "001", "", "", "", "1", "1"}));
    QCOMPARE(all[4], all[1]);
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 7"));
}

void TestLoggerFile::importFailuresLeaveTheLogIntact_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("messagePart");
    QTest::newRow("folder, yes") << "folder" << true << "папка";
    QTest::newRow("missing file, yes") << "missing" << true << "не найден";
    QTest::newRow("binary garbage, yes") << "binary" << true << "двоичные данные";
    QTest::newRow("one huge line, yes") << "huge" << true << "строка длиннее";
    QTest::newRow("bad line after good ones, yes") << "partway" << true << "строка 3";
    QTest::newRow("bad line after good ones, no") << "partway" << false << "строка 3";
    QTest::newRow("empty file, yes") << "empty" << true << "пуст";
    QTest::newRow("50 MB in one line, yes") << "50mb" << true << "строка длиннее";
}

void TestLoggerFile::importFailuresLeaveTheLogIntact()
{
    QFETCH(QString, kind);
    QFETCH(bool, replace);
    QFETCH(QString, messagePart);

    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    m.qsos().append(sampleLog());
    m.logModel().reload();
    m.RefreshCounters();
    const QVector<QsoRecord> before = allRecords(m.qsos());

    QString path = t.path("bad.scl");
    if (kind == "folder") {
        path = t.path("folder.scl");
        QVERIFY(QDir().mkpath(path));
    } else if (kind == "missing") {
        path = t.path("missing.scl");
    } else if (kind == "binary") {
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(char((i * 37 + 11) % 256));
        writeFile(path, garbage);
    } else if (kind == "huge") {
        writeFile(path, QByteArray(10 * 1024 * 1024, 'A'));
    } else if (kind == "empty") {
        writeFile(path, QByteArray());
    } else if (kind == "50mb") {
        writeFile(path, QByteArray(50 * 1024 * 1024, ';') + "\r\n");
    } else {
        writeFile(path, SampleFile.left(SampleFile.indexOf('\n') + 1).repeated(2) + QByteArray("20M;\0;CW;\r\n", 11)
                            + SampleFile);
    }
    t.prompts->shown.clear();
    t.prompts->answers = {replace};
    t.prompts->fileNames = {path};
    m.ImportLoggerFile();

    const QStringList errors = t.prompts->texts("error");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(messagePart), qPrintable(errors[0]));
    QVERIFY2(errors[0].contains("журнал не изменён"), qPrintable(errors[0]));
    QCOMPARE(t.prompts->shown.last().caption, QStringLiteral("Vireo"));
    QCOMPARE(allRecords(m.qsos()), before);
    QCOMPARE(m.logModel().rowCount(), before.size());
    QCOMPARE(m.statusText(2), QStringLiteral("QSO: 4"));
}

void TestLoggerFile::strictLinesRefuseTheWholeFile_data()
{
    const QByteArray good = SampleFile.left(SampleFile.indexOf('\n') + 1);
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("messageParts");
    QTest::newRow("last value without its semicolon")
        << good + "20M;14025;CW;05.03.2026;07:04;UA3ABC;599;001;RK9XYZ;599;017;1;1\r\n" + good
        << QStringList{"строка 2:", "после последнего, 13-го значения нет знака «;»"};
    QTest::newRow("a line of two values") << good + good + "20M;14025;\r\n"
                                          << QStringList{"строка 3:", "значений в строке 2, а нужно ровно 13"};
    QTest::newRow("a line of fourteen values")
        << "20M;14025;CW;05.03.2026;07:04;UA3;ABC;599;001;RK9XYZ;599;017;1;1;\r\n" + good
        << QStringList{"строка 1:", "значений в строке 14"};
    QTest::newRow("text after the thirteenth semicolon")
        << good + "a;b;c;d;e;f;g;h;i;j;k;l;m;n" << QStringList{"строка 2:", "значений в строке 14"};
    QTest::newRow("a 5,000 character frequency")
        << good + "20M;" + QByteArray(5000, '1') + ";CW;05.03.2026;07:04;UA3ABC;599;001;;;;1;1;\r\n"
        << QStringList{"строка 2:", "поле 2 (частота) длиной 5000 зн.", "не больше 12 зн."};
    QTest::newRow("a call one character too long")
        << good + "20M;14025;CW;05.03.2026;07:04;UA9ABC/P/QRP12;599;001;;;;1;1;\r\n"
        << QStringList{"строка 2:", "поле 6 (CALL-1) длиной 14 зн.", "не больше 13 зн."};
    QTest::newRow("a Cyrillic number one character too long")
        << good
               + cp1251::encode(
                   QStringLiteral("20M;14025;CW;;;UA3;599;;R3A;599;%1;1;1;\r\n").arg(QString(21, QChar(0x416))))
        << QStringList{"строка 2:", "поле 11 (NR-2) длиной 21 зн."};
    QTest::newRow("a three-letter mode") << good + "20M;14025;SSB;05.03.2026;07:04;UA3ABC;59;001;;;;1;1;\r\n"
                                         << QStringList{"строка 2:", "поле 3 (вид связи)", "не больше 2 зн."};
    QTest::newRow("an empty line between records") << good + "\r\n" + good << QStringList{"строка 2:", "пустая строка"};
    QTest::newRow("lines of semicolons only")
        << (QByteArray(1000, ';') + "\r\n").repeated(3) << QStringList{"строка 1:", "значений в строке 1000"};
    QTest::newRow("several bad lines: the first is named, all are counted")
        << good + "x;\r\n" + good + "y;\r\n" + "z;\r\n" + good
        << QStringList{"строка 2:", "Неверных строк в файле: 3."};
}

void TestLoggerFile::strictLinesRefuseTheWholeFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, messageParts);
    for (const bool replace : {true, false}) {
        test::TestContext t;
        Program p(t.context);
        TMain &m = p.main();
        const test::MainControls ui(m);
        m.qsos().append(sampleLog());
        m.logModel().reload();
        m.RefreshCounters();
        const QVector<QsoRecord> before = allRecords(m.qsos());
        const QString undoBefore = ui.actUndo->text();
        const QString path = t.path("bad.scl");
        writeFile(path, content);
        t.prompts->shown.clear();
        t.prompts->answers = {replace};
        t.prompts->fileNames = {path};
        m.ImportLoggerFile();

        const QStringList errors = t.prompts->texts("error");
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith("Файл \"" + path + "\", строка "), qPrintable(errors[0]));
        for (const QString &part : messageParts)
            QVERIFY2(errors[0].contains(part), qPrintable(errors[0]));
        QVERIFY2(errors[0].endsWith("\nЗагрузка отменена, журнал не изменён."), qPrintable(errors[0]));
        // Nothing of the file is in the log, nothing of it in the undo history.
        QCOMPARE(allRecords(m.qsos()), before);
        QCOMPARE(m.logModel().rowCount(), before.size());
        QCOMPARE(m.statusText(2), QStringLiteral("QSO: 4"));
        QCOMPARE(ui.actUndo->text(), undoBefore);
    }
}

void TestLoggerFile::valuesAtTheirLimitsImport()
{
    // Every value as long as its column holds, Cyrillic counted one character a byte.
    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    const QStringList longest{"ABCDEFGH",
                              "123456789012",
                              "CW",
                              "05.03.2026",
                              "07:04",
                              "UA9ABC/P/QRP1",
                              "5995995995",
                              "ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ",
                              "R2017F/9/QRPP",
                              "5995995995",
                              "12345678901234567890",
                              "12345",
                              "2"};
    QCOMPARE(longest.size(), 13);
    for (int i = 0; i < 13; ++i)
        QCOMPARE(longest[i].size(), loggerfile::maxLength(i));
    const QString path = t.path("longest.scl");
    writeFile(path, cp1251::encode(longest.join(';') + ";\r\n"));
    t.prompts->answers = {true};
    t.prompts->fileNames = {path};
    m.ImportLoggerFile();
    QVERIFY2(t.prompts->texts("error").isEmpty(), qPrintable(t.prompts->texts("error").value(0)));
    QCOMPARE(allRecords(m.qsos()), QVector<QsoRecord>{rec(longest)});
}

void TestLoggerFile::cancelledChoiceAfterYesKeepsTheLog()
{
    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    m.qsos().append(sampleLog());
    t.prompts->shown.clear();
    t.prompts->answers = {true};
    t.prompts->fileNames.clear();
    m.ImportLoggerFile();
    QCOMPARE(t.prompts->shown.size(), 2); // the question, then the dialog; nothing after
    QCOMPARE(allRecords(m.qsos()), sampleLog());
}

void TestLoggerFile::fileInAnotherEncodingStillImports()
{
    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    const QString path = t.path("utf8.scl");
    const QByteArray utf8 = QStringLiteral("20M;14025;CW;05.03.2026;07:04;Р3А;599;МО;;;;1;1;\n"
                                           "20M;14025;CW;05.03.2026;07:05;日本;599;\xFF\xFE;;;;1;1;\r\n")
                                .toUtf8();
    writeFile(path, utf8 + QByteArray("\x98\x81\xC0;;;;;;;;;;;;;"));
    t.prompts->answers = {true};
    t.prompts->fileNames = {path};
    m.ImportLoggerFile();
    QVERIFY(t.prompts->texts("error").isEmpty());
    const QVector<QsoRecord> all = allRecords(m.qsos());
    QCOMPARE(all.size(), 3);
    // Read byte for byte as Windows-1251: the text is garbled but nothing is lost or refused.
    QCOMPARE(all[0].call1, cp1251::decode(QStringLiteral("Р3А").toUtf8()));
    QCOMPARE(all[1].call1, cp1251::decode(QStringLiteral("日本").toUtf8()));
    QCOMPARE(all[2].band, cp1251::decode("\x98\x81\xC0"));
    QCOMPARE(all[2].freq, QString());
}

void TestLoggerFile::exportFailures()
{
    test::TestContext t;
    Program p(t.context);
    TMain &m = p.main();
    m.qsos().append(sampleLog());

    m.myCall = "";
    m.contestName = "RDXC";
    t.prompts->shown.clear();
    t.prompts->fileNames = {t.path("x.scl")};
    m.ExportLoggerFile();
    QCOMPARE(t.prompts->shown.size(), 1);
    QCOMPARE(t.prompts->shown[0].text,
             QStringLiteral("Выгрузка невозможна!\n\rНе заполнены поля \"Позывной\" или \"Contest\""));
    QVERIFY(!QFile::exists(t.path("x.scl")));

    m.myCall = "R3A";
    t.prompts->shown.clear();
    t.prompts->fileNames = {t.path("none/x.scl")};
    m.ExportLoggerFile();
    QCOMPARE(t.prompts->shown.last().kind, QStringLiteral("error"));
    QCOMPARE(t.prompts->shown.last().caption, QStringLiteral("Ошибка"));
    QCOMPARE(t.prompts->shown.last().text, QStringLiteral("Произошла ошибка открытия файла"));

    t.prompts->shown.clear();
    t.prompts->fileNames = {"/dev/full"};
    m.ExportLoggerFile();
    QCOMPARE(t.prompts->shown.size(), 2);
    QCOMPARE(t.prompts->shown[1].kind, QStringLiteral("error"));
    QCOMPARE(t.prompts->shown[1].caption, QStringLiteral("Ошибка"));
    QCOMPARE(t.prompts->shown[1].text, QStringLiteral("Произошла ошибка записи данных в файл"));
    QVERIFY(t.prompts->texts("information").isEmpty());
}

QTEST_MAIN(TestLoggerFile)
#include "tst_logger_file.moc"
