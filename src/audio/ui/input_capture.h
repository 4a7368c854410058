#pragma once
// The input side of the recording: the sound card's input (a Qt Multimedia source, 48 kHz)
// handed to the Recorder sample by sample, mixed down to mono where the device gives two
// channels. Lives in the thread of the recording, with its Recorder; AudioService runs it.

#include "audio/recorder.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QObject>

#include <vector>

class QAudioSource;
class QIODevice;

namespace vireo {

class InputCapture : public QObject {
    Q_OBJECT
public:
    InputCapture(const QAudioDevice &device, RecorderSetup setup);
    ~InputCapture() override;

    // May be read from any thread.
    float level() const { return m_recorder->level(); }

    // Slots run in the recording's thread.
    void start();
    // Ends the recording with what the device still holds; stopped() follows.
    void stop();

signals:
    void started(const QString &device);
    // An empty problem: stopped as asked. deviceLost: the input device failed or is not there
    // (worth trying again when the sound server's devices change).
    void stopped(const QString &problem, bool deviceLost);

private:
    void readInput();
    void closeSource();
    QString deviceProblem(QAudio::Error error) const;

    QAudioDevice m_device;
    QString m_name;
    Recorder *m_recorder;
    QAudioSource *m_source = nullptr;
    QIODevice *m_input = nullptr;
    QAudioFormat m_format;
    std::vector<qint16> m_mono;
};

} // namespace vireo
