#include "audio/recorder.h"

#include "audio/file_errors.h"
#include "audio/hour_files.h"
#include "audio/logging.h"
#include "audio/opus_hour_writer.h"
#include "audio/pcm_ring.h"

#include <QDir>
#include <QStorageInfo>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace vireo {

namespace {

constexpr qint64 PerMs = PcmRing::PerMs;

const char *const AgainHint =
    QT_TRANSLATE_NOOP("vireo::Recorder", "Освободите место на диске и снова включите запись: «Установки» → «Звук».");

} // namespace

Recorder::Recorder(RecorderSetup setup, QObject *parent) : QObject(parent), m_setup(std::move(setup)) {}

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

bool Recorder::start()
{
    if (m_running)
        return true;
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

void Recorder::consume(const qint16 *pcm, int n)
{
    if (!m_running || !m_writer || n <= 0)
        return;
    // The last of these samples was taken about now.
    const qint64 nowMs = m_setup.clock->nowUtc().toMSecsSinceEpoch();
    const qint64 firstMs = nowMs - n / PerMs;
    if (!m_anchored || std::llabs(firstMs * PerMs - m_position) > MaxDriftMs * PerMs) {
        if (m_anchored)
            qCInfo(lcAudio).noquote() << "the input and the clock parted by" << (firstMs * PerMs - m_position) / PerMs
                                      << "ms: a new link begins";
        m_position = firstMs * PerMs;
        if (!m_writer->startLink(firstMs)) {
            writerFailed();
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
            writerFailed();
            return;
        }
    }
}

bool Recorder::writeSamples(const qint16 *pcm, int n)
{
    if (n <= 0)
        return true;
    if (!m_writer->write(pcm, n)) {
        writerFailed();
        return false;
    }
    if (m_setup.ring)
        m_setup.ring->append(pcm, n);
    m_position += n;
    return true;
}

void Recorder::writerFailed()
{
    fail(tr("Запись звука остановлена. %1").arg(m_writer->error())
         + (audiofile::noRoom(m_writer->errorCode()) ? QLatin1Char(' ') + tr(AgainHint) : QString()));
}

void Recorder::checkRoom()
{
    if (!m_running)
        return;
    const qint64 free = freeBytes();
    if (free >= 0 && free < m_setup.reserveBytes)
        fail(tr("Запись звука остановлена: на диске осталось меньше %1 МБ (папка %2), это место оставлено для журнала.")
                 .arg(m_setup.reserveBytes / (1024 * 1024))
                 .arg(QDir::toNativeSeparators(m_setup.folder))
             + QLatin1Char(' ') + tr(AgainHint));
}

void Recorder::close()
{
    if (m_roomTimer)
        m_roomTimer->stop();
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

void Recorder::abort(const QString &problem, bool deviceLost)
{
    fail(problem, deviceLost);
}

void Recorder::stop()
{
    if (!m_running) {
        m_writer.reset();
        return;
    }
    close();
    QString problem;
    if (m_writer && !m_writer->finish())
        problem = tr("Запись звука остановлена. %1").arg(m_writer->error());
    m_writer.reset();
    emit stopped(problem, false);
}

} // namespace vireo
