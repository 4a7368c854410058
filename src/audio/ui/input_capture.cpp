#include "audio/ui/input_capture.h"

#include <QAudioSource>

namespace vireo {

InputCapture::InputCapture(const QAudioDevice &device, RecorderSetup setup)
    : m_device(device),
      m_name(device.isNull() ? QStringLiteral("?") : device.description()),
      m_recorder(new Recorder(std::move(setup), this))
{
    // Whatever ends the recording (the disk, a file, the device, a stop) ends the listening too.
    connect(m_recorder, &Recorder::stopped, this, [this](const QString &problem, bool deviceLost) {
        closeSource();
        emit stopped(problem, deviceLost);
    });
}

InputCapture::~InputCapture()
{
    closeSource();
}

QString InputCapture::deviceProblem(QAudio::Error error) const
{
    QString why;
    switch (error) {
    case QAudio::OpenError:
        why = tr("его не удалось открыть");
        break;
    case QAudio::IOError:
        why = tr("ошибка чтения звука");
        break;
    case QAudio::FatalError:
        why = tr("устройство отказало");
        break;
    default:
        why = tr("устройство перестало давать звук");
        break;
    }
    return tr("Устройство записи «%1» недоступно: %2. Звук не записывается.").arg(m_name, why);
}

void InputCapture::start()
{
    if (m_recorder->isRunning())
        return;
    if (m_device.isNull()) {
        m_recorder->abort(
            tr("Устройство записи не найдено: звук не записывается. Выберите устройство в «Установки» → «Звук»."),
            true);
        return;
    }
    m_format.setSampleRate(Recorder::Rate);
    m_format.setSampleFormat(QAudioFormat::Int16);
    m_format.setChannelCount(1);
    if (!m_device.isFormatSupported(m_format))
        m_format.setChannelCount(2);
    if (!m_device.isFormatSupported(m_format)) {
        m_recorder->abort(
            tr("Устройство записи «%1» не даёт звук с частотой 48 кГц: звук не записывается.").arg(m_name), false);
        return;
    }
    if (!m_recorder->start())
        return;
    // Without a parent: Qt gives the parent to the stream's backend too, which would then go
    // with this object while the source, deleted later, still uses it.
    m_source = new QAudioSource(m_device, m_format);
    m_source->setBufferSize(m_format.bytesForDuration(100 * 1000));
    connect(m_source, &QAudioSource::stateChanged, this, [this](QAudio::State state) {
        if (m_source && state == QAudio::StoppedState && m_source->error() != QAudio::NoError)
            m_recorder->abort(deviceProblem(m_source->error()), true);
    });
    m_input = m_source->start();
    if (!m_input || m_source->error() != QAudio::NoError) {
        m_recorder->abort(deviceProblem(m_source->error()), true);
        return;
    }
    connect(m_input, &QIODevice::readyRead, this, &InputCapture::readInput);
    emit started(m_name);
}

void InputCapture::readInput()
{
    if (!m_input)
        return;
    const QByteArray data = m_input->readAll();
    const int channels = m_format.channelCount();
    const int frames = int(data.size() / (2 * channels));
    if (frames <= 0)
        return;
    const auto *pcm = reinterpret_cast<const qint16 *>(data.constData());
    if (channels == 1) {
        m_recorder->consume(pcm, frames);
        return;
    }
    m_mono.resize(std::size_t(frames));
    for (int i = 0; i < frames; ++i) {
        int sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += pcm[i * channels + c];
        m_mono[std::size_t(i)] = qint16(sum / channels);
    }
    m_recorder->consume(m_mono.data(), frames);
}

void InputCapture::stop()
{
    readInput(); // what the device still holds
    closeSource();
    m_recorder->stop();
}

void InputCapture::closeSource()
{
    if (!m_source)
        return;
    m_source->disconnect(this);
    if (m_input)
        m_input->disconnect(this);
    m_source->stop();
    m_source->deleteLater(); // this may run inside one of its signals; the thread's end deletes it at the latest
    m_source = nullptr;
    m_input = nullptr;
}

} // namespace vireo
