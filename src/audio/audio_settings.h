#pragma once
// Section "Audio" of settings.ini: whether the receiver's audio is recorded, the input and output
// devices (empty: the system's default), how many seconds a replay goes back and how many days
// the recordings are kept. Recording is off until the listener turns it on.

#include <QString>

namespace vireo {

struct AudioSettings {
    static constexpr int DefaultReplaySeconds = 8;
    static constexpr int DefaultKeepDays = 30;
    static constexpr int MinReplaySeconds = 2;
    static constexpr int MaxReplaySeconds = 60;
    static constexpr int MaxKeepDays = 3650;

    bool record = false;
    QString input; // device id as Qt Multimedia names it; empty: the default input
    QString output; // likewise for replay
    int replaySeconds = DefaultReplaySeconds;
    int keepDays = DefaultKeepDays; // 0: recordings are never removed

    // Keys Record (0/1), Input, Output, Replay, KeepDays. Missing or bad values give the defaults;
    // numbers out of range are brought into it.
    static AudioSettings read(const QString &settingsPath);
    // Throws vireo::Error naming the file when it cannot be written.
    void write(const QString &settingsPath) const;

    bool operator==(const AudioSettings &o) const
    {
        return record == o.record && input == o.input && output == o.output && replaySeconds == o.replaySeconds
               && keepDays == o.keepDays;
    }
    bool operator!=(const AudioSettings &o) const { return !(*this == o); }
};

} // namespace vireo
