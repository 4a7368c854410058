// The SNTP packet, timestamps, reply checks and offset, without any network.

#include "timesync/sntp.h"

#include <QDateTime>
#include <QTest>

using namespace vireo;
using namespace vireo::sntp;

namespace {

qint64 utcMs(int y, int mo, int d, int h, int mi, int s, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC).toMSecsSinceEpoch();
}

QByteArray goodReply(const Timestamp &originate)
{
    QByteArray r(PacketSize, '\0');
    r[0] = char(0x1C); // LI 0, VN 3, mode 4
    r[1] = char(2);
    writeTimestamp(r, 24, originate);
    writeTimestamp(r, 32, toTimestamp(utcMs(2026, 3, 5, 12, 0, 0, 100)));
    writeTimestamp(r, 40, toTimestamp(utcMs(2026, 3, 5, 12, 0, 0, 101)));
    return r;
}

} // namespace

class TestSntp : public QObject {
    Q_OBJECT
private slots:
    void requestLayout()
    {
        const QByteArray p = request(toTimestamp(utcMs(1970, 1, 1, 0, 0, 0, 500)));
        QCOMPARE(p.size(), 48);
        QCOMPARE(quint8(p[0]), quint8(0x1B));
        QCOMPARE(p.mid(1, 39), QByteArray(39, '\0'));
        // 2208988800 s = 0x83AA7E80, half a second = 0x80000000, both big-endian.
        QCOMPARE(p.mid(40).toHex(), QByteArray("83aa7e8080000000"));
    }

    void timestamps_data()
    {
        QTest::addColumn<quint32>("seconds");
        QTest::addColumn<quint32>("fraction");
        QTest::addColumn<qint64>("unixMs");
        QTest::newRow("unix epoch") << 0x83AA7E80u << 0u << qint64(0);
        QTest::newRow("fraction truncated, not rounded") << 0x83AA7E80u << 0xFFFFFFFFu << qint64(999);
        QTest::newRow("just under 1 ms") << 0x83AA7E80u << 4294967u << qint64(0);
        QTest::newRow("noon and a half") << quint32(utcMs(2026, 3, 5, 12, 0, 0) / 1000 + NtpToUnixSeconds)
                                         << 0x80000000u << utcMs(2026, 3, 5, 12, 0, 0, 500);
        // Seconds with the top bit clear belong to the era that starts in 2036.
        QTest::newRow("era 1 starts") << 0u << 0u << utcMs(2036, 2, 7, 6, 28, 16);
        QTest::newRow("last second of era 0") << 0xFFFFFFFFu << 0u << utcMs(2036, 2, 7, 6, 28, 15);
        QTest::newRow("2040 in era 1") << quint32(utcMs(2040, 1, 1, 0, 0, 0) / 1000 + NtpToUnixSeconds
                                                  - (qint64(1) << 32))
                                       << 0u << utcMs(2040, 1, 1, 0, 0, 0);
    }
    void timestamps()
    {
        QFETCH(quint32, seconds);
        QFETCH(quint32, fraction);
        QFETCH(qint64, unixMs);
        QCOMPARE(toUnixMs({seconds, fraction}), unixMs);
    }

    void timestampsRoundTripEveryMillisecond()
    {
        // What we send as T1 must read back as the same millisecond.
        const qint64 base = utcMs(2026, 12, 8, 6, 0, 0);
        for (qint64 ms = base - 1000; ms <= base + 1000; ++ms)
            QCOMPARE(toUnixMs(toTimestamp(ms)), ms);
        QCOMPARE(toUnixMs(toTimestamp(utcMs(2050, 6, 1, 0, 0, 0, 1))), utcMs(2050, 6, 1, 0, 0, 0, 1));
        QCOMPARE(toUnixMs(toTimestamp(-1)), qint64(-1));
    }

    void replyChecks_data()
    {
        const Timestamp sent = toTimestamp(utcMs(2026, 3, 5, 12, 0, 0, 50));
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("expected");
        const QByteArray good = goodReply(sent);
        auto with = [&](int byte, int value) {
            QByteArray r = good;
            r[byte] = char(value);
            return r;
        };
        QTest::newRow("good") << good << int(ReplyCheck::Ok);
        QTest::newRow("stratum 15 still good") << with(1, 15) << int(ReplyCheck::Ok);
        QTest::newRow("leap 1 (second added today) still good") << with(0, 0x5C) << int(ReplyCheck::Ok);
        QTest::newRow("version 4 reply") << with(0, 0x24) << int(ReplyCheck::Ok);
        QTest::newRow("40 bytes") << good.left(40) << int(ReplyCheck::Short);
        QTest::newRow("47 bytes") << good.left(47) << int(ReplyCheck::Short);
        QTest::newRow("empty") << QByteArray() << int(ReplyCheck::Short);
        QTest::newRow("68 bytes with authenticator") << good + QByteArray(20, '\x11') << int(ReplyCheck::TooLong);
        QTest::newRow("49 bytes") << good + QByteArray(1, '\0') << int(ReplyCheck::TooLong);
        QTest::newRow("leap 3") << with(0, 0xDC) << int(ReplyCheck::Unsynchronised);
        QTest::newRow("stratum 0 (kiss-o'-death)") << with(1, 0) << int(ReplyCheck::BadStratum);
        QTest::newRow("stratum 16") << with(1, 16) << int(ReplyCheck::BadStratum);
        QTest::newRow("stratum 255") << with(1, 255) << int(ReplyCheck::BadStratum);
        QTest::newRow("our own request echoed") << with(0, 0x1B) << int(ReplyCheck::NotServer);
        QTest::newRow("broadcast mode") << with(0, 0x1D) << int(ReplyCheck::NotServer);
        QByteArray wrongOriginate = good;
        writeTimestamp(wrongOriginate, 24, toTimestamp(utcMs(2026, 3, 5, 12, 0, 0, 51)));
        QTest::newRow("originate one ms off") << wrongOriginate << int(ReplyCheck::WrongOriginate);
        QByteArray noTransmit = good;
        writeTimestamp(noTransmit, 40, Timestamp());
        QTest::newRow("zero transmit timestamp") << noTransmit << int(ReplyCheck::NoTransmitTime);
    }
    void replyChecks()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, expected);
        const Timestamp sent = toTimestamp(utcMs(2026, 3, 5, 12, 0, 0, 50));
        QCOMPARE(int(checkReply(reply, sent)), expected);
    }

    void offsetAndCorrectedTime()
    {
        // Server 734 ms ahead, 20 ms each way, 5 ms holding time.
        Exchange e;
        e.t1 = 1000;
        e.t2 = 1000 + 20 + 734;
        e.t3 = e.t2 + 5;
        e.t4 = 1000 + 45;
        QCOMPARE(e.offsetMs(), qint64(734));
        QCOMPARE(e.roundTripMs(), qint64(40));
        // The clock goes to the receipt time plus the offset: 1045 + 734 (the server's holding
        // time is not added on top).
        QCOMPARE(e.correctedReceiptMs(), qint64(1779));

        // A computer 2.5 s ahead of the server.
        Exchange late{10000, 7510, 7512, 10022};
        QCOMPARE(late.offsetMs(), qint64(-2500));
        QCOMPARE(late.correctedReceiptMs(), qint64(7522));
    }

    void exchangeReadsServerTimes()
    {
        const qint64 t1 = utcMs(2026, 3, 5, 12, 0, 0, 50);
        const QByteArray reply = goodReply(toTimestamp(t1));
        const Exchange e = exchangeFrom(reply, t1, t1 + 70);
        QCOMPARE(e.t2, utcMs(2026, 3, 5, 12, 0, 0, 100));
        QCOMPARE(e.t3, utcMs(2026, 3, 5, 12, 0, 0, 101));
        QCOMPARE(e.offsetMs(), qint64(15)); // ((100-50) + (101-120)) / 2 = 15.5, towards zero
    }

    void offsetTexts_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("ahead") << qint64(734) << QStringLiteral("+0.734 с");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("+0.000 с");
        QTest::newRow("five ms") << qint64(5) << QStringLiteral("+0.005 с");
        QTest::newRow("behind") << qint64(-1500) << QStringLiteral("-1.500 с");
        QTest::newRow("hours") << qint64(3 * 3600 * 1000 + 7) << QStringLiteral("+10800.007 с");
    }
    void offsetTexts()
    {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(formatOffset(ms), text);
    }
};

QTEST_MAIN(TestSntp)
#include "tst_sntp.moc"
