#pragma once
// The recording of the receiver's audio: 48 kHz mono PCM, as the input hands it over, goes to
// the hour files (OpusHourWriter) and to the memory of the newest minutes (PcmRing).
//
// It lives in the thread of the recording (the input side, audio/ui/input_capture.h, feeds it
// there), so that the encoding never waits for the user interface, nor the user interface for
// it. The instant of each sample comes from the UtcClock when the recording starts; the samples
// then count on from it. When the count and the clock part by more than a second (the input
// stalled, the computer slept, the clock was set), a new link begins at the clock's time. The
// free room of the disk is looked at every few seconds: below a reserve kept for the log, the
// recording stops, and so it does when a file cannot be written; either way with a Russian
// message, and what was recorded stays playable.

#include "base/services.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QTimer;

namespace vireo {

class OpusHourWriter;
class PcmRing;

struct RecorderSetup {
    QString folder;
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

    explicit Recorder(RecorderSetup setup, QObject *parent = nullptr);
    ~Recorder() override;

    // The peak of the newest samples, 0 to 1; may be read from any thread.
    float level() const { return m_level.load(std::memory_order_relaxed); }

    // Begins the recording; false (and stopped() with the reason) when the disk has too little
    // room for it.
    bool start();
    // Samples as the input hands them over, 48 kHz mono.
    void consume(const qint16 *pcm, int n);
    // Ends the recording: the file is finished (its last page marked so); stopped() follows.
    void stop();
    // The input failed: the recording ends with the problem (deviceLost: worth trying again when
    // the sound server's devices change).
    void abort(const QString &problem, bool deviceLost);
    bool isRunning() const { return m_running; }

signals:
    // An empty problem: stopped as asked.
    void stopped(const QString &problem, bool deviceLost);

private:
    void checkRoom();
    void fail(const QString &problem, bool deviceLost = false);
    void writerFailed();
    void close();
    bool writeSamples(const qint16 *pcm, int n);
    qint64 freeBytes() const;

    RecorderSetup m_setup;
    std::unique_ptr<OpusHourWriter> m_writer;
    QTimer *m_roomTimer = nullptr;
    bool m_running = false;
    bool m_anchored = false;
    qint64 m_position = 0; // position of the next sample (ms since the epoch times 48)
    std::atomic<float> m_level{0.f};
};

} // namespace vireo
