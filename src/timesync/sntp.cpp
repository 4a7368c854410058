#include "timesync/sntp.h"

#include <QCoreApplication>
#include <QtEndian>

namespace vireo::sntp {

namespace {

constexpr qint64 EraSeconds = qint64(1) << 32;

int leapIndicator(const QByteArray &p)
{
    return (quint8(p[0]) >> 6) & 3;
}
int mode(const QByteArray &p)
{
    return quint8(p[0]) & 7;
}
int stratum(const QByteArray &p)
{
    return quint8(p[1]);
}

// Floor division for times before 1970.
qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

Timestamp toTimestamp(qint64 unixMs)
{
    const qint64 unixSeconds = floorDiv(unixMs, 1000);
    const qint64 ms = unixMs - unixSeconds * 1000;
    const qint64 ntpSeconds = unixSeconds + NtpToUnixSeconds;
    Timestamp t;
    t.seconds = quint32(quint64(ntpSeconds) & 0xFFFFFFFFu);
    // Rounded up, so that reading the timestamp back truncates to the same millisecond.
    t.fraction = quint32((quint64(ms) * EraSeconds + 999) / 1000);
    return t;
}

qint64 toUnixMs(const Timestamp &t)
{
    qint64 ntpSeconds = t.seconds;
    if ((t.seconds & 0x80000000u) == 0)
        ntpSeconds += EraSeconds;
    const qint64 ms = qint64((quint64(t.fraction) * 1000) >> 32);
    return (ntpSeconds - NtpToUnixSeconds) * 1000 + ms;
}

Timestamp readTimestamp(const QByteArray &packet, int offset)
{
    Timestamp t;
    if (offset < 0 || packet.size() < offset + 8)
        return t;
    const auto *p = reinterpret_cast<const uchar *>(packet.constData()) + offset;
    t.seconds = qFromBigEndian<quint32>(p);
    t.fraction = qFromBigEndian<quint32>(p + 4);
    return t;
}

void writeTimestamp(QByteArray &packet, int offset, const Timestamp &t)
{
    if (packet.size() < offset + 8)
        packet.resize(offset + 8);
    auto *p = reinterpret_cast<uchar *>(packet.data()) + offset;
    qToBigEndian<quint32>(t.seconds, p);
    qToBigEndian<quint32>(t.fraction, p + 4);
}

QByteArray request(const Timestamp &transmit)
{
    QByteArray p(PacketSize, '\0');
    p[0] = char(0x1B); // LI 0, VN 3, mode 3 (client)
    writeTimestamp(p, 40, transmit);
    return p;
}

ReplyCheck checkReply(const QByteArray &reply, const Timestamp &sentTransmit)
{
    if (reply.size() < PacketSize)
        return ReplyCheck::Short;
    if (reply.size() > PacketSize)
        return ReplyCheck::TooLong;
    if (mode(reply) != 4)
        return ReplyCheck::NotServer;
    if (leapIndicator(reply) == 3)
        return ReplyCheck::Unsynchronised;
    if (stratum(reply) == 0 || stratum(reply) > 15)
        return ReplyCheck::BadStratum;
    if (readTimestamp(reply, 24) != sentTransmit)
        return ReplyCheck::WrongOriginate;
    if (readTimestamp(reply, 40).isZero())
        return ReplyCheck::NoTransmitTime;
    return ReplyCheck::Ok;
}

QString describe(ReplyCheck check)
{
    switch (check) {
    case ReplyCheck::Ok:
        return QCoreApplication::translate("vireo::Sntp", "ответ верен");
    case ReplyCheck::Short:
        return QCoreApplication::translate("vireo::Sntp", "ответ короче 48 байт");
    case ReplyCheck::TooLong:
        return QCoreApplication::translate("vireo::Sntp", "ответ длиннее 48 байт");
    case ReplyCheck::NotServer:
        return QCoreApplication::translate("vireo::Sntp", "ответил не сервер");
    case ReplyCheck::Unsynchronised:
        return QCoreApplication::translate("vireo::Sntp", "сервер не синхронизирован");
    case ReplyCheck::BadStratum:
        return QCoreApplication::translate("vireo::Sntp", "недопустимый уровень сервера (stratum)");
    case ReplyCheck::WrongOriginate:
        return QCoreApplication::translate("vireo::Sntp", "ответ не на этот запрос");
    case ReplyCheck::NoTransmitTime:
        return QCoreApplication::translate("vireo::Sntp", "в ответе нет времени отправки");
    }
    return QString();
}

qint64 Exchange::offsetMs() const
{
    // Halved with the sign kept symmetric (rounding towards zero either way).
    const qint64 sum = (t2 - t1) + (t3 - t4);
    return sum / 2;
}

qint64 Exchange::roundTripMs() const
{
    return (t4 - t1) - (t3 - t2);
}

Exchange exchangeFrom(const QByteArray &reply, qint64 t1, qint64 t4)
{
    Exchange e;
    e.t1 = t1;
    e.t2 = toUnixMs(readTimestamp(reply, 32));
    e.t3 = toUnixMs(readTimestamp(reply, 40));
    e.t4 = t4;
    return e;
}

QString formatOffset(qint64 offsetMs)
{
    const qint64 a = offsetMs < 0 ? -offsetMs : offsetMs;
    return QCoreApplication::translate("vireo::Sntp", "%1%2.%3 с")
        .arg(offsetMs < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(a / 1000)
        .arg(int(a % 1000), 3, 10, QLatin1Char('0'));
}

} // namespace vireo::sntp
