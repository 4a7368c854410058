#pragma once
// The newest minutes of the recording in memory, as 48 kHz mono samples, for replay while the
// recording goes on. Positions are samples since the epoch at 48 kHz (an instant in ms times 48),
// so that they line up with the hour files. The recording thread appends; players copy out.
// Thread-safe.

#include <QMutex>

#include <vector>

namespace vireo {

class PcmRing {
public:
    static constexpr int Rate = 48000;
    static constexpr qint64 PerMs = Rate / 1000;

    explicit PcmRing(int seconds = 120);

    // The next sample appended is taken at position start; what was held before is dropped.
    void restart(qint64 start);
    void append(const qint16 *pcm, int n);
    // Drops everything; no recording fills it any more.
    void stop();

    struct Span {
        qint64 begin = 0, end = 0; // positions held: [begin, end)
        bool live = false; // a recording appends to it
        bool empty() const { return end <= begin; }
    };
    Span span() const;
    // Copies up to n samples from position from on, as far as they are held; returns how many.
    int copy(qint64 from, qint16 *out, int n) const;

private:
    mutable QMutex m_mutex;
    std::vector<qint16> m_samples;
    qint64 m_begin = 0, m_end = 0;
    bool m_live = false;
};

} // namespace vireo
