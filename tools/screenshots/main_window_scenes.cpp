// The main window and the repeats window with the longest values a contest brings.

#include "camera.h"
#include "scenes.h"

#include "app/tmain.h"
#include "stationinfo/ui/trptqso.h"
#include "support/sample_logs.h"
#include "support/ui/entry_window.h"
#include "support/ui/typing.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace vireo::shots {

namespace {

const QString FarStation = QStringLiteral("long-values-main-far-station.png");
const QString LongValues = QStringLiteral("long-values-main-long-values.png");
const QString ManualEntry = QStringLiteral("long-values-main-manual-entry.png");
const QString EditMode = QStringLiteral("long-values-main-edit-mode.png");

void typeCall(TMain &m, const QString &call)
{
    QLineEdit *edCall1 = named<QLineEdit>(m, "edCall1");
    edCall1->clear();
    edCall1->setFocus();
    test::type(call);
}

} // namespace

void mainWindowWithLongValues(Camera &camera)
{
    if (!camera.wantsAny({FarStation, LongValues, ManualEntry, EditMode}))
        return;
    test::EntryWindow w;
    TMain &m = *w.m;
    w.seed(test::longValueRecords());
    m.setMyPosition(55.75, 37.62); // Moscow
    typeCall(m, QStringLiteral("ZD9ABC"));
    camera.take(m, FarStation);

    typeCall(m, QStringLiteral("UA3ABCDEF"));
    named<QLineEdit>(m, "edCall2")->setText(QStringLiteral("UA0ABC/MM"));
    named<QLineEdit>(m, "edNr1")->setText(QStringLiteral("16 KO85RS12"));
    // The longest captions the capture buttons carry.
    const std::pair<const char *, QString> captions[] = {
        {"rbLoc", QStringLiteral("LOC:KO85RS12")}, {"rbState", QStringLiteral("STATE:ABCD")},
        {"rbDeg", QStringLiteral("DEG:45S170W")},  {"rbRU", QStringLiteral("RU:6")},
        {"rbCQ", QStringLiteral("CQ:40")},         {"rbITU", QStringLiteral("ITU:90")},
    };
    for (const auto &[name, caption] : captions)
        named<QAbstractButton>(m, name)->setText(caption);
    camera.take(m, LongValues);

    QAbstractButton *chCopy = named<QAbstractButton>(m, "chCopy");
    chCopy->click();
    camera.take(m, ManualEntry);
    chCopy->click();

    // Edit mode with the 7-digit frequency of the first record.
    named<QLineEdit>(m, "edCall1")->clear();
    named<QLineEdit>(m, "edCall2")->clear();
    named<QTableView>(m, "DBGrid1")->selectRow(0);
    m.N12Click();
    camera.take(m, EditMode);
    m.btEditSaveClick();
}

void statusBarWithLongMessages(Camera &camera)
{
    const QString file = QStringLiteral("long-values-main-status-bar.png");
    if (!camera.wants(file))
        return;
    test::EntryWindow w;
    TMain &m = *w.m;
    m.setStatusText(1, QStringLiteral("28.12.2026"));
    m.setStatusText(2, QStringLiteral("QSO: 100000"));
    m.setStatusText(3, QStringLiteral("Points: 99999"));
    m.setStatusText(4, QStringLiteral("rigctld 127.0.0.1:4532: Подключение..."));
    m.setStatusText(5, QStringLiteral("Режим - наблюдений и записи QSO!"));
    camera.take(m, file);
}

void repeatsWindowWithLongValues(Camera &camera)
{
    const QString file = QStringLiteral("long-values-repeats-window.png");
    if (!camera.wants(file))
        return;
    test::EntryWindow w;
    TMain &m = *w.m;
    w.seed(test::longValueRecords());
    named<QLineEdit>(m, "edCall1")->setFocus();
    test::type(QStringLiteral("UA3ABC/QR"));
    trigger(m, "N17");
    auto *rpt = named<TRptQso>("RptQso");
    if (!rpt || !QTest::qWaitForWindowExposed(rpt, 20000))
        return camera.fail(file, QStringLiteral("the repeats window did not open"));
    rpt->setCounts(12345, 12345);
    camera.take(*rpt, file);
}

} // namespace vireo::shots
