#include "audio/ui/audio_service.h"

#include "audio/archive_reader.h"
#include "audio/hour_files.h"
#include "audio/logging.h"
#include "audio/pcm_ring.h"
#include "audio/stretch_export.h"
#include "audio/ui/audio_devices.h"
#include "audio/ui/input_capture.h"
#include "audio/ui/player.h"
#include "base/error.h"

#include <QDateTime>
#include <QMediaDevices>

namespace vireo {

namespace {

constexpr qint64 PerMs = PcmRing::PerMs;

QString utcText(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

} // namespace

AudioService::AudioService(const QString &settingsPath, const QString &databasePath, std::shared_ptr<UtcClock> clock,
                           QObject *parent)
    : AudioService(settingsPath, databasePath, std::move(clock), Options{}, parent)
{
}

AudioService::AudioService(const QString &settingsPath, const QString &databasePath, std::shared_ptr<UtcClock> clock,
                           Options options, QObject *parent)
    : QObject(parent),
      m_settingsPath(settingsPath),
      m_clock(std::move(clock)),
      m_options(std::move(options)),
      m_ring(std::make_shared<PcmRing>())
{
    m_folder = m_options.folder.isEmpty() ? hourfiles::folderBeside(databasePath) : m_options.folder;
    m_settings = AudioSettings::read(m_settingsPath);
    m_player = new Player(m_folder, m_ring, this);
    connect(m_player, &Player::playingChanged, this, &AudioService::playingChanged);
    connect(m_player, &Player::problem, this, &AudioService::problem);
    m_thread.setObjectName(QStringLiteral("audio recording"));
    m_devicePoll.setInterval(DevicePollMs);
    connect(&m_devicePoll, &QTimer::timeout, this, &AudioService::devicesChanged);
}

AudioService::~AudioService()
{
    m_player->stop();
    stopRecording();
}

void AudioService::start()
{
    hourfiles::removeOlderThan(m_folder, m_settings.keepDays, now());
    // The sound server is not asked for anything until the recording is on or something plays.
    if (m_settings.record)
        startRecording();
}

void AudioService::apply(const AudioSettings &settings)
{
    const AudioSettings before = m_settings;
    settings.write(m_settingsPath);
    m_settings = settings;
    if (!settings.record) {
        waitForDevice(false);
        stopRecording();
    } else if (settings.input != before.input || !m_recording) {
        startRecording();
    }
}

QString AudioService::statusText() const
{
    return m_recording ? tr("Запись звука") : QString();
}

qint64 AudioService::now() const
{
    return m_clock->nowUtc().toMSecsSinceEpoch();
}

float AudioService::inputLevel() const
{
    return m_recorder && m_recording ? m_recorder->level() : 0.f;
}

qint64 AudioService::recordedUntil() const
{
    const PcmRing::Span s = m_ring->span();
    return s.live && !s.empty() ? s.end / PerMs : 0;
}

void AudioService::startRecording()
{
    stopRecording();
    waitForDevice(false);
    // The sound server's devices are followed from here on (a sound card plugged in later).
    if (!m_devices) {
        m_devices = new QMediaDevices(this);
        connect(m_devices, &QMediaDevices::audioInputsChanged, this, &AudioService::devicesChanged);
    }
    const QAudioDevice device = audiodevices::input(m_settings.input);
    if (device.isNull()) {
        // Tried again when the sound server's list of inputs changes.
        waitForDevice(true);
        emit problem(tr("Устройство записи «%1» не найдено: звук не записывается. Подключите его или "
                        "выберите другое: «Установки» → «Звук».")
                         .arg(audiodevices::inputName(m_settings.input)));
        return;
    }
    RecorderSetup setup;
    setup.folder = m_folder;
    setup.clock = m_clock;
    setup.ring = m_ring;
    setup.freeBytes = m_options.freeBytes;
    setup.reserveBytes = m_options.reserveBytes;
    setup.checkIntervalMs = m_options.roomCheckMs;
    m_recorder = new InputCapture(device, setup);
    m_recorder->moveToThread(&m_thread);
    const int generation = ++m_generation;
    connect(m_recorder, &InputCapture::started, this, [this, generation](const QString &) {
        if (generation != m_generation)
            return;
        m_recording = true;
        emit recordingChanged(true);
    });
    connect(m_recorder, &InputCapture::stopped, this,
            [this, generation](const QString &why, bool deviceLost) { recorderStopped(generation, why, deviceLost); });
    m_thread.start();
    QMetaObject::invokeMethod(m_recorder, &InputCapture::start, Qt::QueuedConnection);
}

void AudioService::stopRecording()
{
    if (!m_recorder)
        return;
    ++m_generation; // what the recorder still says from here on is no news
    if (m_thread.isRunning()) {
        QMetaObject::invokeMethod(m_recorder, &InputCapture::stop, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    delete m_recorder;
    m_recorder = nullptr;
    if (m_recording) {
        m_recording = false;
        emit recordingChanged(false);
    }
}

void AudioService::recorderStopped(int generation, const QString &why, bool deviceLost)
{
    if (generation != m_generation)
        return;
    const bool was = m_recording;
    m_recording = false;
    // A device that went away is looked for again when the list of inputs changes.
    waitForDevice(deviceLost);
    if (was)
        emit recordingChanged(false);
    if (!why.isEmpty())
        emit problem(why);
}

void AudioService::waitForDevice(bool waiting)
{
    m_waitingForDevice = waiting;
    // Qt Multimedia's list of inputs follows the sound server, but it does not always say when
    // the list changed (Qt 6.4 with PulseAudio does not): the list is looked at now and then too.
    if (waiting)
        m_devicePoll.start();
    else
        m_devicePoll.stop();
}

void AudioService::devicesChanged()
{
    if (m_settings.record && m_waitingForDevice && !m_recording && !audiodevices::input(m_settings.input).isNull())
        startRecording();
}

void AudioService::replay()
{
    if (!m_recording)
        throw Error(tr("Запись звука выключена: повторять нечего. Включите её: «Установки» → «Звук»."));
    const qint64 end = now() * PerMs;
    m_player->setDevice(audiodevices::output(m_settings.output));
    m_player->play(end - qint64(m_settings.replaySeconds) * 1000 * PerMs, end);
}

void AudioService::stepBack()
{
    m_player->skip(-StepMs * PerMs);
}

void AudioService::stepForward()
{
    m_player->skip(StepMs * PerMs);
}

void AudioService::stopPlayback()
{
    m_player->stop();
}

bool AudioService::isPlaying() const
{
    return m_player->isPlaying();
}

qint64 AudioService::heardAt() const
{
    return m_player->heard() / PerMs;
}

qint64 AudioService::playEndsAt() const
{
    return m_player->end() / PerMs;
}

void AudioService::playAround(qint64 atMs)
{
    const qint64 from = (atMs - BeforeMs) * PerMs, to = (atMs + AfterMs) * PerMs;
    if (!anythingRecorded(m_folder, m_ring.get(), from, to))
        throw Error(tr("Звук этой записи не найден: с %1 по %2 UTC ничего не записано.")
                        .arg(utcText(atMs - BeforeMs), utcText(atMs + AfterMs)));
    m_player->setDevice(audiodevices::output(m_settings.output));
    m_player->play(from, to);
}

void AudioService::saveAround(qint64 atMs, const QString &path)
{
    stretchexport::write(m_folder, m_ring, (atMs - BeforeMs) * PerMs, (atMs + AfterMs) * PerMs, path);
}

QString AudioService::noInstantText()
{
    return tr("У этой записи нет момента сохранения, по которому находится её звук: она сохранена до того, "
              "как появилась запись звука, введена вручную или загружена из файла.");
}

QString AudioService::fragmentName(const QString &call, qint64 atMs)
{
    QString name = call.trimmed();
    for (QChar &c : name)
        if (!c.isLetterOrNumber())
            c = QLatin1Char('-');
    const QString when = QDateTime::fromMSecsSinceEpoch(atMs, Qt::UTC).toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return (name.isEmpty() ? when : name + QLatin1Char('-') + when) + QStringLiteral(".opus");
}

} // namespace vireo
