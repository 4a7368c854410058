// Every text of the main window and the repeats window shows whole with the longest values a
// contest brings: a 9-character call, 7-digit frequencies, 5- and 6-digit counters, distances of
// 10,000 km and more, the longest country names of the country file, 8-character locators, and
// the longest mode, clock and radio messages of the status bar.

#include "base/ui/cut_text_tip.h"
#include "stationinfo/ui/repeat_model.h"
#include "stationinfo/ui/trptqso.h"
#include "support/ui/entry_window.h"
#include "support/ui/main_controls.h"
#include "support/ui/text_room.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolTip>

using namespace vireo;
using namespace vireo::test;

class TextsFitTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowWithLongValues();
    void statusBarMessages();
    void repeatsWindowAtItsDesignedSize();
    void cutGridCellsShowTheirText();
};

void TextsFitTest::mainWindowWithLongValues()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    QCOMPARE(m.width(), 604);
    w.seed(longValueRecords());
    m.myLatitude = 55.75; // Moscow
    m.myLongitude = 37.62;
    QStringList faults;
    const QString f = gridFits(ui.DBGrid1);
    if (!f.isEmpty())
        faults << f;

    // Far stations and the longest country names, looked up for real.
    int longestDistance = 0;
    for (const char *call :
         {"ZD9ABC", "VK6ABC", "CE0XAB", "HK0ABC", "KH5ABC", "ZS6ABC", "KH6ABC", "VP8ABC", "UA3ABCDEF"}) {
        ui.edCall1->clear();
        ui.edCall1->setFocus();
        type(QString::fromLatin1(call));
        for (QLabel *l : {ui.lbDxccRpt, ui.lbPrefix, ui.lbContinentRpt, ui.lbDistance, ui.lbCountry})
            if (const QString why = labelFits(l); !why.isEmpty())
                faults << why;
        for (QAbstractButton *b : {static_cast<QAbstractButton *>(ui.rbCQ), static_cast<QAbstractButton *>(ui.rbITU),
                                   static_cast<QAbstractButton *>(ui.rbRU), static_cast<QAbstractButton *>(ui.rbDeg)})
            if (const QString why = buttonFits(b); !why.isEmpty())
                faults << why;
        longestDistance = std::max(longestDistance, int(ui.lbDistance->text().size()));
    }
    QVERIFY(longestDistance >= 9); // five digits were shown: "16,360 km"

    ui.edCall2->setText(QStringLiteral("UA0ABC/MM"));
    ui.edNr1->setText(QStringLiteral("16 KO85RS12"));
    // The longest captions the capture buttons carry.
    ui.rbLoc->setText(QStringLiteral("LOC:KO85RS12"));
    ui.rbState->setText(QStringLiteral("STATE:ABCD"));
    ui.rbDeg->setText(QStringLiteral("DEG:45S170W"));
    ui.rbRU->setText(QStringLiteral("RU:6"));
    ui.rbCQ->setText(QStringLiteral("CQ:40"));
    ui.rbITU->setText(QStringLiteral("ITU:90"));
    for (QAbstractButton *b : {static_cast<QAbstractButton *>(ui.rbCQ), static_cast<QAbstractButton *>(ui.rbITU),
                               static_cast<QAbstractButton *>(ui.rbRU), static_cast<QAbstractButton *>(ui.rbLoc),
                               static_cast<QAbstractButton *>(ui.rbState), static_cast<QAbstractButton *>(ui.rbDeg),
                               static_cast<QAbstractButton *>(ui.chLR), static_cast<QAbstractButton *>(ui.chCopy),
                               static_cast<QAbstractButton *>(ui.chRst), static_cast<QAbstractButton *>(ui.chTour)})
        if (const QString why = buttonFits(b); !why.isEmpty())
            faults << why;

    ui.chCopy->click();
    ui.chCopy->click();

    // Edit mode with the 7-digit frequency of the first record.
    ui.edCall1->clear();
    ui.edCall2->clear();
    ui.DBGrid1->selectRow(0);
    m.N12Click();
    QCOMPARE(ui.edFreqEdit->text(), QStringLiteral("1296000"));
    const int freqRoom = ui.edFreqEdit->width() - 8; // frame and text margins
    if (QFontMetrics(ui.edFreqEdit->font()).horizontalAdvance(ui.edFreqEdit->text()) > freqRoom)
        faults << QStringLiteral("edFreqEdit \"1296000\" is cut");
    m.btEditSaveClick();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TextsFitTest::statusBarMessages()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    const QStringList panel5 = {
        QStringLiteral("Режим - наблюдений и записи QSO!"),
        QStringLiteral("Режим ввода QSO вручную"),
        QStringLiteral("Режим редактирования"),
        QStringLiteral("Синхронизация времени... подождите!"),
        QStringLiteral("Ошибка соединения с сервером времени"),
        QStringLiteral("rigctld 127.0.0.1:4534: Подключение..."),
        QStringLiteral("Elecraft K3/KX3: Радио не отвечает"),
    };
    const QStringList panel4 = {QStringLiteral("rigctld 127.0.0.1:4532: Подключение..."),
                                QStringLiteral("Elecraft K3/KX3: Радио не отвечает"),
                                QStringLiteral("Yaesu FT-991A: On-line")};
    QStringList faults;
    auto check = [&](int panel, const QString &text) {
        m.setStatusText(panel, text);
        if (const QString why = labelFits(ui.StatusPanels[panel - 1]); !why.isEmpty())
            faults << why;
    };
    check(1, QStringLiteral("28.12.2026"));
    check(2, QStringLiteral("QSO: 100000"));
    check(3, QStringLiteral("Points: 10200"));
    check(3, QStringLiteral("Points: 299997"));
    for (const QString &t : panel4)
        check(4, t);
    for (const QString &t : panel5)
        check(5, t);
    // The last panel ends inside the window.
    const QLabel *last = ui.StatusPanels[4];
    QVERIFY2(last->mapTo(&m, QPoint(last->width(), 0)).x() <= m.width(),
             qPrintable(QString::number(last->mapTo(&m, QPoint(last->width(), 0)).x())));
    m.setStatusText(3, QStringLiteral("Points: 99999"));
    m.setStatusText(4, panel4.first());
    m.setStatusText(5, panel5.first());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TextsFitTest::repeatsWindowAtItsDesignedSize()
{
    std::unique_ptr<EntryWindow> w = std::make_unique<EntryWindow>();
    TMain &m = *w->m;
    const test::MainControls ui(m);
    TRptQso *rpt = m.windows().rptQso;
    QVERIFY(rpt);
    w->seed(longValueRecords());
    ui.edCall1->setFocus();
    type(QStringLiteral("UA3ABC/QR"));
    QCOMPARE(rpt->model().rowCount(), 2); // logged as heard and as worked station
    ui.N17->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(rpt));
    // Shown, the window keeps its designed size, on the screen and off the entry panel.
    QCOMPARE(rpt->size(), QSize(406, 230));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(rpt->frameGeometry()));
    QVERIFY(!rpt->frameGeometry().intersects(QRect(ui.Panel1->mapToGlobal(QPoint(0, 0)), ui.Panel1->size())));
    rpt->setCounts(12345, 12345);
    QStringList faults;
    if (const QString f = gridFits(rpt->DBGrid1); !f.isEmpty())
        faults << f;
    for (QLabel *l : rpt->StatusPanels)
        if (const QString why = labelFits(l); !why.isEmpty())
            faults << why;
    const QLabel *last = rpt->StatusPanels[1];
    QVERIFY(last->mapTo(rpt, QPoint(last->width(), 0)).x() <= rpt->width());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    // A column the listener narrows cuts its calls, which then show in a tool tip.
    auto *tips = dynamic_cast<CutTextTipDelegate *>(rpt->DBGrid1->itemDelegate());
    QVERIFY(tips);
    const QModelIndex call1 = rpt->model().index(0, 5);
    QVERIFY(!tips->textCut(rpt->DBGrid1, call1));
    const int designed = rpt->DBGrid1->columnWidth(5);
    rpt->DBGrid1->setColumnWidth(5, 30);
    QVERIFY(tips->textCut(rpt->DBGrid1, call1));
    rpt->DBGrid1->setColumnWidth(5, designed);

    // Its designed size is what the settings keep.
    w->program.reset();
    IniFile ini(w->t.context.settingsPath);
    QCOMPARE(ini.readInteger(QStringLiteral("RptQso"), QStringLiteral("Width"), -1), 406);
    QCOMPARE(ini.readInteger(QStringLiteral("RptQso"), QStringLiteral("Height"), -1), 230);
}

void TextsFitTest::cutGridCellsShowTheirText()
{
    EntryWindow w;
    TMain &m = *w.m;
    const test::MainControls ui(m);
    QsoRecord r = record(QStringLiteral("UA3ABC"), QStringLiteral("16 KO85RS12"), QStringLiteral("DL1XYZ"),
                         QStringLiteral("599"));
    r.nr1 = QStringLiteral("59 KO85RS1"); // ten characters, wider than the column
    r.nr2 = QStringLiteral("0012");
    w.seed({r});
    QApplication::processEvents();
    auto *tips = dynamic_cast<CutTextTipDelegate *>(ui.DBGrid1->itemDelegate());
    QVERIFY(tips);
    QAbstractItemModel *model = ui.DBGrid1->model();
    QCOMPARE(model->rowCount(), 1);
    QVERIFY(tips->textCut(ui.DBGrid1, model->index(0, 6))); // NR-1
    QVERIFY(!tips->textCut(ui.DBGrid1, model->index(0, 9))); // NR-2
    QVERIFY(!tips->textCut(ui.DBGrid1, model->index(0, 4))); // CALL-1
    // Resting the pointer on the cut cell shows its whole text; on a whole one, nothing.
    auto hover = [&ui](const QModelIndex &cell) {
        const QPoint at = ui.DBGrid1->visualRect(cell).center();
        QHelpEvent tip(QEvent::ToolTip, at, ui.DBGrid1->viewport()->mapToGlobal(at));
        QApplication::sendEvent(ui.DBGrid1->viewport(), &tip);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(hover(model->index(0, 6)), QStringLiteral("59 KO85RS1"));
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    QCOMPARE(hover(model->index(0, 9)), QString());
    // Nine characters (a report and a six-character locator) still fit.
    r.nr1 = QStringLiteral("16 KO85RS");
    w.seed({r});
    QApplication::processEvents();
    QCOMPARE(model->rowCount(), 2);
    QVERIFY(!tips->textCut(ui.DBGrid1, model->index(1, 6)));
}

QTEST_MAIN(TextsFitTest)
#include "tst_texts_fit.moc"
