#pragma once
// Rig control of the main window: the radios' rigctld client, the status panels of the two
// radios, the radio buttons' tips and colours, the frequency and mode boxes following the radio
// chosen, and the rig set-up window.

#include "base/services.h"

#include <QObject>

#include <memory>

class QWidget;

namespace vireo {

class MainStatusBar;
class RigServer;
class TopStrip;

class RigLink : public QObject {
    Q_OBJECT
public:
    RigLink(const AppContext &context, TopStrip &strip, MainStatusBar &status, QWidget *window);
    ~RigLink() override;

    // announce: a radio not reached is said in a message box (not after the set-up window was
    // cancelled); refreshBoxes: the radios' values (or the defaults when none is on line) go into
    // the frequency and mode boxes at once.
    void start(bool announce = true, bool refreshBoxes = true);
    void stop();
    RigServer *server() const { return m_rig.get(); }

    void rigTypeChanged(int rig);
    void statusChanged(int rig);
    void paramsChanged();
    // A radio button clicked: the boxes show that radio's frequency and mode.
    void radioChosen(int rig);
    // "Управление CAT": rig control rests while the set-up window is open.
    void setUp();
    // Whether the radio followed now is on line.
    bool selectedRadioOnline() const;

private:
    void guard(const std::function<void()> &handler);

    const AppContext &m_ctx;
    TopStrip &m_strip;
    MainStatusBar &m_status;
    QWidget *m_window;
    std::unique_ptr<RigServer> m_rig;
};

} // namespace vireo
