#pragma once
// Back to a station of the band map: the radio followed is tuned to the entry's frequency and
// mode through the rig server; without a radio the frequency box is set. The call is not typed
// for the listener: the entry line stays as it is.

#include "bandmap/band_map_rules.h"

#include <QMetaObject>
#include <QObject>

#include <functional>

namespace vireo {

class RigServer;

class BandMapTuner : public QObject {
    Q_OBJECT
public:
    // server(): the rig server of the moment (nullptr without rig control); radio(): the radio
    // followed now, 1 or 2.
    BandMapTuner(std::function<RigServer *()> server, std::function<int()> radio, QObject *parent = nullptr);
    ~BandMapTuner() override;

    // To the entry, whose mode is the map's mode code. A radio that is set up but not on line
    // is not tuned (refused says so); a radio that is not set up, or no rig control, means the
    // frequency box.
    void tune(const bandmap::Entry &entry, const QString &modeCode);

signals:
    // Without a radio: the text to put into the frequency box ("14025").
    void frequencyBoxWanted(const QString &text);
    // The radio took a tune (one asked for before the previous one went out takes its place).
    void tuned();
    // The radio refused or was not reached: the status-bar text; nothing else changed.
    void refused(const QString &text);

private:
    std::function<RigServer *()> m_server;
    std::function<int()> m_radio;
    QMetaObject::Connection m_done;
    RigServer *m_listening = nullptr;
};

} // namespace vireo
