#include "audio/ui/player.h"

#include "audio/archive_reader.h"
#include "audio/pcm_ring.h"
#include "base/error.h"

#include <QAudioSink>

#include <algorithm>

namespace vireo {

namespace {
constexpr qint64 PerMs = PcmRing::PerMs;
}

Player::Player(const QString &folder, std::shared_ptr<const PcmRing> ring, QObject *parent)
    : QObject(parent), m_folder(folder), m_ring(std::move(ring))
{
    m_timer.setInterval(40);
    connect(&m_timer, &QTimer::timeout, this, &Player::pump);
}

Player::~Player()
{
    closeSink();
}

void Player::setDevice(const QAudioDevice &device)
{
    m_device = device;
}

qint64 Player::heard() const
{
    if (!m_sink)
        return m_start;
    const qint64 played = m_sink->processedUSecs() * PerMs / 1000;
    return m_start + std::min(played, m_written);
}

void Player::play(qint64 from, qint64 to)
{
    const bool was = isPlaying();
    closeSink();
    if (m_device.isNull()) {
        if (was)
            emit playingChanged(false);
        throw Error(tr("Устройство воспроизведения не найдено. Выберите его в «Установки» → «Звук»."));
    }
    QAudioFormat format;
    format.setSampleRate(PcmRing::Rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    // Without a parent (see InputCapture::start), deleted from the event loop in closeSink().
    m_sink = new QAudioSink(m_device, format);
    // Half a second with the device: a user interface busy for a moment leaves no gap.
    m_sink->setBufferSize(format.bytesForDuration(500 * 1000));
    m_out = m_sink->start();
    if (!m_out || m_sink->error() != QAudio::NoError) {
        closeSink();
        if (was)
            emit playingChanged(false);
        throw Error(tr("Устройство воспроизведения «%1» недоступно.").arg(m_device.description()));
    }
    m_stream = std::make_unique<ArchiveStream>(m_folder, m_ring, from, to);
    m_start = from;
    m_end = std::max(from, to);
    m_written = 0;
    m_timer.start();
    pump();
    if (!was)
        emit playingChanged(true);
}

void Player::skip(qint64 delta)
{
    if (!m_sink)
        return;
    const qint64 to = heard() + delta;
    if (to >= m_end) {
        stop();
        return;
    }
    play(std::max<qint64>(0, to), m_end);
}

void Player::stop()
{
    if (!m_sink)
        return;
    closeSink();
    emit playingChanged(false);
}

void Player::closeSink()
{
    m_timer.stop();
    if (m_sink) {
        m_sink->stop();
        // From the event loop, not here (see LevelProbe::stop).
        m_sink->deleteLater();
        m_sink = nullptr;
        m_out = nullptr;
    }
    m_stream.reset();
}

void Player::pump()
{
    if (!m_sink || !m_stream)
        return;
    if (m_sink->error() != QAudio::NoError && m_sink->error() != QAudio::UnderrunError) {
        const QString name = m_device.description();
        stop();
        emit problem(tr("Устройство воспроизведения «%1» перестало принимать звук.").arg(name));
        return;
    }
    const int room = int(m_sink->bytesFree() / qint64(sizeof(qint16)));
    if (room > 0 && !m_stream->atEnd()) {
        m_buffer.resize(std::size_t(room));
        const int n = m_stream->read(m_buffer.data(), room);
        if (n > 0) {
            m_out->write(reinterpret_cast<const char *>(m_buffer.data()), qint64(n) * qint64(sizeof(qint16)));
            m_written += n;
        }
        m_sinceDrained.invalidate();
        return;
    }
    if (!m_stream->atEnd())
        return;
    // Everything is with the device: done when it has played it (or could not for a while).
    const qint64 played = m_sink->processedUSecs() * PerMs / 1000;
    if (!m_sinceDrained.isValid())
        m_sinceDrained.start();
    const qint64 waitMs = (m_written - std::min(played, m_written)) / PerMs + 500;
    if (played >= m_written || m_sink->state() == QAudio::IdleState || m_sinceDrained.elapsed() > waitMs)
        stop();
}

} // namespace vireo
