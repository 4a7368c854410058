#pragma once
// The receiver's audio as the program shell sees it: the recording (on when section Audio of
// settings.ini says so), replay of the last seconds while the recording goes on, and the stretch
// of a log record (from 20 s before its save to 3 s after) played or written to a file.
//
// The shell owns one, calls start() once the main window is up, and wires its actions to the
// calls below; the recording runs in a thread of its own. The sound server is not asked for
// anything until the recording is turned on or something is played. Instants are UTC milliseconds from the
// UtcClock the service was given, the same clock that stamps the samples (and that must answer
// from any thread).

#include "audio/audio_settings.h"
#include "base/services.h"

#include <QObject>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

class QMediaDevices;

namespace vireo {

class PcmRing;
class Player;
class InputCapture;

class AudioService : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 BeforeMs = 20000; // a record's stretch begins this long before its save
    static constexpr qint64 AfterMs = 3000; // and ends this long after it
    static constexpr qint64 StepMs = 3000; // a step back or forward while a replay plays
    static constexpr int DevicePollMs = 2000; // how often a missing input is looked for

    struct Options {
        // Free bytes on the disk of the recordings; empty: the real figure.
        std::function<qint64(const QString &folder)> freeBytes;
        qint64 reserveBytes = 100LL * 1024 * 1024;
        int roomCheckMs = 5000;
        // The folder of the recordings; empty: audio/ beside the log.
        QString folder;
    };

    AudioService(const QString &settingsPath, const QString &databasePath, std::shared_ptr<UtcClock> clock,
                 QObject *parent = nullptr);
    AudioService(const QString &settingsPath, const QString &databasePath, std::shared_ptr<UtcClock> clock,
                 Options options, QObject *parent = nullptr);
    ~AudioService() override; // the recording ends, its file finished

    // Removes the recordings older than KeepDays and starts the recording when it is on.
    void start();

    const AudioSettings &settings() const { return m_settings; }
    // Keeps the settings in settings.ini (throws vireo::Error when it cannot be written) and
    // starts, stops or moves the recording and the replay as they say.
    void apply(const AudioSettings &settings);

    bool isRecording() const { return m_recording; }
    // "Запись звука" while the recording runs, otherwise empty: for the status bar.
    QString statusText() const;
    QString folder() const { return m_folder; }
    // The instant a save stores with its records.
    qint64 now() const;
    // The input's level while recording, 0 to 1.
    float inputLevel() const;
    // The instant (UTC ms) up to which the running recording holds the sound; 0 when none runs.
    qint64 recordedUntil() const;

    // The last Replay seconds up to now, in place of what plays. Throws vireo::Error with the
    // reason when it cannot play (the recording is off, the output device is missing).
    void replay();
    // 3 s back or forward in what plays (nothing when nothing plays; forward past its end stops
    // it). Throws as replay() does.
    void stepBack();
    void stepForward();
    void stopPlayback();
    bool isPlaying() const;
    // What is heard now and where it ends (UTC ms), while something plays.
    qint64 heardAt() const;
    qint64 playEndsAt() const;

    // The stretch of a record saved at atMs. Throws vireo::Error with the reason when it cannot
    // play (nothing was recorded then, the output device is missing).
    void playAround(qint64 atMs);
    // Writes that stretch to path (WAV, or Opus for .opus); throws vireo::Error with the reason.
    void saveAround(qint64 atMs, const QString &path);
    // A name for that file: "UA1ABC-20260305-070409.opus".
    static QString fragmentName(const QString &call, qint64 atMs);
    // What to tell the listener about a record without the instant of its save.
    static QString noInstantText();

signals:
    void recordingChanged(bool recording);
    // A Russian sentence: the recording stopped by itself (full disk, device gone), or the
    // output device stopped taking a replay.
    void problem(const QString &text);
    void playingChanged(bool playing);

private:
    void startRecording();
    void stopRecording();
    void recorderStopped(int generation, const QString &why, bool deviceLost);
    void waitForDevice(bool waiting);
    void devicesChanged();

    QString m_settingsPath;
    std::shared_ptr<UtcClock> m_clock;
    Options m_options;
    QString m_folder;
    AudioSettings m_settings;
    std::shared_ptr<PcmRing> m_ring;
    Player *m_player = nullptr;
    QMediaDevices *m_devices = nullptr;
    QThread m_thread;
    InputCapture *m_recorder = nullptr;
    int m_generation = 0;
    bool m_recording = false;
    bool m_waitingForDevice = false;
    QTimer m_devicePoll;
};

} // namespace vireo
