// Choosing the contest rules in the tour window (cbRules) in the whole program: "Без правил"
// first, then the definitions; the choice kept as Rules in section Contest and read back at the
// next start; the contest name and the Cabrillo CONTEST: following the rules unless the listener
// typed his own; the Cabrillo claimed score taken from the rules unless typed; a file that does
// not read and a chosen file that is gone said under the list.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "contest/ui/tfmcontest.h"
#include "contest_rules/rules_log.h"
#include "contest_rules/rules_tracker.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "reports/ui/tfmcabrillo.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace vireo;

namespace {

void installDefinitions(const test::TestContext &t)
{
    test::installShippedDefinitions(t.context.programDir);
}

QsoRecord record(const QString &call1, const QString &call2, const QString &band, const QString &time,
                 const QString &nr2)
{
    return test::Qso::typical()
        .freq(QStringLiteral("14025"))
        .band(band)
        .at(QStringLiteral("07.03.2026"), time)
        .heard(call1, QStringLiteral("599"), QStringLiteral("001"))
        .call2(call2)
        .nr2WithReport(nr2);
}

// A CQ-M log: UA3AA heard ten times on 20M with both numbers (30 points), an eleventh time as
// correspondent (refused: at most 10 times per band), once on 40M without the second number (1).
void fillLog(QsoStore &store)
{
    QVector<QsoRecord> log;
    for (int i = 0; i < 10; ++i)
        log << record(QStringLiteral("UA3AA"), QStringLiteral("DL%1AA").arg(i), QStringLiteral("20M"),
                      QStringLiteral("12:%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("5"));
    log << record(QStringLiteral("G4AA"), QStringLiteral("UA3AA"), QStringLiteral("20M"), QStringLiteral("12:20"),
                  QStringLiteral("7"))
        << record(QStringLiteral("UA3AA"), QString(), QStringLiteral("40M"), QStringLiteral("12:30"), QString());
    store.append(log);
}

void choose(TfmContest &w, const QString &file)
{
    const int index = w.cbRules->findData(file);
    QVERIFY2(index >= 0, qPrintable(file));
    w.cbRules->setCurrentIndex(index);
    emit w.cbRules->activated(index);
}

} // namespace

class TestRulesChoice : public QObject {
    Q_OBJECT
private slots:
    void choosingFollowsAndKeeps();
    void choiceReadBackAtTheNextStart();
    void chosenFileGone();
};

void TestRulesChoice::choosingFollowsAndKeeps()
{
    test::TestContext t;
    installDefinitions(t);
    QFile bad(t.path(QStringLiteral("contests/broken.json")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("{ \"name\": \"Сломанный\" ");
    bad.close();
    Program p(t.context);
    fillLog(p.main().qsos());
    TfmContest &w = p.contest();

    QCOMPARE(w.cbRules->itemText(0), QStringLiteral("Без правил"));
    QCOMPARE(w.cbRules->currentIndex(), 0);
    QCOMPARE(w.cbRules->count(),
             1 + int(QDir(t.path(QStringLiteral("contests/shipped"))).entryList({QStringLiteral("*.json")}).size()));
    QVERIFY(w.cbRules->findText(QStringLiteral("CQ-M International DX Contest, правила 2018")) > 0);
    QVERIFY(!w.lbRulesErrors->isHidden());
    QCOMPARE(w.lbRulesErrors->text(),
             QStringLiteral("Файл правил «broken.json», строка 1, после ключа «name»: объект не закрыт знаком «}»."));
    QVERIFY(!p.rulesTracker().active());

    // An empty contest name takes the rules' name; the choice is in the settings at once.
    w.edContest->clear();
    choose(w, QStringLiteral("cq-m-2018.json"));
    QCOMPARE(w.edContest->text(), QStringLiteral("CQ-M International DX Contest"));
    QCOMPARE(IniFile(t.context.settingsPath).readString(QStringLiteral("Contest"), QStringLiteral("Rules"), QString()),
             QStringLiteral("cq-m-2018.json"));
    QVERIFY(p.rulesTracker().active());
    QCOMPARE(p.rulesTracker().claimedScore(), std::optional<qint64>(31));
    // "ВЫХОД": the main window takes the name, the Cabrillo window the rules' CONTEST: value.
    QTest::mouseClick(w.btCancel, Qt::LeftButton);
    QCOMPARE(p.main().contestName, QStringLiteral("CQ-M International DX Contest"));
    QCOMPARE(p.cabrillo().edCbrContest->text(), QStringLiteral("CQ-M"));

    // The claimed score comes from the rules and follows the log until the listener types his own.
    TfmCabrillo &c = p.cabrillo();
    c.refreshClaimedScore();
    QCOMPARE(c.edCbrScore->text(), QStringLiteral("31"));
    p.main().qsos().append(record(QStringLiteral("UA9ZZ"), QStringLiteral("DL1ZZ"), QStringLiteral("15M"),
                                  QStringLiteral("12:40"), QStringLiteral("9")));
    c.refreshClaimedScore();
    QCOMPARE(c.edCbrScore->text(), QStringLiteral("34"));
    c.edCbrScore->setText(QStringLiteral("40000"));
    c.refreshClaimedScore();
    QCOMPARE(c.edCbrScore->text(), QStringLiteral("40000"));
    c.edCbrScore->clear();
    c.refreshClaimedScore();
    QCOMPARE(c.edCbrScore->text(), QStringLiteral("34"));

    // A name that came from the rules follows the next choice; one the listener typed stays and
    // goes into the report as without rules.
    choose(w, QStringLiteral("wae-dx.json"));
    QCOMPARE(w.edContest->text(), QStringLiteral("Worked All Europe DX Contest (WAEDC)"));
    QTest::mouseClick(w.btCancel, Qt::LeftButton);
    QCOMPARE(c.edCbrContest->text(), QStringLiteral("DARC-WAEDC-CW"));
    w.edContest->setText(QStringLiteral("Мой тест"));
    choose(w, QStringLiteral("cq-m-2018.json"));
    QCOMPARE(w.edContest->text(), QStringLiteral("Мой тест"));
    QTest::mouseClick(w.btCancel, Qt::LeftButton);
    QCOMPARE(c.edCbrContest->text(), QStringLiteral("Мой тест"));
    // At the next start a CONTEST: typed in the Cabrillo window is not replaced by the rules'.
    c.edCbrContest->setText(QStringLiteral("CQ-M-SWL"));
    c.followRulesContest(QStringLiteral("CQ-M"));
    QCOMPARE(c.edCbrContest->text(), QStringLiteral("CQ-M-SWL"));

    // No rules: the score is no longer the rules', the field is emptied of it.
    choose(w, QString());
    QVERIFY(!p.rulesTracker().active());
    QCOMPARE(IniFile(t.context.settingsPath)
                 .readString(QStringLiteral("Contest"), QStringLiteral("Rules"), QStringLiteral("?")),
             QString());
    c.refreshClaimedScore();
    QCOMPARE(c.edCbrScore->text(), QString());
}

void TestRulesChoice::choiceReadBackAtTheNextStart()
{
    test::TestContext t;
    installDefinitions(t);
    {
        Program p(t.context);
        fillLog(p.main().qsos());
        choose(p.contest(), QStringLiteral("cq-m-2018.json"));
        QTest::mouseClick(p.contest().btCancel, Qt::LeftButton);
        p.cabrillo().refreshClaimedScore();
        QCOMPARE(p.cabrillo().edCbrScore->text(), QStringLiteral("31"));
    }
    Program p(t.context);
    QCOMPARE(p.contest().cbRules->currentData().toString(), QStringLiteral("cq-m-2018.json"));
    QVERIFY(p.contest().lbRulesErrors->isHidden());
    QCOMPARE(p.rulesTracker().claimedScore(), std::optional<qint64>(31));
    QCOMPARE(p.cabrillo().edCbrContest->text(), QStringLiteral("CQ-M"));
    // The stored score is still the rules' one, so it follows the log.
    p.main().qsos().append(record(QStringLiteral("UA9ZZ"), QStringLiteral("DL1ZZ"), QStringLiteral("15M"),
                                  QStringLiteral("12:40"), QString()));
    p.cabrillo().refreshClaimedScore();
    QCOMPARE(p.cabrillo().edCbrScore->text(), QStringLiteral("32"));
}

void TestRulesChoice::chosenFileGone()
{
    test::TestContext t;
    {
        IniFile ini(t.context.settingsPath);
        ini.writeString(QStringLiteral("Contest"), QStringLiteral("Rules"), QStringLiteral("gone-2020.json"));
    }
    Program p(t.context);
    QCOMPARE(p.contest().cbRules->currentIndex(), 0);
    QCOMPARE(p.contest().lbRulesErrors->text(),
             QStringLiteral("Выбранные правила «gone-2020.json» не найдены в папке contests: счёт не ведётся."));
    QVERIFY(!p.rulesTracker().active());
    // The setting stays until the listener chooses otherwise.
    QCOMPARE(IniFile(t.context.settingsPath).readString(QStringLiteral("Contest"), QStringLiteral("Rules"), QString()),
             QStringLiteral("gone-2020.json"));
}

QTEST_MAIN(TestRulesChoice)
#include "tst_rules_choice.moc"
