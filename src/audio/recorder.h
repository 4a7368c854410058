#pragma once
// The recording of the receiver's audio: the input device's PCM (48 kHz, mono) goes to the hour
// files (OpusHourWriter) and to the memory of the newest minutes (PcmRing).
//
// It lives in a thread of its own (AudioService runs it), so that the encoding never waits for
// the user interface, nor the user interface for it. The instant of each sample comes from the
// UtcClock when the recording starts; the samples then count on from it. When the count and the
// clock part by more than a second (the input stalled, the computer slept, the clock was set),
// a new link begins at the clock's time. The free room of the disk is looked at every few
// seconds: below a reserve kept for the log, the recording stops, and so it does when a file
// cannot be written; either way with a Russian message, and what was recorded stays playable.

#include "base/services.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QAudioSource;
class QIODevice;
class QTimer;

namespace vireo {

class OpusHourWriter;
class PcmRing;

struct RecorderSetup {
    QString folder;
    QAudioDevice device;
    std::shared_ptr<UtcClock> clock; // called from the recording thread
    std::shared_ptr<PcmRing> ring;
    // Free bytes on the disk of the folder; empty: the real figure.
    std::function<qint64(const QString &folder)> freeBytes;
    // The recording stops when fewer bytes than this are free (room kept for the log's saves).
    qint64 reserveBytes = 100LL * 1024 * 1024;
    int checkIntervalMs = 5000;
};

class Recorder : public QObject {
    Q_OBJECT
public:
    static constexpr int Rate = 48000;
    // Parting of the sample count and the clock that starts a new link.
    static constexpr qint64 MaxDriftMs = 1000;

    explicit Recorder(RecorderSetup setup);
    ~Recorder() override;

    // The peak of the newest samples, 0 to 1; may be read from any thread.
    float level() const { return m_level.load(std::memory_order_relaxed); }

    // Slots run in the recorder's thread.
    void start();
    // Ends the recording: the file is finished (its last page marked so).
    void stop();
    // Without a device: the samples come through consume() (tests, benchmarks).
    void startFed();
    // Samples as the device hands them over, 48 kHz mono.
    void consume(const qint16 *pcm, int n);
    bool isRunning() const { return m_running; }

signals:
    void started(const QString &device);
    // An empty problem: stopped as asked. deviceLost: the input device failed or is not there
    // (worth trying again when the sound server's devices change).
    void stopped(const QString &problem, bool deviceLost);

private:
    // The writer and the look at the free room; false when there is too little.
    bool begin();
    void readInput();
    void checkRoom();
    void fail(const QString &problem, bool deviceLost = false);
    void close();
    bool writeSamples(const qint16 *pcm, int n);
    qint64 freeBytes() const;

    RecorderSetup m_setup;
    std::unique_ptr<OpusHourWriter> m_writer;
    QAudioSource *m_source = nullptr;
    QIODevice *m_input = nullptr;
    QTimer *m_roomTimer = nullptr;
    QAudioFormat m_format;
    bool m_running = false;
    bool m_anchored = false;
    qint64 m_position = 0; // position of the next sample (ms since the epoch times 48)
    std::vector<qint16> m_mono;
    std::atomic<float> m_level{0.f};
};

} // namespace vireo
