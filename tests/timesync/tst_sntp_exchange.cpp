// One SNTP exchange over loopback: against a real chronyd, and against a peer that sends
// forged, stale or broken replies.

#include "timesync/sntp_client.h"
#include "timesync/sntp_peers.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QSignalSpy>
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

// One exchange from start to its result, waiting for the signal; a failure text of its own
// when the result never came or came from within start().
SntpResult exchange(SntpClient &client, const QString &host)
{
    QSignalSpy finished(&client, &SntpClient::finished);
    if (!client.start(host))
        return Error(QStringLiteral("test: not started"));
    if (!finished.isEmpty())
        return Error(QStringLiteral("test: finished inside start()"));
    if (!finished.wait(client.timeoutMs() + 5000))
        return Error(QStringLiteral("test: no finished signal"));
    if (finished.size() != 1 || client.running())
        return Error(QStringLiteral("test: finished more than once"));
    return finished.first().first().value<SntpResult>();
}

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
        const SntpResult r = exchange(client, QStringLiteral(" 127.0.0.1 "));
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
        const SntpResult r2 = exchange(client2, QStringLiteral("localhost"));
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
        const SntpResult r = exchange(client, QStringLiteral("127.0.0.1"));
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
        const SntpResult r = exchange(client, QStringLiteral("127.0.0.1"));
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
        const SntpResult r = exchange(client, QStringLiteral("127.0.0.1"));
        const qint64 took = t.elapsed();
        QVERIFY(!r.ok());
        QCOMPARE(r.errorText(), QStringLiteral("Сервер 127.0.0.1 не ответил за 800 мс."));
        QVERIFY2(took >= 790 && took < 2500,
                 qPrintable(QString::number(took))); // bounded, with room for a loaded machine
        QVERIFY2(ticks >= 8, qPrintable(QString::number(ticks)));
        QCOMPARE(peer.requests(), 1);
    }

    void nothingRunsInsideTheExchange()
    {
        // The server answers at once; still nothing else of the program runs inside start(), and
        // the result comes only by the signal, once.
        ScriptedPeer peer([](const QByteArray &req) {
            const qint64 t1 = sntp::toUnixMs(sntp::readTimestamp(req, 40));
            return QList<PeerReply>{{serverReply(req, t1 + 1000, t1 + 1000), false, false}};
        });
        QVERIFY(peer.ok());
        SkewedClock clock(0);
        SntpClient client(clock);
        client.setPort(peer.port());
        bool fired = false;
        QTimer::singleShot(0, &client, [&fired] { fired = true; });
        QSignalSpy finished(&client, &SntpClient::finished);
        QVERIFY(client.start(QStringLiteral("127.0.0.1")));
        QVERIFY(!fired);
        QVERIFY(finished.isEmpty());
        QVERIFY(client.running());
        // One exchange at a time: a second start is refused and sends nothing.
        QVERIFY(!client.start(QStringLiteral("127.0.0.1")));
        QVERIFY(finished.wait(5000));
        QVERIFY(fired);
        QCOMPARE(finished.size(), 1);
        QVERIFY(!client.running());
        const SntpResult r = finished.first().first().value<SntpResult>();
        QVERIFY2(r.ok(), qPrintable(r.errorText()));
        QVERIFY2(qAbs(r->offsetMs() - 1000) <= 20, qPrintable(QString::number(r->offsetMs())));
        QCOMPARE(peer.requests(), 1);
        QVERIFY(!finished.wait(300)); // and only once

        // A failure known at once comes by the signal too, not from within start().
        QVERIFY(client.start(QStringLiteral("  ")));
        QVERIFY(finished.size() == 1);
        QVERIFY(finished.wait(1000));
        QCOMPARE(finished.last().first().value<SntpResult>().errorText(), QStringLiteral("Сервер времени не указан."));
    }

    void cancelledExchangeSaysNothing()
    {
        ScriptedPeer peer([](const QByteArray &req) {
            const qint64 t1 = sntp::toUnixMs(sntp::readTimestamp(req, 40));
            return QList<PeerReply>{{serverReply(req, t1, t1), false, false}};
        });
        SkewedClock clock(0);
        SntpClient client(clock);
        client.setPort(peer.port());
        client.setTimeoutMs(500);
        QSignalSpy finished(&client, &SntpClient::finished);
        QVERIFY(client.start(QStringLiteral("127.0.0.1")));
        client.cancel();
        QVERIFY(!client.running());
        QVERIFY(!finished.wait(1000)); // neither the reply nor the limit is heard of
        // The client serves the next exchange as before.
        ScriptedPeer next([](const QByteArray &req) {
            const qint64 t1 = sntp::toUnixMs(sntp::readTimestamp(req, 40));
            return QList<PeerReply>{{serverReply(req, t1, t1), false, false}};
        });
        client.setPort(next.port());
        const SntpResult r = exchange(client, QStringLiteral("127.0.0.1"));
        QVERIFY2(r.ok(), qPrintable(r.errorText()));
    }

    void unusableHosts()
    {
        SkewedClock clock(0);
        SntpClient client(clock);
        client.setPort(freeUdpPort());
        client.setTimeoutMs(1500);
        QElapsedTimer t;
        t.start();
        const SntpResult unknown = exchange(client, QStringLiteral("no-such-host.invalid"));
        QVERIFY(!unknown.ok());
        QVERIFY2(unknown.errorText().startsWith(QStringLiteral("Адрес сервера no-such-host.invalid не найден")),
                 qPrintable(unknown.errorText()));
        QCOMPARE(exchange(client, QStringLiteral("   ")).errorText(), QStringLiteral("Сервер времени не указан."));
        QCOMPARE(exchange(client, QStringLiteral("::1")).errorText(),
                 QStringLiteral("Адрес ::1 — не адрес IPv4.")); // IPv4 only
        QVERIFY(t.elapsed() < 4000);
    }
};

QTEST_MAIN(TestSntpExchange)
#include "tst_sntp_exchange.moc"
