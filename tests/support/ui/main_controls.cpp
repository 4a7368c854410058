#include "support/ui/main_controls.h"

#include "app/backup_scheduler.h"
#include "app/tmain.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>

namespace vireo::test {

void controlNotUnique(const QObject *root, const char *name, qsizetype count)
{
    std::fprintf(stderr, "main_controls: %lld objects named \"%s\" under \"%s\", expected exactly one\n",
                 static_cast<long long>(count), name, qPrintable(root->objectName()));
    std::fflush(stderr);
    std::abort();
}

MainControls::MainControls(TMain &m)
{
    const QWidget *central = m.centralWidget();
    DBGrid1 = control<QTableView>(central, "DBGrid1");
    Panel1 = control<QFrame>(central, "Panel1");
    const QObject *area = Panel1;

    Panel2 = control<QFrame>(area, "Panel2");
    chTour = control<QCheckBox>(area, "chTour");
    edTour = control<QLineEdit>(area, "edTour");
    ibTourTime = control<QLabel>(area, "ibTourTime");
    lbUTC = control<QLabel>(area, "lbUTC");
    cbFreq = control<QComboBox>(area, "cbFreq");
    edFreqEdit = control<QLineEdit>(area, "edFreqEdit");
    cbMode = control<QComboBox>(area, "cbMode");
    cbModeEdit = control<QComboBox>(area, "cbModeEdit");
    chRst = control<QCheckBox>(area, "chRst");
    chCopy = control<QCheckBox>(area, "chCopy");
    btRadio1 = control<QToolButton>(area, "btRdaio1");
    btRadio2 = control<QToolButton>(area, "btRdaio2");

    GroupBox1 = control<QFrame>(area, "GroupBox1");
    Button1 = control<QPushButton>(area, "Button1");
    rbCQ = control<QRadioButton>(area, "rbCQ");
    rbITU = control<QRadioButton>(area, "rbITU");
    rbRU = control<QRadioButton>(area, "rbRU");
    rbLoc = control<QRadioButton>(area, "rbLoc");
    rbState = control<QRadioButton>(area, "rbState");
    rbDeg = control<QRadioButton>(area, "rbDeg");
    captureGroup = control<QButtonGroup>(&m, "captureGroup");
    chLR = control<QCheckBox>(area, "chLR");
    Panel3 = control<QFrame>(area, "Panel3");
    lbDxccRpt = control<QLabel>(area, "lbDxccRpt");
    lbPrefix = control<QLabel>(area, "lbPrefix");
    lbContinentRpt = control<QLabel>(area, "lbContinentRpt");
    lbDistance = control<QLabel>(area, "lbDistance");
    lbCountry = control<QLabel>(area, "lbCountry");

    edCall1 = control<QLineEdit>(area, "edCall1");
    edRst1 = control<QLineEdit>(area, "edRst1");
    edNr1 = control<QLineEdit>(area, "edNr1");
    edCall2 = control<QLineEdit>(area, "edCall2");
    edRst2 = control<QLineEdit>(area, "edRst2");
    edNr2 = control<QLineEdit>(area, "edNr2");
    edData = control<QLineEdit>(area, "edData");
    edTime = control<QLineEdit>(area, "edTime");
    cbBandEdit = control<QComboBox>(area, "cbBandEdit");
    BitBtn1 = control<QToolButton>(area, "BitBtn1");
    BitBtn2 = control<QToolButton>(area, "BitBtn2");
    btSave = control<QPushButton>(area, "btSave");
    btEditSave = control<QPushButton>(area, "btEditSave");
    btCopySave = control<QPushButton>(area, "btCopySave");

    const QStatusBar *bar = m.statusBar();
    const char *panels[] = {"StatusPanel1", "StatusPanel2", "StatusPanel3", "StatusPanel4", "StatusPanel5"};
    for (int i = 0; i < 5; ++i)
        StatusPanels[i] = control<QLabel>(bar, panels[i]);

    mnLog = control<QMenu>(&m, "mnLog");
    mnExport = control<QMenu>(&m, "mnExport");
    mnImport = control<QMenu>(&m, "mnImport");
    mnSettings = control<QMenu>(&m, "mnSettings");
    mnWindows = control<QMenu>(&m, "mnWindows");
    mnHelp = control<QMenu>(&m, "mnHelp");
    PopupMenu1 = control<QMenu>(&m, "PopupMenu1");
    mnLogAction = mnLog->menuAction();
    mnSettingsAction = mnSettings->menuAction();
    mnWindowsAction = mnWindows->menuAction();
    mnHelpAction = mnHelp->menuAction();
    actUndo = control<QAction>(&m, "actUndo");
    actRestore = control<QAction>(&m, "actRestore");
    actCheck = control<QAction>(&m, "actCheck");
    actScp = control<QAction>(&m, "actScp");
    actDataUpdate = control<QAction>(&m, "actDataUpdate");
    actMyPosition = control<QAction>(&m, "actMyPosition");
    actStats = control<QAction>(&m, "actStats");
    N7 = control<QAction>(&m, "N7");
    SCL1 = control<QAction>(&m, "SCL1");
    cbr2 = control<QAction>(&m, "cbr2");
    ADIF1 = control<QAction>(&m, "ADIF1");
    ADIF2 = control<QAction>(&m, "ADIF2");
    SCL2 = control<QAction>(&m, "SCL2");
    N9 = control<QAction>(&m, "N9");
    CAT1 = control<QAction>(&m, "CAT1");
    N20 = control<QAction>(&m, "N20");
    N14 = control<QAction>(&m, "N14");
    N10 = control<QAction>(&m, "N10");
    N17 = control<QAction>(&m, "N17");
    N18 = control<QAction>(&m, "N18");
    N5 = control<QAction>(&m, "N5");
    N6 = control<QAction>(&m, "N6");
    N12 = control<QAction>(&m, "N12");
    N13 = control<QAction>(&m, "N13");

    Timer1 = control<QTimer>(&m, "Timer1");
    backups = control<BackupScheduler>(&m, "Backups");
    stats = m.statsWindow();
    scpWindow = m.scpWindow();
}

} // namespace vireo::test
