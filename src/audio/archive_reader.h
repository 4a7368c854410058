#pragma once
// Reading the recording back: from the hour files on the disk, decoded with libopusfile, and for
// the newest minutes from the memory of a recording that runs. Positions are samples since the
// epoch at 48 kHz (PcmRing).

#include <QString>
#include <QVector>

#include <memory>

struct OggOpusFile;

namespace vireo {

class PcmRing;

// One hour file and the links of its chain.
class HourFileReader {
public:
    struct Link {
        qint64 start = 0; // position of its first sample
        qint64 samples = 0; // its length
        qint64 pcmOffset = 0; // where it begins among the file's decoded samples
        qint64 end() const { return start + samples; }
    };

    explicit HourFileReader(const QString &path);
    ~HourFileReader();
    HourFileReader(const HourFileReader &) = delete;
    HourFileReader &operator=(const HourFileReader &) = delete;

    bool isOpen() const { return m_file != nullptr; }
    // The links in the order of the file (a link without START_UTC is left out).
    const QVector<Link> &links() const { return m_links; }
    // The link that holds the position (the later one where two overlap), or -1.
    int linkAt(qint64 position) const;
    // The first position after the given one at which a link begins, or -1.
    qint64 nextStart(qint64 position) const;
    // Decodes n samples of the link from the position on; what cannot be decoded is silence.
    void decode(int link, qint64 position, qint16 *out, int n);

private:
    OggOpusFile *m_file = nullptr;
    QVector<Link> m_links;
    qint64 m_next = -1; // decoded position the file stands at, -1 when it must seek
    int m_nextLink = -1;
    std::vector<qint16> m_buffer;
};

// The recording from one position to another, sample by sample: from the memory of the running
// recording as far as it reaches back, from the hour files before that, silence where nothing
// was recorded.
class ArchiveStream {
public:
    ArchiveStream(const QString &folder, std::shared_ptr<const PcmRing> ring, qint64 from, qint64 to);
    ~ArchiveStream();

    qint64 position() const { return m_position; }
    qint64 end() const { return m_end; }
    bool atEnd() const { return m_position >= m_end; }
    // Up to max samples from the position on. Fewer (even none) when the recording has not got
    // that far yet: then later calls deliver the rest.
    int read(qint16 *out, int max);

private:
    void readFiles(qint16 *out, int n);

    QString m_folder;
    std::shared_ptr<const PcmRing> m_ring;
    qint64 m_position, m_end;
    qint64 m_hour = -1; // hour of the open file
    std::unique_ptr<HourFileReader> m_file;
};

// Whether anything was recorded between the two positions (in the hour files or in memory).
bool anythingRecorded(const QString &folder, const PcmRing *ring, qint64 from, qint64 to);

} // namespace vireo
