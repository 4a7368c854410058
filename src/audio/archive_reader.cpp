#include "audio/archive_reader.h"

#include "audio/hour_files.h"
#include "audio/opus_hour_writer.h"
#include "audio/pcm_ring.h"

#include <QDir>
#include <QFile>

#include <opus/opusfile.h>

#include <algorithm>
#include <cstring>

namespace vireo {

namespace {

constexpr qint64 PerMs = PcmRing::PerMs;

qint64 hourOfPosition(qint64 position)
{
    return hourfiles::hourStart(position / PerMs);
}

void silence(qint16 *out, qint64 n)
{
    std::memset(out, 0, std::size_t(n) * sizeof(qint16));
}

} // namespace

HourFileReader::HourFileReader(const QString &path)
{
    int err = 0;
    m_file = op_open_file(QFile::encodeName(path).constData(), &err);
    if (!m_file)
        return;
    qint64 offset = 0;
    for (int li = 0; li < op_link_count(m_file); ++li) {
        const qint64 samples = op_pcm_total(m_file, li);
        const qint64 startMs = parseStartTag(opus_tags_query(op_tags(m_file, li), StartTag, 0));
        if (samples > 0 && startMs >= 0)
            m_links.append(Link{startMs * PerMs, samples, offset});
        offset += std::max<qint64>(samples, 0);
    }
}

HourFileReader::~HourFileReader()
{
    if (m_file)
        op_free(m_file);
}

int HourFileReader::linkAt(qint64 position) const
{
    int found = -1;
    for (int i = 0; i < m_links.size(); ++i)
        if (m_links[i].start <= position && position < m_links[i].end()
            && (found < 0 || m_links[i].start >= m_links[found].start))
            found = i;
    return found;
}

qint64 HourFileReader::nextStart(qint64 position) const
{
    qint64 next = -1;
    for (const Link &l : m_links)
        if (l.start > position && (next < 0 || l.start < next))
            next = l.start;
    return next;
}

void HourFileReader::decode(int link, qint64 position, qint16 *out, int n)
{
    const Link &l = m_links.at(link);
    if (m_nextLink != link || m_next != position) {
        if (op_pcm_seek(m_file, l.pcmOffset + (position - l.start)) != 0) {
            m_next = -1;
            silence(out, n);
            return;
        }
    }
    m_nextLink = link;
    m_next = position;
    int done = 0;
    while (done < n) {
        // Our files are mono; a file of two channels is mixed down.
        const int channels = std::max(1, op_channel_count(m_file, -1));
        m_buffer.resize(std::size_t(n - done) * std::size_t(channels));
        int li = 0;
        const int got = op_read(m_file, m_buffer.data(), int(m_buffer.size()), &li);
        if (got <= 0) {
            m_next = -1;
            silence(out + done, n - done);
            return;
        }
        const int ch = std::max(1, op_channel_count(m_file, li));
        for (int i = 0; i < got && done < n; ++i, ++done) {
            int sum = 0;
            for (int c = 0; c < ch; ++c)
                sum += m_buffer[std::size_t(i) * std::size_t(ch) + std::size_t(c)];
            out[done] = qint16(sum / ch);
        }
        m_next += got;
    }
}

ArchiveStream::ArchiveStream(const QString &folder, std::shared_ptr<const PcmRing> ring, qint64 from, qint64 to)
    : m_folder(folder), m_ring(std::move(ring)), m_position(from), m_end(std::max(from, to))
{
}

ArchiveStream::~ArchiveStream() = default;

int ArchiveStream::read(qint16 *out, int max)
{
    int done = 0;
    while (done < max && m_position < m_end) {
        const int want = int(std::min<qint64>(max - done, m_end - m_position));
        const PcmRing::Span s = m_ring ? m_ring->span() : PcmRing::Span{};
        if (!s.empty() && m_position >= s.begin) {
            if (m_position >= s.end)
                break; // not recorded yet
            const int k = m_ring->copy(m_position, out + done, want);
            m_position += k;
            done += k;
            continue; // none copied: the memory moved on, the files have it now
        }
        const int k = s.empty() ? want : int(std::min<qint64>(want, s.begin - m_position));
        readFiles(out + done, k);
        m_position += k;
        done += k;
    }
    return done;
}

void ArchiveStream::readFiles(qint16 *out, int n)
{
    qint64 position = m_position;
    while (n > 0) {
        const qint64 hour = hourOfPosition(position);
        if (hour != m_hour) {
            m_hour = hour;
            const QString path = QDir(m_folder).filePath(hourfiles::fileName(hour));
            m_file = QFile::exists(path) ? std::make_unique<HourFileReader>(path) : nullptr;
        }
        const qint64 hourEnd = (hour + hourfiles::HourMs) * PerMs;
        qint64 k = std::min<qint64>(n, hourEnd - position);
        const int link = m_file && m_file->isOpen() ? m_file->linkAt(position) : -1;
        if (link >= 0) {
            k = std::min(k, m_file->links().at(link).end() - position);
            m_file->decode(link, position, out, int(k));
        } else {
            const qint64 next = m_file && m_file->isOpen() ? m_file->nextStart(position) : -1;
            if (next >= 0)
                k = std::min(k, next - position);
            silence(out, k);
        }
        out += k;
        n -= int(k);
        position += k;
    }
}

bool anythingRecorded(const QString &folder, const PcmRing *ring, qint64 from, qint64 to)
{
    if (ring) {
        const PcmRing::Span s = ring->span();
        if (!s.empty() && s.begin < to && from < s.end)
            return true;
    }
    for (qint64 hour = hourOfPosition(from); hour * PerMs < to; hour += hourfiles::HourMs) {
        const QString path = QDir(folder).filePath(hourfiles::fileName(hour));
        if (!QFile::exists(path))
            continue;
        const HourFileReader file(path);
        for (const HourFileReader::Link &l : file.links())
            if (l.start < to && from < l.end())
                return true;
    }
    return false;
}

} // namespace vireo
