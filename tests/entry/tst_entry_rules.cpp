// The rules of the entry line without any window: the character filter, the focus flow, the
// records a save writes and the edit-time check.

#include "base/error.h"
#include "entry/focus_flow.h"
#include "entry/key_filter.h"
#include "entry/qso_entry.h"
#include "support/qso_builder.h"

#include <QtTest>

using namespace vireo;

class EntryRules : public QObject {
    Q_OBJECT
private slots:
    void filterKeepsAndMaps_data();
    void filterKeepsAndMaps();
    void russianLayoutGivesLatinCapitals();
    void filterDiscards();
    void insertedTextIsFilteredAlone();
    void collapseAndDigits();
    void observationRecords();
    void manualRecordsArePreparedLikeObservation();
    void editedRecordKeepsKeyAndRadio();
    void editTimeCheck_data();
    void editTimeCheck();
    void editTimeNotANumber();
    void focusMoves_data();
    void focusMoves();
    void ctrlEnterFields();
    void cursorPlacement();
};

void EntryRules::filterKeepsAndMaps_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("becomes");
    QTest::newRow("unchanged signs and blank") << QStringLiteral("%&'( ") << QStringLiteral("%&'( ");
    QTest::newRow("digits") << QStringLiteral("0123456789") << QStringLiteral("0123456789");
    QTest::newRow("capitals") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")
                              << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QTest::newRow("small letters") << QStringLiteral("abcdefghijklmnopqrstuvwxyz")
                                   << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QTest::newRow("full stop, slash, backslash") << QStringLiteral("./\\") << QStringLiteral("///");
    QTest::newRow("example of the keyboard rules") << QStringLiteral("ua1абв") << QStringLiteral("UA1FD");
}

void EntryRules::filterKeepsAndMaps()
{
    QFETCH(QString, typed);
    QFETCH(QString, becomes);
    QString out;
    for (const QChar c : typed) {
        const QChar f = keyfilter::filterChar(c);
        if (!f.isNull())
            out += f;
    }
    QCOMPARE(out, becomes);
    QCOMPARE(keyfilter::filterText(typed), becomes);
}

void EntryRules::russianLayoutGivesLatinCapitals()
{
    // Each Latin letter and the Russian letter on its key, capital and small.
    const QString latin = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const QString russian = QStringLiteral("ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ");
    QCOMPARE(russian.size(), latin.size());
    for (int i = 0; i < latin.size(); ++i) {
        QCOMPARE(keyfilter::filterChar(russian.at(i)), latin.at(i));
        QCOMPARE(keyfilter::filterChar(russian.at(i).toLower()), latin.at(i));
    }
    // A call typed with the Russian layout left on.
    QCOMPARE(keyfilter::filterText(QStringLiteral("гф3фис.з")), QStringLiteral("UA3ABC/P"));
}

void EntryRules::filterDiscards()
{
    for (const QChar c : QStringLiteral("ХхЪъЖжЭэБбЮюЁё-+,;:!?\"*#@=_)[]{}<>|~`$^іїєґЎ€日")) {
        QVERIFY2(keyfilter::filterChar(c).isNull(), qPrintable(QString(c)));
    }
    // Backspace and Enter pass the key filter; inserted text drops them with every other control.
    QCOMPARE(keyfilter::filterChar(QChar(8)), QChar(8));
    QCOMPARE(keyfilter::filterChar(QChar(13)), QChar(13));
    QVERIFY(keyfilter::filterChar(QChar(22)).isNull()); // Ctrl+V
    QVERIFY(keyfilter::filterChar(QChar(3)).isNull()); // Ctrl+C
    QCOMPARE(keyfilter::filterText(QStringLiteral("ua\r\n3\tab\x16")), QStringLiteral("UA3AB"));
}

void EntryRules::insertedTextIsFilteredAlone()
{
    int cursor = -1;
    // Pasted at the end of a captured value: the value stays as it is.
    QCOMPARE(keyfilter::filterInserted(QStringLiteral("-37.5"), QStringLiteral("-37.5 ab.c"), cursor),
             QStringLiteral("-37.5 AB/C"));
    QCOMPARE(cursor, 10);
    // Pasted in the middle, over nothing.
    QCOMPARE(keyfilter::filterInserted(QStringLiteral("UA3"), QStringLiteral("Uжa-A3"), cursor),
             QStringLiteral("UAA3"));
    QCOMPARE(cursor, 2);
    // Pasted over a selection.
    QCOMPARE(keyfilter::filterInserted(QStringLiteral("UA3XYZ"), QStringLiteral("UA3abc"), cursor),
             QStringLiteral("UA3ABC"));
    QCOMPARE(cursor, 6);
    // Into an empty field; and a deletion is left alone.
    QCOMPARE(keyfilter::filterInserted(QString(), QStringLiteral("дл1хyz"), cursor), QStringLiteral("LK1YZ"));
    QCOMPARE(keyfilter::filterInserted(QStringLiteral("-3.5"), QStringLiteral("-35"), cursor), QStringLiteral("-35"));
    QCOMPARE(cursor, 2);
}

void EntryRules::collapseAndDigits()
{
    QCOMPARE(qsoentry::collapseBlanks(QStringLiteral("  17   KN  72 ")), QStringLiteral("17 KN 72"));
    QCOMPARE(qsoentry::collapseBlanks(QStringLiteral(" ")), QString());
    QCOMPARE(qsoentry::collapseBlanks(QStringLiteral("B 17")), QStringLiteral("B 17"));
    QVERIFY(qsoentry::isDigitsOnly(QStringLiteral("14 025")));
    QVERIFY(qsoentry::isDigitsOnly(QString()));
    QVERIFY(!qsoentry::isDigitsOnly(QStringLiteral(" R1 OFF")));
    QVERIFY(!qsoentry::isDigitsOnly(QStringLiteral("14.025")));
    QVERIFY(!qsoentry::isDigitsOnly(QStringLiteral("١٤٠٠٠"))); // digits of another script
    QVERIFY(qsoentry::frequencyUsable(QStringLiteral("14 025")));
    QVERIFY(!qsoentry::frequencyUsable(QString()));
    QVERIFY(!qsoentry::frequencyUsable(QStringLiteral("   ")));
    QVERIFY(!qsoentry::frequencyUsable(QStringLiteral(" R2 OFF")));
    QCOMPARE(qsoentry::frequencyMessage(), QStringLiteral(" Не верное значение частоты, запись невозможна"));
}

namespace {
qsoentry::Stamp stamp()
{
    qsoentry::Stamp s;
    s.band = QStringLiteral("20M");
    s.frequencyText = QStringLiteral("14 025");
    s.modeText = QStringLiteral("PH (SSB)");
    s.date = QStringLiteral("05.03.2026");
    s.time = QStringLiteral("07:04");
    s.tour = QStringLiteral("2");
    s.radio = QStringLiteral("2");
    return s;
}
} // namespace

void EntryRules::observationRecords()
{
    const qsoentry::StationFields f{QStringLiteral(" UA3ABC "), QStringLiteral(" 59"), QStringLiteral("  17   KN "),
                                    QStringLiteral("DL1XYZ "),  QStringLiteral("57 "), QStringLiteral(" 15 ")};
    const QVector<QsoRecord> one = qsoentry::observationRecords(f, stamp(), false);
    QCOMPARE(one.size(), 1);
    const QsoRecord &r = one.first();
    QCOMPARE(r.freq, QStringLiteral("14025"));
    QCOMPARE(r.mode, QStringLiteral("PH"));
    QCOMPARE(r.band, QStringLiteral("20M"));
    QCOMPARE(r.data, QStringLiteral("05.03.2026"));
    QCOMPARE(r.time, QStringLiteral("07:04"));
    QCOMPARE(r.call1, QStringLiteral("UA3ABC"));
    QCOMPARE(r.rst1, QStringLiteral("59"));
    QCOMPARE(r.nr1, QStringLiteral("17 KN"));
    QCOMPARE(r.call2, QStringLiteral("DL1XYZ"));
    QCOMPARE(r.rst2, QStringLiteral("57"));
    QCOMPARE(r.nr2, QStringLiteral("15"));
    QCOMPARE(r.tur, QStringLiteral("2"));
    QCOMPARE(r.radio, QStringLiteral("2"));

    // The mirror: the stations exchanged, prepared the same way, the same radio.
    const QVector<QsoRecord> two = qsoentry::observationRecords(f, stamp(), true);
    QCOMPARE(two.size(), 2);
    QCOMPARE(two.at(0), r);
    const QsoRecord &m = two.at(1);
    QCOMPARE(m.call1, QStringLiteral("DL1XYZ"));
    QCOMPARE(m.rst1, QStringLiteral("57"));
    QCOMPARE(m.nr1, QStringLiteral("15"));
    QCOMPARE(m.call2, QStringLiteral("UA3ABC"));
    QCOMPARE(m.rst2, QStringLiteral("59"));
    QCOMPARE(m.nr2, QStringLiteral("17 KN"));
    QCOMPARE(m.radio, QStringLiteral("2"));
    QCOMPARE(m.freq, r.freq);
    QCOMPARE(m.tur, r.tur);
}

void EntryRules::manualRecordsArePreparedLikeObservation()
{
    const qsoentry::StationFields f{
        QStringLiteral(" UA3ABC"), QStringLiteral("599 "), QStringLiteral(" 17"), QStringLiteral("DL1XYZ"), QString(),
        QStringLiteral(" 15  3 ")};
    qsoentry::Stamp s = stamp();
    s.time = QStringLiteral("  :  ");
    const QVector<QsoRecord> recs = qsoentry::manualRecords(f, s, true);
    QCOMPARE(recs.size(), 2);
    QCOMPARE(recs.at(0).call1, QStringLiteral("UA3ABC"));
    QCOMPARE(recs.at(0).rst1, QStringLiteral("599"));
    QCOMPARE(recs.at(0).nr1, QStringLiteral("17"));
    QCOMPARE(recs.at(0).nr2, QStringLiteral("15 3"));
    QCOMPARE(recs.at(0).time, QStringLiteral("  :  ")); // the date and time stay as typed
    QCOMPARE(recs.at(0).radio, QString());
    QCOMPARE(recs.at(1).call1, QStringLiteral("DL1XYZ"));
    QCOMPARE(recs.at(1).nr1, QStringLiteral("15 3"));
    QCOMPARE(recs.at(1).nr2, QStringLiteral("17"));
    QCOMPARE(recs.at(1).call2, QStringLiteral("UA3ABC"));
    QCOMPARE(recs.at(1).rst2, QStringLiteral("599"));
    QCOMPARE(recs.at(1).radio, QString());
}

void EntryRules::editedRecordKeepsKeyAndRadio()
{
    const QsoRecord original = test::Qso().id(42).radio(QStringLiteral("1")).tur(QStringLiteral("3"));
    const qsoentry::StationFields f{
        QStringLiteral("UA3ABC"), QStringLiteral("599"), QStringLiteral("17"), QString(), QString(), QString()};
    const QsoRecord r = qsoentry::editedRecord(original, f, stamp());
    QCOMPARE(r.id, qint64(42));
    QCOMPARE(r.radio, QStringLiteral("1"));
    QCOMPARE(r.tur, QStringLiteral("2")); // the tour field's text, not the record's
    QCOMPARE(r.freq, QStringLiteral("14025"));
}

void EntryRules::editTimeCheck_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("result");
    QTest::newRow("24:00") << QStringLiteral("24:00") << int(qsoentry::TimeCheck::BadHours);
    QTest::newRow("23:59") << QStringLiteral("23:59") << int(qsoentry::TimeCheck::Ok);
    QTest::newRow("12:60") << QStringLiteral("12:60") << int(qsoentry::TimeCheck::BadMinutes);
    QTest::newRow("99:99 hours first") << QStringLiteral("99:99") << int(qsoentry::TimeCheck::BadHours);
    QTest::newRow("00:00") << QStringLiteral("00:00") << int(qsoentry::TimeCheck::Ok);
    QTest::newRow("empty mask passes") << QStringLiteral("  :  ") << int(qsoentry::TimeCheck::Ok);
    QTest::newRow("four characters pass") << QStringLiteral(" 7:99") << int(qsoentry::TimeCheck::Ok);
}

void EntryRules::editTimeCheck()
{
    QFETCH(QString, time);
    QFETCH(int, result);
    QCOMPARE(int(qsoentry::checkEditTime(time)), result);
    QCOMPARE(qsoentry::timeCheckMessage(qsoentry::TimeCheck::BadHours), QStringLiteral("Неверное значение часов"));
    QCOMPARE(qsoentry::timeCheckMessage(qsoentry::TimeCheck::BadMinutes), QStringLiteral("Неверное значение минут"));
}

void EntryRules::editTimeNotANumber()
{
    try {
        qsoentry::checkEditTime(QStringLiteral("1 :30"));
        QFAIL("a blank inside the hours must not pass");
    } catch (const Error &e) {
        QVERIFY2(e.text().contains(QStringLiteral("'1 '")), qPrintable(e.text()));
    }
    QVERIFY_THROWS_EXCEPTION(Error, qsoentry::checkEditTime(QStringLiteral("12: 3")));
}

void EntryRules::focusMoves_data()
{
    using focusflow::Field;
    using focusflow::Key;
    QTest::addColumn<bool>("column");
    QTest::addColumn<bool>("rst");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to"); // -1: no move
    QTest::addColumn<bool>("placement");
    auto row = [](const char *name, bool column, bool rst, Field from, Key key, int to, bool placement) {
        QTest::newRow(name) << column << rst << int(from) << int(key) << to << placement;
    };
    // Column layout
    row("col call1 Enter", true, true, Field::Call1, Key::Enter, int(Field::Call2), false);
    row("col call1 Down rst", true, true, Field::Call1, Key::Down, int(Field::Rst1), false);
    row("col call1 Down no rst", true, false, Field::Call1, Key::Down, int(Field::Nr1), false);
    row("col call1 Up", true, true, Field::Call1, Key::Up, -1, false);
    row("col rst1 Enter", true, true, Field::Rst1, Key::Enter, int(Field::Nr1), true);
    row("col rst1 Esc", true, true, Field::Rst1, Key::Esc, -1, false);
    row("col nr1 Enter rst", true, true, Field::Nr1, Key::Enter, int(Field::Rst2), false);
    row("col nr1 Enter no rst", true, false, Field::Nr1, Key::Enter, int(Field::Nr2), false);
    row("col nr1 Esc", true, true, Field::Nr1, Key::Esc, int(Field::Nr2), false);
    row("col call2 Enter", true, true, Field::Call2, Key::Enter, int(Field::Rst1), false);
    row("col call2 Esc", true, true, Field::Call2, Key::Esc, int(Field::Call1), false);
    row("col rst2 Enter", true, true, Field::Rst2, Key::Enter, int(Field::Nr2), true);
    row("col nr2 Enter", true, true, Field::Nr2, Key::Enter, int(Field::OkButton), false);
    row("col nr2 Esc", true, true, Field::Nr2, Key::Esc, int(Field::Nr1), false);
    row("col nr2 Down", true, true, Field::Nr2, Key::Down, -1, false);
    // Row layout
    row("row call1 Enter rst", false, true, Field::Call1, Key::Enter, int(Field::Rst1), false);
    row("row call1 Enter no rst", false, false, Field::Call1, Key::Enter, int(Field::Nr1), true);
    row("row call1 Down", false, true, Field::Call1, Key::Down, int(Field::Call2), false);
    row("row call1 Esc", false, true, Field::Call1, Key::Esc, int(Field::Nr1), false);
    row("row nr1 Enter", false, true, Field::Nr1, Key::Enter, int(Field::Call2), false);
    row("row nr1 Down", false, true, Field::Nr1, Key::Down, int(Field::Nr2), false);
    row("row nr1 Up", false, true, Field::Nr1, Key::Up, -1, false);
    row("row call2 Enter no rst", false, false, Field::Call2, Key::Enter, int(Field::Nr2), true);
    row("row call2 Up", false, true, Field::Call2, Key::Up, int(Field::Call1), false);
    row("row call2 Esc", false, true, Field::Call2, Key::Esc, int(Field::Nr2), false);
    row("row rst2 Up", false, true, Field::Rst2, Key::Up, int(Field::Rst1), false);
    row("row nr2 Up", false, true, Field::Nr2, Key::Up, int(Field::Nr1), false);
    row("row nr2 Esc", false, true, Field::Nr2, Key::Esc, int(Field::Call2), false);
    row("row nr2 Enter", false, false, Field::Nr2, Key::Enter, int(Field::OkButton), false);
}

void EntryRules::focusMoves()
{
    QFETCH(bool, column);
    QFETCH(bool, rst);
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    QFETCH(bool, placement);
    const auto move = focusflow::next(focusflow::Field(from), focusflow::Key(key), column, rst);
    if (to < 0) {
        QVERIFY(!move);
        return;
    }
    QVERIFY(move);
    QCOMPARE(int(move->target), to);
    QCOMPARE(move->placement, placement);
}

void EntryRules::ctrlEnterFields()
{
    using focusflow::Field;
    QVERIFY(focusflow::savesOnCtrlEnter(Field::Call1));
    QVERIFY(focusflow::savesOnCtrlEnter(Field::Nr2));
    QVERIFY(!focusflow::savesOnCtrlEnter(Field::Rst1));
    QVERIFY(!focusflow::savesOnCtrlEnter(Field::Rst2));
    QVERIFY(focusflow::savesBeforeMove(Field::Call1));
    QVERIFY(!focusflow::savesBeforeMove(Field::Call2));
}

void EntryRules::cursorPlacement()
{
    auto p = focusflow::placeCursor(QStringLiteral("  17 "), true);
    QCOMPARE(p.text, QStringLiteral("17 "));
    QCOMPARE(p.cursor, 3);
    p = focusflow::placeCursor(QStringLiteral("17"), false);
    QCOMPARE(p.text, QStringLiteral(" 17"));
    QCOMPARE(p.cursor, 0);
    p = focusflow::placeCursor(QString(), true);
    QCOMPARE(p.text, QStringLiteral(" "));
    QCOMPARE(p.cursor, 1);
}

QTEST_APPLESS_MAIN(EntryRules)
#include "tst_entry_rules.moc"
