// Typing calls into the real main window: repeat counts, colours, the repeats window with its
// pink rows, the station panel, the capture buttons, and the plans of the per-keystroke statements.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "base/ui/widget_kit.h"
#include "db/database.h"
#include "db/qso_store.h"
#include "db/reference_store.h"
#include "db/statement_trace.h"
#include "stationinfo/reference_files.h"
#include "stationinfo/ui/repeat_model.h"
#include "stationinfo/ui/trptqso.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace vireo;

namespace {

const QColor Red(255, 0, 0), Aqua(0, 255, 255), Yellow(255, 255, 0), LightGreen(192, 220, 192);

QsoRecord qso(const QString &call1, const QString &call2, const QString &band = QStringLiteral("20M"),
              const QString &mode = QStringLiteral("CW"), const QString &tur = QStringLiteral("0"))
{
    return test::Qso::typical()
        .heard(call1, QStringLiteral("599"), QStringLiteral("001"))
        .worked(call2, QStringLiteral("599"), QStringLiteral("002"))
        .band(band)
        .mode(mode)
        .tur(tur);
}

QColor bg(const QWidget *w)
{
    return kit::background(w);
}

// Types a call one key at a time and records the field colour and counts after each key.
struct Step {
    QString text;
    QColor colour;
    int heard, worked;
};

QList<Step> typeCall(TMain &m, QLineEdit *field, const QString &call)
{
    QList<Step> steps;
    for (const QChar c : call) {
        QTest::keyClicks(field, QString(c));
        steps.append(Step{field->text(), bg(field), m.heardCount, m.workedCount});
    }
    return steps;
}

} // namespace

class TestCallWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void countsAndColoursWhileTyping();
    void workedFieldCountsTheSameColumns();
    void reportsAndEmptyField();
    void manualAndEditModes();
    void repeatsWindowRowsAndPink();
    void repeatsWindowToggleAndPlacement();
    void stationPanelFromCountryFile();
    void captureButtons();
    void keystrokeStatementsAreIndexLookups();

private:
    void start(bool countryFile = true);
    TMain &main() { return m_program->main(); }

    std::unique_ptr<test::TestContext> m_t;
    std::unique_ptr<Program> m_program;
};

void TestCallWindow::init()
{
    m_t = std::make_unique<test::TestContext>();
}

void TestCallWindow::cleanup()
{
    m_program.reset();
    QVERIFY2(m_t->prompts->texts(QStringLiteral("error")).isEmpty(),
             qPrintable(m_t->prompts->texts(QStringLiteral("error")).join('\n')));
    m_t.reset();
}

void TestCallWindow::start(bool countryFile)
{
    if (!countryFile)
        Database::prepareFile(m_t->context.databasePath, referenceFiles(QString())); // empty prefix table
    m_program = std::make_unique<Program>(m_t->context);
    TMain &m = main();
    const test::MainControls ui(m);
    ui.cbFreq->setCurrentText(QStringLiteral("14000"));
    m.FreqToBand();
    QCOMPARE(m.currentBand, QStringLiteral("20M"));
    QCOMPARE(m.modeCode(), QStringLiteral("CW"));
    QCOMPARE(ui.edTour->text(), QStringLiteral("0"));
}

void TestCallWindow::countsAndColoursWhileTyping()
{
    start(false);
    TMain &m = main();
    const test::MainControls ui(m);
    m.qsos().append({qso(QStringLiteral("UA3A"), QStringLiteral("DL1A")), // heard, same band/mode/tour
                     qso(QStringLiteral("UA3ABC"), QStringLiteral("K1A"), QStringLiteral("40M")), // other band
                     qso(QStringLiteral("UA3ABC"), QStringLiteral("K1A"), QStringLiteral("20M"), QStringLiteral("PH")),
                     qso(QStringLiteral("UA3ABC"), QStringLiteral("K1A"), QStringLiteral("20M"), QStringLiteral("CW"),
                         QStringLiteral("1")),
                     qso(QStringLiteral("K1B"), QStringLiteral("UA3ABC")), // worked, same
                     qso(QStringLiteral("K1C"), QStringLiteral("UA3ABC"))});

    const QList<Step> steps = typeCall(m, ui.edCall1, QStringLiteral("UA3ABC"));
    QCOMPARE(steps.size(), 6);
    const QColor window = kit::windowColour();
    QCOMPARE(steps[0].colour, window); // "U"
    QCOMPARE(steps[2].colour, window); // "UA3"
    // A partial call that is itself a logged call is flagged while it stands in the field.
    QCOMPARE(steps[3].text, QStringLiteral("UA3A"));
    QCOMPARE(steps[3].colour, Red);
    QCOMPARE(steps[3].heard, 1);
    QCOMPARE(steps[4].colour, window); // "UA3AB"
    QCOMPARE(steps[4].heard, 0);
    // Logged only as worked station in this band, mode and tour: aqua.
    QCOMPARE(steps[5].colour, Aqua);
    QCOMPARE(steps[5].heard, 0);
    QCOMPARE(steps[5].worked, 2);

    TRptQso &rpt = *m.windows().rptQso;
    QCOMPARE(rpt.StatusPanels[0]->text(), QStringLiteral("Повторы: Heard = 0"));
    QCOMPARE(rpt.StatusPanels[1]->text(), QStringLiteral("Повторы: Worked = 2"));
    QCOMPARE(rpt.StatusPanels[0]->width(), 190);
    // The second panel is not fixed: it takes what the first and the size grip leave of the
    // designed width (the window shown is measured in the texts test of the app folder).
    QVERIFY(rpt.StatusPanels[1]->minimumWidth() < 200 && rpt.StatusPanels[1]->maximumWidth() > 200);

    // Now heard in the same band, mode and tour as well: red wins.
    m.qsos().append(qso(QStringLiteral("UA3ABC"), QStringLiteral("DL2A")));
    ui.edCall1->setText(QStringLiteral("UA3AB"));
    ui.edCall1->setText(QStringLiteral("UA3ABC"));
    QCOMPARE(bg(ui.edCall1), Red);
    QCOMPARE(m.heardCount, 1);
    QCOMPARE(m.workedCount, 2);
    QCOMPARE(rpt.StatusPanels[0]->text(), QStringLiteral("Повторы: Heard = 1"));

    // Exact comparison: lower case and a trailing blank are other calls.
    ui.edCall1->setText(QStringLiteral("UA3ABC "));
    QCOMPARE(m.heardCount, 0);
    QCOMPARE(m.workedCount, 0);

    // A call with a quote or SQL text is only a value.
    ui.edCall1->setText(QStringLiteral("X\" OR \"\"=\""));
    QCOMPARE(m.heardCount, 0);
    QCOMPARE(m.qsos().count(), 7);

    // The mode box list entry counts by its code; another tour gives other counts.
    ui.cbMode->setCurrentText(QStringLiteral("PH (SSB)"));
    ui.edCall1->setText(QStringLiteral("UA3ABC"));
    QCOMPARE(m.heardCount, 1);
    QCOMPARE(m.workedCount, 0);
    ui.cbMode->setCurrentText(QStringLiteral("CW (CW)"));
    ui.edTour->setText(QStringLiteral("1"));
    ui.edCall1->setText(QString());
    ui.edCall1->setText(QStringLiteral("UA3ABC"));
    QCOMPARE(m.heardCount, 1);
    QCOMPARE(m.workedCount, 0);
}

void TestCallWindow::workedFieldCountsTheSameColumns()
{
    start(false);
    TMain &m = main();
    const test::MainControls ui(m);
    m.qsos().append(
        {qso(QStringLiteral("OK1AB"), QStringLiteral("SP2C")), qso(QStringLiteral("G3XX"), QStringLiteral("SP2C"))});
    QTest::keyClicks(ui.edCall2, QStringLiteral("OK1AB"));
    QCOMPARE(m.heardCount, 1); // always call1
    QCOMPARE(m.workedCount, 0);
    QCOMPARE(bg(ui.edCall2), Red);
    QCOMPARE(bg(ui.edCall1), kit::windowColour());
    ui.edCall2->setText(QStringLiteral("SP2C"));
    QCOMPARE(m.heardCount, 0);
    QCOMPARE(m.workedCount, 2);
    QCOMPARE(bg(ui.edCall2), Aqua);
    QCOMPARE(m.lookupCall, QStringLiteral("SP2C"));
}

void TestCallWindow::reportsAndEmptyField()
{
    start(false);
    TMain &m = main();
    const test::MainControls ui(m);
    m.qsos().append(qso(QString(), QStringLiteral("X1")));
    ui.chRst->setChecked(true);
    QTest::keyClicks(ui.edCall1, QStringLiteral("R"));
    QCOMPARE(ui.edRst1->text(), QStringLiteral("599"));
    QCOMPARE(ui.edRst2->text(), QString());
    ui.cbMode->setCurrentText(QStringLiteral("PH (SSB)"));
    QTest::keyClicks(ui.edCall2, QStringLiteral("R"));
    QCOMPARE(ui.edRst2->text(), QStringLiteral("59"));
    ui.cbMode->setCurrentText(QStringLiteral("RY (RTTY)"));
    QTest::keyClicks(ui.edCall1, QStringLiteral("A"));
    QCOMPARE(ui.edRst1->text(), QStringLiteral("599"));

    // Emptying the field: neutral colour although the empty call has a heard record, RST cleared.
    ui.cbMode->setCurrentText(QStringLiteral("CW"));
    ui.edCall1->clear();
    QCOMPARE(m.heardCount, 1);
    QCOMPARE(bg(ui.edCall1), kit::windowColour());
    QCOMPARE(ui.edRst1->text(), QString());

    // With RST off the reports are never touched.
    ui.chRst->setChecked(false);
    ui.edRst1->setText(QStringLiteral("337"));
    QTest::keyClicks(ui.edCall1, QStringLiteral("UA"));
    ui.edCall1->clear();
    QCOMPARE(ui.edRst1->text(), QStringLiteral("337"));
}

void TestCallWindow::manualAndEditModes()
{
    start(false);
    TMain &m = main();
    const test::MainControls ui(m);
    m.qsos().append(qso(QStringLiteral("EA3AA"), QStringLiteral("F5B")));
    ui.chCopy->setChecked(true);
    QTest::keyClicks(ui.edCall1, QStringLiteral("EA3AA"));
    QCOMPARE(bg(ui.edCall1), LightGreen);
    QCOMPARE(m.heardCount, 1); // counts and the repeats window still follow
    QCOMPARE(m.windows().rptQso->model().rowCount(), 1);
    ui.chCopy->setChecked(false);

    // Edit mode is recognised by the yellow heard report field, on both sides.
    kit::setBackground(ui.edRst1, Yellow);
    ui.edCall2->setText(QStringLiteral("F5Z"));
    QCOMPARE(bg(ui.edCall2), Yellow);
    ui.edCall2->setText(QStringLiteral("F5B"));
    QCOMPARE(bg(ui.edCall2), Aqua);
    ui.edCall2->clear();
    QCOMPARE(bg(ui.edCall2), Yellow);
}

void TestCallWindow::repeatsWindowRowsAndPink()
{
    start(false);
    TMain &m = main();
    const test::MainControls ui(m);
    m.qsos().append({qso(QStringLiteral("LZ1AA"), QStringLiteral("YO2B"), QStringLiteral("40M")), // listed, not pink
                     qso(QStringLiteral("HA5C"), QStringLiteral("LZ1AA")), // pink
                     qso(QStringLiteral("HA5D"), QStringLiteral("YO2E")), // not listed
                     qso(QStringLiteral("LZ1AA"), QString())}); // pink
    TRptQso &rpt = *m.windows().rptQso;
    QCOMPARE(rpt.model().rowCount(), 0); // nothing until the first check
    QTest::keyClicks(ui.edCall1, QStringLiteral("LZ1AA"));
    RepeatModel &model = rpt.model();
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.row(0).band, QStringLiteral("40M"));
    QCOMPARE(model.row(1).call1, QStringLiteral("HA5C"));
    QCOMPARE(model.row(2).call2, QString());
    QVERIFY(!rpt.rowIsRepeat(0));
    QVERIFY(rpt.rowIsRepeat(1));
    QVERIFY(rpt.rowIsRepeat(2));

    // Columns, titles and widths.
    const QStringList titles = {"TUR", "BAND", "MD", "DATA", "TIME", "CALL 1", "CALL 2"};
    const int widths[] = {28, 50, 30, 70, 40, 85, 85};
    for (int c = 0; c < 7; ++c) {
        QCOMPARE(model.headerData(c, Qt::Horizontal).toString(), titles[c]);
        QCOMPARE(rpt.DBGrid1->columnWidth(c), widths[c]);
    }
    QCOMPARE(model.data(model.index(0, RepeatModel::Tur), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    QCOMPARE(model.data(model.index(0, RepeatModel::Band), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));

    // Typing the call into the worked field instead lists the same records; an empty call2 never
    // matches through the worked column.
    ui.edCall1->clear();
    QCOMPARE(model.rowCount(), 0);

    // Drawing: pink fills the repeat rows only; call cells of the entry are red or blue.
    ui.edCall1->setText(QStringLiteral("LZ1AA"));
    rpt.resize(406, 230);
    rpt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rpt));
    const QImage image = rpt.DBGrid1->viewport()->grab().toImage();
    auto rowHasColour = [&](int row, int column, const QColor &colour) {
        const QRect cell = rpt.DBGrid1->visualRect(model.index(row, column));
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (image.pixelColor(x * image.devicePixelRatio(), y * image.devicePixelRatio()) == colour)
                    return true;
        return false;
    };
    const QColor pink(255, 204, 204);
    QVERIFY(!rowHasColour(0, RepeatModel::Data, pink));
    QVERIFY(rowHasColour(1, RepeatModel::Data, pink));
    QVERIFY(rowHasColour(2, RepeatModel::Time, pink));
    QVERIFY(rowHasColour(0, RepeatModel::Call1, QColor(255, 0, 0))); // LZ1AA as heard station
    QVERIFY(rowHasColour(1, RepeatModel::Call2, QColor(0, 0, 255))); // LZ1AA as worked station
    QVERIFY(!rowHasColour(1, RepeatModel::Call1, QColor(255, 0, 0))); // HA5C is not the entry's
    // The tour text is blue (thin glyphs: look for bluish pixels rather than pure blue).
    bool bluish = false;
    const QRect tur = rpt.DBGrid1->visualRect(model.index(0, RepeatModel::Tur));
    for (int y = tur.top(); y <= tur.bottom(); ++y)
        for (int x = tur.left(); x <= tur.right(); ++x) {
            const QColor c = image.pixelColor(x * image.devicePixelRatio(), y * image.devicePixelRatio());
            bluish = bluish || (c.blue() > 150 && c.red() < 120 && c.green() < 120);
        }
    QVERIFY(bluish);

    // The list follows the field last changed; the entry line is read as it stands at drawing.
    ui.edCall2->setText(QStringLiteral("HA5C"));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.row(0).call2, QStringLiteral("LZ1AA"));
    QVERIFY(rpt.rowIsRepeat(0));
    ui.cbMode->setCurrentText(QStringLiteral("PH"));
    QVERIFY(!rpt.rowIsRepeat(0));
    ui.cbMode->setCurrentText(QStringLiteral("CW"));
    QVERIFY(rpt.rowIsRepeat(0));
    rpt.hide();
}

void TestCallWindow::repeatsWindowToggleAndPlacement()
{
    start(false);
    TRptQso *rpt = main().windows().rptQso;
    QAction *n17 = test::MainControls(main()).N17;
    QCOMPARE(rpt->windowTitle(), QStringLiteral("Повторные связи"));
    QCOMPARE(rpt->size(), QSize(406, 230));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(rpt->pos(), QPoint((screen.width() - 406) / 2, (screen.height() - 230) / 2));
    QVERIFY(!rpt->isVisible());
    QVERIFY(!n17->isChecked());

    n17->trigger();
    QVERIFY(rpt->isVisible());
    QVERIFY(n17->isChecked());
    n17->trigger();
    QVERIFY(!rpt->isVisible());
    QVERIFY(!n17->isChecked());

    // The close box hides the window and clears the mark; the menu shows it again.
    n17->trigger();
    QVERIFY(rpt->close());
    QVERIFY(!rpt->isVisible());
    QVERIFY(!n17->isChecked());
    n17->trigger();
    QVERIFY(rpt->isVisible());
    QVERIFY(n17->isChecked());
    rpt->hide();

    rpt->move(33, 44);
    rpt->resize(500, 300);
    m_program.reset();
    IniFile ini(m_t->context.settingsPath);
    QCOMPARE(ini.readInteger(QStringLiteral("RptQso"), QStringLiteral("Left"), -1), 33);
    QCOMPARE(ini.readInteger(QStringLiteral("RptQso"), QStringLiteral("Top"), -1), 44);
    QCOMPARE(ini.readInteger(QStringLiteral("RptQso"), QStringLiteral("Width"), -1), 500);
    QCOMPARE(ini.readInteger(QStringLiteral("RptQso"), QStringLiteral("Height"), -1), 300);

    m_program = std::make_unique<Program>(m_t->context);
    rpt = main().windows().rptQso;
    QCOMPARE(rpt->pos(), QPoint(33, 44));
    QCOMPARE(rpt->size(), QSize(500, 300));
    QVERIFY(!rpt->isVisible()); // each run starts hidden
    QVERIFY(!test::MainControls(main()).N17->isChecked());
}

void TestCallWindow::stationPanelFromCountryFile()
{
    if (!QFile::exists(defaultCtyPath()))
        QSKIP("the country file of hamradio-files is not installed");
    start(true);
    TMain &m = main();
    const test::MainControls ui(m);
    m.myLatitude = 55.75;
    m.myLongitude = 37.62;
    QTest::keyClicks(ui.edCall1, QStringLiteral("UA9AB"));
    QCOMPARE(ui.lbDxccRpt->text(), QStringLiteral("UA9"));
    QCOMPARE(ui.lbPrefix->text(), QStringLiteral("UA9"));
    QCOMPARE(ui.lbContinentRpt->text(), QStringLiteral("AS"));
    QCOMPARE(ui.rbCQ->text(), QStringLiteral("CQ:17"));
    QCOMPARE(ui.rbITU->text(), QStringLiteral("ITU:30"));
    QCOMPARE(ui.rbRU->text(), QStringLiteral("RU:3"));
    QCOMPARE(ui.rbDeg->text(), QStringLiteral("DEG:56N84O"));
    QCOMPARE(ui.rbLoc->text(), QStringLiteral("LOC:NO25"));
    QVERIFY(ui.lbCountry->text().endsWith(QStringLiteral("  Asiatic Russia")));
    QCOMPARE(ui.lbCountry->text().left(6), QStringLiteral("Az:%1").arg(m.azimuthDegrees, 3, 10, QLatin1Char('0')));
    QVERIFY(ui.lbDistance->text().endsWith(QStringLiteral(" km")));
    QVERIFY(m.distanceMetres > 2800000 && m.distanceMetres < 2900000);
    QCOMPARE(m.stationLatitude, 55.88);

    // A Ukrainian call leaves the RU caption as it was.
    ui.edCall1->setText(QStringLiteral("UR5CX"));
    QCOMPARE(ui.lbCountry->text().mid(8), QStringLiteral("Ukraine"));
    QCOMPARE(ui.rbRU->text(), QStringLiteral("RU:3"));

    // One letter: everything back to the reset values.
    ui.edCall1->setText(QStringLiteral("U"));
    QCOMPARE(ui.lbDxccRpt->text(), QString());
    QCOMPARE(ui.lbPrefix->text(), QString());
    QCOMPARE(ui.lbContinentRpt->text(), QString());
    QCOMPARE(ui.lbCountry->text(), QString());
    QCOMPARE(ui.lbDistance->text(), QStringLiteral("0 km"));
    const QStringList captions = {ui.rbCQ->text(),  ui.rbITU->text(),   ui.rbRU->text(),
                                  ui.rbLoc->text(), ui.rbState->text(), ui.rbDeg->text()};
    QCOMPARE(captions, QStringList({"CQ:", "ITU:", "RU:", "LOC:", "STATE:", "DEG:"}));
}

void TestCallWindow::captureButtons()
{
    start(false);
    TMain &m = main();
    const test::MainControls ui(m);
    PrefixRow dl;
    dl.prefix = QStringLiteral("DL");
    dl.dxccPrefix = QStringLiteral("DL");
    dl.cqZone = QStringLiteral("14");
    dl.ituZone = QStringLiteral("28");
    dl.state = QStringLiteral("BAVARIA");
    dl.country = QStringLiteral("Germany");
    dl.latitude = QStringLiteral("51.00");
    dl.longitude = QStringLiteral("10.00");
    m.references().fillPrefixes({dl});
    m.references().addCallbook(
        {CallbookRow{QStringLiteral("DL1LONG"), QString(), QStringLiteral("JN58TD12ZZ"), QString()}});
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));

    // Buttons as laid out: widths, hint, none checked.
    QCOMPARE(ui.rbCQ->width(), 59);
    QCOMPARE(ui.rbDeg->width(), 105);
    QCOMPARE(ui.rbLoc->toolTip(), QStringLiteral("Автозахват"));
    for (QAbstractButton *b : ui.captureGroup->buttons())
        QVERIFY(!b->isChecked());

    const QColor face = QApplication::palette().color(QPalette::Button);
    QTest::mouseClick(ui.rbCQ, Qt::LeftButton);
    QVERIFY(ui.rbCQ->isChecked());
    QCOMPARE(ui.rbCQ->palette().color(QPalette::Button), Yellow);
    // Drawn so: a pixel of the button's own area away from indicator and caption.
    auto cornerColour = [](QWidget *w) { return w->grab().toImage().pixelColor(w->width() - 2, 1); };
    QCOMPARE(cornerColour(ui.rbCQ), Yellow);
    QCOMPARE(cornerColour(ui.rbITU), face);
    ui.edNr1->setText(QStringLiteral("keep"));
    QTest::keyClicks(ui.edCall2, QStringLiteral("DL"));
    QCOMPARE(ui.edNr2->text(), QStringLiteral("14"));
    QCOMPARE(ui.edNr1->text(), QStringLiteral("keep"));
    QTest::keyClicks(ui.edCall2, QStringLiteral("1"));
    QCOMPARE(ui.edNr2->text(), QStringLiteral("14"));

    // A second click keeps the button checked; another button takes over the colour.
    QTest::mouseClick(ui.rbCQ, Qt::LeftButton);
    QVERIFY(ui.rbCQ->isChecked());
    QTest::mouseClick(ui.rbState, Qt::LeftButton);
    QVERIFY(ui.rbState->isChecked());
    QVERIFY(!ui.rbCQ->isChecked());
    QCOMPARE(ui.rbCQ->palette().color(QPalette::Button), face);
    QCOMPARE(ui.rbState->palette().color(QPalette::Button), Yellow);
    QTest::keyClicks(ui.edCall1, QStringLiteral("DL2AB"));
    QCOMPARE(ui.edNr1->text(), QStringLiteral("BA")); // states are cut to two characters

    // A locator longer than eight characters is cut to eight.
    QTest::mouseClick(ui.rbLoc, Qt::LeftButton);
    ui.edCall1->setText(QStringLiteral("DL1LONG"));
    QCOMPARE(ui.rbLoc->text(), QStringLiteral("LOC:JN58TD12ZZ"));
    QCOMPARE(ui.edNr1->text(), QStringLiteral("JN58TD12"));
    QTest::mouseClick(ui.rbDeg, Qt::LeftButton);
    ui.edCall1->setText(QStringLiteral("DL1ABC"));
    QCOMPARE(ui.edNr1->text(), QStringLiteral("51N10O"));

    // A call whose prefix is not found empties the number field at each keystroke.
    QTest::mouseClick(ui.rbCQ, Qt::LeftButton);
    ui.edCall1->clear();
    QTest::keyClicks(ui.edCall1, QStringLiteral("ZZ"));
    QCOMPARE(ui.edNr1->text(), QString());

    // "X" switches capture off and puts the cursor into the heard call field.
    ui.edNr2->setFocus();
    QTest::mouseClick(ui.Button1, Qt::LeftButton);
    for (QAbstractButton *b : ui.captureGroup->buttons()) {
        QVERIFY(!b->isChecked());
        QCOMPARE(b->palette().color(QPalette::Button), face);
    }
    QTRY_VERIFY(ui.edCall1->hasFocus());
    ui.edNr1->setText(QStringLiteral("mine"));
    QTest::keyClicks(ui.edCall1, QStringLiteral("X"));
    QCOMPARE(ui.edNr1->text(), QStringLiteral("mine"));
    m.hide();
}

void TestCallWindow::keystrokeStatementsAreIndexLookups()
{
    start(true);
    TMain &m = main();
    const test::MainControls ui(m);
    QVector<QsoRecord> log;
    for (int i = 0; i < 2000; ++i)
        log.append(qso(QStringLiteral("RA%1X").arg(i), QStringLiteral("UB%1Y").arg(i)));
    m.qsos().append(log);
    m.references().addCallbook({CallbookRow{QStringLiteral("UA3A"), QStringLiteral("MO"), QString(), QString()}});

    StatementRecorder recorder(m.qsos().connection());
    if (!recorder.active())
        QSKIP("this SQLite library offers no statement tracing");
    QTest::keyClicks(ui.edCall1, QStringLiteral("UA3A"));
    QTest::keyClicks(ui.edCall2, QStringLiteral("R"));
    // Four keys in the heard field, one in the worked field: R1, R2, R3 for every key, and four
    // probes, the fetch and the callbook for the keys whose call is long enough to look up
    // ("U" and "R" only reset the display).
    QStringList distinct = recorder.statements();
    QCOMPARE(recorder.statements().size(), 5 * 3 + 3 * 6);
    distinct.removeDuplicates();
    QVERIFY2(distinct.size() >= 6, qPrintable(distinct.join('\n')));
    for (const QString &statement : distinct) {
        QVERIFY2(!statement.contains(QLatin1String("UA3A")), qPrintable(statement)); // values are bound
        const QStringList plan = queryPlan(m.qsos().connection(), statement);
        QVERIFY(!plan.isEmpty());
        bool usesIndex = false;
        for (const QString &line : plan) {
            QVERIFY2(!line.startsWith(QLatin1String("SCAN")),
                     qPrintable(statement + QStringLiteral("\n  ") + plan.join(QStringLiteral("\n  "))));
            usesIndex = usesIndex || line.contains(QLatin1String("INDEX"));
        }
        QVERIFY2(usesIndex, qPrintable(statement + QStringLiteral("\n  ") + plan.join(QStringLiteral("\n  "))));
    }
}

QTEST_MAIN(TestCallWindow)
#include "tst_call_window.moc"
