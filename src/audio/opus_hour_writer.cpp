#include "audio/opus_hour_writer.h"

#include "audio/file_errors.h"
#include "audio/hour_files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <ogg/ogg.h>
#include <opus/opusenc.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vireo {

const char *const StartTag = "START_UTC";

struct OpusHourWriter::OutFile {
    QString path;
    int fd = -1;
    int err = 0;
    bool closed = false;
};

namespace {

int writePage(void *user, const unsigned char *data, opus_int32 length)
{
    auto *f = static_cast<OpusHourWriter::OutFile *>(user);
    if (f->err != 0 || f->fd < 0)
        return 1;
    while (length > 0) {
        const ssize_t n = ::write(f->fd, data, size_t(length));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            f->err = errno;
            return 1;
        }
        data += n;
        length -= opus_int32(n);
    }
    return 0;
}

int closeFile(void *user)
{
    auto *f = static_cast<OpusHourWriter::OutFile *>(user);
    if (f->fd >= 0 && ::close(f->fd) != 0 && f->err == 0)
        f->err = errno;
    f->fd = -1;
    f->closed = true;
    return f->err != 0;
}

const OpusEncCallbacks Callbacks{writePage, closeFile};

struct Comments {
    OggOpusComments *c = ope_comments_create();
    explicit Comments(qint64 startMs)
    {
        if (c)
            ope_comments_add(c, StartTag, startTagValue(startMs).constData());
    }
    ~Comments() { ope_comments_destroy(c); }
};

opus_int32 newSerial()
{
    return opus_int32(QRandomGenerator::global()->bounded(1, 0x7fffffff));
}

} // namespace

QByteArray startTagValue(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs).toLatin1();
}

qint64 parseStartTag(const char *value)
{
    if (!value)
        return -1;
    const QDateTime t = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
    return t.isValid() ? t.toMSecsSinceEpoch() : -1;
}

qint64 oggValidLength(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    ogg_page page;
    qint64 offset = 0, valid = 0;
    for (;;) {
        const long n = ogg_sync_pageseek(&sync, &page);
        if (n > 0) {
            offset += n;
            valid = offset; // a whole page with a good checksum ends here
        } else if (n < 0) {
            offset -= n; // bytes that are no page
        } else {
            char *buffer = ogg_sync_buffer(&sync, 65536);
            const qint64 got = buffer ? f.read(buffer, 65536) : -1;
            if (got <= 0)
                break;
            ogg_sync_wrote(&sync, long(got));
        }
    }
    ogg_sync_clear(&sync);
    return valid;
}

OpusHourWriter::OpusHourWriter(const QString &folder) : m_folder(folder) {}

OpusHourWriter::~OpusHourWriter()
{
    finish();
}

QString OpusHourWriter::currentPath() const
{
    return m_current ? m_current->path : QString();
}

std::unique_ptr<OpusHourWriter::OutFile> OpusHourWriter::openFile(qint64 hourMs)
{
    auto file = std::make_unique<OutFile>();
    file->path = QDir(m_folder).filePath(hourfiles::fileName(hourMs));
    auto fail = [&](int err) {
        m_errno = err;
        m_error = QCoreApplication::translate("vireo::AudioFile", "Не удалось открыть файл записи звука %1: %2.")
                      .arg(QDir::toNativeSeparators(file->path), audiofile::reason(err));
        return nullptr;
    };
    if (!QDir().mkpath(m_folder))
        return fail(QFileInfo(m_folder).exists() ? ENOTDIR : EACCES);
    const QByteArray native = QFile::encodeName(file->path);
    const QFileInfo info(file->path);
    if (info.exists()) {
        // What an earlier run of this hour wrote stays; only a page torn by a kill goes.
        const qint64 valid = oggValidLength(file->path);
        if (valid == 0 && info.size() > 0) {
            const QString aside = file->path + QStringLiteral(".damaged");
            QFile::remove(aside);
            if (!QFile::rename(file->path, aside))
                return fail(EACCES);
        } else if (valid < info.size() && ::truncate(native.constData(), off_t(valid)) != 0) {
            return fail(errno);
        }
    }
    file->fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (file->fd < 0)
        return fail(errno);
    return file;
}

bool OpusHourWriter::check(int result, const char *what)
{
    for (const auto &f : m_files) {
        if (f->err != 0) {
            m_errno = f->err;
            m_error = QCoreApplication::translate("vireo::AudioFile", "Не удалось записать файл %1: %2.")
                          .arg(QDir::toNativeSeparators(f->path), audiofile::reason(f->err));
            return false;
        }
    }
    if (result != OPE_OK) {
        m_errno = 0;
        m_error = QCoreApplication::translate("vireo::AudioFile", "Кодер Opus отказал (%1: %2).")
                      .arg(QLatin1String(what), QLatin1String(ope_strerror(result)));
        return false;
    }
    pruneClosed();
    return true;
}

void OpusHourWriter::pruneClosed()
{
    for (auto it = m_files.begin(); it != m_files.end();)
        it = (*it)->closed && it->get() != m_current ? m_files.erase(it) : it + 1;
}

bool OpusHourWriter::startLink(qint64 startMs)
{
    const qint64 hour = hourfiles::hourStart(startMs);
    if (m_encoder && hour != m_hourMs)
        return nextFile(startMs);
    Comments comments(startMs);
    if (!comments.c)
        return check(OPE_ALLOC_FAIL, "comments");
    if (m_encoder) {
        // The same hour: the next link of this file's chain.
        if (!check(ope_encoder_chain_current(m_encoder, comments.c), "chain"))
            return false;
        return check(ope_encoder_ctl(m_encoder, OPE_SET_SERIALNO(newSerial())), "serial");
    }
    std::unique_ptr<OutFile> file = openFile(hour);
    if (!file)
        return false;
    int err = OPE_OK;
    m_encoder = ope_encoder_create_callbacks(&Callbacks, file.get(), comments.c, SampleRate, 1, 0, &err);
    if (!m_encoder) {
        ::close(file->fd);
        return check(err, "create");
    }
    m_current = file.get();
    m_files.push_back(std::move(file));
    m_hourMs = hour;
    const bool ok = check(ope_encoder_ctl(m_encoder, OPE_SET_SERIALNO(newSerial())), "serial")
                    && check(ope_encoder_ctl(m_encoder, OPUS_SET_BITRATE(Bitrate)), "bitrate")
                    && check(ope_encoder_ctl(m_encoder, OPUS_SET_COMPLEXITY(5)), "complexity")
                    && check(ope_encoder_ctl(m_encoder, OPE_SET_MUXING_DELAY(PageSamples)), "muxing delay")
                    && check(ope_encoder_ctl(m_encoder, OPE_SET_DECISION_DELAY(SampleRate / 10)), "decision delay")
                    // The file is there, with its headers, as soon as the recording begins.
                    && check(ope_encoder_flush_header(m_encoder), "header");
    return ok;
}

bool OpusHourWriter::continueInHour(qint64 hourMs)
{
    return m_encoder ? nextFile(hourMs) : startLink(hourMs);
}

bool OpusHourWriter::nextFile(qint64 startMs)
{
    const qint64 hourMs = hourfiles::hourStart(startMs);
    std::unique_ptr<OutFile> file = openFile(hourMs);
    if (!file)
        return false;
    Comments comments(startMs);
    if (!comments.c) {
        ::close(file->fd);
        return check(OPE_ALLOC_FAIL, "comments");
    }
    OutFile *next = file.get();
    m_files.push_back(std::move(file));
    const int result = ope_encoder_continue_new_callbacks(m_encoder, next, comments.c);
    if (result != OPE_OK) {
        ::close(next->fd);
        next->fd = -1;
        next->closed = true;
        return check(result, "next file");
    }
    m_current = next;
    m_hourMs = hourMs;
    return check(ope_encoder_ctl(m_encoder, OPE_SET_SERIALNO(newSerial())), "serial");
}

bool OpusHourWriter::write(const qint16 *pcm, int samples)
{
    if (!m_encoder)
        return false;
    return check(ope_encoder_write(m_encoder, pcm, samples), "write");
}

bool OpusHourWriter::finish()
{
    if (!m_encoder)
        return true;
    const int result = ope_encoder_drain(m_encoder);
    ope_encoder_destroy(m_encoder);
    m_encoder = nullptr;
    // Files a failed drain left open.
    for (const auto &f : m_files)
        if (f->fd >= 0)
            closeFile(f.get());
    const bool ok = check(result, "drain");
    m_files.clear();
    m_current = nullptr;
    m_hourMs = -1;
    return ok;
}

} // namespace vireo
