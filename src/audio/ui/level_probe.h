#pragma once
// The level of an input device, for the set-up window's meter: the peak of the newest samples,
// 0 to 1, falling back slowly. Listens only while asked to, in the thread it lives in.

#include <QAudioDevice>
#include <QObject>
#include <QTimer>

class QAudioSource;
class QIODevice;

namespace vireo {

class LevelProbe : public QObject {
    Q_OBJECT
public:
    explicit LevelProbe(QObject *parent = nullptr);
    ~LevelProbe() override;

    // Listens to the device in place of the one before; false when it cannot be opened.
    bool listen(const QAudioDevice &device);
    void stop();
    float level() const { return m_level; }

signals:
    // Twenty times a second while listening.
    void levelChanged(float level);

private:
    void readInput();

    QAudioSource *m_source = nullptr;
    QIODevice *m_input = nullptr;
    QTimer m_timer;
    float m_peak = 0.f;
    float m_level = 0.f;
};

} // namespace vireo
