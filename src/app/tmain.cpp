#include "app/tmain.h"

#include "about/ui/manual_link.h"
#include "about/ui/taboutbox.h"
#include "analysis/log_check_runner.h"
#include "analysis/ui/tlogcheck.h"
#include "analysis/ui/tstats.h"
#include "app/counters.h"
#include "app/language_choice.h"
#include "app/log_check_sources.h"
#include "app/log_grid.h"
#include "app/log_safety.h"
#include "app/main_menu.h"
#include "app/main_status_bar.h"
#include "app/report_commands.h"
#include "app/rig_link.h"
#include "app/scp_link.h"
#include "app/tfmstart.h"
#include "base/error.h"
#include "base/ini_file.h"
#include "base/ui/guarded.h"
#include "base/ui/widget_kit.h"
#include "base/ui/window_placement.h"
#include "contest/ui/tfmcontest.h"
#include "db/database.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "db/reference_store.h"
#include "db/server_store.h"
#include "db/tour_store.h"
#include "entry/band_plan.h"
#include "entry/ui/entry_panel.h"
#include "entry/ui/top_strip.h"
#include "reports/ui/tcomentadif.h"
#include "reports/ui/tfmcabrillo.h"
#include "stationinfo/reference_files.h"
#include "stationinfo/ui/station_panel.h"
#include "stationinfo/ui/tmyposition.h"
#include "stationinfo/ui/trptqso.h"
#include "timesync/ui/tsntp.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace vireo {

TMain::TMain(const AppContext &context) : QMainWindow(nullptr), m_ctx(context)
{
    setObjectName(QStringLiteral("Main"));
    m_ctx.traceEvent(QStringLiteral("create Main"));
    // The connection opens before the creation handler runs; without it the program does not start.
    m_startHousekeepingSkipped = !Database::prepareFile(m_ctx.databasePath, referenceFiles());
    m_database = std::make_unique<Database>(m_ctx.databasePath, QStringLiteral("Main"));
    m_qsos = std::make_unique<QsoStore>(m_database->connection());
    m_refs = std::make_unique<ReferenceStore>(m_database->connection());
    m_tours = std::make_unique<TourStore>(m_database->connection());
    m_servers = std::make_unique<ServerStore>(m_database->connection());
    m_logModel = new LogTableModel(*m_qsos, this);
    buildUi();
    connectHandlers();
    FormCreate();
}

TMain::~TMain()
{
    FormDestroy();
    // The controllers watch the log store, which goes before the window's children.
    delete m_scp;
    delete m_safety;
    delete m_stats;
    m_ctx.traceEvent(QStringLiteral("destroy Main"));
}

void TMain::attachWindows(const Windows &w)
{
    m_windows = w;
    if (!m_windows.rptQso)
        return;
    // The repeats window draws against the entry line as it stands when it paints.
    m_windows.rptQso->setEntrySource([this] {
        return dupe::Entry{m_entry->call(1), m_entry->call(2), currentBand, modeCode(), m_top->tour()};
    });
    placeBesideMainOnFirstShow(*m_windows.rptQso, *this, *m_entry);
}

void TMain::guard(const std::function<void()> &handler)
{
    runGuarded(*m_ctx.services.prompts, handler, [this](const Error &e) {
        // A fault of the log stays in the status bar after the box is closed, until the log's
        // next write goes through.
        if (e.kind() == ErrorKind::Database)
            m_status->showDatabaseFault(e.text());
    });
}

QString TMain::modeCode() const
{
    return bandplan::modeCode(m_top->modeText());
}

ScpData &TMain::scpData()
{
    return m_scp->data();
}
TScp *TMain::scpWindow() const
{
    return m_scp->window();
}
RigServer *TMain::rigServer() const
{
    return m_rig->server();
}

// ---------------------------------------------------------------------------------------------
// Building the window: the grid over the entry area (the top strip, the station panel and the
// entry line), the menus, the status bar and the clock

void TMain::buildUi()
{
    setWindowTitle(QStringLiteral("Vireo"));
    resize(604, 420);
    setMinimumWidth(604);
    setMaximumWidth(604);
    setMinimumHeight(420);

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    auto *box = new QVBoxLayout(central);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    m_grid = new LogGrid(*m_logModel, central);
    box->addWidget(m_grid, 1);
    m_entry = new EntryPanel(central);
    box->addWidget(m_entry, 0);
    setCentralWidget(central);

    m_top = new TopStrip(m_entry);
    m_station = new StationPanel(m_entry);
    // Beneath the entry line's own fields, which the date and time of manual entry share room with.
    m_top->lower();
    m_station->informationFrame()->lower();
    m_entry->setOptions([this] {
        return EntryPanel::Options{m_menu->N18->isChecked(), m_top->keepsReports(), m_top->manualEntry(),
                                   m_station->cursorRight()};
    });
    // Tab order: the six fields, then the OK buttons, the edit-mode boxes, the capture group, the band.
    QList<QWidget *> order = m_entry->tabChain() + m_top->tabChain() + m_station->tabChain();
    order << m_entry->bandBox();
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order.at(i), order.at(i + 1));

    m_menu = std::make_unique<MainMenu>(MainMenu::build(*this));
    m_grid->setPopupMenu(m_menu->popup);
    m_status = new MainStatusBar(this);
    setStatusBar(m_status);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
}

void TMain::connectHandlers()
{
    connectMenu();
    attachLanguageChoice(*this, *m_menu, m_ctx.settingsPath, *m_ctx.services.prompts);
    wire(m_timer, &QTimer::timeout, &TMain::Timer1Timer);
    // The tour shown follows an edit of the schedule at once, not at the next tick.
    wire(m_tours.get(), &TourStore::changed, &TMain::Timer1Timer);
    wire(m_top, &TopStrip::tourTrackingClicked, &TMain::chTourClick);
    wire(m_top, &TopStrip::frequencyChanged, &TMain::cbFreqChange);
    connect(m_top, &TopStrip::frequencyTyped, this,
            [this](const QString &typed) { guard([this, typed] { cbFreqTyped(typed); }); });
    connect(m_top, &TopStrip::modeChosen, this, [this] { m_entry->focusCall1(); });
    wire(m_top, &TopStrip::editFrequencyChanged, &TMain::edFreqEditChange);
    wire(m_top, &TopStrip::reportsClicked, &TMain::chRstClick);
    wire(m_top, &TopStrip::manualEntryClicked, &TMain::chCopyClick);

    wire(m_entry, &EntryPanel::saveClicked, &TMain::btSaveClick);
    wire(m_entry, &EntryPanel::copySaveClicked, &TMain::btCopySaveClick);
    wire(m_entry, &EntryPanel::editSaveClicked, &TMain::btEditSaveClick);
    wire(m_entry, &EntryPanel::saveWanted, &TMain::SaveQso);
    connect(m_entry, &EntryPanel::callChanged, this,
            [this](int side) { guard([this, side] { callFieldChange(side); }); });
    connect(m_entry, &EntryPanel::logUndoWanted, this, [this] {
        if (m_menu->actUndo->isEnabled())
            guard([this] { actUndoClick(); });
    });
    connect(m_station, &StationPanel::captureCleared, this, [this] { m_entry->focusCall1(); });
    wire(m_grid, &LogGrid::deleteWanted, &TMain::deleteSelectedFromGrid);

    m_rig = new RigLink(m_ctx, *m_top, *m_status, this);
    connect(m_top, &TopStrip::radioClicked, this, [this](int rig) {
        guard([this, rig] {
            numRadio = QString::number(rig);
            m_rig->radioChosen(rig);
        });
    });
    wire(m_menu->CAT1, &QAction::triggered, &TMain::CAT1Click);

    m_safety = new LogSafety(m_ctx, LogSafety::Links{*m_qsos, *m_logModel, *m_grid, *m_status, m_menu->actUndo, this},
                             m_startHousekeepingSkipped);
    connect(m_safety, &LogSafety::countersChanged, this, &TMain::RefreshCounters);
    wire(m_menu->actUndo, &QAction::triggered, &TMain::actUndoClick);
    connect(m_menu->actRestore, &QAction::triggered, this, [this] {
        if (!editMode())
            guard([this] { m_safety->restore(); });
    });
    QTimer::singleShot(0, this, [this] { m_safety->checkDiskAtStart(); });

    m_scp = new ScpLink(m_ctx, ScpLink::Links{*m_qsos, *m_entry, m_menu->actScp, this, m_entry}, [this] {
        return ScpLink::Where{currentBand, modeCode(), m_top->tour()};
    });
    connect(m_menu->actScp, &QAction::triggered, this, [this] { guard([this] { m_scp->toggleWindow(); }); });
    connect(m_menu->actDataUpdate, &QAction::triggered, this, [this] { guard([this] { m_scp->showDataUpdate(); }); });
    connect(m_scp, &ScpLink::dataReplaced, this, &TMain::referenceDataReplaced);

    // A window of its own, like the repeats window; it goes when the main window has gone.
    m_stats = new TStats(m_ctx, *m_qsos);
    placeBesideMainOnFirstShow(*m_stats, *this, *m_entry);
    wire(m_menu->actStats, &QAction::triggered, &TMain::actStatsClick);
    connect(m_stats, &TStats::closed, this, [this] { m_menu->actStats->setChecked(false); });
    // The rates count back from the clock's minute, so they move on with the clock.
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_stats->isVisible())
            guard([this] { m_stats->refreshRates(); });
    });
    wire(m_menu->actMyPosition, &QAction::triggered, &TMain::actMyPositionClick);
    wire(m_menu->actCheck, &QAction::triggered, &TMain::actCheckClick);
}

void TMain::connectMenu()
{
    const MainMenu &m = *m_menu;
    wire(m.N7, &QAction::triggered, &TMain::N7Click);
    wire(m.SCL1, &QAction::triggered, &TMain::SCL1Click);
    connect(m.cbr2, &QAction::triggered, this, [this] {
        if (m_windows.cabrillo)
            guard([this] { m_ctx.services.prompts->showModal(*m_windows.cabrillo); });
    });
    wire(m.ADIF1, &QAction::triggered, &TMain::ADIF1Click);
    wire(m.ADIF2, &QAction::triggered, &TMain::ADIF2Click);
    wire(m.SCL2, &QAction::triggered, &TMain::SCL2Click);
    wire(m.N9, &QAction::triggered, &TMain::N9Click);
    wire(m.N20, &QAction::triggered, &TMain::N20Click);
    wire(m.N14, &QAction::triggered, &TMain::N14Click);
    wire(m.N10, &QAction::triggered, &TMain::N10Click);
    wire(m.N17, &QAction::triggered, &TMain::N17Click);
    wire(m.N18, &QAction::triggered, &TMain::N18Click);
    wire(m.N5, &QAction::triggered, &TMain::N5Click);
    wire(m.N6, &QAction::triggered, &TMain::N6Click);
    wire(m.N12, &QAction::triggered, &TMain::N12Click);
    wire(m.N13, &QAction::triggered, &TMain::N13Click);
}

// ---------------------------------------------------------------------------------------------
// Creation, activation, destruction

void TMain::FormCreate()
{
    layoutFlag = 0;
    {
        IniFile ini(m_ctx.settingsPath);
        const int left = ini.readInteger(QStringLiteral("Main"), QStringLiteral("Left"), -1);
        if (left == -1) {
            const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                                  : QRect(0, 0, 1024, 768);
            move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
        } else {
            const int top = ini.readInteger(QStringLiteral("Main"), QStringLiteral("Top"), 107);
            move(left, top);
            layoutFlag = ini.readInteger(QStringLiteral("Main"), QStringLiteral("Position"), 0);
        }
        qsl.standard = ini.readInteger(QStringLiteral("Message"), QStringLiteral("QslMesCh"), 0) == 1;
        qsl.ownText = ini.readString(QStringLiteral("Message"), QStringLiteral("QslMessage"), QString());
        numRadio = ini.readString(QStringLiteral("Radio"), QStringLiteral("numRadio"), QStringLiteral("1"));
        m_top->setRadio(numRadio == QLatin1String("1") ? 1 : 2);
        m_menu->N20->setChecked(ini.readInteger(QStringLiteral("Main"), QStringLiteral("SwlDouble"), 0) == 1);
        N20Click();
        myLatitude = ini.readFloat(QStringLiteral("MyPosition"), QStringLiteral("Latitude"), 0);
        myLongitude = ini.readFloat(QStringLiteral("MyPosition"), QStringLiteral("Longitude"), 0);
        myCall = ini.readString(QStringLiteral("MySetting"), QStringLiteral("Call"), QString());
        contestName = ini.readString(QStringLiteral("MySetting"), QStringLiteral("Contest"), QString());
        // Quietly: the warning belongs to the listener's own click.
        m_top->setTracksTours(ini.readInteger(QStringLiteral("Main"), QStringLiteral("TourTracking"), 0) == 1);
    }
    setCaptionFromSettings();
    m_menu->N18->setChecked(layoutFlag == 1);
    WinPosition();
    selectLastRow();
    RefreshCounters();
    m_entry->hideDateFields();
    m_timer->start();
    CreateRigControl();
}

void TMain::setCaptionFromSettings()
{
    setWindowTitle(myCall + QStringLiteral("  (") + contestName + QLatin1Char(')'));
}

void TMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The activation handler may open the first-run dialog: not from inside this event, but as
    // soon as it is over, once for any number of activations before then.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_activationPending) {
        m_activationPending = true;
        QTimer::singleShot(0, this, [this] {
            m_activationPending = false;
            guard([this] { FormActivate(); });
        });
    }
}

void TMain::FormActivate()
{
    if (m_activating)
        return;
    m_activating = true;
    if ((myCall.isEmpty() || contestName.isEmpty()) && m_windows.start)
        m_ctx.services.prompts->showModal(*m_windows.start);
    m_entry->focusCall1();
    m_activating = false;
}

void TMain::FormDestroy()
{
    try {
        IniFile ini(m_ctx.settingsPath);
        ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Left"), x());
        ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Top"), y());
        ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Position"), layoutFlag);
        ini.writeInteger(QStringLiteral("Main"), QStringLiteral("SwlDouble"), m_menu->N20->isChecked() ? 1 : 0);
        ini.writeInteger(QStringLiteral("Main"), QStringLiteral("TourTracking"), m_top->tracksTours() ? 1 : 0);
        ini.writeInteger(QStringLiteral("Message"), QStringLiteral("QslMesCh"), qsl.standard ? 1 : 0);
        ini.writeString(QStringLiteral("Message"), QStringLiteral("QslMessage"), qsl.ownText);
        ini.writeFloat(QStringLiteral("MyPosition"), QStringLiteral("Latitude"), myLatitude);
        ini.writeFloat(QStringLiteral("MyPosition"), QStringLiteral("Longitude"), myLongitude);
        ini.writeString(QStringLiteral("Radio"), QStringLiteral("numRadio"), QString::number(m_top->radio()));
        ini.writeString(QStringLiteral("MySetting"), QStringLiteral("Contest"), contestName);
        ini.writeString(QStringLiteral("MySetting"), QStringLiteral("Call"), myCall);
        m_safety->writeSettings();
    } catch (const std::exception &e) {
        showError(*m_ctx.services.prompts, asError(e));
    }
    m_rig->stop();
}

void TMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    QMainWindow::closeEvent(event);
    if (m_windows.rptQso)
        m_windows.rptQso->hide();
    QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
}

void TMain::N9Click()
{
    close();
}

// ---------------------------------------------------------------------------------------------
// Counters, status bar, grid

void TMain::RefreshCounters()
{
    const CounterTexts t = counterTexts(m_qsos->count(), m_qsos->countWithNr2());
    setStatusText(MainStatusBar::Qso, t.qso);
    setStatusText(MainStatusBar::Points, t.points);
}

void TMain::setStatusText(int panel, const QString &text)
{
    m_status->setText(panel, text);
}

QString TMain::statusText(int panel) const
{
    return m_status->text(panel);
}

void TMain::selectLastRow()
{
    m_grid->showLastRow();
}

void TMain::deleteSelectedFromGrid()
{
    const int row = m_grid->selectedRow();
    const qint64 id = m_logModel->idAt(row);
    if (id <= 0)
        return;
    m_qsos->remove(id);
    const int count = m_logModel->rowCount();
    if (count > 0)
        m_grid->selectRow(std::min(row, count - 1));
    RefreshCounters();
}

void TMain::actUndoClick()
{
    // Not in the middle of an edit or of manual entry (the menu "Журнал" is off then).
    if (m_menu->log->menuAction()->isEnabled() && !editMode())
        m_safety->undo();
}

// ---------------------------------------------------------------------------------------------
// Reports and rig control, done by their controllers

void TMain::ADIF1Click()
{
    ExportAdif();
}

void TMain::ADIF2Click()
{
    if (m_windows.coment)
        m_ctx.services.prompts->showModal(*m_windows.coment);
}

void TMain::SCL1Click()
{
    ExportLoggerFile();
}

void TMain::SCL2Click()
{
    ImportLoggerFile();
}

void TMain::ExportAdif()
{
    reportcommands::exportAdif(m_ctx, *m_qsos, {myCall, contestName, qsl}, [this] { selectLastRow(); });
}

void TMain::ExportLoggerFile()
{
    reportcommands::exportLoggerFile(m_ctx, *m_qsos, {myCall, contestName, qsl}, [this] { selectLastRow(); });
}

void TMain::ImportLoggerFile()
{
    reportcommands::importLoggerFile(m_ctx, *m_qsos, [this] {
        selectLastRow();
        RefreshCounters();
    });
}

void TMain::CreateRigControl(bool announce, bool refreshBoxes)
{
    m_rig->start(announce, refreshBoxes);
}

void TMain::StatusChangeEvent(int rig)
{
    m_rig->statusChanged(rig);
}

void TMain::ParamsChangeEvent(int, int)
{
    m_rig->paramsChanged();
}

bool TMain::selectedRadioOnline() const
{
    return m_rig->selectedRadioOnline();
}

void TMain::CAT1Click()
{
    m_rig->setUp();
}

// ---------------------------------------------------------------------------------------------
// Windows opened from the menus

void TMain::N10Click()
{
    if (m_windows.contest)
        m_ctx.services.prompts->showModal(*m_windows.contest);
}

void TMain::N14Click()
{
    if (m_windows.sntp)
        m_ctx.services.prompts->showModal(*m_windows.sntp);
}

void TMain::N5Click()
{
    openManual(m_ctx);
}

void TMain::N6Click()
{
    if (m_windows.about)
        m_ctx.services.prompts->showModal(*m_windows.about);
}

void TMain::actStatsClick()
{
    // The action has toggled its own mark already when triggered; the window decides.
    const bool show = !m_stats->isVisible();
    m_stats->setVisible(show);
    if (show)
        m_stats->raise();
    m_menu->actStats->setChecked(show);
}

void TMain::N17Click()
{
    TRptQso *rpt = m_windows.rptQso;
    if (!rpt)
        return;
    // The action has toggled its own mark already when triggered; the window decides.
    const bool show = !rpt->isVisible();
    rpt->setVisible(show);
    if (show)
        rpt->raise();
    m_menu->N17->setChecked(show);
}

void TMain::repeatsWindowClosed()
{
    m_menu->N17->setChecked(false);
}

void TMain::actMyPositionClick()
{
    if (!m_myPosition) {
        m_myPosition = new TMyPosition(m_ctx, this);
        placeBesideMainOnFirstShow(*m_myPosition, *this, *m_entry);
        connect(m_myPosition, &TMyPosition::saved, this,
                [this](const GeoPosition &p) { guard([this, p] { setMyPosition(p.latitude, p.longitude); }); });
    }
    m_myPosition->showPosition(GeoPosition{myLatitude, myLongitude});
}

void TMain::setMyPosition(double latitude, double longitude)
{
    myLatitude = latitude;
    myLongitude = longitude;
    // The station on screen is measured again from the new place.
    ShowInfoCall();
}

void TMain::addLineAboveEntry(QWidget *line)
{
    auto *box = static_cast<QVBoxLayout *>(centralWidget()->layout());
    line->setParent(centralWidget());
    box->insertWidget(box->indexOf(m_entry), line, 0);
}

void TMain::actCheckClick()
{
    if (!m_logCheck) {
        m_logCheck = new TLogCheck(m_ctx, logCheckSources(*m_qsos, *m_tours, m_rulesTracker), this);
        connect(m_logCheck, &TLogCheck::recordChosen, this,
                [this](qint64 id) { guard([this, id] { selectCheckedRecord(id); }); });
        // Beside the main window the first time, unless it has a place of its own in the file.
        if (IniFile(m_ctx.settingsPath).readInteger(QStringLiteral("LogCheck"), QStringLiteral("Left"), -1) != -1)
            m_logCheck->setProperty(placement::Placed, true);
        placeBesideMainOnFirstShow(*m_logCheck, *this, *m_entry);
    } else if (!m_logCheck->runner().running()) {
        m_logCheck->refreshScopes();
    }
    m_logCheck->show();
    m_logCheck->raise();
    m_logCheck->activateWindow();
}

void TMain::selectCheckedRecord(qint64 id)
{
    if (editMode()) {
        setStatusText(MainStatusBar::Notice, tr("Запись можно выбрать после окончания редактирования"));
        return;
    }
    bool exists = true;
    try {
        m_qsos->byId(id);
    } catch (const Error &) {
        exists = false;
    }
    if (!exists || !m_grid->showRecord(id)) {
        m_ctx.services.prompts->warning(tr("Этой записи уже нет в журнале"));
        return;
    }
    raise();
    activateWindow();
    m_grid->setFocus();
}

} // namespace vireo
