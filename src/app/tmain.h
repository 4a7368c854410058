#pragma once
// TMain, the main window: the log grid over the entry area, the menus and the status bar. It
// composes the panels (the entry line, the top strip, the station panel) and the shell's
// controllers (rig control, the log's safety, the partial check, the report commands), wires
// them to the stores and to each other, and keeps the settings and the run-time state the other
// windows share. The rules live in the cores of the subsystem folders.

#include "base/services.h"
#include "reports/qsl_message.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QTimer;

namespace vireo {

class Database;
class EntryPanel;
class LogGrid;
class LogSafety;
class LogTableModel;
class MainStatusBar;
class QsoStore;
class ReferenceStore;
class RigLink;
class RigServer;
class ScpData;
class ScpLink;
class ServerStore;
class StationPanel;
class TAboutBox;
class TComentAdif;
class TfmCabrillo;
class TfmContest;
class TfmStart;
class TopStrip;
class TourStore;
class TRptQso;
class TScp;
class TSntp;
class TStats;
struct MainMenu;
namespace rules {
class RulesTracker;
}

class TMain : public QMainWindow {
    Q_OBJECT
public:
    // Opens the log (throws vireo::Error when it cannot) and runs the creation steps.
    explicit TMain(const AppContext &context);
    ~TMain() override;

    // The secondary windows, created after the main window.
    struct Windows {
        TfmContest *contest = nullptr;
        TComentAdif *coment = nullptr;
        TSntp *sntp = nullptr;
        TRptQso *rptQso = nullptr;
        TAboutBox *about = nullptr;
        TfmCabrillo *cabrillo = nullptr;
        TfmStart *start = nullptr;
    };
    void attachWindows(const Windows &windows);
    const Windows &windows() const { return m_windows; }

    // Runs a handler; an error that leaves it is shown by the general error display (a fault of
    // the log also stays in the status bar).
    void guard(const std::function<void()> &handler);
    // Connects a signal to a handler that runs under the general error display.
    template <typename Sender, typename Signal>
    void wire(Sender *sender, Signal signal, void (TMain::*handler)())
    {
        connect(sender, signal, this, [this, handler] { guard([this, handler] { (this->*handler)(); }); });
    }

    // ---- persistent settings (loaded at creation, written at destruction) ----
    QString myCall;
    QString contestName;
    int layoutFlag = 0; // 1: the station fields in a column
    QslMessage qsl;
    double myLatitude = 0;
    double myLongitude = 0;
    QString numRadio = QStringLiteral("1");

    // ---- shared run-time state ----
    QString currentBand; // set only by FreqToBand
    QString CurrentUtcDate; // DD.MM.YYYY of the last tick
    QString CurrentUtcTime; // HH:MM of the last tick
    QString modeCode() const; // first two characters of the mode box
    // What the station lookup and the repeat check found for the call typed last.
    int heardCount = 0;
    int workedCount = 0;
    QString lookupCall;
    double stationLatitude = 0;
    double stationLongitude = 0;
    int distanceMetres = 0;
    int azimuthDegrees = 0;

    // ---- data, and the windows of its own ----
    QsoStore &qsos() { return *m_qsos; }
    ReferenceStore &references() { return *m_refs; }
    TourStore &tours() { return *m_tours; }
    ServerStore &servers() { return *m_servers; }
    LogTableModel &logModel() { return *m_logModel; }
    const AppContext &context() const { return m_ctx; }
    // The panels, for the windows that follow the entry line (their public interfaces only).
    EntryPanel &entryPanel() const { return *m_entry; }
    TopStrip &topStrip() const { return *m_top; }
    MainMenu &menu() const { return *m_menu; }
    LogGrid &grid() const { return *m_grid; }
    ScpData &scpData();
    TScp *scpWindow() const;
    TStats *statsWindow() const { return m_stats; }
    RigServer *rigServer() const;

    // ---- start-up, counters, status bar ----
    void FormActivate();
    void RefreshCounters();
    void setCaptionFromSettings();
    void setStatusText(int panel, const QString &text); // panels 1..5 (MainStatusBar::Panel)
    QString statusText(int panel) const;
    void selectLastRow();

    // ---- clock, band plan, saving, editing ----
    void Timer1Timer();
    void FreqToBand();
    void SaveQso();
    void N12Click(); // "Редактировать запись"
    void btEditSaveClick(); // the edit's "OK"
    void N13Click(); // "Удалить запись"
    bool editMode() const;
    // Whether a record is being edited, from the moment it was chosen (its fields are filled
    // before the edit colour shows).
    bool editingRecord() const { return m_editId != 0 || editMode(); }
    void repeatsWindowClosed();

    // ---- reports (report_commands.cpp does the work) ----
    void ADIF1Click(); // "В файл ADIF"
    void ADIF2Click(); // the ADIF comment window
    void SCL1Click(); // "В файл SCL"
    void SCL2Click(); // "из файла SCL"
    void ExportAdif();
    void ExportLoggerFile();
    void ImportLoggerFile();

    // ---- rig control (rig_link.cpp) ----
    // announce: say when no radio is reached; refreshBoxes: put the radios' values (or the
    // defaults when none is on line) into the frequency and mode boxes at once.
    void CreateRigControl(bool announce = true, bool refreshBoxes = true);
    void StatusChangeEvent(int rig);
    void ParamsChangeEvent(int rig, int params);
    // Whether the radio followed now is on line (radio 1 with R-1 down, or radio 2 with R-2 down).
    bool selectedRadioOnline() const;

    // ---- windows opened from the menus ----
    void N5Click(); // the manual
    void N10Click(); // "Настройка туров"
    // Measures from this position from now on (written to the settings file by the caller).
    void setMyPosition(double latitude, double longitude);
    // Selects the record in the grid (a double click in the log check's list).
    void selectCheckedRecord(qint64 id);
    // The contest rules the log check follows (its pause for a pair and the records the rules
    // refuse); without them it checks by its own settings.
    void setRulesTracker(const rules::RulesTracker *tracker) { m_rulesTracker = tracker; }
    // A line of the window's full width between the grid and the entry area (the rule line);
    // hidden, it takes no room.
    void addLineAboveEntry(QWidget *line);

signals:
    void clockTicked(); // each second, after the clock's texts are new
    // "Установки" -> "Обновить данные стран и позывных…" replaced the country and call data.
    void referenceDataReplaced();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildUi();
    void connectHandlers();
    void connectMenu();
    void FormCreate();
    void FormDestroy();

    // handlers of the strip, the entry line and the station panel (tmain_entry.cpp, tmain_station.cpp)
    void chTourClick();
    void cbFreqChange();
    void cbFreqTyped(const QString &typed);
    void edFreqEditChange();
    void bandFromFrequencyText(const QString &text, bool sayOutside = true);
    void btSaveClick();
    void btCopySaveClick();
    void chCopyClick();
    void chRstClick();
    void WinPosition();
    void N18Click();
    void N20Click();
    void N7Click();
    void deleteSelectedFromGrid(); // Ctrl+Delete on the grid
    void callFieldChange(int side);
    void ShowInfoCall();
    void N17Click();
    // menus of the other windows
    void N14Click();
    void N6Click();
    void N9Click();
    void actUndoClick();
    void actStatsClick();
    void actCheckClick();
    void actMyPositionClick();
    void CAT1Click(); // opens the rig set-up window ("RigSetup")

    AppContext m_ctx;
    std::unique_ptr<Database> m_database;
    std::unique_ptr<QsoStore> m_qsos;
    std::unique_ptr<ReferenceStore> m_refs;
    std::unique_ptr<TourStore> m_tours;
    std::unique_ptr<ServerStore> m_servers;
    LogTableModel *m_logModel = nullptr;
    bool m_startHousekeepingSkipped = false;

    // the window's parts
    LogGrid *m_grid = nullptr;
    EntryPanel *m_entry = nullptr;
    TopStrip *m_top = nullptr;
    StationPanel *m_station = nullptr;
    MainStatusBar *m_status = nullptr;
    std::unique_ptr<MainMenu> m_menu;
    QTimer *m_timer = nullptr; // "Timer1", the clock's tick
    Windows m_windows;
    // the controllers
    RigLink *m_rig = nullptr;
    LogSafety *m_safety = nullptr;
    ScpLink *m_scp = nullptr;
    TStats *m_stats = nullptr; // the statistics window, destroyed with the main window
    class TLogCheck *m_logCheck = nullptr; // created on first use, a child of the main window
    const rules::RulesTracker *m_rulesTracker = nullptr;
    class TMyPosition *m_myPosition = nullptr; // window "MyPosition", created on first use

    // the state of the entry modes
    qint64 m_editId = 0;
    QString m_savedModeText; // the boxes' texts before an edit
    QString m_savedFreqText;
    bool m_activating = false;
    bool m_activationPending = false; // the activation handler is to run once the event is over
    QString m_bandWarning; // the status-bar text for a frequency of no band, while it stands
    QString m_beforeBandWarning; // what that panel said before it
};

} // namespace vireo
