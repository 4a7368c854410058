#include "audio/ui/level_probe.h"

#include <QAudioSource>

#include <algorithm>
#include <cstdlib>

namespace vireo {

LevelProbe::LevelProbe(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(50);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_level = std::max(m_peak, m_level * 0.7f);
        m_peak = 0.f;
        emit levelChanged(m_level);
    });
}

LevelProbe::~LevelProbe()
{
    stop();
}

bool LevelProbe::listen(const QAudioDevice &device)
{
    stop();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        format = device.preferredFormat();
    if (format.sampleFormat() != QAudioFormat::Int16)
        format.setSampleFormat(QAudioFormat::Int16);
    // Without a parent (see InputCapture::start), deleted from the event loop in stop().
    m_source = new QAudioSource(device, format);
    m_source->setBufferSize(format.bytesForDuration(50 * 1000));
    m_input = m_source->start();
    if (!m_input || m_source->error() != QAudio::NoError) {
        stop();
        return false;
    }
    connect(m_input, &QIODevice::readyRead, this, &LevelProbe::readInput);
    m_timer.start();
    return true;
}

void LevelProbe::stop()
{
    m_timer.stop();
    if (m_source) {
        m_source->disconnect(this);
        m_source->stop();
        // From the event loop, not here: a sound stream that closes waits for the sound server
        // and runs the event loop meanwhile, which must not happen while a window is destroyed.
        m_source->deleteLater();
        m_source = nullptr;
        m_input = nullptr;
    }
    m_peak = m_level = 0.f;
}

void LevelProbe::readInput()
{
    const QByteArray data = m_input->readAll();
    const auto *pcm = reinterpret_cast<const qint16 *>(data.constData());
    int peak = 0;
    for (qsizetype i = 0; i < data.size() / 2; ++i)
        peak = std::max(peak, std::abs(int(pcm[i])));
    m_peak = std::max(m_peak, std::min(1.f, float(peak) / 32767.f));
}

} // namespace vireo
