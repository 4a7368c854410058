// The receiver's audio in the real main window, against a sound server of the test's own: the
// replay keys work while the heard call is being typed, without taking its focus or the keys of
// the entry flow; the status bar says that the recording runs; a record's stretch plays and is
// saved from the grid; "Установки" → "Звук…" opens AudioSetup; a recording that stops by itself
// tells the listener.

#include "app/program.h"
#include "app/tmain.h"
#include "audio/audio_settings.h"
#include "audio/hour_files.h"
#include "audio/pulse_server.h"
#include "audio/signal_check.h"
#include "audio/ui/audio_controls.h"
#include "audio/ui/audio_service.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "support/qso_builder.h"
#include "support/scripted_services.h"
#include "support/ui/main_controls.h"
#include "support/ui/typing.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace vireo;

namespace {

// The program in a fresh folder with the recording on (input "rx", output "out" of the test's
// sound server) and a clock that runs, as the recorder needs one.
struct Station {
    test::TestContext t;
    std::shared_ptr<test::ShiftedClock> clock = std::make_shared<test::ShiftedClock>();
    std::unique_ptr<Program> program;
    TMain *m = nullptr;

    explicit Station(bool record = true)
    {
        t.context.services.utcClock = clock;
        test::writeKnownListener(t.context.settingsPath);
        AudioSettings s;
        s.record = record;
        s.input = QStringLiteral("rx");
        s.output = QStringLiteral("out");
        s.replaySeconds = 4;
        s.write(t.context.settingsPath);
        program = std::make_unique<Program>(t.context);
        m = &program->main();
        test::MainControls(*m).Timer1->stop();
        m->show();
        m->activateWindow();
        if (!QTest::qWaitForWindowActive(m))
            qWarning("main window not active");
        test::MainControls(*m).edCall1->setFocus();
    }
    AudioService &audio() { return program->audio(); }
    AudioControls &controls() { return program->audioControls(); }
};

} // namespace

class TestAudioControls : public QObject {
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

    // Ctrl+R while the heard call is typed: the last seconds play, the field keeps the focus and
    // what is typed; Alt+Left steps back, Esc still moves to the heard number, Ctrl+Shift+R stops.
    void replayWhileTyping()
    {
        test::RxFeeder receiver(m_server->fifo(), [](qint64 i) { return test::tone(800, 0.5, i); });
        Station st;
        const test::MainControls c(*st.m);
        QTRY_VERIFY_WITH_TIMEOUT(st.audio().isRecording(), 10000);
        QCOMPARE(st.controls().lbRecording->text(), QStringLiteral("Запись звука"));
        QVERIFY(st.controls().lbRecording->isVisible());
        const qint64 began = st.clock->nowMs();
        QTRY_VERIFY_WITH_TIMEOUT(st.audio().recordedUntil() >= began + 1000, 5000);

        // Nothing plays: the stepping keys are off, so Alt+Left is the field's own.
        QVERIFY(!st.controls().actReplayBack->isEnabled());
        QVERIFY(!st.controls().actReplayStop->isEnabled());
        test::typeKeys(QStringLiteral("UA1"));
        QCOMPARE(c.edCall1->text(), QStringLiteral("UA1"));
        test::press(Qt::Key_R, Qt::ControlModifier);
        QVERIFY(st.audio().isPlaying());
        QCOMPARE(test::focused(), c.edCall1);
        QCOMPARE(c.edCall1->text(), QStringLiteral("UA1"));
        QVERIFY(st.controls().actReplayBack->isEnabled());
        const qint64 end = st.audio().playEndsAt();
        QVERIFY(std::abs(st.audio().heardAt() - (end - 4000)) < 200);

        test::press(Qt::Key_Left, Qt::AltModifier);
        QVERIFY2(std::abs(st.audio().heardAt() - (end - 7000)) < 300,
                 qPrintable(QString::number(end - st.audio().heardAt())));
        test::press(Qt::Key_Right, Qt::AltModifier);
        QVERIFY(std::abs(st.audio().heardAt() - (end - 4000)) < 300);
        QCOMPARE(test::focused(), c.edCall1);
        test::typeKeys(QStringLiteral("ABC"));
        QCOMPARE(c.edCall1->text(), QStringLiteral("UA1ABC"));
        // Pressed again it starts over from the seconds before this press.
        test::press(Qt::Key_R, Qt::ControlModifier);
        QVERIFY(st.audio().isPlaying());
        QVERIFY(st.audio().playEndsAt() >= end);
        // Esc means what it always means in the heard call (row layout: on to the heard number).
        test::press(Qt::Key_Escape);
        QCOMPARE(test::focused(), c.edNr1);
        QVERIFY(st.audio().isPlaying());
        test::press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!st.audio().isPlaying());
        QVERIFY(!st.controls().actReplayForward->isEnabled());
        QCOMPARE(test::focused(), c.edNr1);
        QVERIFY(st.t.prompts->shown.isEmpty());

        // Turned off: the status bar says nothing, and Ctrl+R says why nothing plays.
        AudioSettings off = st.audio().settings();
        off.record = false;
        st.audio().apply(off);
        QVERIFY(!st.controls().lbRecording->isVisible());
        test::press(Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(st.t.prompts->texts(QStringLiteral("error")),
                 QStringList{
                     QStringLiteral("Запись звука выключена: повторять нечего. Включите её: «Установки» → «Звук».")});
        QCOMPARE(test::focused(), c.edNr1);
    }

    // In the grid: "Прослушать" and Ctrl+Shift+P play the selected record's stretch, "Сохранить
    // фрагмент…" writes it; a record without an instant, or none selected, is told so.
    void recordStretchFromTheGrid()
    {
        test::RxFeeder receiver(m_server->fifo(), [](qint64 i) { return test::tone(600, 0.5, i); });
        Station st;
        const test::MainControls c(*st.m);
        QVERIFY(c.PopupMenu1->actions().contains(st.controls().actPlayQso));
        QVERIFY(c.PopupMenu1->actions().contains(st.controls().actSaveFragment));
        QCOMPARE(st.controls().actPlayQso->text(), QStringLiteral("Прослушать"));
        QTRY_VERIFY_WITH_TIMEOUT(st.audio().isRecording(), 10000);
        const qint64 began = st.clock->nowMs();
        QTRY_VERIFY_WITH_TIMEOUT(st.audio().recordedUntil() >= began + 2000, 5000);

        // A record saved while recording, and one filed without an instant.
        const qint64 at = st.audio().now();
        QsoStore &store = st.m->qsos();
        store.append({test::Qso::typical().call1(QStringLiteral("UA1ABC/P"))}, at);
        store.append(test::Qso::typical().call1(QStringLiteral("UA2XYZ")).record());
        QCOMPARE(st.m->logModel().rowCount(), 2);

        c.DBGrid1->clearSelection();
        c.DBGrid1->setCurrentIndex(QModelIndex());
        st.controls().actPlayQso->trigger();
        QCOMPARE(st.t.prompts->texts(QStringLiteral("information")),
                 QStringList{QStringLiteral("Выберите запись в журнале, звук которой нужен.")});

        c.DBGrid1->selectRow(1);
        st.controls().actPlayQso->trigger();
        QCOMPARE(st.t.prompts->texts(QStringLiteral("information")).value(1), AudioService::noInstantText());
        QVERIFY(!st.audio().isPlaying());

        c.DBGrid1->selectRow(0);
        c.DBGrid1->setFocus();
        test::press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(st.audio().isPlaying());
        QVERIFY(std::abs(st.audio().heardAt() - (at - AudioService::BeforeMs)) < 100);
        QCOMPARE(st.audio().playEndsAt(), at + AudioService::AfterMs);
        st.audio().stopPlayback();

        // Saved under the name the listener types; without an extension it becomes Opus.
        QTRY_VERIFY_WITH_TIMEOUT(st.audio().recordedUntil() >= at + AudioService::AfterMs, 10000);
        st.t.prompts->fileNames << st.t.path(QStringLiteral("fragment"));
        st.controls().actSaveFragment->trigger();
        const QList<test::Shown> &shown = st.t.prompts->shown;
        QCOMPARE(shown.last().kind, QStringLiteral("save"));
        QVERIFY2(shown.last().text.startsWith(st.t.path(AudioService::fragmentName(QStringLiteral("UA1ABC/P"), at))),
                 qPrintable(shown.last().text));
        QVERIFY(st.t.prompts->texts(QStringLiteral("error")).isEmpty());
        std::vector<qint16> decoded;
        QString error;
        QVERIFY2(test::opusdec(st.t.path(QStringLiteral("fragment.opus")), &decoded, &error), qPrintable(error));
        QCOMPARE(qint64(decoded.size()), (AudioService::BeforeMs + AudioService::AfterMs) * 48);
        // The tone from the start of the recording to 3 s after the save: its last 5 s at least.
        const std::size_t tail = decoded.size() - 5 * 48000;
        QVERIFY2(std::abs(test::frequencyOf(decoded, tail, 48000) - 600) < 10,
                 qPrintable(QString::number(test::frequencyOf(decoded, tail, 48000))));
        // A folder that is not there: the box says why.
        st.t.prompts->fileNames << st.t.path(QStringLiteral("no/such/folder.wav"));
        st.controls().actSaveFragment->trigger();
        QCOMPARE(st.t.prompts->texts(QStringLiteral("error")).size(), 1);
        QVERIFY2(st.t.prompts->texts(QStringLiteral("error"))
                     .first()
                     .startsWith(QStringLiteral("Не удалось записать файл %1: папка не найдена")
                                     .arg(QDir::toNativeSeparators(st.t.path(QStringLiteral("no/such/folder.wav"))))),
                 qPrintable(st.t.prompts->texts(QStringLiteral("error")).first()));
    }

    // "Установки" → "Звук…" opens the set-up window; an input that is gone when the recording is
    // turned on is told in a box, and the recording stays off.
    void setupWindowAndProblems()
    {
        Station st(false);
        const test::MainControls c(*st.m);
        QAction *action = st.controls().actAudioSetup;
        QVERIFY(c.mnSettings->actions().contains(action));
        QCOMPARE(action->text(), QStringLiteral("Звук…"));
        QString opened;
        st.t.prompts->onModal = [&opened](QDialog &d) {
            opened = d.objectName();
            return int(QDialog::Rejected);
        };
        action->trigger();
        QCOMPARE(opened, QStringLiteral("AudioSetup"));
        QVERIFY(!st.audio().isRecording());

        AudioSettings s = st.audio().settings();
        s.record = true;
        s.input = QStringLiteral("usb-card-gone");
        st.audio().apply(s);
        QCOMPARE(st.t.prompts->texts(QStringLiteral("error")).size(), 1);
        QVERIFY2(st.t.prompts->texts(QStringLiteral("error"))
                     .first()
                     .startsWith(QStringLiteral("Устройство записи «usb-card-gone» не найдено")),
                 qPrintable(st.t.prompts->texts(QStringLiteral("error")).first()));
        QVERIFY(!st.controls().lbRecording->isVisible());
    }
};

QTEST_MAIN(TestAudioControls)
#include "tst_audio_controls.moc"
