#pragma once
// What keeps the log safe while the main window is open: the undo history behind "Отменить",
// the timed backup copies and "Восстановить из резервной копии…", and a start on a disk that
// cannot take a write (the housekeeping start-up left undone is tried again until it is done).

#include "base/services.h"

#include <QObject>

#include <memory>

class QAction;
class QTimer;
class QWidget;

namespace vireo {

class BackupScheduler;
class LogGrid;
class LogTableModel;
class MainStatusBar;
class QsoStore;
class UndoJournal;

class LogSafety : public QObject {
    Q_OBJECT
public:
    struct Links {
        QsoStore &qsos;
        LogTableModel &model;
        LogGrid &grid;
        MainStatusBar &status;
        QAction *undo; // "Отменить", its caption and state follow the history
        QWidget *window; // the main window, the dialogs' parent
    };
    // startSkipped: the start-up could not write what it wanted to (a full disk, a read-only file).
    LogSafety(const AppContext &context, const Links &links, bool startSkipped);
    ~LogSafety() override;

    // Takes back the newest change of the log, and shows where it was.
    void undo();
    // Offers the backup copies and replaces the log with the one chosen.
    void restore();
    // Once the window is up: a box and the status bar say that the log's disk is full or the file
    // read-only, so that saving will fail until that is put right.
    void checkDiskAtStart();
    // The backup settings, into settings.ini.
    void writeSettings() const;

signals:
    void countersChanged(); // the log changed under the counters

private:
    void refreshUndoAction();
    void retryHousekeeping();

    const AppContext &m_ctx;
    Links m_links;
    bool m_startSkipped;
    std::shared_ptr<UndoJournal> m_journal;
    BackupScheduler *m_backups = nullptr; // "Backups"
    QTimer *m_housekeeping = nullptr; // "HousekeepingTimer"
};

} // namespace vireo
