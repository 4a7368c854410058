// Contest definition files: every shipped definition loads and scores a small log of its own
// (the scores worked out by hand in the table), files with faults are refused naming the file,
// the line and the key while the others stay usable, the listener's own folder wins, and the
// choice is kept in the settings file.

#include "contest_rules/rule_catalogue.h"
#include "contest_rules/scorer.h"
#include "rules_log.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vireo;
using namespace vireo::rules;
using vireo::test::qso;

Q_DECLARE_METATYPE(QVector<vireo::QsoRecord>)

namespace {

QString shippedDir()
{
    return QStringLiteral(VIREO_SOURCE_DIR "/contests");
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QString errorOf(const QByteArray &text)
{
    const Result<Definition> r = parseDefinition(text, QStringLiteral("bad.json"));
    return r.ok() ? QStringLiteral("(read)") : r.errorText();
}

QByteArray withLimit(const QByteArray &limit)
{
    return "{\n"
           "  \"name\": \"X\",\n"
           "  \"swl\": {\n"
           "    \"points\": { \"both\": 3, \"heard\": 1 },\n"
           "    \"limits\": [\n"
           "      { \"kind\": \"max\", \"station\": \"heard\", \"count\": 1, \"per\": \"band\" },\n"
           "      "
           + limit
           + "\n"
             "    ]\n"
             "  }\n"
             "}\n";
}

QByteArray withMultiplier(const QByteArray &m)
{
    return "{\n"
           "  \"name\": \"X\",\n"
           "  \"swl\": {\n"
           "    \"points\": { \"both\": 3, \"heard\": 1 },\n"
           "    \"multipliers\": [\n"
           "      "
           + m
           + "\n"
             "    ]\n"
             "  }\n"
             "}\n";
}

} // namespace

class TestDefinitions : public QObject {
    Q_OBJECT
private slots:
    void everyShippedDefinitionReads();
    void shippedDefinitionScores_data();
    void shippedDefinitionScores();
    void faultsNameFileLineAndKey_data();
    void faultsNameFileLineAndKey();
    void ownFolderWinsAndBadFilesStayApart();
    void choiceKeptInSettings();
};

void TestDefinitions::everyShippedDefinitionReads()
{
    const Catalogue c = Catalogue::read({shippedDir()});
    QVERIFY2(c.errors().isEmpty(), qPrintable(c.errors().join(QLatin1Char('\n'))));
    QVERIFY(c.definitions().size() >= 10);
    for (const Definition &d : c.definitions()) {
        QVERIFY2(d.source.startsWith(QLatin1String("http")), qPrintable(d.fileName));
        QVERIFY2(!d.rules.isEmpty(), qPrintable(d.fileName));
        QVERIFY2(!d.name.isEmpty(), qPrintable(d.fileName));
    }
    // Listed by name.
    for (int i = 1; i < c.definitions().size(); ++i)
        QVERIFY(QString::localeAwareCompare(c.definitions().at(i - 1).name, c.definitions().at(i).name) <= 0);
}

void TestDefinitions::shippedDefinitionScores_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QVector<QsoRecord>>("log");
    QTest::addColumn<qint64>("score");
    QTest::addColumn<int>("refused");

    // 3 for both numbers, 1 for one; a call at most 10 times per band on either side: records
    // 1-10 (30), the 11th with UA3AA as correspondent refused, 40M heard only (1). 31.
    QVector<QsoRecord> cqm;
    for (int i = 1; i <= 10; ++i)
        cqm << qso(i, "UA3AA", QStringLiteral("DL%1AA").arg(i), "20M",
                   QStringLiteral("12:%1").arg(i, 2, 10, QLatin1Char('0')), "1", "5");
    cqm << qso(11, "G4AA", "UA3AA", "20M", "12:20") << qso(12, "UA3AA", "", "40M", "12:30", "1", "");
    QTest::newRow("CQ-M") << "cq-m-2018.json" << cqm << qint64(31) << 1;

    // ITU zones as copied and Bulgarian districts per band. Points 3+3+1+3 = 10; zones 28, 29
    // on 20M and 27 on 40M, districts SF and BU on 20M: 5. 50.
    QTest::newRow("LZ DX") << "lz-dx-2008.json"
                           << QVector<QsoRecord>{qso(1, "LZ1AA", "DL1AA", "20M", "12:00", "SF", "28"),
                                                 qso(2, "UA3AA", "LZ2BB", "20M", "12:01", "029", "BU"),
                                                 qso(3, "G4AA", "JA1AA", "40M", "12:02", "27", ""),
                                                 qso(4, "DL1AA", "LZ1AA", "20M", "12:03", "28", "SF")}
                           << qint64(50) << 0;

    // The heard call once per band; countries x4 on 80M, x3 on 40M, x2 above. DL on 80M (4),
    // UA on 40M (3), G and DL on 20M (2 + 2): 11 x 4 points. 44.
    QTest::newRow("WAE") << "wae-dx.json"
                         << QVector<QsoRecord>{qso(1, "DL1AA", "K1AA", "80M", "12:00"),
                                               qso(2, "DL1AA", "K2BB", "80M", "12:01"),
                                               qso(3, "UA3AA", "JA1AA", "40M", "12:02"),
                                               qso(4, "G4AA", "K1AA", "20M", "12:03"),
                                               qso(5, "DL2BB", "K1AA", "20M", "12:04")}
                         << qint64(44) << 1;

    // 3 for both sides, 1 for one; the heard call once per band. 3 + 1 + 3 = 7.
    QTest::newRow("PCC") << "pcc.json"
                         << QVector<QsoRecord>{qso(1, "OK1AA", "DL1AA", "20M", "12:00"),
                                               qso(2, "OK1AA", "G4AA", "20M", "12:01"),
                                               qso(3, "OK1AA", "G4AA", "40M", "12:02", "1", ""),
                                               qso(4, "DL1AA", "OK1AA", "20M", "12:03")}
                         << qint64(7) << 1;

    // The correspondent not again within 5 minutes on a band (12:03 and 12:05 refused, the
    // refused 12:03 counting for 12:05); prefixes per band (DL1, G4 on 20M; OK1, OK2 on 40M: 4)
    // times countries per band (DL, G; OK: 3). 12.
    QTest::newRow("VERON SLP") << "veron-slp-2019.json" << QVector<QsoRecord>{qso(1, "DL1AA", "PA3AA", "20M", "12:00"),
                                                                              qso(2, "DL2BB", "PA3AA", "20M", "12:03"),
                                                                              qso(3, "G4AA", "PA3AA", "20M", "12:05"),
                                                                              qso(4, "G4AA", "PA3AA", "20M", "12:10"),
                                                                              qso(5, "OK1AA", "PA3AA", "40M", "12:11"),
                                                                              qso(6, "OK2AA", "DL1AA", "40M", "12:12")}
                               << qint64(12) << 2;

    // Each station once per band, 1 point each. 3.
    QTest::newRow("OK-OM") << "ok-om-dx-2016.json"
                           << QVector<QsoRecord>{qso(1, "OK1AA", "DL1AA", "20M", "12:00"),
                                                 qso(2, "OK1AA", "G4AA", "20M", "12:01"),
                                                 qso(3, "OM3AA", "DL1AA", "20M", "12:02"),
                                                 qso(4, "OK1AA", "K1AA", "40M", "12:03")}
                           << qint64(3) << 1;

    // Each station once per band and mode. 3.
    QTest::newRow("Schwaben") << "schwaben-2011.json"
                              << QVector<QsoRecord>{qso(1, "DL1AA", "DL2BB", "80M", "08:00"),
                                                    qso(2, "DL1AA", "DL3CC", "80M", "08:01"),
                                                    qso(3, "DL1AA", "DL3CC", "80M", "08:02", "1", "2", "PH"),
                                                    qso(4, "DL1AA", "DL4DD", "40M", "08:03")}
                              << qint64(3) << 1;

    // A station counts once per band on either side (record 2's JA1BB was record 1's
    // correspondent); area-0 stations are multipliers per band: JA0AA, JG1XX/0, JA0EE, JA0FF on
    // 80M, JA0AA on 40M: 5 x 4 points. 20.
    QTest::newRow("ALL JA0") << "all-ja0-2023.json"
                             << QVector<QsoRecord>{qso(1, "JA0AA", "JA1BB", "80M", "12:00"),
                                                   qso(2, "JA1BB", "JA2CC", "80M", "12:01"),
                                                   qso(3, "JA3DD", "JG1XX/0", "80M", "12:02"),
                                                   qso(4, "JA0EE", "JA0FF", "80M", "12:03"),
                                                   qso(5, "JA0AA", "JA4GG", "40M", "12:04")}
                             << qint64(20) << 1;

    // Once per band and mode on either side unless a new province comes with it: record 2
    // repeats SP9AA with nothing new (refused), record 4 repeats DL1AA with the new R. Points
    // 4 x 3, provinces B on 20M and 40M, R on 20M: 3. 36.
    QTest::newRow("SP DX") << "sp-dx-2017.json"
                           << QVector<QsoRecord>{qso(1, "SP9AA", "DL1AA", "20M", "12:00", "B", "005"),
                                                 qso(2, "SP9AA", "G4AA", "20M", "12:01", "B", "010"),
                                                 qso(3, "SP9AA", "K1AA", "40M", "12:02", "B", "7"),
                                                 qso(4, "SP5ZZ", "DL1AA", "20M", "12:03", "R", "006"),
                                                 qso(5, "SP5ZZ", "DL1AA", "20M", "12:04", "R", "007", "PH")}
                           << qint64(36) << 1;

    // 2 points for a full exchange, none without the correspondent's number; distinct numbers
    // as multipliers (123, 45, 7, 8: "0123" is 123). 6 x 4 = 24.
    QTest::newRow("DSW") << "dsw-kurzkontest.json"
                         << QVector<QsoRecord>{qso(1, "DL1AA", "DL2BB", "80M", "15:00", "123", "045"),
                                               qso(2, "DL1AA", "DL3CC", "80M", "15:01", "123", ""),
                                               qso(3, "DL4DD", "DL2BB", "80M", "15:02", "0123", "45"),
                                               qso(4, "DL5EE", "DL6FF", "80M", "15:03", "7", "8")}
                         << qint64(24) << 0;
}

void TestDefinitions::shippedDefinitionScores()
{
    QFETCH(QString, file);
    QFETCH(QVector<QsoRecord>, log);
    QFETCH(qint64, score);
    QFETCH(int, refused);
    const std::optional<Definition> d = Catalogue::read({shippedDir()}).find(file);
    QVERIFY2(d.has_value(), qPrintable(file));
    Scorer s(*d, test::testPrefixes());
    s.load(log);
    QStringList reasons;
    for (int i = 0; i < s.refusedCount(); ++i)
        reasons << s.refusedAt(i).reason;
    QVERIFY2(s.refusedCount() == refused, qPrintable(reasons.join(QLatin1Char('\n'))));
    QCOMPARE(s.claimedScore(), score);
}

void TestDefinitions::faultsNameFileLineAndKey_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");

    QTest::newRow("comma missing")
        << QByteArray("{\n  \"name\": \"X\",\n  \"rules\": \"2024\"\n  \"swl\": {}\n}\n")
        << QStringLiteral("Файл правил «bad.json», строка 4, после ключа «rules»: между значениями нет запятой.");
    QTest::newRow("not closed")
        << QByteArray("{\n  \"name\": \"X\",\n  \"swl\": { \"points\": { \"both\": 1\n")
        << QStringLiteral(
               "Файл правил «bad.json», строка 4, после ключа «swl.points.both»: объект не закрыт знаком «}».");
    // Nested far deeper than any definition: refused without walking it all.
    QTest::newRow("nested too deep")
        << QByteArray("{ \"name\": \"X\", \"swl\": ") + QByteArray(200000, '[')
        << QStringLiteral("Файл правил «bad.json», строка 1, после ключа «swl»: слишком глубокая вложенность.");
    QTest::newRow("not an object") << QByteArray(
        "[1, 2]") << QStringLiteral("Файл правил «bad.json», строка 1: ожидается объект «{ … }» с ключами name и swl.");
    QTest::newRow("unknown limit kind")
        << withLimit("{ \"kind\": \"maxx\", \"station\": \"heard\", \"count\": 1, \"per\": \"band\" }")
        << QStringLiteral("Файл правил «bad.json», строка 7, ключ «swl.limits[1].kind»: неизвестный вид ограничения "
                          "«maxx» (возможны: max, gap, run, once).");
    QTest::newRow("count missing")
        << withLimit("{ \"kind\": \"run\", \"station\": \"heard\", \"per\": \"band\" }")
        << QStringLiteral("Файл правил «bad.json», строка 7, ключ «swl.limits[1].count»: ключ обязателен, но его нет.");
    QTest::newRow("count as text")
        << withLimit("{ \"kind\": \"max\", \"station\": \"heard\", \"count\": \"10\", \"per\": \"band\" }")
        << QStringLiteral("Файл правил «bad.json», строка 7, ключ «swl.limits[1].count»: ожидается целое число от 1.");
    QTest::newRow("misspelt key")
        << withLimit("{ \"kind\": \"gap\", \"station\": \"heard\", \"minuts\": 5, \"per\": \"band\" }")
        << QStringLiteral("Файл правил «bad.json», строка 7, ключ «swl.limits[1].minuts»: неизвестный ключ (возможны: "
                          "kind, station, per, unless, minutes).");
    QTest::newRow("bad scope")
        << withLimit("{ \"kind\": \"once\", \"station\": \"either\", \"per\": \"mode-band\" }")
        << QStringLiteral(
               "Файл правил «bad.json», строка 7, ключ «swl.limits[1].per»: неизвестная область «mode-band» (возможны: "
               "contest, band, mode, tour и их сочетания через дефис в этом порядке: band-mode, band-mode-tour, …).");
    QTest::newRow("station of a multiplier")
        << withMultiplier("{ \"kind\": \"dxcc\", \"station\": \"either\", \"per\": \"band\" }")
        << QStringLiteral("Файл правил «bad.json», строка 6, ключ «swl.multipliers[0].station»: неизвестная станция "
                          "«either» (возможны: heard, correspondent, both).");
    QTest::newRow("weights without band")
        << withMultiplier(
               "{ \"kind\": \"dxcc\", \"station\": \"heard\", \"per\": \"contest\", \"weights\": { \"80M\": 4 } }")
        << QStringLiteral("Файл правил «bad.json», строка 6, ключ «swl.multipliers[0].weights»: веса диапазонов бывают "
                          "только у множителя с областью по диапазону (per: band, band-mode, …).");
    QTest::newRow("bad pattern")
        << withMultiplier("{ \"kind\": \"call\", \"station\": \"heard\", \"per\": \"band\", \"pattern\": \"(\" }")
        << QStringLiteral("Файл правил «bad.json», строка 6, ключ «swl.multipliers[0].pattern»: неверное регулярное "
                          "выражение (missing closing parenthesis).");
    QTest::newRow("points missing")
        << QByteArray("{\n  \"name\": \"X\",\n  \"swl\": {\n    \"points\": { \"both\": 3 }\n  }\n}\n")
        << QStringLiteral("Файл правил «bad.json», строка 4, ключ «swl.points.heard»: ключ обязателен, но его нет.");
    QTest::newRow("name missing") << QByteArray("{\n  \"swl\": { \"points\": { \"both\": 3, \"heard\": 1 } }\n}\n")
                                  << QStringLiteral(
                                         "Файл правил «bad.json», строка 1, ключ «name»: ключ обязателен, но его нет.");
}

void TestDefinitions::faultsNameFileLineAndKey()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    QCOMPARE(errorOf(text), error);
}

void TestDefinitions::ownFolderWinsAndBadFilesStayApart()
{
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("contests/shipped")));
    for (const QString &name : QDir(shippedDir()).entryList({QStringLiteral("*.json")}))
        QVERIFY(
            QFile::copy(QDir(shippedDir()).filePath(name), shippedFolder(program.path()) + QLatin1Char('/') + name));
    // The listener's own CQ-M with another limit, a broken file and a file that is no definition.
    writeFile(
        ownFolder(program.path()) + QStringLiteral("/cq-m-2018.json"),
        "{ \"name\": \"CQ-M (мой)\", \"swl\": { \"points\": { \"both\": 3, \"heard\": 1 },"
        " \"limits\": [ { \"kind\": \"max\", \"station\": \"correspondent\", \"count\": 10, \"per\": \"band\" } ] } }");
    writeFile(ownFolder(program.path()) + QStringLiteral("/broken.json"), "{ \"name\": \"Сломанный\",\n \"swl\": 5 }");
    writeFile(ownFolder(program.path()) + QStringLiteral("/readme.txt"), "not a definition");
    const Catalogue c = Catalogue::readBeside(program.path());
    QCOMPARE(
        c.errors(),
        QStringList({QStringLiteral("Файл правил «broken.json», строка 2, ключ «swl»: ожидается объект «{ … }».")}));
    const int shipped = int(QDir(shippedDir()).entryList({QStringLiteral("*.json")}).size());
    QCOMPARE(c.definitions().size(), shipped);
    const std::optional<Definition> cqm = c.find(QStringLiteral("cq-m-2018.json"));
    QVERIFY(cqm.has_value());
    QCOMPARE(cqm->name, QStringLiteral("CQ-M (мой)"));
    QCOMPARE(cqm->limits.first().station, Station::Correspondent);
    QVERIFY(c.find(QStringLiteral("wae-dx.json")).has_value());
    QVERIFY(!c.find(QStringLiteral("broken.json")).has_value());
    // No folders at all: nothing to choose, nothing wrong.
    QTemporaryDir empty;
    const Catalogue none = Catalogue::readBeside(empty.path());
    QVERIFY(none.definitions().isEmpty());
    QVERIFY(none.errors().isEmpty());
}

void TestDefinitions::choiceKeptInSettings()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("settings.ini"));
    QCOMPARE(readChosen(ini), QString());
    writeChosen(ini, QStringLiteral("cq-m-2018.json"));
    QCOMPARE(readChosen(ini), QStringLiteral("cq-m-2018.json"));
    QFile f(ini);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("[Contest]\r\nRules=cq-m-2018.json"));
    writeChosen(ini, QString());
    QCOMPARE(readChosen(ini), QString());
}

QTEST_APPLESS_MAIN(TestDefinitions)
#include "tst_definitions.moc"
