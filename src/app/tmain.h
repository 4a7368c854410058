#pragma once
// TMain, the main window: the log grid over the entry panel, the menus and the status bar.
// It keeps the controls and the run-time state shared by the other windows; the rules live in
// the cores of the subsystem folders, which the handlers call. The handlers are split by
// subsystem over tmain_*.cpp files.

#include "base/services.h"
#include "db/qso_record.h"
#include "reports/qsl_message.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTableView;
class QTimer;
class QToolButton;

namespace vireo {

class Database;
class LogTableModel;
class QsoStore;
class ReferenceStore;
class RigServer;
class ServerStore;
class TourStore;
class TfmContest;
class TComentAdif;
class TSntp;
class TRptQso;
class TStats;
class TAboutBox;
class TfmCabrillo;
class TfmStart;
class UndoJournal;
class BackupScheduler;
class TScp;
class TDataUpdate;
class ScpData;

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

    // Runs a handler; an error that leaves it is shown by the general error display.
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
    int layoutFlag = 0;
    QslMessage qsl;
    double myLatitude = 0;
    double myLongitude = 0;
    QString numRadio = QStringLiteral("1");

    // ---- shared run-time state ----
    QString currentBand;      // set only by FreqToBand
    QString CurrentUtcDate;   // DD.MM.YYYY of the last tick
    QString CurrentUtcTime;   // HH:MM of the last tick
    QString modeCode() const; // first two characters of cbMode

    // ---- data ----
    QsoStore &qsos() { return *m_qsos; }
    ReferenceStore &references() { return *m_refs; }
    TourStore &tours() { return *m_tours; }
    ServerStore &servers() { return *m_servers; }
    LogTableModel &logModel() { return *m_logModel; }
    const AppContext &context() const { return m_ctx; }

    // ---- start-up and lifecycle ----
    void FormActivate();
    void RefreshCounters();
    void setCaptionFromSettings();
    void setStatusText(int panel, const QString &text); // panels 1..5
    QString statusText(int panel) const;
    void selectLastRow();

    // ---- clock and tour ----
    void Timer1Timer();
    void chTourClick();

    // ---- band plan and modes ----
    void FreqToBand();
    void cbFreqChange();
    void cbModeChange();
    void edFreqEditChange();

    // ---- saving ----
    void SaveQso();
    void btSaveClick();
    void btCopySaveClick();
    void chCopyClick();
    void N20Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void edRst2Change();

    // ---- keyboard flow and layout ----
    void chRstClick();
    void chLRClick();
    void WinPosition();
    void N18Click();

    // ---- editing and deleting ----
    void N12Click();
    void btEditSaveClick();
    void N13Click();
    void N7Click();
    void deleteSelectedFromGrid(); // Ctrl+Delete on the grid
    bool editMode() const;

    // ---- station information and duplicates ----
    void edCall1Change();
    void edCall2Change();
    void ShowInfoCall();
    void ClearTerr();
    void ColorRbInfo();
    void Button1Click();
    void N17Click();
    int heardCount = 0;
    int workedCount = 0;
    QString lookupCall;
    double stationLatitude = 0;
    double stationLongitude = 0;
    int distanceMetres = 0;
    int azimuthDegrees = 0;

    // ---- reports ----
    void cbr2Click();
    void ADIF1Click();
    void ADIF2Click();
    void SCL1Click();
    void SCL2Click();
    void ExportAdif();
    void ExportLoggerFile();
    void ImportLoggerFile();

    // ---- rig control ----
    // announce: a radio not reached is said in a message box (not after the set-up window was
    // cancelled).
    // announce: say when no radio is reached; refreshBoxes: put the radios' values (or the
    // defaults when none is on line) into the frequency and mode boxes at once.
    void CreateRigControl(bool announce = true, bool refreshBoxes = true);
    void KillRigControl();
    void RigTypeChangeEvent(int rig);
    void StatusChangeEvent(int rig);
    void ParamsChangeEvent(int rig, int params);
    void btRdaio1Click();
    void btRdaio2Click();
    void CAT1Click(); // opens the rig set-up window (RigSetup)
    // Whether the radio followed now is on line (radio 1 with R-1 down, or radio 2 with R-2 down).
    bool selectedRadioOnline() const;
    RigServer *rigServer() const { return m_rig.get(); }

    // ---- time, about, manual, exit ----
    void N14Click();
    void N5Click();
    void N6Click();
    void N9Click();
    void N10Click();

    // ---- controls (objectName = the variable name) ----
    QTableView *DBGrid1 = nullptr;
    QFrame *Panel1 = nullptr;  // entry panel
    QFrame *Panel2 = nullptr;  // top strip
    QCheckBox *chTour = nullptr;
    QLineEdit *edTour = nullptr;
    QLabel *ibTourTime = nullptr;
    QLabel *lbUTCCaption = nullptr;
    QLabel *lbUTC = nullptr;
    QComboBox *cbFreq = nullptr;
    QLineEdit *edFreqEdit = nullptr;
    QComboBox *cbMode = nullptr;
    QComboBox *cbModeEdit = nullptr;
    QCheckBox *chRst = nullptr;
    QCheckBox *chCopy = nullptr;
    QToolButton *btRdaio1 = nullptr;
    QToolButton *btRdaio2 = nullptr;
    QButtonGroup *radioGroup = nullptr;
    QFrame *GroupBox1 = nullptr; // auto-capture group
    QPushButton *Button1 = nullptr;
    QRadioButton *rbCQ = nullptr;
    QRadioButton *rbITU = nullptr;
    QRadioButton *rbRU = nullptr;
    QRadioButton *rbLoc = nullptr;
    QRadioButton *rbState = nullptr;
    QRadioButton *rbDeg = nullptr;
    QButtonGroup *captureGroup = nullptr;
    QCheckBox *chLR = nullptr;
    QFrame *Panel3 = nullptr; // station information
    QLabel *lbDxccRpt = nullptr;
    QLabel *lbPrefix = nullptr;
    QLabel *lbContinentRpt = nullptr;
    QLabel *lbDistance = nullptr;
    QLabel *lbCountry = nullptr;
    QLineEdit *edCall1 = nullptr;
    QLineEdit *edRst1 = nullptr;
    QLineEdit *edNr1 = nullptr;
    QLineEdit *edCall2 = nullptr;
    QLineEdit *edRst2 = nullptr;
    QLineEdit *edNr2 = nullptr;
    QLineEdit *edData = nullptr;
    QLineEdit *edTime = nullptr;
    QComboBox *cbBandEdit = nullptr;
    QToolButton *BitBtn1 = nullptr;
    QToolButton *BitBtn2 = nullptr;
    QPushButton *btSave = nullptr;
    QPushButton *btEditSave = nullptr;
    QPushButton *btCopySave = nullptr;
    QLabel *StatusPanels[5] = {};
    QTimer *Timer1 = nullptr;

    // menus
    QMenu *mnLog = nullptr;
    QMenu *mnExport = nullptr;
    QMenu *mnImport = nullptr;
    QMenu *mnSettings = nullptr;
    QMenu *mnWindows = nullptr;
    QMenu *mnHelp = nullptr;
    QAction *mnLogAction = nullptr;      // position 1
    QAction *mnSettingsAction = nullptr; // position 2
    QAction *N10 = nullptr;              // position 3, "Настройка туров"
    QAction *mnWindowsAction = nullptr;  // position 4
    QAction *mnHelpAction = nullptr;     // position 5
    QAction *N7 = nullptr;
    QAction *SCL1 = nullptr;
    QAction *cbr2 = nullptr;
    QAction *ADIF1 = nullptr;
    QAction *ADIF2 = nullptr;
    QAction *SCL2 = nullptr;
    QAction *N9 = nullptr;
    QAction *CAT1 = nullptr;
    QAction *N20 = nullptr;
    QAction *N14 = nullptr;
    QAction *N17 = nullptr;
    QAction *N18 = nullptr;
    QAction *N5 = nullptr;
    QAction *N6 = nullptr;
    QMenu *PopupMenu1 = nullptr;

    // ---- undo, timed backups and restore (tmain_undo.cpp) ----
    QAction *actUndo = nullptr;    // "Журнал" -> "Отменить"
    QAction *actRestore = nullptr; // "Журнал" -> "Восстановить из резервной копии…"
    std::shared_ptr<UndoJournal> undoJournal;
    BackupScheduler *backups = nullptr;
    void actUndoClick();
    void actRestoreClick();
    // Caption and state of actUndo after every change of the log.
    void refreshUndoAction();
    // Ctrl+Z in a station field: the field's own undo while it holds text, the log's when empty.
    bool entryUndoKey(QObject *watched, QKeyEvent *event);
    // What start-up could not write (a full disk, a read-only file) is tried again by this timer
    // ("HousekeepingTimer") until it is done.
    QTimer *housekeepingTimer = nullptr;
    bool startHousekeepingSkipped = false;
    // Once the window is up: a box and the status bar say that the log's disk is full or the
    // file read-only, so that saving will fail until that is put right.
    void checkLogDiskAtStart();
    void retryHousekeeping();
    // end of undo, timed backups and restore

    // ---- partial call check and country data refresh (tmain_scp.cpp) ----
    QAction *actScp = nullptr;        // "Окна" -> "Частичный поиск позывных"
    QAction *actDataUpdate = nullptr; // "Установки" -> "Обновить данные стран и позывных…"
    TScp *scpWindow = nullptr;        // window "Scp" (a top-level window owned by scpWindowOwner)
    std::shared_ptr<TScp> scpWindowOwner;
    TDataUpdate *dataUpdateWindow = nullptr;
    std::shared_ptr<ScpData> m_scpData; // the index of known calls, following the log
    ScpData &scpData() { return *m_scpData; }
    QLineEdit *scpField = nullptr;    // the call field the listener typed in last
    // Runs the partial check for a call field (the last step of the call-field change).
    void ScpCheck(QLineEdit *field);
    void actScpClick();
    void actDataUpdateClick();
    // Puts a chosen call into the field it was typed in; the change handler runs for it.
    void ScpChoose(const QString &call);
    void ScpChooseNumber(int n); // Alt+1..Alt+9
    // end of partial call check

    // ---- own position (tmain_position.cpp) ----
    QAction *actMyPosition = nullptr;              // "Установки" -> "Моё местоположение…"
    class TMyPosition *myPositionWindow = nullptr; // window "MyPosition", created on first use
    void actMyPositionClick();
    // Measures from this position from now on (written to the settings file by the caller).
    void setMyPosition(double latitude, double longitude);
    // end of own position

    // ---- statistics (tmain_stats.cpp) ----
    QAction *actStats = nullptr; // "Окна" -> "Статистика"
    TStats *stats = nullptr;     // the statistics window, created and destroyed with the main window
    void actStatsClick();
    // end of statistics

    // ---- log check (tmain_check.cpp) ----
    QAction *actCheck = nullptr; // "Журнал" -> "Проверка журнала…"
    class TLogCheck *logCheck = nullptr; // created on first use, a child of the main window
    void actCheckClick();
    // Selects the record in the grid (a double click in the log check's list).
    void selectCheckedRecord(qint64 id);
    // end of log check
    QAction *N12 = nullptr;
    QAction *N13 = nullptr;

    // Enables or disables the five top-level menu items (positions 1..5).
    void setMenuEnabled(int position, bool enabled);

    // Colours of the Parts.
    static QColor windowColour();
    static QColor lightGreen() { return QColor(192, 220, 192); }
    static QColor silver() { return QColor(192, 192, 192); }
    static QColor yellow() { return QColor(255, 255, 0); }
    static void setBackground(QWidget *w, const QColor &c);
    static QColor background(const QWidget *w);

    // ---- editing state (Part on editing) ----
    qint64 editId = 0;
    int editRow = -1;
    QString savedModeText;
    QString savedFreqText;

    Windows windows;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildUi();
    void buildMenus();
    void buildEntryPanel();
    void connectHandlers();
    void connectEntryHandlers();    // tmain_entry.cpp
    void connectStationHandlers();  // tmain_station.cpp
    void attachRepeatsWindow();     // tmain_station.cpp
    void connectRigHandlers();      // tmain_rig.cpp
    void connectUndoHandlers();     // tmain_undo.cpp
    void connectScpHandlers();      // tmain_scp.cpp
    void connectStatsHandlers();    // tmain_stats.cpp
    void connectPositionHandlers(); // tmain_position.cpp
    void connectCheckHandlers();    // tmain_check.cpp
    void FormCreate();
    void FormDestroy();
    bool entryKeyPress(QObject *watched, QKeyEvent *event); // tmain_entry.cpp
    void entryFocusIn(QObject *watched, const QFocusEvent *event); // tmain_entry.cpp
    void bandFromFrequencyText(const QString &text, bool sayOutside = true); // tmain_band.cpp
    void cbFreqTyped(const QString &typed);          // tmain_band.cpp

    AppContext m_ctx;
    std::unique_ptr<Database> m_database;
    std::unique_ptr<QsoStore> m_qsos;
    std::unique_ptr<ReferenceStore> m_refs;
    std::unique_ptr<TourStore> m_tours;
    std::unique_ptr<ServerStore> m_servers;
    LogTableModel *m_logModel = nullptr;
    std::unique_ptr<RigServer> m_rig;
    bool m_activating = false;
    bool m_activationPending = false; // the activation handler is to run once the event is over
    QString m_bandWarning;        // the status-bar text for a frequency of no band, while it stands
    QString m_beforeBandWarning;  // what that panel said before it
};

} // namespace vireo
