// One SNTP exchange over loopback: against a real chronyd, and against a peer that sends
// forged, stale or broken replies.

#include "timesync/sntp_client.h"
#include "timesync/sntp_peers.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace vireo;
using namespace vireo::test;

namespace {

// The computer's clock, put off by a known amount.
class SkewedClock : public UtcClock {
public:
    explicit SkewedClock(qint64 skewMs) : m_skew(skewMs) {}
    QDateTime nowUtc() const override { return QDateTime::currentDateTimeUtc().addMSecs(m_skew); }

private:
    qint64 m_skew;
};

} // namespace

class TestSntpExchange : public QObject {
    Q_OBJECT
private slots:
    void againstChronyd()
    {
        Chronyd server;
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        QVERIFY2(server.waitUntilServing(), qPrintable(server.output()));

        // chronyd serves the computer's time; our clock runs 734 ms slow, so the server
        // must come out 734 ms ahead of it.
        SkewedClock slow(-734);
        SntpClient client(slow);
        client.setPort(server.port());
        client.setTimeoutMs(3000);
        const SntpResult r = client.exchange(QStringLiteral(" 127.0.0.1 "));
        QVERIFY2(r.ok(), qPrintable(r.errorText()));
        QVERIFY2(qAbs(r->offsetMs() - 734) <= 20, qPrintable(QString::number(r->offsetMs())));
        QVERIFY(r->roundTripMs() >= 0 && r->roundTripMs() < 200);
        // The corrected receipt time is the real time at receipt.
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        QVERIFY2(qAbs(r->correctedReceiptMs() - now) <= 100,
                 qPrintable(QString::number(r->correctedReceiptMs() - now)));

        // And a clock 3 s fast.
        SkewedClock fast(3000);
        SntpClient client2(fast);
        client2.setPort(server.port());
        const SntpResult r2 = client2.exchange(QStringLiteral("localhost"));
        QVERIFY2(r2.ok(), qPrintable(r2.errorText()));
        QVERIFY2(qAbs(r2->offsetMs() + 3000) <= 20, qPrintable(QString::number(r2->offsetMs())));
    }

    void chronydWithoutReferenceIsRefused()
    {
        // Without a local reference chronyd answers with leap indicator 3 and stratum 0.
        Chronyd server(false);
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        QVERIFY2(server.waitUntilServing(), qPrintable(server.output()));
        SkewedClock clock(0);
        SntpClient client(clock);
        client.setPort(server.port());
        client.setTimeoutMs(2000);
        QElapsedTimer t;
        t.start();
        const SntpResult r = client.exchange(QStringLiteral("127.0.0.1"));
        QVERIFY(!r.ok());
        QCOMPARE(r.errorText(), QStringLiteral("Ответ сервера 127.0.0.1 не принят: сервер не синхронизирован."));
        QVERIFY(t.elapsed() < 1500); // refused at once, not after the wait
    }

    void forgedRepliesAreSkipped()
    {
        // A forged reply (wrong originate), one from another port and one from another
        // address arrive first; the server's real answer after them is taken.
        const qint64 ahead = 5 * 60 * 1000;
        ScriptedPeer peer([ahead](const QByteArray &req) {
            const qint64 t1 = sntp::toUnixMs(sntp::readTimestamp(req, 40));
            QByteArray forged = serverReply(req, t1 + 999999, t1 + 999999);
            sntp::writeTimestamp(forged, 24, sntp::toTimestamp(t1 - 1));
            return QList<PeerReply>{{forged, false, false},
                                    {serverReply(req, t1 + 888888, t1 + 888888), true, false},
                                    {serverReply(req, t1 + 777777, t1 + 777777), false, true},
                                    {serverReply(req, t1 + ahead, t1 + ahead), false, false}};
        });
        QVERIFY(peer.ok());
        SkewedClock clock(0);
        SntpClient client(clock);
        client.setPort(peer.port());
        client.setTimeoutMs(2000);
        const SntpResult r = client.exchange(QStringLiteral("127.0.0.1"));
        QVERIFY2(r.ok(), qPrintable(r.errorText()));
        QVERIFY2(qAbs(r->offsetMs() - ahead) <= 20, qPrintable(QString::number(r->offsetMs())));
        // The request itself: 48 bytes, client mode, our transmit time.
        QCOMPARE(peer.lastRequest().size(), 48);
        QCOMPARE(quint8(peer.lastRequest()[0]), quint8(0x1B));
        QCOMPARE(sntp::toUnixMs(sntp::readTimestamp(peer.lastRequest(), 40)), r->t1);
    }

    void waitIsBoundedAndKeepsEventsFlowing()
    {
        // A server that never answers: the exchange ends at the limit, and timers (and with
        // them painting) keep running meanwhile.
        ScriptedPeer peer([](const QByteArray &) { return QList<PeerReply>{}; });
        SkewedClock clock(0);
        SntpClient client(clock);
        client.setPort(peer.port());
        client.setTimeoutMs(800);
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start(50);
        QElapsedTimer t;
        t.start();
        const SntpResult r = client.exchange(QStringLiteral("127.0.0.1"));
        const qint64 took = t.elapsed();
        QVERIFY(!r.ok());
        QVERIFY2(took >= 790 && took < 2500, qPrintable(QString::number(took))); // bounded, with room for a loaded machine
        QVERIFY2(ticks >= 8, qPrintable(QString::number(ticks)));
        QCOMPARE(peer.requests(), 1);
    }

    void unusableHosts()
    {
        SkewedClock clock(0);
        SntpClient client(clock);
        client.setPort(freeUdpPort());
        client.setTimeoutMs(1500);
        QElapsedTimer t;
        t.start();
        // Each says why in Russian (for the trace; the window shows its own notice).
        const QString unknown = client.exchange(QStringLiteral("no-such-host.invalid")).errorText();
        QVERIFY2(unknown.startsWith(QStringLiteral("Адрес сервера no-such-host.invalid не найден")), qPrintable(unknown));
        QCOMPARE(client.exchange(QStringLiteral("   ")).errorText(), QStringLiteral("Сервер времени не указан."));
        QCOMPARE(client.exchange(QStringLiteral("::1")).errorText(), QStringLiteral("Адрес ::1 — не адрес IPv4."));
        QVERIFY(t.elapsed() < 4000);
    }
};

QTEST_MAIN(TestSntpExchange)
#include "tst_sntp_exchange.moc"
