// The Cabrillo text rules without any window: exchange layout, frequency column, QSO lines,
// header lines and the format table's blocks.

#include "reports/cabrillo_lines.h"
#include "reports/cabrillo_report.h"
#include "support/qso_builder.h"

#include <QtTest>

Q_DECLARE_METATYPE(vireo::QsoRecord)

using namespace vireo;
using namespace vireo::cabrillo;

namespace {

QsoRecord record(const QString &freq, const QString &mode, const QString &call1, const QString &rst1,
                 const QString &nr1, const QString &call2, const QString &rst2, const QString &nr2)
{
    return test::Qso()
        .freq(freq)
        .mode(mode)
        .at(QStringLiteral("23.09.2008"), QStringLiteral("07:11"))
        .heard(call1, rst1, nr1)
        .worked(call2, rst2, nr2)
        .band(QStringLiteral("10M"))
        .tur(QStringLiteral("1"))
        .radio(QStringLiteral("1"));
}

// Trailing blanks removed, as the guide table shows its example rows.
QString rightTrimmed(QString s)
{
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

} // namespace

class TestCabrilloLines : public QObject {
    Q_OBJECT
private slots:
    void textOperations();
    void formatExchange_data();
    void formatExchange();
    void frequencyColumn_data();
    void frequencyColumn();
    void qsoLines_data();
    void qsoLines();
    void qsoLineEdgeCases();
    void modeColumn_data();
    void modeColumn();
    void recordWithoutCorrespondentHasEveryColumn();
    void formatNumber();
    void headerLines();
    void formatTable();
};

void TestCabrilloLines::textOperations()
{
    QCOMPARE(StripSeparators(QStringLiteral(" 14.025-5:1,2 ")), QStringLiteral("14025512"));
    QCOMPARE(StripSeparators(QStringLiteral("07:11")), QStringLiteral("0711"));
    QCOMPARE(StripSeparators(QString()), QString());

    QCOMPARE(CabrilloDate(QStringLiteral("23.09.2008")), QStringLiteral("2008-09-23 "));
    // By position only: a short or odd text is taken apart as it stands, without a crash.
    QCOMPARE(CabrilloDate(QStringLiteral("1.2.2008")), QStringLiteral("08-.2-1. "));
    QCOMPARE(CabrilloDate(QString()), QStringLiteral("-- "));

    QCOMPARE(PadRight(QStringLiteral("AB"), 5), QStringLiteral("AB   "));
    QCOMPARE(PadRight(QStringLiteral("ABCDEFG"), 5), QStringLiteral("ABCDEFG"));
    QCOMPARE(PadLeft(QStringLiteral("AB"), 5), QStringLiteral("   AB"));
    QCOMPARE(PadLeft(QStringLiteral("ABCDEFG"), 5), QStringLiteral("ABCDEFG"));
    QCOMPARE(PadRight(QString(), 3), QStringLiteral("   "));

    QCOMPARE(ExchangeWidth(1), 11);
    QCOMPARE(ExchangeWidth(6), 11);
    QCOMPARE(ExchangeWidth(7), 14);
    QCOMPARE(ExchangeWidth(10), 14);
    QCOMPARE(ExchangeWidth(11), 21);
    QCOMPARE(ExchangeWidth(0), 0);
    QCOMPARE(ExchangeWidth(12), 0);
    QCOMPARE(ExchangeWidth(-3), 0);
}

void TestCabrilloLines::formatExchange_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    // The worked examples of the exchange layouts.
    QTest::newRow("3 report and word") << 3 << "07 POISK"
                                       << "07  POISK ";
    QTest::newRow("5 three words") << 5 << "KR 10 001"
                                   << "KR 10 001 ";
    QTest::newRow("7 coordinates") << 7 << "1234 57N95O"
                                   << "1234 57N95O  ";
    QTest::newRow("11 four words") << 11 << "599 27 UA0XYZ/U 33"
                                   << "599 27  UA0XYZ/U 33 ";
    QTest::newRow("2 empty report") << 2 << " 123456"
                                    << "123456    ";
    QTest::newRow("1 third word joined") << 1 << "599 001 SE"
                                         << "599 001SE ";
    QTest::newRow("3 third word dropped") << 3 << "599 001 SE"
                                          << "599 001   ";
    QTest::newRow("2 run together") << 2 << "599 001"
                                    << "599001    ";
    QTest::newRow("11 three words") << 11 << "599 27 33"
                                    << "599 27           33 ";
    QTest::newRow("1 empty report") << 1 << " 001"
                                    << "001       ";

    // Cutting and the remaining formats.
    QTest::newRow("1 long number cut, rest dropped") << 1 << "5999 ABCDEFGH XY"
                                                     << "599 ABCDEF";
    QTest::newRow("1 separators of the rest removed") << 1 << "599 01 A-B.C"
                                                      << "599 01ABC ";
    QTest::newRow("2 long first word") << 2 << "ABCDEFGHIJKL 1"
                                       << "ABCDEFGHIJ";
    QTest::newRow("2 three words, separators") << 2 << "599 12 3-4"
                                               << "5991234   ";
    QTest::newRow("4") << 4 << "AM01 001"
                       << "AM01 001  ";
    QTest::newRow("4 cut") << 4 << "12345 678901"
                           << "1234 67890";
    QTest::newRow("5 rest stripped and cut") << 5 << "KR 10 0-0:1,23"
                                             << "KR 10 0012";
    QTest::newRow("6") << 6 << "599 001 SE"
                       << "599 001 SE";
    QTest::newRow("6 cut") << 6 << "5999 0012 SEX"
                           << "599 001 SE";
    QTest::newRow("8") << 8 << "599 001 123"
                       << "599 001  123 ";
    QTest::newRow("9") << 9 << "599 KO85MM 50"
                       << "599 KO85MM 50";
    QTest::newRow("10") << 10 << "001 57S 85O"
                        << "001  57S 85O ";
    QTest::newRow("11 many blanks keep R untrimmed") << 11 << "599 27  UA0XYZ 33"
                                                     << "599 27           UA0";
    QTest::newRow("blanks around and between") << 3 << "  599    001  "
                                               << "599 001   ";
    QTest::newRow("only blanks") << 1 << "   "
                                 << "          ";
    QTest::newRow("outside 1..11") << 12 << "599 001"
                                   << "";
    QTest::newRow("zero") << 0 << "599 001"
                          << "";
    QTest::newRow("negative") << -1 << "599 001"
                              << "";
}

void TestCabrilloLines::formatExchange()
{
    QFETCH(int, format);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(FormatExchange(text, format), result);
}

void TestCabrilloLines::frequencyColumn_data()
{
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("column");
    QTest::newRow("five digits") << "14025"
                                 << "14025 ";
    QTest::newRow("four digits") << "3550"
                                 << " 3550 ";
    QTest::newRow("three digits") << "144"
                                  << "  144 ";
    QTest::newRow("six digits keep the blank") << "144050"
                                               << "144050 ";
    QTest::newRow("point removed") << "14025.5"
                                   << "140255 ";
    QTest::newRow("seven digits keep the blank") << "1296000"
                                                 << "1296000 ";
    QTest::newRow("empty") << ""
                           << "      ";
}

void TestCabrilloLines::frequencyColumn()
{
    QFETCH(QString, freq);
    QFETCH(QString, column);
    QCOMPARE(FrequencyColumn(freq), column);
}

void TestCabrilloLines::qsoLines_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QsoRecord>("rec");
    QTest::addColumn<QString>("line");
    const QString c1 = QStringLiteral("UA1XYZ"), c2 = QStringLiteral("UA2XYZ"), f = QStringLiteral("28009"),
                  cw = QStringLiteral("CW");
    // Example rows of the window's format table; the table shows them without trailing blanks.
    QTest::newRow("1") << 1 << record(f, cw, c1, "599", "001", c2, "599", "001")
                       << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    UA2XYZ        599 001";
    QTest::newRow("2") << 2 << record(f, cw, c1, "", "123456", c2, "", "678901")
                       << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        123456     UA2XYZ        678901";
    QTest::newRow("3") << 3 << record(f, cw, c1, "07", "POISK", c2, "10", "ARCK")
                       << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        07  POISK  UA2XYZ        10  ARCK";
    QTest::newRow("4") << 4 << record(f, cw, c1, "326", "KO48", c2, "1024", "LP32")
                       << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        326  KO48  UA2XYZ        1024 LP32";
    QTest::newRow("5") << 5 << record(f, cw, c1, "KR", "10 001", c2, "KR", "2 005")
                       << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        KR 10 001  UA2XYZ        KR 2  005";
    QTest::newRow("6") << 6 << record(f, cw, c1, "599", "001 SE", c2, "599", "002 TB")
                       << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001 SE UA2XYZ        599 002 TB";
    QTest::newRow("7") << 7 << record(f, cw, c1, "1234", "57N95O", c2, "1234", "40S175E")
                       << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        1234 57N95O   UA2XYZ        1234 40S175E";
    QTest::newRow("8") << 8 << record(f, cw, c1, "599", "001 QRP", c2, "599", "002 WZZ")
                       << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001  QRP  UA2XYZ        599 002  WZZ";
    QTest::newRow("9") << 9 << record(f, QStringLiteral("RY"), c1, "599", "KO85MM 50", c2, "599", "LO65AA 35")
                       << "QSO: 28009 RY 2008-09-23 0711 UA1XYZ        599 KO85MM 50 UA2XYZ        599 LO65AA 35";
    QTest::newRow("10") << 10 << record(f, cw, c1, "", "001 57S 85O", c2, "", "002 44N 133W")
                        << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        001  57S 85O  UA2XYZ        002  44N 133W";
    QTest::newRow("11") << 11 << record(f, cw, c1, "599", "27 UA0XYZ/U 33", c2, "599", "45 UA3XYZ 33")
                        << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 27  UA0XYZ/U 33  UA2XYZ        599 45  "
                           "UA3XYZ   33";
    QTest::newRow("12 no exchanges") << 12 << record(f, cw, c1, "599", "001", c2, "599", "001")
                                     << "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        UA2XYZ";
}

void TestCabrilloLines::qsoLines()
{
    QFETCH(int, format);
    QFETCH(QsoRecord, rec);
    QFETCH(QString, line);
    const QString built = QsoLine(rec, format);
    QCOMPARE(rightTrimmed(built), line);
    // Every column is filled: the line ends with the blanks of the second exchange column.
    const int width = ExchangeWidth(format);
    if (width > 0) {
        QCOMPARE(built.size(), 5 + 6 + 2 + 1 + 11 + 5 + 2 * (14 + width));
        const QString x2 = FormatExchange(rec.rst2 + QLatin1Char(' ') + rec.nr2, format);
        QCOMPARE(built.right(width), PadRight(x2, width));
    }
}

void TestCabrilloLines::qsoLineEdgeCases()
{
    // The worked example, four blanks at its end.
    QsoRecord r = record(QStringLiteral("28009"), QStringLiteral("CW"), QStringLiteral("UA1XYZ"), QStringLiteral("599"),
                         QStringLiteral("001"), QStringLiteral("UA2XYZ"), QStringLiteral("599"), QStringLiteral("001"));
    QCOMPARE(QsoLine(r, 1),
             QStringLiteral("QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    UA2XYZ        599 001    "));

    // No worked station (saved with Ctrl+Enter): "-" in the call and in each exchange column.
    r.call2.clear();
    r.rst2 = QStringLiteral(" ");
    r.nr2.clear();
    QCOMPARE(QsoLine(r, 1),
             QStringLiteral("QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    -             -   -      "));

    // A long call pushes the rest of the line; six digits keep a blank before the mode.
    r = record(QStringLiteral("144050"), QStringLiteral(" PH "), QStringLiteral("UA1XYZ/P/QRP/MM"),
               QStringLiteral("59"), QStringLiteral("12"), QStringLiteral("R3A"), QStringLiteral("59"),
               QStringLiteral("7"));
    QCOMPARE(QsoLine(r, 3),
             QStringLiteral("QSO: 144050 PH 2008-09-23 0711 UA1XYZ/P/QRP/MM 59  12     R3A           59  7      "));

    // Cyrillic text in a call stays (the file's code page handles it).
    r.call1 = QStringLiteral("УА1");
    QVERIFY(QsoLine(r, 3).contains(QStringLiteral(" УА1           59  12")));
}

void TestCabrilloLines::modeColumn_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("column");
    const char *const rows[][2] = {
        {"CW", "CW"},
        {"PH", "PH"},
        {"FM", "FM"},
        {"RY", "RY"},
        {"PS", "DG"},
        {"PM", "DG"},
        {"PO", "DG"},
        {"AM", "DG"},
        {"AX", "DG"},
        {"CO", "DG"},
        {"DO", "DG"},
        {"HE", "DG"},
        {"MF", "DG"},
        {"OL", "DG"},
        {"PT", "DG"},
        {"RM", "DG"},
        {"TH", "DG"},
        {"TV", "DG"},
        // Typed or from the radio; letter case and blanks do not matter.
        {"SS", "PH"},
        {"ss", "PH"},
        {" cw ", "CW"},
        {"RT", "RY"},
        {"DI", "DG"},
        {"UN", "DG"},
        {"", "DG"},
    };
    for (const auto &r : rows)
        QTest::newRow(*r[0] ? r[0] : "empty") << r[0] << r[1];
}

void TestCabrilloLines::modeColumn()
{
    QFETCH(QString, code);
    QFETCH(QString, column);
    const QsoRecord r =
        record(QStringLiteral("14025"), code, QStringLiteral("UA1XYZ"), QStringLiteral("599"), QStringLiteral("001"),
               QStringLiteral("UA2XYZ"), QStringLiteral("599"), QStringLiteral("002"));
    QCOMPARE(QsoLine(r, 1).mid(11, 3), column + QLatin1Char(' '));
}

void TestCabrilloLines::recordWithoutCorrespondentHasEveryColumn()
{
    // For every format, a line without the worked station splits into as many words as a full
    // one, with the worked station's columns where the full line has them.
    const QString full[] = {QString(),     "599 001 SE",    "599 001",     "07 POISK",
                            "AM01 001",    "KR 10 001",     "599 001 SE",  "1234 57N95O",
                            "599 001 123", "599 KO85MM 50", "001 57S 85O", "599 27 UA0XYZ/U 33"};
    for (int format = 1; format <= 11; ++format) {
        const QString x = full[format];
        const int space = x.indexOf(QLatin1Char(' '));
        QsoRecord r = record(QStringLiteral("14025"), QStringLiteral("CW"), QStringLiteral("UA1XYZ"), x.left(space),
                             x.mid(space + 1), QStringLiteral("UA2XYZ"), x.left(space), x.mid(space + 1));
        const QString whole = QsoLine(r, format);
        r.call2.clear();
        r.rst2.clear();
        r.nr2.clear();
        const QString heard = QsoLine(r, format);
        const QStringList wholeWords = whole.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QStringList heardWords = heard.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QVERIFY2(heardWords.size() == wholeWords.size(), qPrintable(QString::number(format) + ": " + heard));
        QCOMPARE(heard.size(), whole.size());
        const int second = whole.indexOf(QStringLiteral("UA2XYZ"));
        QCOMPARE(heard.left(second), whole.left(second));
        for (int i = 0; i < whole.size(); ++i)
            if (i >= second && whole.at(i) != QLatin1Char(' ') && (i == 0 || whole.at(i - 1) == QLatin1Char(' ')))
                QVERIFY2(heard.at(i) == QLatin1Char('-'), qPrintable(QString::number(format) + ": " + heard));
    }
    // A heard station without a call, and a format outside 1..11 (no exchange columns).
    QsoRecord r = record(QStringLiteral("14025"), QStringLiteral("CW"), QString(), QStringLiteral("599"),
                         QStringLiteral("001"), QString(), QString(), QString());
    QCOMPARE(QsoLine(r, 15), QStringLiteral("QSO: 14025 CW 2008-09-23 0711 -             -             "));
}

void TestCabrilloLines::formatNumber()
{
    int f = 0;
    QVERIFY(ParseFormatNumber(QStringLiteral("7"), &f));
    QCOMPARE(f, 7);
    QVERIFY(ParseFormatNumber(QStringLiteral(" 11 "), &f));
    QCOMPARE(f, 11);
    QVERIFY(ParseFormatNumber(QStringLiteral("15"), &f));
    QCOMPARE(f, 15);
    QVERIFY(ParseFormatNumber(QStringLiteral("-2"), &f));
    QCOMPARE(f, -2);
    for (const char *bad : {"", " ", "1.5", "abc", "1a", "0x1", "-", "+", "1 1", "99999999999999"}) {
        f = 42;
        QVERIFY2(!ParseFormatNumber(QString::fromLatin1(bad), &f), bad);
        QCOMPARE(f, 42);
    }
}

void TestCabrilloLines::headerLines()
{
    Header h;
    // Only the two fixed lines when everything is empty.
    QCOMPARE(HeaderLines(h),
             QStringList({QStringLiteral("START-OF-LOG: 3.0"), QStringLiteral("CREATED-BY: Tamarin Vireo v.1.5")}));

    h.contest = QStringLiteral("  RDXC ");
    h.callsign = QStringLiteral(" R3A-SWL ");
    h.categoryOperator = QStringLiteral("SINGLE-OP ");
    h.categoryBand = QStringLiteral("1.2G ");
    h.categoryMode = QStringLiteral(" ");
    h.categoryPower = QStringLiteral(" ");
    h.categoryAssisted = QStringLiteral("NON-ASSISTED ");
    h.categoryStation = QStringLiteral("SCHOOL ");
    h.categoryTime = QStringLiteral("24-HOURS ");
    h.categoryTransmitter = QStringLiteral("SWL ");
    h.categoryOverlay = QStringLiteral("POLAR ");
    for (int i = 1; i <= 14; ++i)
        h.offTimes << (i == 2 ? QString() : QStringLiteral(" off %1").arg(i));
    h.claimedScore = QStringLiteral(" 1234 ");
    h.location = QStringLiteral("MO");
    h.club = QStringLiteral("SRR");
    h.email = QStringLiteral("a@b.ru");
    h.name = QStringLiteral("Иван");
    h.address =
        QStringList({QStringLiteral("ул. Мира, 1 "), QString(), QStringLiteral("Москва"), QStringLiteral("Россия")});
    h.operators = QStringLiteral(" R3A ");
    h.soapbox = QStringLiteral(" 73! ");

    QStringList expected = {
        QStringLiteral("START-OF-LOG: 3.0"),
        QStringLiteral("CONTEST: RDXC"),
        QStringLiteral("CALLSIGN:  R3A-SWL "),
        QStringLiteral("CATEGORY-OPERATOR: SINGLE-OP"),
        QStringLiteral("CATEGORY-BAND: 1.2G"),
        QStringLiteral("CATEGORY-POWER:  "),
        QStringLiteral("CATEGORY-ASSISTED: NON-ASSISTED"),
        QStringLiteral("CATEGORY-STATION: SCHOOL"),
        QStringLiteral("CATEGORY-TIME: 24-HOURS"),
        QStringLiteral("CATEGORY-TRANSMITTE: SWL"),
        QStringLiteral("CATEGORY-OVERLAY: POLAR"),
    };
    for (int i = 1; i <= 12; ++i)
        if (i != 2)
            expected << QStringLiteral("OFTIME:  off %1").arg(i);
    expected << QStringLiteral("CLAMIMED-SCORE: 1234") << QStringLiteral("LOCATION: MO") << QStringLiteral("CLUB: SRR")
             << QStringLiteral("CREATED-BY: Tamarin Vireo v.1.5") << QStringLiteral("EMAIL: a@b.ru")
             << QStringLiteral("NAME: Иван") << QStringLiteral("ADDRESS: ул. Мира, 1 ")
             << QStringLiteral("ADDRESS: Москва") << QStringLiteral("OPERATORS: R3A") << QStringLiteral("SOAPBOX: 73!");
    QCOMPARE(HeaderLines(h), expected);
}

void TestCabrilloLines::formatTable()
{
    const QStringList rows = FormatTableText().split(QLatin1Char('\n'));
    QCOMPARE(rows.size(), 64);
    QCOMPARE(rows.at(0), QStringLiteral("    Контрольный номер до 10 символов:"));
    QCOMPARE(rows.at(7),
             QStringLiteral("QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    UA2XYZ        599 001    0"));

    // Each block starts at a column-name row followed by its mask, and the block's examples are QSO lines.
    int blocks = 0;
    for (int row = 0; row < 64; ++row) {
        const FormatBlock b = FormatBlockAt(row);
        if (!b.isValid()) {
            QVERIFY2(!rows.at(row).startsWith(QStringLiteral("QSO: 28009")), qPrintable(rows.at(row)));
            continue;
        }
        QVERIFY(row >= b.first && row <= b.last);
        if (row == b.first) {
            ++blocks;
            QCOMPARE(b.format, blocks);
            QVERIFY2(rows.at(row).startsWith(QStringLiteral("QSO: freq")), qPrintable(rows.at(row)));
            QVERIFY(rows.at(row + 1).startsWith(QStringLiteral("**** *****")));
            QVERIFY(b.isRedRow(row) && b.isRedRow(row + 1) && !b.isRedRow(row + 2));
        } else if (!b.isRedRow(row)) {
            QVERIFY2(rows.at(row).startsWith(QStringLiteral("QSO: 28009")), qPrintable(rows.at(row)));
        }
    }
    QCOMPARE(blocks, 11);
    QCOMPARE(FormatBlockAt(-1).isValid(), false);
    QCOMPARE(FormatBlockAt(64).isValid(), false);
    QCOMPARE(FormatBlockAt(13).last, 19);
    QCOMPARE(FormatBlockAt(63).format, 11);
}

QTEST_APPLESS_MAIN(TestCabrilloLines)
#include "tst_cabrillo_lines.moc"
