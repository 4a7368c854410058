#pragma once
// A sound server of the test's own: PulseAudio in user mode with its socket, state and
// configuration in a temporary folder, and only three modules: the native protocol on that
// socket, a null sink "out" (what plays there can be recorded from "out.monitor") and a pipe
// source "rx" that the test feeds as a receiver would. No sound device of the computer is
// opened, and nothing is written outside the folder.
//
// exportToProcess() points this process's sound clients (Qt Multimedia among them) at the
// server; it must run before Qt Multimedia is first used.

#include "base/services.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace vireo::test {

class PulseServer {
public:
    PulseServer();
    ~PulseServer();
    PulseServer(const PulseServer &) = delete;
    PulseServer &operator=(const PulseServer &) = delete;

    bool ok() const { return m_ok; }
    QString error() const { return m_error; }
    QString dir() const { return m_dir.path(); }
    QString fifo() const;
    // The variables a sound client needs to find the server (and nothing else).
    QProcessEnvironment clientEnvironment() const;
    void exportToProcess() const;
    // Runs a program of pulseaudio-utils (pactl, parec) against the server; its exit code.
    int run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr) const;

private:
    QString daemonProgram() const;

    QTemporaryDir m_dir;
    QProcess m_daemon;
    bool m_ok = false;
    QString m_error;
};

// The "receiver": feeds the pipe source in real time, 10 ms at a time, with the samples that
// sample(i) gives (48 kHz mono, i counted from the start). The pipe holds seconds of sound; what
// does not fit while the server does not read is dropped, as a receiver's audio is lost while
// nobody takes it.
class RxFeeder {
public:
    RxFeeder(const QString &fifo, std::function<qint16(qint64 i)> sample);
    ~RxFeeder(); // stops
    void stop();
    // Samples fed so far, and the wall-clock time (ms since the epoch) of sample 0.
    qint64 fed() const { return m_fed.load(); }
    qint64 startMs() const { return m_startMs.load(); }

private:
    std::function<qint16(qint64)> m_sample;
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_fed{0};
    std::atomic<qint64> m_startMs{0};
    int m_fd = -1;
    std::thread m_thread;
};

// A clock that runs with the computer's, shifted by a fixed number of milliseconds; safe to call
// from any thread (the recorder calls it from its own).
class ShiftedClock : public UtcClock {
public:
    explicit ShiftedClock(qint64 shiftMs = 0) : m_shiftMs(shiftMs) {}
    QDateTime nowUtc() const override;
    qint64 nowMs() const { return nowUtc().toMSecsSinceEpoch(); }
    // The shift that makes the clock read atMs now.
    static qint64 shiftTo(qint64 atMs);

private:
    const qint64 m_shiftMs;
};

} // namespace vireo::test
