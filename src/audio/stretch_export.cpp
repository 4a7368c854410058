#include "audio/stretch_export.h"

#include "audio/archive_reader.h"
#include "audio/file_errors.h"
#include "audio/opus_hour_writer.h"
#include "audio/pcm_ring.h"
#include "base/error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <cerrno>

#include <opus/opusenc.h>

#include <vector>

namespace vireo::stretchexport {

namespace {

constexpr int Rate = PcmRing::Rate;

void putLe32(QByteArray &b, quint32 v)
{
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

void putLe16(QByteArray &b, quint16 v)
{
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

QByteArray wavHeader(qint64 samples)
{
    const quint32 data = quint32(samples * 2);
    QByteArray h;
    h.append("RIFF", 4);
    putLe32(h, 36 + data);
    h.append("WAVEfmt ", 8);
    putLe32(h, 16);
    putLe16(h, 1); // PCM
    putLe16(h, 1); // mono
    putLe32(h, Rate);
    putLe32(h, Rate * 2);
    putLe16(h, 2);
    putLe16(h, 16);
    h.append("data", 4);
    putLe32(h, data);
    return h;
}

int writeToSave(void *user, const unsigned char *data, opus_int32 length)
{
    auto *f = static_cast<QSaveFile *>(user);
    return f->write(reinterpret_cast<const char *>(data), length) == length ? 0 : 1;
}

int closeNothing(void *)
{
    return 0;
}

[[noreturn]] void cannotWrite(const QString &path, const QString &why)
{
    throw Error(QCoreApplication::translate("vireo::AudioFile", "Не удалось записать файл %1: %2.")
                    .arg(QDir::toNativeSeparators(path), why));
}

QString saveFileReason(const QSaveFile &f)
{
    switch (f.error()) {
    case QFileDevice::ResourceError:
        return audiofile::reason(ENOSPC);
    case QFileDevice::PermissionsError:
        return audiofile::reason(EACCES);
    default:
        break;
    }
    const QFileInfo folder(QFileInfo(f.fileName()).absolutePath());
    if (!folder.isDir())
        return audiofile::reason(ENOENT);
    if (!folder.isWritable())
        return audiofile::reason(EACCES);
    return QCoreApplication::translate("vireo::AudioFile", "ошибка записи (%1)").arg(f.errorString());
}

} // namespace

Format formatOf(const QString &path)
{
    const QString lower = path.toLower();
    return lower.endsWith(QLatin1String(".opus")) || lower.endsWith(QLatin1String(".ogg")) ? Format::Opus : Format::Wav;
}

void write(const QString &folder, std::shared_ptr<const PcmRing> ring, qint64 from, qint64 to, const QString &path)
{
    if (!anythingRecorded(folder, ring.get(), from, to))
        throw Error(QCoreApplication::translate("vireo::AudioFile", "Звук этого времени не записан: файл %1 не создан.")
                        .arg(QDir::toNativeSeparators(path)));
    std::vector<qint16> pcm(std::size_t(std::max<qint64>(0, to - from)));
    ArchiveStream stream(folder, ring, from, to);
    const int got = stream.read(pcm.data(), int(pcm.size()));
    pcm.resize(std::size_t(got));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        cannotWrite(path, saveFileReason(file));
    if (formatOf(path) == Format::Wav) {
        file.write(wavHeader(qint64(pcm.size())));
        file.write(reinterpret_cast<const char *>(pcm.data()), qint64(pcm.size() * sizeof(qint16)));
    } else {
        OggOpusComments *comments = ope_comments_create();
        ope_comments_add(comments, StartTag, startTagValue(from / PcmRing::PerMs).constData());
        const OpusEncCallbacks callbacks{writeToSave, closeNothing};
        int err = OPE_OK;
        OggOpusEnc *enc = ope_encoder_create_callbacks(&callbacks, &file, comments, Rate, 1, 0, &err);
        ope_comments_destroy(comments);
        if (!enc)
            cannotWrite(path, QString::fromLatin1(ope_strerror(err)));
        // Decoded once already: a higher rate than the recording's keeps what it holds.
        ope_encoder_ctl(enc, OPUS_SET_BITRATE(48000));
        int result = ope_encoder_write(enc, pcm.data(), int(pcm.size()));
        if (result == OPE_OK)
            result = ope_encoder_drain(enc);
        ope_encoder_destroy(enc);
        if (result != OPE_OK && file.error() == QFileDevice::NoError)
            cannotWrite(path, QString::fromLatin1(ope_strerror(result)));
    }
    if (file.error() != QFileDevice::NoError || !file.commit())
        cannotWrite(path, saveFileReason(file));
}

} // namespace vireo::stretchexport
