// The recording on the disk without a sound server: the hour files and their names, what a
// recording writes at the turn of an hour and after a break, a file a killed program left behind,
// reading back from the files and the memory of the newest minutes together, stretches written to
// WAV and Opus, the removal of old files, and the reserve of free room. Samples go to the recorder
// as a device would hand them over, with a clock the test moves.

#include "audio/archive_reader.h"
#include "audio/hour_files.h"
#include "audio/opus_hour_writer.h"
#include "audio/pcm_ring.h"
#include "audio/recorder.h"
#include "audio/signal_check.h"
#include "audio/stretch_export.h"
#include "base/error.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

using namespace vireo;

namespace {

constexpr qint64 PerMs = 48;

qint64 utc(int h, int m, int s, int ms = 0)
{
    return QDateTime(QDate(2026, 3, 5), QTime(h, m, s, ms), Qt::UTC).toMSecsSinceEpoch();
}

// A clock that stands where the test puts it.
class SteppedClock : public UtcClock {
public:
    std::atomic<qint64> ms{0};
    QDateTime nowUtc() const override { return QDateTime::fromMSecsSinceEpoch(ms.load(), Qt::UTC); }
};

// Hands the recorder `seconds` of a tone (hz 0: silence) in 20 ms chunks, the clock moving on
// with them as a device's would.
void feed(Recorder &r, SteppedClock &clock, double hz, double seconds, qint64 *sample)
{
    const int chunks = int(seconds * 50);
    std::vector<qint16> chunk(960);
    for (int c = 0; c < chunks; ++c) {
        for (std::size_t k = 0; k < chunk.size(); ++k)
            chunk[k] = hz > 0 ? test::tone(hz, 0.5, *sample + qint64(k)) : 0;
        *sample += qint64(chunk.size());
        clock.ms += 20;
        r.consume(chunk.data(), int(chunk.size()));
    }
}

struct Recording {
    QTemporaryDir dir;
    std::shared_ptr<SteppedClock> clock = std::make_shared<SteppedClock>();
    std::shared_ptr<PcmRing> ring = std::make_shared<PcmRing>(30);
    std::unique_ptr<Recorder> recorder;
    qint64 sample = 0;
    QString folder() const { return dir.filePath(QStringLiteral("audio")); }
    void begin(qint64 atMs, std::function<qint64(const QString &)> freeBytes = {})
    {
        clock->ms = atMs;
        RecorderSetup s;
        s.folder = folder();
        s.clock = clock;
        s.ring = ring;
        s.freeBytes = freeBytes ? std::move(freeBytes) : [](const QString &) { return qint64(1) << 40; };
        s.checkIntervalMs = 20;
        recorder = std::make_unique<Recorder>(s);
        recorder->start();
    }
    QString file(qint64 ms) const { return QDir(folder()).filePath(hourfiles::fileName(ms)); }
};

std::vector<qint16> readBack(const QString &folder, const PcmRing *ring, qint64 fromMs, qint64 toMs)
{
    std::shared_ptr<const PcmRing> r(ring, [](const PcmRing *) {});
    ArchiveStream s(folder, ring ? r : nullptr, fromMs * PerMs, toMs * PerMs);
    std::vector<qint16> out(std::size_t((toMs - fromMs) * PerMs));
    out.resize(std::size_t(s.read(out.data(), int(out.size()))));
    return out;
}

double freqAt(const std::vector<qint16> &s, double fromSec, double toSec)
{
    return test::frequencyOf(s, std::size_t(fromSec * 48000), std::size_t((toSec - fromSec) * 48000));
}

} // namespace

class TestArchive : public QObject {
    Q_OBJECT
private slots:
    void hourFileNames()
    {
        QCOMPARE(hourfiles::fileName(utc(7, 4, 9, 500)), QStringLiteral("20260305-0700.opus"));
        QCOMPARE(hourfiles::hourOfName(QStringLiteral("20260305-0700.opus")), utc(7, 0, 0));
        QCOMPARE(hourfiles::hourOfName(QStringLiteral("20260305-2300.opus")), utc(23, 0, 0));
        for (const char *bad : {"20260305-2400.opus", "20260230-0100.opus", "20260305-0730.opus", "notes.opus",
                                "20260305-0700.opus.damaged", "20260305-0700.ogg"})
            QVERIFY2(hourfiles::hourOfName(QLatin1String(bad)) < 0, bad);
        QCOMPARE(hourfiles::folderBeside(QStringLiteral("/home/op/Vireo/vireolog.db")),
                 QStringLiteral("/home/op/Vireo/audio"));
    }

    void keepDaysRemovesOnlyOldHourFiles()
    {
        QTemporaryDir dir;
        const QStringList names{QStringLiteral("20260303-0500.opus"), QStringLiteral("20260303-0600.opus"),
                                QStringLiteral("20260303-0700.opus"), QStringLiteral("20260305-0700.opus"),
                                QStringLiteral("notes.opus"),         QStringLiteral("20260101-0000.opus.damaged"),
                                QStringLiteral("20250101-0000.txt")};
        for (const QString &n : names) {
            QFile f(dir.filePath(n));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const qint64 now = utc(7, 4, 9);
        // Nothing goes while the listener keeps everything.
        QVERIFY(hourfiles::removeOlderThan(dir.path(), 0, now).isEmpty());
        // Two days back from 07:04:09 on the 5th: the hours that ended by 07:04:09 on the 3rd.
        const QStringList removed = hourfiles::removeOlderThan(dir.path(), 2, now);
        QCOMPARE(removed, (QStringList{QStringLiteral("20260303-0500.opus"), QStringLiteral("20260303-0600.opus")}));
        QStringList left = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(left, (QStringList{QStringLiteral("20250101-0000.txt"), QStringLiteral("20260101-0000.opus.damaged"),
                                    QStringLiteral("20260303-0700.opus"), QStringLiteral("20260305-0700.opus"),
                                    QStringLiteral("notes.opus")}));
    }

    // Two seconds before the hour and one after: two files, the second going on sample for sample.
    void recordingGoesOnInTheNextHoursFile()
    {
        Recording rec;
        rec.begin(utc(12, 59, 58));
        feed(*rec.recorder, *rec.clock, 500, 1.0, &rec.sample);
        feed(*rec.recorder, *rec.clock, 900, 2.0, &rec.sample);
        rec.recorder->stop();

        HourFileReader before(rec.file(utc(12, 0, 0))), after(rec.file(utc(13, 0, 0)));
        QVERIFY(before.isOpen() && after.isOpen());
        QCOMPARE(before.links().size(), 1);
        QCOMPARE(after.links().size(), 1);
        // The first sample was taken 20 ms before the clock's first reading.
        const qint64 start = (utc(12, 59, 58) + 20 - 20) * PerMs;
        QCOMPARE(before.links().first().start, start);
        QCOMPARE(before.links().first().end(), utc(13, 0, 0) * PerMs);
        QCOMPARE(after.links().first().start, utc(13, 0, 0) * PerMs);
        QCOMPARE(after.links().first().samples, 3 * 48000 - (utc(13, 0, 0) * PerMs - start));

        const std::vector<qint16> s = readBack(rec.folder(), nullptr, utc(12, 59, 58), utc(13, 0, 1));
        QCOMPARE(s.size(), std::size_t(3 * 48000));
        QVERIFY2(std::abs(freqAt(s, 0.1, 0.9) - 500) < 5, qPrintable(QString::number(freqAt(s, 0.1, 0.9))));
        QVERIFY2(std::abs(freqAt(s, 1.1, 1.9) - 900) < 5, qPrintable(QString::number(freqAt(s, 1.1, 1.9))));
        // Across the turn of the hour the tone goes on without a break.
        QVERIFY(test::rmsOf(s, 2 * 48000 - 2400, 4800) > 0.3);
        QVERIFY2(std::abs(freqAt(s, 1.95, 2.05) - 900) < 15, qPrintable(QString::number(freqAt(s, 1.95, 2.05))));

        // Another decoder reads both files, each as long as its hour's share.
        std::vector<qint16> a, b;
        QString error;
        QVERIFY2(test::opusdec(rec.file(utc(12, 0, 0)), &a, &error), qPrintable(error));
        QVERIFY2(test::opusdec(rec.file(utc(13, 0, 0)), &b, &error), qPrintable(error));
        QCOMPARE(qint64(a.size()), before.links().first().samples);
        QCOMPARE(qint64(b.size()), after.links().first().samples);
    }

    // When no samples come for a while, the next ones start a new link at the clock's time, and
    // what lies between reads as silence.
    void breakStartsNewLink()
    {
        Recording rec;
        rec.begin(utc(7, 10, 0));
        feed(*rec.recorder, *rec.clock, 700, 1.0, &rec.sample);
        rec.clock->ms += 5000;
        feed(*rec.recorder, *rec.clock, 700, 1.0, &rec.sample);
        // And the sample count running ahead of the clock by more than a second (the clock set back).
        rec.clock->ms -= 3000;
        feed(*rec.recorder, *rec.clock, 300, 1.0, &rec.sample);
        rec.recorder->stop();

        HourFileReader f(rec.file(utc(7, 0, 0)));
        QCOMPARE(f.links().size(), 3);
        QCOMPARE(f.links().at(1).start, utc(7, 10, 6) * PerMs);
        QCOMPARE(f.links().at(2).start, utc(7, 10, 4) * PerMs);
        const std::vector<qint16> s = readBack(rec.folder(), nullptr, utc(7, 10, 0), utc(7, 10, 7));
        QVERIFY(test::rmsOf(s, 48000 / 2, 48000 / 4) > 0.3);
        QVERIFY(test::rmsOf(s, 2 * 48000, 48000) == 0); // nothing was recorded then
        // Where two links overlap, the later one counts.
        QVERIFY2(std::abs(freqAt(s, 4.1, 4.9) - 300) < 5, qPrintable(QString::number(freqAt(s, 4.1, 4.9))));
        QVERIFY2(std::abs(freqAt(s, 6.1, 6.9) - 700) < 5, qPrintable(QString::number(freqAt(s, 6.1, 6.9))));
    }

    // A killed program leaves a half-written page; the next run in the same hour cuts it off and
    // adds its link. A file of that name that holds no Ogg page at all is put aside.
    void tornPageIsCutAndTheNextRunAppends()
    {
        Recording rec;
        rec.begin(utc(8, 30, 0));
        feed(*rec.recorder, *rec.clock, 600, 1.0, &rec.sample);
        rec.recorder->stop();
        const QString path = rec.file(utc(8, 0, 0));
        const qint64 whole = QFileInfo(path).size();
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::Append));
            f.write(QByteArray("OggS\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 26) + QByteArray(300, 'x'));
        }
        QCOMPARE(oggValidLength(path), whole);
        rec.clock->ms += 10000;
        rec.begin(rec.clock->ms);
        feed(*rec.recorder, *rec.clock, 1200, 1.0, &rec.sample);
        rec.recorder->stop();
        QCOMPARE(oggValidLength(path), QFileInfo(path).size());
        HourFileReader f(path);
        QCOMPARE(f.links().size(), 2);
        std::vector<qint16> all;
        QString error;
        QVERIFY2(test::opusdec(path, &all, &error), qPrintable(error));
        QVERIFY(std::abs(qint64(all.size()) - 2 * 48000) < 48000 / 10);

        const QString other = rec.file(utc(9, 0, 0));
        {
            QFile f(other);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a recording");
        }
        rec.begin(utc(9, 15, 0));
        feed(*rec.recorder, *rec.clock, 600, 0.5, &rec.sample);
        rec.recorder->stop();
        QFile aside(other + QStringLiteral(".damaged"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), QByteArray("not a recording"));
        QCOMPARE(HourFileReader(other).links().size(), 1);
    }

    // The newest samples come from memory, the older ones from the files, and what is not
    // recorded yet is waited for.
    void memoryAndFilesReadAsOne()
    {
        Recording rec;
        rec.begin(utc(10, 0, 10));
        feed(*rec.recorder, *rec.clock, 440, 3.0, &rec.sample); // 10:00:10 .. 10:00:13, in the file and in memory
        // Memory that holds the last second with another tone shows which source is read.
        PcmRing ring(1);
        ring.restart(utc(10, 0, 12) * PerMs);
        std::vector<qint16> other(48000);
        for (qint64 i = 0; i < 48000; ++i)
            other[std::size_t(i)] = test::tone(1000, 0.5, i);
        ring.append(other.data(), 48000);
        rec.recorder->stop();

        std::shared_ptr<const PcmRing> r(&ring, [](const PcmRing *) {});
        ArchiveStream s(rec.folder(), r, utc(10, 0, 10) * PerMs, utc(10, 0, 14) * PerMs);
        std::vector<qint16> out(4 * 48000);
        const int got = s.read(out.data(), int(out.size()));
        QCOMPARE(got, 3 * 48000); // the last second is not recorded yet
        QVERIFY(!s.atEnd());
        out.resize(std::size_t(got));
        QVERIFY2(std::abs(freqAt(out, 0.1, 1.9) - 440) < 5, qPrintable(QString::number(freqAt(out, 0.1, 1.9))));
        QVERIFY2(std::abs(freqAt(out, 2.1, 2.9) - 1000) < 5, qPrintable(QString::number(freqAt(out, 2.1, 2.9))));
        QCOMPARE(s.read(out.data(), 100), 0);
        ring.append(other.data(), 480);
        QCOMPARE(s.read(out.data(), 1000), 480);

        QVERIFY(anythingRecorded(rec.folder(), nullptr, utc(10, 0, 12) * PerMs, utc(10, 0, 20) * PerMs));
        QVERIFY(!anythingRecorded(rec.folder(), nullptr, utc(10, 0, 14) * PerMs, utc(10, 0, 20) * PerMs));
        QVERIFY(anythingRecorded(rec.folder(), &ring, utc(10, 0, 13) * PerMs, utc(10, 0, 20) * PerMs));
        QVERIFY(!anythingRecorded(rec.folder(), nullptr, utc(11, 0, 0) * PerMs, utc(11, 0, 23) * PerMs));
    }

    void stretchesWrittenToWavAndOpus()
    {
        Recording rec;
        rec.begin(utc(12, 59, 58));
        feed(*rec.recorder, *rec.clock, 500, 1.0, &rec.sample);
        feed(*rec.recorder, *rec.clock, 900, 2.0, &rec.sample);
        rec.recorder->stop();
        QTemporaryDir out;
        const QString wav = out.filePath(QStringLiteral("UA1ABC.wav"));
        stretchexport::write(rec.folder(), nullptr, utc(12, 59, 58, 500) * PerMs, utc(13, 0, 0, 500) * PerMs, wav);
        int rate = 0;
        const std::vector<qint16> w = test::readWav(wav, &rate);
        QCOMPARE(rate, 48000);
        QCOMPARE(w.size(), std::size_t(2 * 48000));
        QVERIFY(std::abs(freqAt(w, 0.05, 0.45) - 500) < 5);
        QVERIFY(std::abs(freqAt(w, 0.55, 1.95) - 900) < 5);

        const QString opus = out.filePath(QStringLiteral("UA1ABC.opus"));
        stretchexport::write(rec.folder(), nullptr, utc(12, 59, 58, 500) * PerMs, utc(13, 0, 0, 500) * PerMs, opus);
        std::vector<qint16> o;
        QString error;
        QVERIFY2(test::opusdec(opus, &o, &error), qPrintable(error));
        QCOMPARE(o.size(), std::size_t(2 * 48000));
        QVERIFY(std::abs(freqAt(o, 0.55, 1.95) - 900) < 5);
        QCOMPARE(HourFileReader(opus).links().first().start, utc(12, 59, 58, 500) * PerMs);

        // Nothing recorded then: no file, and one already there stays as it was.
        QFile keep(out.filePath(QStringLiteral("keep.wav")));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.write("mine");
        keep.close();
        try {
            stretchexport::write(rec.folder(), nullptr, utc(14, 0, 0) * PerMs, utc(14, 0, 23) * PerMs, keep.fileName());
            QFAIL("a stretch without sound was written");
        } catch (const Error &e) {
            QVERIFY2(e.text().contains(QStringLiteral("не записан")), qPrintable(e.text()));
        }
        QVERIFY(keep.open(QIODevice::ReadOnly));
        QCOMPARE(keep.readAll(), QByteArray("mine"));
        // A folder that cannot take the file: the reason, no file.
        try {
            stretchexport::write(rec.folder(), nullptr, utc(12, 59, 58) * PerMs, utc(12, 59, 59) * PerMs,
                                 out.filePath(QStringLiteral("no/such/folder.wav")));
            QFAIL("written into a missing folder");
        } catch (const Error &e) {
            QVERIFY2(e.text().startsWith(QStringLiteral("Не удалось записать файл")), qPrintable(e.text()));
        }
    }

    // Below the reserve of free room the recording stops with a message, and what it recorded
    // stays playable.
    void reserveOfRoomStopsRecording()
    {
        Recording rec;
        std::atomic<qint64> free{qint64(1) << 40};
        rec.begin(utc(6, 0, 0), [&free](const QString &) { return free.load(); });
        QSignalSpy stopped(rec.recorder.get(), &Recorder::stopped);
        feed(*rec.recorder, *rec.clock, 800, 1.0, &rec.sample);
        QCOMPARE(stopped.count(), 0);
        free = 10 * 1024 * 1024;
        QTRY_COMPARE(stopped.count(), 1);
        const QString text = stopped.first().first().toString();
        QVERIFY2(text.startsWith(QStringLiteral("Запись звука остановлена: на диске осталось меньше 100 МБ")),
                 qPrintable(text));
        QVERIFY(!stopped.first().at(1).toBool()); // not a fault of the device
        QVERIFY(!rec.recorder->isRunning());
        feed(*rec.recorder, *rec.clock, 800, 0.2, &rec.sample); // no longer taken
        std::vector<qint16> s;
        QString error;
        QVERIFY2(test::opusdec(rec.file(utc(6, 0, 0)), &s, &error), qPrintable(error));
        QVERIFY(std::abs(qint64(s.size()) - 48000) < 48000 / 10);
        // A disk that is nearly full from the start: no file at all.
        Recording full;
        full.begin(utc(6, 0, 0), [](const QString &) { return qint64(1024); });
        QVERIFY(!full.recorder->isRunning());
        QVERIFY(!QFile::exists(full.file(utc(6, 0, 0))));
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "tst_archive.moc"
