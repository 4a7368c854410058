#include "audio/signal_check.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>

namespace vireo::test {

qint16 tone(double hz, double amplitude, qint64 i)
{
    return qint16(std::lround(32767.0 * amplitude * std::sin(2.0 * M_PI * hz * double(i) / 48000.0)));
}

double frequencyOf(const std::vector<qint16> &s, std::size_t from, std::size_t n)
{
    if (from + n > s.size() || n < 2)
        return 0;
    int crossings = 0;
    std::size_t first = 0, last = 0;
    for (std::size_t i = from + 1; i < from + n; ++i) {
        if ((s[i - 1] < 0) != (s[i] < 0)) {
            if (crossings == 0)
                first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 3)
        return 0;
    return double(crossings - 1) / 2.0 / (double(last - first) / 48000.0);
}

double rmsOf(const std::vector<qint16> &s, std::size_t from, std::size_t n)
{
    if (from + n > s.size() || n == 0)
        return 0;
    double sum = 0;
    for (std::size_t i = from; i < from + n; ++i)
        sum += double(s[i]) * double(s[i]);
    return std::sqrt(sum / double(n)) / 32768.0;
}

qint64 onsetOf(const std::vector<qint16> &s, double threshold, std::size_t from)
{
    constexpr std::size_t Window = 480;
    for (std::size_t i = from; i + Window <= s.size(); i += Window / 4)
        if (rmsOf(s, i, Window) > threshold)
            return qint64(i);
    return -1;
}

std::vector<qint16> readWav(const QString &path, int *rate)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return {};
    int channels = 1, bits = 16;
    qsizetype at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(b.constData() + at + 4);
        const char *body = b.constData() + at + 8;
        if (id == "fmt ") {
            channels = qFromLittleEndian<quint16>(body + 2);
            if (rate)
                *rate = int(qFromLittleEndian<quint32>(body + 4));
            bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data" && bits == 16 && channels > 0) {
            const qsizetype frames = qsizetype(std::min<qint64>(size, b.size() - at - 8)) / (2 * channels);
            std::vector<qint16> out(static_cast<std::size_t>(frames));
            for (qsizetype i = 0; i < frames; ++i) {
                int sum = 0;
                for (int c = 0; c < channels; ++c)
                    sum += qFromLittleEndian<qint16>(body + (i * channels + c) * 2);
                out[std::size_t(i)] = qint16(sum / channels);
            }
            return out;
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

bool opusdec(const QString &path, std::vector<qint16> *samples, QString *error)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("decoded.wav"));
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("opusdec"), {QStringLiteral("--quiet"), QStringLiteral("--rate"), QStringLiteral("48000"),
                                        QStringLiteral("--force-wav"), path, wav});
    const bool done = p.waitForFinished(60000);
    const QString said = QString::fromLocal8Bit(p.readAll());
    if (!done || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error)
            *error = QStringLiteral("opusdec failed on %1: %2").arg(path, said);
        return false;
    }
    int rate = 0;
    *samples = readWav(wav, &rate);
    if (rate != 48000) {
        if (error)
            *error = QStringLiteral("opusdec wrote %1 Hz").arg(rate);
        return false;
    }
    return true;
}

} // namespace vireo::test
