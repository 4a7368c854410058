#pragma once
// Plays a stretch of the recording on an output device: what the hour files and the memory of the
// running recording hold from one position to another (PcmRing positions, 48 kHz). Lives in the
// user-interface thread; a timer keeps the device's half second of sound filled, so that no call
// waits for it, and runs only while something plays.

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

class QAudioSink;
class QIODevice;

namespace vireo {

class ArchiveStream;
class PcmRing;

class Player : public QObject {
    Q_OBJECT
public:
    Player(const QString &folder, std::shared_ptr<const PcmRing> ring, QObject *parent = nullptr);
    ~Player() override;

    void setDevice(const QAudioDevice &device);
    // Plays from one position to the other, in place of what plays now. Throws vireo::Error
    // when the output device cannot play (nothing plays then).
    void play(qint64 from, qint64 to);
    // Moves what is heard by delta samples, the end staying; beyond the end it stops. Throws as
    // play() does.
    void skip(qint64 delta);
    void stop();

    bool isPlaying() const { return m_sink != nullptr; }
    // The position heard now, and where the stretch ends.
    qint64 heard() const;
    qint64 end() const { return m_end; }

signals:
    void playingChanged(bool playing);
    // The device stopped taking the sound while it played: a Russian sentence.
    void problem(const QString &text);

private:
    void pump();
    void closeSink();

    QString m_folder;
    std::shared_ptr<const PcmRing> m_ring;
    QAudioDevice m_device;
    std::unique_ptr<ArchiveStream> m_stream;
    QAudioSink *m_sink = nullptr;
    QIODevice *m_out = nullptr;
    QTimer m_timer;
    QElapsedTimer m_sinceDrained;
    qint64 m_start = 0; // position of the first sample handed to the device
    qint64 m_written = 0; // samples handed to it
    qint64 m_end = 0;
    std::vector<qint16> m_buffer;
};

} // namespace vireo
