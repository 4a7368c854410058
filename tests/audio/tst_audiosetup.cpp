// The audio set-up window against a sound server of the test's own: it offers the server's
// devices, shows the input's level live as the "receiver" sends a tone and falls silent, keeps
// the choices in section Audio of settings.ini and starts and stops the recording. With
// VIREO_SCREENSHOTS set it saves a picture of itself there with the level moving.

#include "audio/audio_settings.h"
#include "audio/pulse_server.h"
#include "audio/signal_check.h"
#include "audio/ui/audio_service.h"
#include "audio/ui/taudiosetup.h"
#include "base/ini_file.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <atomic>
#include <memory>

using namespace vireo;

class TestAudioSetup : public QObject {
    Q_OBJECT

    std::unique_ptr<test::PulseServer> m_server;

private slots:
    void initTestCase()
    {
        m_server = std::make_unique<test::PulseServer>();
        QVERIFY2(m_server->ok(), qPrintable(m_server->error()));
        m_server->exportToProcess();
    }

    void cleanupTestCase() { m_server.reset(); }

    void choicesKeptAndLevelShown()
    {
        test::TestContext t;
        t.context.settingsPath = t.path(QStringLiteral("settings.ini"));
        auto clock = std::make_shared<test::ShiftedClock>();
        AudioService service(t.context.settingsPath, t.path(QStringLiteral("vireolog.db")), clock);
        service.start();
        QVERIFY(!service.isRecording()); // off until the listener turns it on

        TAudioSetup w(t.context, service);
        QCOMPARE(w.objectName(), QStringLiteral("AudioSetup"));
        QCOMPARE(w.cbInput->itemData(0).toString(), QString());
        QVERIFY2(w.cbInput->itemText(0).startsWith(QStringLiteral("По умолчанию")), qPrintable(w.cbInput->itemText(0)));
        QVERIFY(w.cbInput->findData(QStringLiteral("rx")) > 0);
        QVERIFY(w.cbOutput->findData(QStringLiteral("out")) > 0);
        QCOMPARE(w.sbReplay->value(), 8);
        QCOMPARE(w.sbKeepDays->value(), 30);
        QVERIFY(!w.chRecord->isChecked());

        w.cbInput->setCurrentIndex(w.cbInput->findData(QStringLiteral("rx")));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The receiver sends a tone: the meter rises; silence: it falls.
        std::atomic<bool> loud{true};
        test::RxFeeder receiver(m_server->fifo(),
                                [&loud](qint64 i) { return loud ? test::tone(1000, 0.5, i) : qint16(0); });
        QTRY_VERIFY_WITH_TIMEOUT(w.pbLevel->value() >= 85, 5000); // -6 dB of full scale
        QTRY_COMPARE_WITH_TIMEOUT(w.lbLevel->text(), QStringLiteral("−6 дБ"), 5000);
        const QString shots = qEnvironmentVariable("VIREO_SCREENSHOTS");
        if (!shots.isEmpty())
            QVERIFY(w.grab().save(QDir(shots).filePath(QStringLiteral("audio_setup.png"))));
        loud = false;
        QTRY_VERIFY_WITH_TIMEOUT(w.pbLevel->value() == 0, 5000);

        w.cbOutput->setCurrentIndex(w.cbOutput->findData(QStringLiteral("out")));
        w.chRecord->setChecked(true);
        w.sbReplay->setValue(12);
        w.sbKeepDays->setValue(0);
        QCOMPARE(w.sbKeepDays->text(), QStringLiteral("всегда"));
        QSignalSpy recording(&service, &AudioService::recordingChanged);
        QTest::mouseClick(w.btOk, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(recording.wait(10000));
        QVERIFY(service.isRecording());
        const IniFile ini(t.context.settingsPath);
        QCOMPARE(ini.readString(QStringLiteral("Audio"), QStringLiteral("Record"), QString()), QStringLiteral("1"));
        QCOMPARE(ini.readString(QStringLiteral("Audio"), QStringLiteral("Input"), QString()), QStringLiteral("rx"));
        QCOMPARE(ini.readString(QStringLiteral("Audio"), QStringLiteral("Output"), QString()), QStringLiteral("out"));
        QCOMPARE(ini.readString(QStringLiteral("Audio"), QStringLiteral("Replay"), QString()), QStringLiteral("12"));
        QCOMPARE(ini.readString(QStringLiteral("Audio"), QStringLiteral("KeepDays"), QString()), QStringLiteral("0"));

        // A device that is not there now stays chosen, named as such; cancelling changes nothing.
        AudioSettings s = service.settings();
        s.input = QStringLiteral("usb-card-gone");
        s.record = false;
        service.apply(s);
        QVERIFY(!service.isRecording());
        TAudioSetup again(t.context, service);
        QCOMPARE(again.cbInput->currentText(), QStringLiteral("usb-card-gone (не подключено)"));
        QCOMPARE(again.cbInput->currentData().toString(), QStringLiteral("usb-card-gone"));
        again.chRecord->setChecked(true);
        QTest::mouseClick(again.btCancel, Qt::LeftButton);
        QVERIFY(!AudioSettings::read(t.context.settingsPath).record);
        // Turned on with that device missing: a message, no recording.
        QSignalSpy problem(&service, &AudioService::problem);
        s.record = true;
        service.apply(s);
        QCOMPARE(problem.count(), 1);
        QCOMPARE(
            problem.first().first().toString(),
            QStringLiteral("Устройство записи «usb-card-gone» не найдено: звук не записывается. Подключите его или "
                           "выберите другое: «Установки» → «Звук»."));
        QVERIFY(!service.isRecording());
    }

    // settings.ini that cannot be written: the window says so and stays open.
    void unwritableSettingsKeepTheWindow()
    {
        test::TestContext t;
        t.context.settingsPath = t.path(QStringLiteral("no/such/folder/settings.ini"));
        AudioService service(t.context.settingsPath, t.path(QStringLiteral("vireolog.db")),
                             std::make_shared<test::ShiftedClock>());
        TAudioSetup w(t.context, service);
        w.show();
        w.chRecord->setChecked(true);
        QTest::mouseClick(w.btOk, Qt::LeftButton);
        QVERIFY(w.isVisible());
        QCOMPARE(t.prompts->texts(QStringLiteral("error")).size(), 1);
        QVERIFY(!service.isRecording());
        QVERIFY(!service.settings().record);
    }

    void settingsReadBack()
    {
        test::TestContext t;
        const QString path = t.path(QStringLiteral("settings.ini"));
        QCOMPARE(AudioSettings::read(path), AudioSettings{});
        IniFile ini(path);
        ini.writeString(QStringLiteral("audio"), QStringLiteral("RECORD"), QStringLiteral("1"));
        ini.writeString(QStringLiteral("Audio"), QStringLiteral("Replay"), QStringLiteral("1000"));
        ini.writeString(QStringLiteral("Audio"), QStringLiteral("KeepDays"), QStringLiteral("много"));
        ini.writeString(QStringLiteral("Audio"), QStringLiteral("Input"),
                        QStringLiteral("  alsa_input.usb-Burr-Brown  "));
        const AudioSettings s = AudioSettings::read(path);
        QVERIFY(s.record);
        QCOMPARE(s.replaySeconds, AudioSettings::MaxReplaySeconds);
        QCOMPARE(s.keepDays, 30);
        QCOMPARE(s.input, QStringLiteral("alsa_input.usb-Burr-Brown"));
        QCOMPARE(s.output, QString());
    }
};

QTEST_MAIN(TestAudioSetup)
#include "tst_audiosetup.moc"
