#include "audio/pcm_ring.h"

#include <QMutexLocker>

#include <algorithm>
#include <cstring>

namespace vireo {

PcmRing::PcmRing(int seconds) : m_samples(std::size_t(seconds) * Rate) {}

void PcmRing::restart(qint64 start)
{
    QMutexLocker lock(&m_mutex);
    m_begin = m_end = start;
    m_live = true;
}

void PcmRing::append(const qint16 *pcm, int n)
{
    QMutexLocker lock(&m_mutex);
    const qint64 size = qint64(m_samples.size());
    if (n > size) {
        pcm += n - size;
        m_end += n - size;
        n = int(size);
    }
    qint64 at = m_end % size;
    int left = n;
    while (left > 0) {
        const int k = int(std::min<qint64>(left, size - at));
        std::memcpy(m_samples.data() + at, pcm, std::size_t(k) * sizeof(qint16));
        pcm += k;
        left -= k;
        at = (at + k) % size;
    }
    m_end += n;
    m_begin = std::max(m_begin, m_end - size);
}

void PcmRing::stop()
{
    QMutexLocker lock(&m_mutex);
    m_begin = m_end = 0;
    m_live = false;
}

PcmRing::Span PcmRing::span() const
{
    QMutexLocker lock(&m_mutex);
    return {m_begin, m_end, m_live};
}

int PcmRing::copy(qint64 from, qint16 *out, int n) const
{
    QMutexLocker lock(&m_mutex);
    if (from < m_begin || from >= m_end || n <= 0)
        return 0;
    const qint64 size = qint64(m_samples.size());
    const int total = int(std::min<qint64>(n, m_end - from));
    qint64 at = from % size;
    int left = total;
    while (left > 0) {
        const int k = int(std::min<qint64>(left, size - at));
        std::memcpy(out, m_samples.data() + at, std::size_t(k) * sizeof(qint16));
        out += k;
        left -= k;
        at = (at + k) % size;
    }
    return total;
}

} // namespace vireo
