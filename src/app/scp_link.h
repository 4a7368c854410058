#pragma once
// The partial call check of the main window ("Частичный поиск позывных"), following the call
// field the listener typed in last, and the country data refresh that renews its calls.

#include "base/services.h"

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QWidget;

namespace vireo {

class EntryPanel;
class QsoStore;
class ScpData;
class TDataUpdate;
class TScp;

class ScpLink : public QObject {
    Q_OBJECT
public:
    // Where the call typed is heard: its band, mode and tour, which the list marks.
    struct Where {
        QString band, mode, tour;
    };
    struct Links {
        QsoStore &qsos;
        EntryPanel &entry;
        QAction *toggle; // "Окна" -> "Частичный поиск позывных", checked while the window shows
        QWidget *window; // the main window
        QWidget *beside; // the entry area: the window opens beside it the first time
    };
    ScpLink(const AppContext &context, const Links &links, std::function<Where()> where);
    ~ScpLink() override;

    ScpData &data() { return *m_data; }
    TScp *window() const { return m_window.get(); }

    // Runs the check for a call field (side 1 or 2): the last step of a change of that field.
    void check(int side);
    void toggleWindow(); // the menu's action
    void showDataUpdate(); // "Установки" -> "Обновить данные стран и позывных…"

signals:
    // The country and call data were replaced by the refresh.
    void dataReplaced();

private:
    void recheck() { check(m_side ? m_side : 1); }
    void choose(const QString &call);
    void chooseNumber(int n); // Alt+1..Alt+9
    void guard(const std::function<void()> &handler);

    const AppContext &m_ctx;
    Links m_links;
    std::function<Where()> m_where;
    std::shared_ptr<ScpData> m_data; // the index of known calls, following the log
    // A top-level window like the repeats window ("Scp"), destroyed (writing its placement)
    // before the main window.
    std::shared_ptr<TScp> m_window;
    TDataUpdate *m_dataUpdate = nullptr;
    int m_side = 0; // the call field the listener typed in last (0: none yet, the heard call counts)
};

} // namespace vireo
