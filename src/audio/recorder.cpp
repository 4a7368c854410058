#include "audio/recorder.h"

#include "audio/file_errors.h"
#include "audio/hour_files.h"
#include "audio/opus_hour_writer.h"
#include "audio/pcm_ring.h"

#include <QAudioSource>
#include <QDir>
#include <QStorageInfo>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vireo {

namespace {

constexpr qint64 PerMs = PcmRing::PerMs;

const QString AgainHint = QStringLiteral("Освободите место на диске и снова включите запись: «Установки» → «Звук».");

QString deviceProblem(const QString &device, QAudio::Error error)
{
    QString why;
    switch (error) {
    case QAudio::OpenError:
        why = QStringLiteral("его не удалось открыть");
        break;
    case QAudio::IOError:
        why = QStringLiteral("ошибка чтения звука");
        break;
    case QAudio::FatalError:
        why = QStringLiteral("устройство отказало");
        break;
    default:
        why = QStringLiteral("устройство перестало давать звук");
        break;
    }
    return QStringLiteral("Устройство записи «%1» недоступно: %2. Звук не записывается.").arg(device, why);
}

} // namespace

Recorder::Recorder(RecorderSetup setup)
    : m_setup(std::move(setup))
{
}

Recorder::~Recorder()
{
    close();
}

qint64 Recorder::freeBytes() const
{
    if (m_setup.freeBytes)
        return m_setup.freeBytes(m_setup.folder);
    QDir().mkpath(m_setup.folder);
    const QStorageInfo disk(m_setup.folder);
    return disk.isValid() ? disk.bytesAvailable() : -1;
}

void Recorder::start()
{
    if (m_running)
        return;
    const QString name = m_setup.device.isNull() ? QStringLiteral("?") : m_setup.device.description();
    if (m_setup.device.isNull()) {
        fail(QStringLiteral("Устройство записи не найдено: звук не записывается. Выберите устройство в «Установки» → «Звук»."),
             true);
        return;
    }
    m_format.setSampleRate(Rate);
    m_format.setSampleFormat(QAudioFormat::Int16);
    m_format.setChannelCount(1);
    if (!m_setup.device.isFormatSupported(m_format))
        m_format.setChannelCount(2);
    if (!m_setup.device.isFormatSupported(m_format)) {
        fail(QStringLiteral("Устройство записи «%1» не даёт звук с частотой 48 кГц: звук не записывается.").arg(name));
        return;
    }
    if (!begin())
        return;
    m_source = new QAudioSource(m_setup.device, m_format, this);
    m_source->setBufferSize(m_format.bytesForDuration(100 * 1000));
    connect(m_source, &QAudioSource::stateChanged, this, [this, name](QAudio::State state) {
        if (m_source && state == QAudio::StoppedState && m_source->error() != QAudio::NoError)
            fail(deviceProblem(name, m_source->error()), true);
    });
    m_input = m_source->start();
    if (!m_input || m_source->error() != QAudio::NoError) {
        fail(deviceProblem(name, m_source->error()), true);
        return;
    }
    connect(m_input, &QIODevice::readyRead, this, &Recorder::readInput);
    emit started(name);
}

void Recorder::startFed()
{
    if (!m_running)
        begin();
}

bool Recorder::begin()
{
    m_running = true;
    m_anchored = false;
    m_writer = std::make_unique<OpusHourWriter>(m_setup.folder);
    if (!m_roomTimer) {
        m_roomTimer = new QTimer(this);
        connect(m_roomTimer, &QTimer::timeout, this, &Recorder::checkRoom);
    }
    checkRoom();
    if (!m_running)
        return false;
    m_roomTimer->start(m_setup.checkIntervalMs);
    return true;
}

void Recorder::readInput()
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
        consume(pcm, frames);
        return;
    }
    m_mono.resize(std::size_t(frames));
    for (int i = 0; i < frames; ++i) {
        int sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += pcm[i * channels + c];
        m_mono[std::size_t(i)] = qint16(sum / channels);
    }
    consume(m_mono.data(), frames);
}

void Recorder::consume(const qint16 *pcm, int n)
{
    if (!m_running || !m_writer || n <= 0)
        return;
    // The last of these samples was taken about now.
    const qint64 nowMs = m_setup.clock->nowUtc().toMSecsSinceEpoch();
    const qint64 firstMs = nowMs - n / PerMs;
    if (!m_anchored || std::llabs(firstMs * PerMs - m_position) > MaxDriftMs * PerMs) {
        m_position = firstMs * PerMs;
        if (!m_writer->startLink(firstMs)) {
            fail(QStringLiteral("Запись звука остановлена. ") + m_writer->error()
                 + (audiofile::noRoom(m_writer->errorCode()) ? QLatin1Char(' ') + AgainHint : QString()));
            return;
        }
        m_anchored = true;
        if (m_setup.ring)
            m_setup.ring->restart(m_position);
    }

    int peak = 0;
    for (int i = 0; i < n; ++i)
        peak = std::max(peak, std::abs(int(pcm[i])));
    const float level = std::min(1.f, float(peak) / 32767.f);
    m_level.store(std::max(level, m_level.load(std::memory_order_relaxed) * 0.6f), std::memory_order_relaxed);

    // At the turn of the hour the stream goes on in the next hour's file.
    while (n > 0) {
        const qint64 nextHour = (hourfiles::hourStart(m_position / PerMs) + hourfiles::HourMs) * PerMs;
        const int k = int(std::min<qint64>(n, nextHour - m_position));
        if (!writeSamples(pcm, k))
            return;
        pcm += k;
        n -= k;
        if (m_position == nextHour && !m_writer->continueInHour(nextHour / PerMs)) {
            fail(QStringLiteral("Запись звука остановлена. ") + m_writer->error()
                 + (audiofile::noRoom(m_writer->errorCode()) ? QLatin1Char(' ') + AgainHint : QString()));
            return;
        }
    }
}

bool Recorder::writeSamples(const qint16 *pcm, int n)
{
    if (n <= 0)
        return true;
    if (!m_writer->write(pcm, n)) {
        fail(QStringLiteral("Запись звука остановлена. ") + m_writer->error()
             + (audiofile::noRoom(m_writer->errorCode()) ? QLatin1Char(' ') + AgainHint : QString()));
        return false;
    }
    if (m_setup.ring)
        m_setup.ring->append(pcm, n);
    m_position += n;
    return true;
}

void Recorder::checkRoom()
{
    if (!m_running)
        return;
    const qint64 free = freeBytes();
    if (free >= 0 && free < m_setup.reserveBytes)
        fail(QStringLiteral("Запись звука остановлена: на диске осталось меньше %1 МБ (папка %2), это место оставлено "
                            "для журнала. ")
                 .arg(m_setup.reserveBytes / (1024 * 1024))
                 .arg(QDir::toNativeSeparators(m_setup.folder))
             + AgainHint);
}

void Recorder::close()
{
    if (m_roomTimer)
        m_roomTimer->stop();
    if (m_source) {
        m_source->disconnect(this);
        if (m_input)
            m_input->disconnect(this);
        m_source->stop();
        m_source->deleteLater(); // close() may run inside one of its signals
        m_source = nullptr;
        m_input = nullptr;
    }
    if (m_setup.ring)
        m_setup.ring->stop();
    m_running = false;
    m_anchored = false;
    m_level.store(0.f);
}

void Recorder::fail(const QString &problem, bool deviceLost)
{
    const bool wasRunning = m_running;
    close();
    if (m_writer)
        m_writer->finish(); // what it can still finish; the fault is told already
    m_writer.reset();
    if (wasRunning || !problem.isEmpty())
        emit stopped(problem, deviceLost);
}

void Recorder::stop()
{
    if (!m_running) {
        m_writer.reset();
        return;
    }
    readInput(); // what the device still holds
    close();
    QString problem;
    if (m_writer && !m_writer->finish())
        problem = QStringLiteral("Запись звука остановлена. ") + m_writer->error();
    m_writer.reset();
    emit stopped(problem, false);
}

} // namespace vireo
