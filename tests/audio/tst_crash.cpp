// A recording killed outright (kill -9) leaves files that play: every earlier hour's file whole,
// the current one up to at most the last two seconds. The next run in the same hour adds to that
// file, and a file that may grow no further stops the recording with a message.

#include "audio/archive_reader.h"
#include "audio/audio_settings.h"
#include "audio/pcm_ring.h"
#include "audio/pulse_server.h"
#include "audio/signal_check.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
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

// The helper program recording as the program would.
class Recording {
public:
    Recording(const test::PulseServer &server, const QString &settings, const QString &log, qint64 shiftMs,
              qint64 fileLimit = 0)
    {
        m_process.setProcessEnvironment(server.clientEnvironment());
        QStringList args{settings, log, QString::number(shiftMs)};
        if (fileLimit > 0)
            args << QString::number(fileLimit);
        m_process.start(QStringLiteral(VIREO_RECORD_HELPER), args);
    }
    ~Recording()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    // Waits until the helper prints a line that starts with the text; the line, or empty.
    QString waitFor(const QString &start, int ms = 10000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                m_said << line;
                if (line.startsWith(start))
                    return line;
            }
            if (m_process.state() == QProcess::NotRunning)
                return QString();
            m_process.waitForReadyRead(100);
        }
        return QString();
    }
    void killHard()
    {
        m_process.kill(); // SIGKILL: nothing of the program runs any more
        m_process.waitForFinished();
    }
    void stop()
    {
        m_process.write("stop\n");
        m_process.waitForFinished(10000);
    }
    QString said() { return m_said.join(QLatin1Char('\n')) + QString::fromUtf8(m_process.readAllStandardError()); }

private:
    QProcess m_process;
    QStringList m_said;
};

qint64 decodedLength(const QString &path, QString *error)
{
    std::vector<qint16> s;
    if (!test::opusdec(path, &s, error))
        return -1;
    return qint64(s.size());
}

// The samples of the file's links that are on the disk now, read as a player would.
qint64 onDisk(const QString &path)
{
    if (!QFile::exists(path))
        return 0;
    qint64 n = 0;
    for (const HourFileReader::Link &l : HourFileReader(path).links())
        n += l.samples;
    return n;
}

} // namespace

class TestCrash : public QObject {
    Q_OBJECT

    std::unique_ptr<test::PulseServer> m_server;

private slots:
    void initTestCase()
    {
        m_server = std::make_unique<test::PulseServer>();
        QVERIFY2(m_server->ok(), qPrintable(m_server->error()));
    }

    void cleanupTestCase() { m_server.reset(); }

    void killedRecordingLeavesPlayableFiles()
    {
        QTemporaryDir dir;
        const QString settings = dir.filePath(QStringLiteral("settings.ini"));
        const QString log = dir.filePath(QStringLiteral("vireolog.db"));
        AudioSettings s;
        s.record = true;
        s.input = QStringLiteral("rx");
        s.write(settings);
        const QString audio = dir.filePath(QStringLiteral("audio"));
        const QString before = QDir(audio).filePath(QStringLiteral("20260305-1900.opus"));
        const QString after = QDir(audio).filePath(QStringLiteral("20260305-2000.opus"));

        test::RxFeeder receiver(m_server->fifo(), [](qint64 i) { return test::tone(1000, 0.5, i); });
        // The hour turns two seconds into the recording.
        const qint64 shift = test::ShiftedClock::shiftTo(utc(19, 59, 58));
        const qint64 startedAt = QDateTime::currentMSecsSinceEpoch() + shift;
        {
            Recording rec(*m_server, settings, log, shift);
            QVERIFY2(!rec.waitFor(QStringLiteral("recording")).isEmpty(), qPrintable(rec.said()));
            // Killed once the new hour's file holds two seconds and a half.
            QTRY_VERIFY_WITH_TIMEOUT(onDisk(after) >= 5 * 48000 / 2, 15000);
            const qint64 killedAt = QDateTime::currentMSecsSinceEpoch() + shift;
            rec.killHard();

            QString error;
            // The earlier hour's file is whole: it ends at the turn of the hour, every sample there.
            const qint64 first = decodedLength(before, &error);
            QVERIFY2(first >= 0, qPrintable(error));
            const HourFileReader b(before);
            QCOMPARE(b.links().size(), 1);
            QCOMPARE(b.links().first().end(), utc(20, 0, 0) * PerMs);
            QCOMPARE(first, b.links().first().samples);
            QVERIFY2(std::abs(b.links().first().start / PerMs - startedAt) < 700,
                     qPrintable(QString::number(b.links().first().start / PerMs - startedAt)));
            // The current one plays up to at most two seconds before the kill.
            const qint64 second = decodedLength(after, &error);
            QVERIFY2(second >= 0, qPrintable(error));
            const qint64 lost = killedAt - utc(20, 0, 0) - second / PerMs;
            qInfo("killed 4.5 s in: %lld ms of the current hour lost", lost);
            QVERIFY2(lost >= 0 && lost < 2000, qPrintable(QString::number(lost)));
            std::vector<qint16> tone;
            QVERIFY(test::opusdec(after, &tone, &error));
            QVERIFY(std::abs(test::frequencyOf(tone, 0, tone.size()) - 1000) < 10);
        }
        // The next run in the same hour adds its link to the file, which still plays whole.
        const qint64 sizeBefore = QFileInfo(after).size();
        {
            Recording rec(*m_server, settings, log, shift);
            QVERIFY2(!rec.waitFor(QStringLiteral("recording")).isEmpty(), qPrintable(rec.said()));
            // Stopped once its own link holds a second and a half.
            QTRY_VERIFY_WITH_TIMEOUT(HourFileReader(after).links().size() == 2
                                         && HourFileReader(after).links().at(1).samples >= 3 * 48000 / 2,
                                     15000);
            rec.stop();
        }
        QVERIFY(QFileInfo(after).size() > sizeBefore);
        const HourFileReader a(after);
        QCOMPARE(a.links().size(), 2);
        QVERIFY(a.links().at(1).start >= a.links().at(0).end());
        QString error;
        const qint64 whole = decodedLength(after, &error);
        QVERIFY2(whole >= 0, qPrintable(error));
        QCOMPARE(whole, a.links().at(0).samples + a.links().at(1).samples);
        QVERIFY2(a.links().at(1).samples > 48000, qPrintable(QString::number(a.links().at(1).samples)));
    }

    // A file that may grow no further (here a limit of the process, as on a full disk): the
    // recording stops with the reason, and what was written plays.
    void writeFailureStopsWithMessage()
    {
        QTemporaryDir dir;
        const QString settings = dir.filePath(QStringLiteral("settings.ini"));
        AudioSettings s;
        s.record = true;
        s.input = QStringLiteral("rx");
        s.write(settings);
        test::RxFeeder receiver(m_server->fifo(), [](qint64 i) { return test::tone(440, 0.5, i); });
        Recording rec(*m_server, settings, dir.filePath(QStringLiteral("vireolog.db")), 0, 8000);
        const QString problem = rec.waitFor(QStringLiteral("problem:"), 20000);
        QVERIFY2(problem.startsWith(QStringLiteral("problem: Запись звука остановлена. Не удалось записать файл ")),
                 qPrintable(rec.said()));
        QVERIFY2(problem.contains(QStringLiteral("файл превысил допустимый размер")), qPrintable(problem));
        const QStringList files = QDir(dir.filePath(QStringLiteral("audio"))).entryList({QStringLiteral("*.opus")});
        QCOMPARE(files.size(), 1);
        QString error;
        QVERIFY2(decodedLength(QDir(dir.filePath(QStringLiteral("audio"))).filePath(files.first()), &error) > 48000,
                 qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestCrash)
#include "tst_crash.moc"
