#pragma once
// Writes the recording into the hour files: Ogg Opus, mono, about 24 kbit/s, from 48 kHz PCM.
//
// Each stretch of audio without a break is one link of a file's chain, whose comment START_UTC
// holds the UTC instant of its first sample; at the turn of an hour the stream goes on, sample
// for sample, in the next hour's file. An hour file already on the disk (an earlier run in the
// same hour) keeps what it holds: a page that a killed program left half-written is cut off,
// and the new link follows. Pages go to the file at least twice a second, so that a killed
// program loses well under two seconds, and every link before the last one is finished.
//
// Not thread-safe: one thread writes.

#include <QString>

#include <memory>
#include <vector>

struct OggOpusEnc;

namespace vireo {

class OpusHourWriter {
public:
    static constexpr int SampleRate = 48000;
    static constexpr int Bitrate = 24000;
    // The encoder hands out a page after at most this many samples (half a second).
    static constexpr int PageSamples = SampleRate / 2;

    explicit OpusHourWriter(const QString &folder);
    ~OpusHourWriter(); // finish(), without a word about failures
    OpusHourWriter(const OpusHourWriter &) = delete;
    OpusHourWriter &operator=(const OpusHourWriter &) = delete;

    // A new link whose first sample is at startMs: in the hour file of that instant (appended
    // to it when it is there), or, when the hour is the current file's, chained in that file.
    bool startLink(qint64 startMs);
    // The stream goes on in the file of the hour that begins at hourMs, without a break.
    bool continueInHour(qint64 hourMs);
    bool write(const qint16 *pcm, int samples);
    // Ends the stream and closes the file.
    bool finish();

    bool isOpen() const { return m_encoder != nullptr; }
    QString currentPath() const;
    // After a failure: the Russian sentence, and the errno (0 when the fault was not the system's).
    QString error() const { return m_error; }
    int errorCode() const { return m_errno; }

    struct OutFile;

private:
    std::unique_ptr<OutFile> openFile(qint64 hourMs);
    // The stream goes on in the file of the instant's hour, in a link that starts then.
    bool nextFile(qint64 startMs);
    bool check(int result, const char *what);
    void pruneClosed();

    QString m_folder;
    OggOpusEnc *m_encoder = nullptr;
    qint64 m_hourMs = -1;
    OutFile *m_current = nullptr;
    // Files the encoder still writes to: the current one, and the one before it until its
    // last pages are out.
    std::vector<std::unique_ptr<OutFile>> m_files;
    QString m_error;
    int m_errno = 0;
};

// The START_UTC comment of a link: "2026-03-05T07:00:00.000Z", and back (-1 when it is not one).
QByteArray startTagValue(qint64 ms);
qint64 parseStartTag(const char *value);
extern const char *const StartTag;

// The length of the file up to the end of its last whole Ogg page (0 when it holds none).
qint64 oggValidLength(const QString &path);

} // namespace vireo
