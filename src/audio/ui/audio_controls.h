#pragma once
// The receiver's audio in the main window. "Установки" → "Звук…" (actAudioSetup) opens the
// set-up window AudioSetup. Ctrl+R (actReplay) plays the last seconds from anywhere in the
// window and, pressed again, starts over; while something plays Alt+Left and Alt+Right
// (actReplayBack, actReplayForward) step 3 s and Ctrl+Shift+R (actReplayStop) stops it. In the
// log grid "Прослушать" (actPlayQso, also Ctrl+Shift+P in the grid) plays the selected record's stretch
// and "Сохранить фрагмент…" (actSaveFragment) writes it to a file. The status bar says
// "Запись звука" while the recording runs, and the listener is told when it stops by itself.
//
// The shortcuts take no focus: the field being typed in keeps it. The stepping and stopping keys
// work only while something plays, so that at any other time Alt+Left, Alt+Right and the keys of
// the entry flow (Esc, Enter, the arrows) mean what they always do.

#include "base/services.h"

#include <QObject>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QTableView;
class QWidget;

namespace vireo {

class AudioService;
class LogTableModel;
class QsoStore;

class AudioControls : public QObject {
    Q_OBJECT
public:
    // Where the controls go in the main window.
    struct Places {
        QWidget *window = nullptr; // whose shortcuts they are
        QMenu *settingsMenu = nullptr;
        QTableView *grid = nullptr; // the log grid, over the model given
        QMenu *gridMenu = nullptr; // its pop-up menu
        QStatusBar *statusBar = nullptr;
    };

    AudioControls(const AppContext &context, AudioService &service, QsoStore &store, const LogTableModel &model,
                  const Places &places, QObject *parent = nullptr);

    QAction *actAudioSetup = nullptr;
    QAction *actReplay = nullptr;
    QAction *actReplayBack = nullptr;
    QAction *actReplayForward = nullptr;
    QAction *actReplayStop = nullptr;
    QAction *actPlayQso = nullptr;
    QAction *actSaveFragment = nullptr;
    QLabel *lbRecording = nullptr; // "Запись звука" in the status bar

    // The handlers, as the actions run them (guarded).
    void actAudioSetupClick();
    void actReplayClick();
    void actPlayQsoClick();
    void actSaveFragmentClick();

private:
    // The key of the grid's selected record, 0 when none is selected.
    qint64 selectedId() const;
    // The selected record and the instant of its save; false, with the listener told why, when there is none.
    bool selectedInstant(qint64 *id, qint64 *atMs);
    void showState();

    AppContext m_ctx;
    AudioService &m_service;
    QsoStore &m_store;
    const LogTableModel &m_model;
    Places m_places;
};

} // namespace vireo
