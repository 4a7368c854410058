// Recording and replay against a real sound server of the test's own (PulseAudio with a null
// sink and a pipe source fed as the receiver): the recorded files hold the tones the "receiver"
// sent, at the instants it sent them, across the turn of an hour; replay is heard on the sink's
// monitor while the recording goes on, steps back and forward, starts over; a record's stretch
// plays; a disk that runs out of room stops the recording and not the saves of the log.

#include "audio/archive_reader.h"
#include "audio/audio_settings.h"
#include "audio/hour_files.h"
#include "audio/pcm_ring.h"
#include "audio/pulse_server.h"
#include "audio/signal_check.h"
#include "audio/ui/audio_service.h"
#include "base/error.h"
#include "db/qso_store.h"
#include "support/qso_builder.h"
#include "support/temp_log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vireo;

namespace {

constexpr qint64 PerMs = PcmRing::PerMs;

qint64 utc(int h, int m, int s, int ms = 0)
{
    return QDateTime(QDate(2026, 3, 5), QTime(h, m, s, ms), Qt::UTC).toMSecsSinceEpoch();
}

// A pattern of tones by the second: {from, to, hz}.
struct Tone {
    double from, to, hz;
};

std::function<qint16(qint64)> pattern(std::vector<Tone> tones)
{
    return [tones](qint64 i) -> qint16 {
        const double t = double(i) / 48000.0;
        for (const Tone &tone : tones)
            if (t >= tone.from && t < tone.to)
                return test::tone(tone.hz, 0.5, i);
        return 0;
    };
}

std::vector<qint16> readBack(const QString &folder, qint64 fromMs, qint64 toMs)
{
    ArchiveStream s(folder, nullptr, fromMs * PerMs, toMs * PerMs);
    std::vector<qint16> out(std::size_t((toMs - fromMs) * PerMs));
    out.resize(std::size_t(s.read(out.data(), int(out.size()))));
    return out;
}

// The text of the error the call throws; empty when it throws none.
QString refusal(const std::function<void()> &call)
{
    try {
        call();
    } catch (const Error &e) {
        return e.text();
    }
    return QString();
}

double seconds(qint64 sample)
{
    return double(sample) / 48000.0;
}

double freqAt(const std::vector<qint16> &s, double fromSec, double toSec)
{
    return test::frequencyOf(s, std::size_t(fromSec * 48000), std::size_t((toSec - fromSec) * 48000));
}

// What plays on the null sink, recorded from its monitor by parec.
class MonitorCapture {
public:
    explicit MonitorCapture(const test::PulseServer &server)
    {
        m_parec.setProcessEnvironment(server.clientEnvironment());
        m_parec.start(QStringLiteral("parec"), {QStringLiteral("-d"), QStringLiteral("out.monitor"),
                                                QStringLiteral("--format=s16le"), QStringLiteral("--rate=48000"),
                                                QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20")});
        m_parec.waitForStarted();
        // The null sink's monitor hands out silence as its clock runs: once some has come, parec
        // listens, and what plays from here on is heard.
        QTRY_VERIFY_WITH_TIMEOUT(m_parec.bytesAvailable() > 0, 5000);
    }
    std::vector<qint16> stop()
    {
        m_parec.terminate();
        m_parec.waitForFinished(5000);
        const QByteArray raw = m_parec.readAllStandardOutput();
        std::vector<qint16> s(std::size_t(raw.size() / 2));
        std::memcpy(s.data(), raw.constData(), s.size() * 2);
        return s;
    }

private:
    QProcess m_parec;
};

} // namespace

class TestRecording : public QObject {
    Q_OBJECT

    std::unique_ptr<test::PulseServer> m_server;

    struct Station {
        QTemporaryDir dir;
        QString settings() const { return dir.filePath(QStringLiteral("settings.ini")); }
        QString log() const { return dir.filePath(QStringLiteral("vireolog.db")); }
        QString audio() const { return dir.filePath(QStringLiteral("audio")); }
        explicit Station(int replay = 8)
        {
            AudioSettings s;
            s.record = true;
            s.input = QStringLiteral("rx");
            s.output = QStringLiteral("out");
            s.replaySeconds = replay;
            s.write(settings());
        }
    };

    // Starts the service and waits until it records.
    static bool startRecording(AudioService &service)
    {
        QSignalSpy on(&service, &AudioService::recordingChanged);
        service.start();
        return on.wait(10000) && service.isRecording();
    }

private slots:
    void initTestCase()
    {
        m_server = std::make_unique<test::PulseServer>();
        QVERIFY2(m_server->ok(), qPrintable(m_server->error()));
        m_server->exportToProcess();
    }

    void cleanupTestCase() { m_server.reset(); }

    // Two tones, the second across the turn of the hour: each at the instant it was sent, at
    // its frequency, in the two hour files; another decoder reads both.
    void recordsTheReceiverAtTheRightTime()
    {
        Station station;
        // An old recording goes at the start (KeepDays 30).
        QDir().mkpath(station.audio());
        QFile old(QDir(station.audio()).filePath(QStringLiteral("20260101-0000.opus")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();

        // The hour turns about six seconds after the clock is made: in the second tone, however
        // long the sound server takes to start the recording.
        auto clock = std::make_shared<test::ShiftedClock>(test::ShiftedClock::shiftTo(utc(13, 59, 54)));
        AudioService service(station.settings(), station.log(), clock);
        QVERIFY(startRecording(service));
        QCOMPARE(service.statusText(), QStringLiteral("Запись звука"));
        QVERIFY(!old.exists());

        test::RxFeeder receiver(m_server->fifo(), pattern({{1.0, 2.5, 1000}, {3.0, 9.0, 600}}));
        QTRY_VERIFY_WITH_TIMEOUT(receiver.fed() >= 10 * 48000, 20000);
        const qint64 sentMs = receiver.startMs() + (clock->nowMs() - QDateTime::currentMSecsSinceEpoch());
        // The last samples reach the recorder.
        QTRY_VERIFY_WITH_TIMEOUT(service.recordedUntil() >= sentMs + 10000, 5000);
        service.apply([&] {
            AudioSettings s = service.settings();
            s.record = false;
            return s;
        }());
        QVERIFY(!service.isRecording());
        QCOMPARE(service.statusText(), QString());

        const std::vector<qint16> s = readBack(station.audio(), sentMs, sentMs + 10000);
        QCOMPARE(s.size(), std::size_t(10 * 48000));
        const qint64 first = test::onsetOf(s, 0.1);
        qInfo("tone sent at 1.000 s and 3.000 s, found at %.3f s and %.3f s", seconds(first),
              seconds(test::onsetOf(s, 0.1, std::size_t(2.7 * 48000))));
        QVERIFY2(first >= 0 && std::abs(seconds(first) - 1.0) < 0.15, qPrintable(QString::number(seconds(first))));
        QVERIFY2(std::abs(freqAt(s, 1.1, 2.4) - 1000) < 10, qPrintable(QString::number(freqAt(s, 1.1, 2.4))));
        const qint64 second = test::onsetOf(s, 0.1, std::size_t(2.7 * 48000));
        QVERIFY2(second >= 0 && std::abs(seconds(second) - 3.0) < 0.15, qPrintable(QString::number(seconds(second))));
        QVERIFY2(std::abs(freqAt(s, 3.2, 8.8) - 600) < 6, qPrintable(QString::number(freqAt(s, 3.2, 8.8))));
        // Between the tones: silence.
        QVERIFY(test::rmsOf(s, std::size_t(2.6 * 48000), 48000 / 5) < 0.01);

        // The hour turned during the second tone: it goes on in the next file without a gap.
        const double turn = double(utc(14, 0, 0) - sentMs) / 1000.0;
        QVERIFY2(turn > 3.2 && turn < 8.4, qPrintable(QString::number(turn)));
        QVERIFY(test::rmsOf(s, std::size_t((turn - 0.05) * 48000), 4800) > 0.3);
        const QString before = QDir(station.audio()).filePath(QStringLiteral("20260305-1300.opus"));
        const QString after = QDir(station.audio()).filePath(QStringLiteral("20260305-1400.opus"));
        QCOMPARE(HourFileReader(before).links().last().end(), utc(14, 0, 0) * PerMs);
        QCOMPARE(HourFileReader(after).links().first().start, utc(14, 0, 0) * PerMs);
        for (const QString &path : {before, after}) {
            std::vector<qint16> decoded;
            QString error;
            QVERIFY2(test::opusdec(path, &decoded, &error), qPrintable(error));
            QVERIFY(!decoded.empty());
        }
        std::vector<qint16> tail;
        QString error;
        QVERIFY(test::opusdec(after, &tail, &error));
        QVERIFY2(std::abs(test::frequencyOf(tail, 0, 48000 / 2) - 600) < 10,
                 qPrintable(QString::number(test::frequencyOf(tail, 0, 48000 / 2))));
    }

    // Ctrl+R: the last seconds are heard on the output while the recording goes on.
    void replayIsHeardOnTheMonitor()
    {
        Station station(3);
        auto clock = std::make_shared<test::ShiftedClock>();
        AudioService service(station.settings(), station.log(), clock);
        QVERIFY(startRecording(service));
        // Listening on the sink from before the receiver starts, so that the press comes 3.5 s
        // into what the receiver sent, however long the listener takes to start.
        MonitorCapture monitor(*m_server);
        test::RxFeeder receiver(m_server->fifo(), pattern({{0.5, 2.5, 700}, {2.5, 30, 1300}}));
        QTRY_VERIFY_WITH_TIMEOUT(receiver.fed() >= qint64(3.5 * 48000), 10000);

        QSignalSpy playing(&service, &AudioService::playingChanged);
        const qint64 pressed = clock->nowMs();
        service.replay();
        QVERIFY(service.isPlaying());
        QVERIFY2(std::abs(service.heardAt() - (pressed - 3000)) < 100,
                 qPrintable(QString::number(service.heardAt() - pressed)));
        QTRY_VERIFY_WITH_TIMEOUT(!service.isPlaying(), 8000);
        QCOMPARE(playing.count(), 2);
        QVERIFY(service.isRecording());
        const std::vector<qint16> heard = monitor.stop();

        // What was recorded from 3 s before the press to the press: 700 Hz, then 1300 Hz.
        const qint64 onset = test::onsetOf(heard, 0.1);
        QVERIFY2(onset >= 0, "nothing was heard on the monitor");
        const double pressedAt = double(pressed - receiver.startMs()) / 1000.0; // in the receiver's seconds
        const double start = seconds(onset);
        // The replay may begin in the silence before the first tone.
        const double lead = std::max(0.0, 0.5 - (pressedAt - 3.0));
        // Where the sound ends: the last loud stretch (a busy machine may leave a gap before it).
        const double end = [&] {
            for (std::size_t i = heard.size(); i >= std::size_t(onset) + 480; i -= 120)
                if (test::rmsOf(heard, i - 480, 480) > 0.1)
                    return seconds(qint64(i));
            return start;
        }();
        // About three seconds of sound in all, ending at the press.
        QVERIFY2(std::abs(end - start + lead - 3.0) < 0.3, qPrintable(QString::number(end - start + lead)));
        QVERIFY2(std::abs(freqAt(heard, start + 0.05, start + 0.35) - 700) < 10,
                 qPrintable(QString::number(freqAt(heard, start + 0.05, start + 0.35))));
        QVERIFY2(std::abs(freqAt(heard, end - 0.35, end - 0.05) - 1300) < 15,
                 qPrintable(QString::number(freqAt(heard, end - 0.35, end - 0.05))));

        // The recording went on meanwhile: what was sent during the replay is in the files.
        service.apply([&] {
            AudioSettings s = service.settings();
            s.record = false;
            return s;
        }());
        const std::vector<qint16> during = readBack(station.audio(), pressed + 500, pressed + 2500);
        QVERIFY2(std::abs(freqAt(during, 0.1, 1.9) - 1300) < 10, qPrintable(QString::number(freqAt(during, 0.1, 1.9))));

        // What was heard is what the recording holds for those seconds: the tone changes at the
        // same place in both.
        const auto switchOf = [](const std::vector<qint16> &s, double from, double to) {
            for (double t = from; t + 0.02 < to; t += 0.005)
                if (freqAt(s, t, t + 0.02) > 1000)
                    return t - from;
            return -1.0;
        };
        const std::vector<qint16> recorded = readBack(station.audio(), pressed - 3000, pressed);
        const double inRecording = switchOf(recorded, 0, 3.0);
        const double inReplay = switchOf(heard, start - lead, end);
        qInfo("replay: %.3f s heard, the tone changing %.3f s in (in the recording %.3f s in)", end - start + lead,
              inReplay, inRecording);
        QVERIFY2(inRecording > 0 && std::abs(inReplay - inRecording) < 0.05,
                 qPrintable(QStringLiteral("%1 instead of %2").arg(inReplay).arg(inRecording)));
    }

    // Pressed again it starts over; Alt+Left and Alt+Right step 3 s; past the end it stops.
    void replayStepsAndStartsOver()
    {
        Station station(8);
        auto clock = std::make_shared<test::ShiftedClock>();
        AudioService service(station.settings(), station.log(), clock);
        QCOMPARE(refusal([&] { service.replay(); }),
                 QStringLiteral("Запись звука выключена: повторять нечего. Включите её: «Установки» → «Звук»."));
        QVERIFY(startRecording(service));
        test::RxFeeder receiver(m_server->fifo(), pattern({{0, 60, 400}}));
        const qint64 began = clock->nowMs();
        QTRY_VERIFY_WITH_TIMEOUT(service.recordedUntil() >= began + 1000, 5000);

        qint64 pressed = clock->nowMs();
        service.replay();
        QVERIFY(std::abs(service.playEndsAt() - pressed) < 50);
        QVERIFY(std::abs(service.heardAt() - (pressed - 8000)) < 200);
        // Half a second of it has played.
        QTRY_VERIFY_WITH_TIMEOUT(service.heardAt() >= pressed - 7500, 5000);
        qint64 heard = service.heardAt();
        service.stepBack();
        QVERIFY2(std::abs(service.heardAt() - (heard - 3000)) < 200,
                 qPrintable(QString::number(service.heardAt() - heard)));
        heard = service.heardAt();
        service.stepForward();
        service.stepForward();
        QVERIFY2(std::abs(service.heardAt() - (heard + 6000)) < 200,
                 qPrintable(QString::number(service.heardAt() - heard)));
        QVERIFY(std::abs(service.playEndsAt() - pressed) < 50); // the end stays

        // Pressed again a little later, it starts over from the seconds before the new press.
        heard = service.heardAt();
        QTRY_VERIFY_WITH_TIMEOUT(service.heardAt() >= heard + 300, 5000);
        QVERIFY(service.isPlaying());
        pressed = clock->nowMs();
        service.replay();
        QVERIFY(std::abs(service.playEndsAt() - pressed) < 50);
        QVERIFY(std::abs(service.heardAt() - (pressed - 8000)) < 200);

        QSignalSpy playing(&service, &AudioService::playingChanged);
        service.stepForward();
        service.stepForward();
        QVERIFY(service.isPlaying());
        service.stepForward(); // past the end
        QVERIFY(!service.isPlaying());
        QCOMPARE(playing.count(), 1);
        service.replay();
        service.stopPlayback();
        QVERIFY(!service.isPlaying());
        service.stepBack(); // nothing plays: nothing happens
        QVERIFY(!service.isPlaying());
    }

    // A record's stretch, from 20 s before its save to 3 s after, read from the files, and the
    // same written to a file; a time with no sound says so.
    void recordStretchPlaysFromTheFiles()
    {
        Station station;
        auto clock = std::make_shared<test::ShiftedClock>();
        AudioService service(station.settings(), station.log(), clock);
        QVERIFY(startRecording(service));
        test::RxFeeder receiver(m_server->fifo(), pattern({{1.0, 3.0, 900}}));
        QTRY_VERIFY_WITH_TIMEOUT(receiver.fed() >= 4 * 48000, 10000);
        const qint64 sent = receiver.startMs() + (clock->nowMs() - QDateTime::currentMSecsSinceEpoch());
        service.apply([&] {
            AudioSettings s = service.settings();
            s.record = false;
            return s;
        }());

        const qint64 savedAt = sent + 2000; // in the middle of the tone
        MonitorCapture monitor(*m_server);
        service.playAround(savedAt);
        QVERIFY(std::abs(service.heardAt() - (savedAt - 20000)) < 100);
        QCOMPARE(service.playEndsAt(), savedAt + 3000);
        // Skip the silence before the recording: six steps bring it to 2 s before the save.
        for (int i = 0; i < 6; ++i)
            service.stepForward();
        QTRY_VERIFY_WITH_TIMEOUT(!service.isPlaying(), 10000);
        const std::vector<qint16> heard = monitor.stop();
        const qint64 onset = test::onsetOf(heard, 0.1);
        QVERIFY2(onset >= 0, "nothing was heard");
        QVERIFY2(std::abs(freqAt(heard, seconds(onset) + 0.1, seconds(onset) + 0.9) - 900) < 10,
                 qPrintable(QString::number(freqAt(heard, seconds(onset) + 0.1, seconds(onset) + 0.9))));

        QTemporaryDir out;
        const QString wav = out.filePath(QStringLiteral("UA1ABC.wav"));
        service.saveAround(savedAt, wav);
        const std::vector<qint16> w = test::readWav(wav);
        QCOMPARE(w.size(), std::size_t(23 * 48000));
        const qint64 toneInFile = test::onsetOf(w, 0.1);
        QVERIFY2(std::abs(seconds(toneInFile) - 19.0) < 0.15, qPrintable(QString::number(seconds(toneInFile))));

        QCOMPARE(AudioService::fragmentName(QStringLiteral("UA1ABC/P"), utc(7, 4, 9, 300)),
                 QStringLiteral("UA1ABC-P-20260305-070409.opus"));
        const QString none = refusal([&] { service.playAround(utc(7, 4, 9)); });
        QCOMPARE(none, QStringLiteral("Звук этой записи не найден: с 05.03.2026 07:03:49 по 05.03.2026 07:04:12 UTC "
                                      "ничего не записано."));
        QVERIFY(!service.isPlaying());
    }

    // The chosen input is not there at the start: a message; once it is plugged in (a source
    // appears on the server), the recording starts by itself.
    void missingInputIsTakenWhenItAppears()
    {
        Station station;
        AudioSettings s = AudioSettings::read(station.settings());
        s.input = QStringLiteral("usbcard");
        s.write(station.settings());
        AudioService service(station.settings(), station.log(), std::make_shared<test::ShiftedClock>());
        QSignalSpy problem(&service, &AudioService::problem);
        QSignalSpy recording(&service, &AudioService::recordingChanged);
        service.start();
        QCOMPARE(problem.count(), 1);
        QVERIFY2(
            problem.first().first().toString().startsWith(QStringLiteral("Устройство записи «usbcard» не найдено")),
            qPrintable(problem.first().first().toString()));
        QVERIFY(!service.isRecording());
        const QString fifo = m_server->dir() + QStringLiteral("/usbcard.fifo");
        QByteArray module;
        QCOMPARE(
            m_server->run(QStringLiteral("pactl"),
                          {QStringLiteral("load-module"), QStringLiteral("module-pipe-source"),
                           QStringLiteral("source_name=usbcard"), QStringLiteral("file=") + fifo,
                           QStringLiteral("format=s16le"), QStringLiteral("rate=48000"), QStringLiteral("channels=1")},
                          &module),
            0);
        QTRY_VERIFY_WITH_TIMEOUT(service.isRecording(), 10000);
        {
            test::RxFeeder card(fifo, pattern({{0, 10, 1500}}));
            QTRY_VERIFY_WITH_TIMEOUT(card.fed() >= 48000, 5000);
            const qint64 fedUntil = card.startMs() + 1000;
            QTRY_VERIFY_WITH_TIMEOUT(service.recordedUntil() >= fedUntil, 5000);
        }
        m_server->run(QStringLiteral("pactl"),
                      {QStringLiteral("unload-module"), QString::fromLatin1(module.trimmed())});
        service.apply([&] {
            AudioSettings a = service.settings();
            a.record = false;
            return a;
        }());
        const QStringList files = QDir(station.audio()).entryList({QStringLiteral("*.opus")});
        QCOMPARE(files.size(), 1);
        std::vector<qint16> decoded;
        QString error;
        QVERIFY2(test::opusdec(QDir(station.audio()).filePath(files.first()), &decoded, &error), qPrintable(error));
        const qint64 onset = test::onsetOf(decoded, 0.1);
        QVERIFY2(onset >= 0, "the card's tone is not in the file");
        const double hz = test::frequencyOf(decoded, std::size_t(onset) + 4800, 48000 / 2);
        QVERIFY2(std::abs(hz - 1500) < 20, qPrintable(QString::number(hz)));
    }

    // The disk runs short of room: the recording stops with a message, the log goes on saving.
    void shortOfRoomStopsRecordingNotSaves()
    {
        Station station;
        test::TempLog log(station.log(), QStringLiteral("room"));
        QsoStore &store = *log.store;
        auto free = std::make_shared<std::atomic<qint64>>(qint64(1) << 40);
        AudioService::Options options;
        options.freeBytes = [free](const QString &) { return free->load(); };
        options.roomCheckMs = 100;
        auto clock = std::make_shared<test::ShiftedClock>();
        AudioService service(station.settings(), station.log(), clock, options);
        QVERIFY(startRecording(service));
        test::RxFeeder receiver(m_server->fifo(), pattern({{0, 60, 500}}));
        const qint64 first =
            store.append({test::Qso::typical().call1(QStringLiteral("UA1ABC"))}, service.now()).value(0);
        const qint64 began = service.now();
        QTRY_VERIFY_WITH_TIMEOUT(service.recordedUntil() >= began + 1000, 5000);

        QSignalSpy problem(&service, &AudioService::problem);
        *free = 50 * 1024 * 1024;
        QTRY_COMPARE_WITH_TIMEOUT(problem.count(), 1, 5000);
        QVERIFY2(problem.first().first().toString().startsWith(
                     QStringLiteral("Запись звука остановлена: на диске осталось меньше 100 МБ")),
                 qPrintable(problem.first().first().toString()));
        QVERIFY(!service.isRecording());
        QCOMPARE(service.statusText(), QString());
        const qint64 at = service.now();
        const qint64 second = store.append({test::Qso::typical().call1(QStringLiteral("UA2XYZ"))}, at).value(0);
        QCOMPARE(store.count(), 2);
        QVERIFY(store.savedAt(first).has_value());
        QCOMPARE(store.savedAt(second).value_or(0), at);
        std::vector<qint16> decoded;
        QString error;
        const QStringList files = QDir(station.audio()).entryList({QStringLiteral("*.opus")});
        QCOMPARE(files.size(), 1);
        QVERIFY2(test::opusdec(QDir(station.audio()).filePath(files.first()), &decoded, &error), qPrintable(error));
        QVERIFY(decoded.size() > 48000 / 2);
    }
};

QTEST_GUILESS_MAIN(TestRecording)
#include "tst_recording.moc"
