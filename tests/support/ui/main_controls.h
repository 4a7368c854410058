#pragma once
// The main window's controls as the tests reach them: each one is found by its objectName in the
// part of the window that holds it (the entry area, the status bar, the menus), so a control that
// is renamed, missing or named twice stops the test program at once with its name.

#include <QLabel>
#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTableView;
class QTimer;
class QToolButton;

namespace vireo {
class BackupScheduler;
class TMain;
class TScp;
class TStats;
} // namespace vireo

namespace vireo::test {

// Stops the test program: `count` objects named `name` were found under `root` where one was meant.
[[noreturn]] void controlNotUnique(const QObject *root, const char *name, qsizetype count);

// The one object of type T named `name` under `root` (at any depth).
template <typename T>
T *control(const QObject *root, const char *name)
{
    const QList<T *> found = root->findChildren<T *>(QString::fromLatin1(name));
    if (found.size() != 1)
        controlNotUnique(root, name, found.size());
    return found.first();
}

struct MainControls {
    explicit MainControls(TMain &m);

    // log grid and the entry area
    QTableView *DBGrid1;
    QFrame *Panel1; // the entry area under the grid

    // top strip
    QFrame *Panel2;
    QCheckBox *chTour;
    QLineEdit *edTour;
    QLabel *ibTourTime;
    QLabel *lbUTC;
    QComboBox *cbFreq;
    QLineEdit *edFreqEdit;
    QComboBox *cbMode;
    QComboBox *cbModeEdit;
    QCheckBox *chRst;
    QCheckBox *chCopy;
    QToolButton *btRadio1; // objectName "btRdaio1"
    QToolButton *btRadio2; // objectName "btRdaio2"

    // station panel
    QFrame *GroupBox1;
    QPushButton *Button1;
    QRadioButton *rbCQ, *rbITU, *rbRU, *rbLoc, *rbState, *rbDeg;
    QButtonGroup *captureGroup;
    QCheckBox *chLR;
    QFrame *Panel3;
    QLabel *lbDxccRpt, *lbPrefix, *lbContinentRpt, *lbDistance, *lbCountry;

    // entry panel
    QLineEdit *edCall1, *edRst1, *edNr1, *edCall2, *edRst2, *edNr2;
    QLineEdit *edData, *edTime;
    QComboBox *cbBandEdit;
    QToolButton *BitBtn1, *BitBtn2;
    QPushButton *btSave, *btEditSave, *btCopySave;

    // status bar: panels 1..5 at indexes 0..4
    QLabel *StatusPanels[5];

    // menus and their actions
    QMenu *mnLog, *mnExport, *mnImport, *mnSettings, *mnWindows, *mnHelp, *PopupMenu1;
    QAction *mnLogAction, *mnSettingsAction, *mnWindowsAction, *mnHelpAction;
    QAction *actUndo, *actRestore, *actCheck, *actScp, *actDataUpdate, *actMyPosition, *actStats;
    QAction *N7, *SCL1, *cbr2, *ADIF1, *ADIF2, *SCL2, *N9, *CAT1, *N20, *N14, *N10, *N17, *N18, *N5, *N6;
    QAction *N12, *N13;

    // timers, the backup copies, and the windows of their own the main window keeps
    QTimer *Timer1;
    BackupScheduler *backups;
    TStats *stats;
    TScp *scpWindow;
};

} // namespace vireo::test
