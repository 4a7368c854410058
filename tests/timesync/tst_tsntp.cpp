// The time-server window: the server list, the stored choice, and synchronising through the
// recording system clock against loopback servers.

#include "app/program.h"
#include "app/tmain.h"
#include "base/ini_file.h"
#include "db/database.h"
#include "db/server_store.h"
#include "stationinfo/reference_files.h"
#include "support/scripted_services.h"
#include "timesync/sntp_peers.h"
#include "timesync/ui/tsntp.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cerrno>

using namespace vireo;
using namespace vireo::test;

namespace {

const QString Failure = QStringLiteral("Сервер не отвечает,\n\rошибка при попытке синхронизации времени с сервером!"
                                       "\n\rПроверьте соединение с интернет каналом.");
const QString Success = QStringLiteral("Синхронизация времени с сервером времени прошла успешно!");

struct Window {
    TestContext t;
    // The program's store of the servers, on a connection of its own (the main window's there).
    std::unique_ptr<Database> db;
    std::unique_ptr<ServerStore> servers;
    std::unique_ptr<TSntp> w;
    QStringList status;

    explicit Window(const QString &storedServer = QString())
    {
        if (!storedServer.isNull())
            IniFile(t.context.settingsPath).writeString(QStringLiteral("SNTP"), QStringLiteral("SNTP"), storedServer);
        Database::prepareFile(t.context.databasePath, referenceFiles());
        open();
    }
    // A window as at a new start of the program: a new connection and store too.
    void open()
    {
        w.reset();
        servers.reset();
        db.reset();
        db = std::make_unique<Database>(t.context.databasePath, QStringLiteral("tsntp-test"));
        servers = std::make_unique<ServerStore>(db->connection());
        w = std::make_unique<TSntp>(t.context, *servers, nullptr);
        QObject::connect(w.get(), &TSntp::statusText, [this](const QString &s) { status << s; });
    }
    QStringList items() const
    {
        QStringList l;
        for (int i = 0; i < w->ComboBox1->count(); ++i)
            l << w->ComboBox1->itemText(i);
        return l;
    }
    void add(const QString &address, const QString &location)
    {
        w->Edit1->setText(address);
        w->Edit2->setText(location);
        QTest::mouseClick(w->Button2, Qt::LeftButton);
    }
    void typeServer(const QString &text)
    {
        w->ComboBox1->lineEdit()->selectAll();
        QTest::keyClicks(w->ComboBox1->lineEdit(), text);
    }
    // Synchronises with a loopback server on the given port; the window is shown (not
    // modally) so that closing it can be seen. False when the exchange did not end by its
    // signal within its bounded wait.
    bool synchronise(quint16 port, const QString &host = QStringLiteral("127.0.0.1"))
    {
        w->setPort(port);
        w->setTimeoutMs(800);
        w->show();
        typeServer(host);
        status.clear();
        t.prompts->shown.clear();
        QSignalSpy ended(w.get(), &TSntp::synchronisationEnded);
        QTest::mouseClick(w->Button5, Qt::LeftButton);
        return ended.isEmpty() && ended.wait(5000) && ended.size() == 1 && !w->busy();
    }
};

} // namespace

class TestTSntp : public QObject {
    Q_OBJECT
private slots:
    void opensWithStoredOrDefaultServer()
    {
        Window a;
        QCOMPARE(a.w->windowTitle(), QStringLiteral("Выбор сервера времени"));
        QCOMPARE(a.w->ComboBox1->currentText(), TSntp::DefaultServer);
        QCOMPARE(a.w->Label4->text(), QStringLiteral("Текущий сервер: ") + TSntp::DefaultServer);
        QVERIFY(!a.w->Button1->isEnabled());
        QVERIFY(!a.w->Button2->isEnabled());
        QVERIFY(!a.w->Button3->isEnabled());
        QVERIFY(a.w->Button5->isEnabled());
        QVERIFY(QFontInfo(a.w->ComboBox1->font()).fixedPitch());

        Window b(QStringLiteral("ntp1.vniiftri.ru"));
        QCOMPARE(b.w->ComboBox1->currentText(), QStringLiteral("ntp1.vniiftri.ru"));
        QCOMPARE(b.w->Label4->text(), QStringLiteral("Текущий сервер: ntp1.vniiftri.ru"));
    }

    void addAndDelete()
    {
        Window s(QStringLiteral("pool.ntp.org"));
        QTest::keyClicks(s.w->Edit1, QStringLiteral("ru.pool.ntp.org"));
        QVERIFY(s.w->Button2->isEnabled());
        s.w->Edit1->clear();
        QVERIFY(!s.w->Button2->isEnabled());

        const QString label = s.w->Label4->text();
        s.add(QStringLiteral("ru.pool.ntp.org"), QStringLiteral("Россия"));
        s.add(QStringLiteral("o'hara.example.net"), QStringLiteral("Ирландия, \"кавычки\""));
        s.add(QStringLiteral("  time.google.com  "), QString());
        QCOMPARE(s.items(), (QStringList{QStringLiteral("ru.pool.ntp.org"), QStringLiteral("o'hara.example.net"),
                                         QStringLiteral("time.google.com")}));
        // The last server is shown; selecting from code is not a change.
        QCOMPARE(s.w->ComboBox1->currentText(), QStringLiteral("time.google.com"));
        QCOMPARE(s.w->Label4->text(), label);
        QVERIFY(!s.w->Button1->isEnabled());
        QVERIFY(!s.w->Button3->isEnabled());
        QVERIFY(s.w->Edit1->text().isEmpty());
        QVERIFY(s.w->Edit2->text().isEmpty());

        // Choosing a listed server shows where it stands and enables Save and Delete.
        s.w->ComboBox1->setCurrentIndex(1);
        QCOMPARE(s.w->Label4->text(), QStringLiteral("Ирландия, \"кавычки\""));
        QVERIFY(s.w->Button1->isEnabled());
        QVERIFY(s.w->Button3->isEnabled());

        // The quote in the name is no obstacle.
        QTest::mouseClick(s.w->Button3, Qt::LeftButton);
        QCOMPARE(s.items(), (QStringList{QStringLiteral("ru.pool.ntp.org"), QStringLiteral("time.google.com")}));
        QCOMPARE(s.w->ComboBox1->currentText(), QStringLiteral("time.google.com"));

        // Every row of that address goes, typed with blanks around it.
        s.add(QStringLiteral("ru.pool.ntp.org"), QStringLiteral("ещё раз"));
        s.typeServer(QStringLiteral(" ru.pool.ntp.org "));
        QTest::mouseClick(s.w->Button3, Qt::LeftButton);
        QCOMPARE(s.items(), QStringList{QStringLiteral("time.google.com")});

        // Deleting the last one leaves the selector empty, list and text.
        QTest::mouseClick(s.w->Button3, Qt::LeftButton);
        QCOMPARE(s.w->ComboBox1->count(), 0);
        QCOMPARE(s.w->ComboBox1->currentText(), QString());

        // The list lives in the database: a window opened later finds it.
        s.add(QStringLiteral("ntp.ix.ru"), QStringLiteral("Москва"));
        s.open();
        QCOMPARE(s.items(), QStringList{QStringLiteral("ntp.ix.ru")});
        QCOMPARE(s.w->ComboBox1->currentText(), QStringLiteral("pool.ntp.org")); // the stored choice
        QVERIFY(s.t.prompts->shown.isEmpty());
    }

    void addWithoutAddressIsRefused()
    {
        Window s;
        s.w->Edit2->setText(QStringLiteral("где-то"));
        s.w->Button2Click();
        s.w->Edit1->setText(QStringLiteral("   "));
        QTest::mouseClick(s.w->Button2, Qt::LeftButton);
        QCOMPARE(s.t.prompts->texts(QStringLiteral("information")),
                 QStringList(2, QStringLiteral("Адрес сервера не заполнен!")));
        QCOMPARE(s.w->ComboBox1->count(), 0);
    }

    void typedServerAndSave()
    {
        Window s;
        s.add(QStringLiteral("ntp.ix.ru"), QStringLiteral("Москва"));
        s.add(QStringLiteral("ntp2.ix.ru"), QStringLiteral("Москва, второй"));
        s.w->ComboBox1->setCurrentIndex(0);
        QCOMPARE(s.w->Label4->text(), QStringLiteral("Москва"));
        // A server not in the list leaves the label as it was.
        s.typeServer(QStringLiteral("  my.own.server  "));
        QCOMPARE(s.w->Label4->text(), QStringLiteral("Москва"));
        QVERIFY(s.w->Button1->isEnabled());
        QTest::mouseClick(s.w->Button1, Qt::LeftButton);
        QCOMPARE(
            IniFile(s.t.context.settingsPath).readString(QStringLiteral("SNTP"), QStringLiteral("SNTP"), QString()),
            QStringLiteral("my.own.server"));
        QCOMPARE(s.w->Label4->text(), QStringLiteral("Москва"));
        // The saved choice is what the next start offers.
        s.open();
        QCOMPARE(s.w->ComboBox1->currentText(), QStringLiteral("my.own.server"));
    }

    void synchroniseSetsReceiptTimePlusOffset()
    {
        Window s;
        // The server is 734 ms ahead of the (fixed) computer clock and holds the request 300 ms.
        ScriptedPeer peer([](const QByteArray &req) {
            const qint64 t1 = sntp::toUnixMs(sntp::readTimestamp(req, 40));
            return QList<PeerReply>{{serverReply(req, t1 + 734, t1 + 734 + 300), false}};
        });
        QVERIFY(s.synchronise(peer.port()));
        const QDateTime fixed = s.t.clock->now;
        // T1 = T4 = fixed: θ = (734 + 1034) / 2 = 884; the clock goes to T4 + θ.
        QCOMPARE(s.t.systemClock->set, QList<QDateTime>{fixed.addMSecs(884)});
        QCOMPARE(s.t.prompts->texts(QStringLiteral("information")), QStringList{Success});
        QCOMPARE(s.status, (QStringList{QStringLiteral("Синхронизация времени... подождите!"), QStringLiteral("ОК")}));
        QVERIFY(!s.w->isVisible());
    }

    void windowWaitsForTheAnswerWithoutReentering()
    {
        // The server holds its answer for a moment. The click only sends the request: nothing
        // else of the program runs inside it, and the program goes on while the window waits,
        // taking no clicks, not closing and sending nothing more. The answer then sets the clock.
        Window s;
        ScriptedPeer peer([](const QByteArray &req) {
            QThread::msleep(300);
            const qint64 t1 = sntp::toUnixMs(sntp::readTimestamp(req, 40));
            return QList<PeerReply>{{serverReply(req, t1 + 2000, t1 + 2000), false, false}};
        });
        QVERIFY(peer.ok());
        s.w->setPort(peer.port());
        s.w->setTimeoutMs(3000);
        s.w->show();
        s.typeServer(QStringLiteral("127.0.0.1"));
        QSignalSpy ended(s.w.get(), &TSntp::synchronisationEnded);
        bool clicking = false, ranInsideClick = false;
        QTimer::singleShot(0, s.w.get(), [&] { ranInsideClick = clicking; });
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(20);

        clicking = true;
        s.w->Button5->click();
        clicking = false;
        QVERIFY(!ranInsideClick);
        QVERIFY(ended.isEmpty());
        QVERIFY(s.w->busy());
        QVERIFY(!s.w->isEnabled());
        QCOMPARE(s.status, QStringList{QStringLiteral("Синхронизация времени... подождите!")});
        QVERIFY(!s.w->close());
        QVERIFY(s.w->isVisible());
        s.w->Button5Click(); // a second start while waiting does nothing
        QCOMPARE(s.status.size(), 1);

        QVERIFY(ended.wait(5000));
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks))); // the program went on meanwhile
        QCOMPARE(peer.requests(), 1);
        QCOMPARE(s.t.systemClock->set.size(), 1);
        QCOMPARE(s.t.prompts->texts(QStringLiteral("information")), QStringList{Success});
        QCOMPARE(s.status.last(), QStringLiteral("ОК"));
        QVERIFY(!s.w->busy());
        QVERIFY(!s.w->isVisible());
    }

    void badRepliesLeaveTheClockAlone_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *k : {"stratum 16", "stratum 0", "leap 3", "68 bytes", "40 bytes", "wrong originate",
                              "wrong source port", "wrong source address", "no answer", "client mode"})
            QTest::newRow(k) << QString::fromLatin1(k);
    }
    void badRepliesLeaveTheClockAlone()
    {
        QFETCH(QString, kind);
        Window s;
        ScriptedPeer peer([kind](const QByteArray &req) {
            const qint64 t1 = sntp::toUnixMs(sntp::readTimestamp(req, 40));
            QByteArray r = serverReply(req, t1 + 5000, t1 + 5000);
            bool otherPort = false;
            bool otherAddress = false;
            if (kind == QLatin1String("stratum 16"))
                r[1] = char(16);
            else if (kind == QLatin1String("stratum 0"))
                r[1] = char(0);
            else if (kind == QLatin1String("leap 3"))
                r[0] = char(0xDC);
            else if (kind == QLatin1String("client mode"))
                r[0] = char(0x1B);
            else if (kind == QLatin1String("68 bytes"))
                r += QByteArray(20, '\x42');
            else if (kind == QLatin1String("40 bytes"))
                r.truncate(40);
            else if (kind == QLatin1String("wrong originate"))
                sntp::writeTimestamp(r, 24, sntp::toTimestamp(t1 + 1));
            else if (kind == QLatin1String("wrong source port"))
                otherPort = true;
            else if (kind == QLatin1String("wrong source address"))
                otherAddress = true;
            else
                return QList<PeerReply>{};
            return QList<PeerReply>{{r, otherPort, otherAddress}};
        });
        QVERIFY(peer.ok());
        QVERIFY(s.synchronise(peer.port()));
        QCOMPARE(peer.requests(), 1);
        QVERIFY(s.t.systemClock->set.isEmpty());
        QCOMPARE(s.t.prompts->texts(QStringLiteral("warning")), QStringList{Failure});
        QVERIFY(s.t.prompts->texts(QStringLiteral("information")).isEmpty());
        QCOMPARE(s.status, (QStringList{QStringLiteral("Синхронизация времени... подождите!"),
                                        QStringLiteral("Ошибка соединения с сервером времени")}));
        QVERIFY(s.w->isVisible());
        QVERIFY(s.w->isEnabled());
    }

    void withoutTheRightToSetTheClock()
    {
        Window s;
        s.t.systemClock->result = EPERM;
        ScriptedPeer peer([](const QByteArray &req) {
            const qint64 t1 = sntp::toUnixMs(sntp::readTimestamp(req, 40));
            return QList<PeerReply>{{serverReply(req, t1 - 1500, t1 - 1500), false}};
        });
        QVERIFY(s.synchronise(peer.port()));
        QVERIFY(s.t.systemClock->set.isEmpty());
        const QStringList warnings = s.t.prompts->texts(QStringLiteral("warning"));
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains(QStringLiteral("нет прав")), qPrintable(warnings[0]));
        QVERIFY2(warnings[0].contains(QStringLiteral("-1.500 с")), qPrintable(warnings[0]));
        QVERIFY(warnings[0].contains(QStringLiteral("спешат")));
        QVERIFY(s.t.prompts->texts(QStringLiteral("information")).isEmpty());
        QCOMPARE(s.status.last(), QStringLiteral("Часы не установлены: нет прав"));
        QVERIFY(s.w->isVisible());

        // Any other refusal is the ordinary failure.
        s.t.systemClock->result = EINVAL;
        ScriptedPeer peer2([](const QByteArray &req) {
            const qint64 t1 = sntp::toUnixMs(sntp::readTimestamp(req, 40));
            return QList<PeerReply>{{serverReply(req, t1, t1), false}};
        });
        QVERIFY(s.synchronise(peer2.port()));
        QCOMPARE(s.t.prompts->texts(QStringLiteral("warning")), QStringList{Failure});
    }

    void synchroniseWithChronydThroughTheProgram()
    {
        Chronyd server;
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        QVERIFY2(server.waitUntilServing(), qPrintable(server.output()));

        TestContext t;
        // The computer's clock as the program reads it: the real time, 734 ms slow.
        class SlowClock : public UtcClock {
        public:
            QDateTime nowUtc() const override { return QDateTime::currentDateTimeUtc().addMSecs(-734); }
        };
        t.context.services.utcClock = std::make_shared<SlowClock>();
        Program p(t.context);
        TMain &m = p.main();
        TSntp *w = m.windows().sntp;
        QVERIFY(w);
        w->setPort(server.port());
        w->ComboBox1->setEditText(QStringLiteral("127.0.0.1"));
        QSignalSpy ended(w, &TSntp::synchronisationEnded);
        w->Button5Click();
        QVERIFY(ended.wait(10000));
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        QVERIFY2(t.prompts->texts(QStringLiteral("warning")).isEmpty(), qPrintable(server.output()));
        QCOMPARE(t.systemClock->set.size(), 1);
        // The clock is set to the real time of receipt: within a few ms of now.
        const qint64 error = t.systemClock->set[0].toMSecsSinceEpoch() - now;
        QVERIFY2(qAbs(error) <= 100, qPrintable(QString::number(error)));
        QCOMPARE(t.prompts->texts(QStringLiteral("information")), QStringList{Success});
        QCOMPARE(m.statusText(5), QStringLiteral("ОК"));
    }
};

QTEST_MAIN(TestTSntp)
#include "tst_tsntp.moc"
