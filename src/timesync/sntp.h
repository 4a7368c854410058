#pragma once
// One SNTP exchange, client side (RFC 4330): the request, the checks of the reply and the
// clock offset. Plain arithmetic on bytes and milliseconds; the network part lives in
// sntp_client.h.
//
// Times are milliseconds since 1970-01-01 00:00:00 UTC. Linux keeps its clock in UTC, so no
// time-zone bias enters the arithmetic.

#include <QByteArray>
#include <QString>

namespace vireo::sntp {

constexpr int PacketSize = 48;
constexpr quint16 DefaultPort = 123;
// Seconds from the NTP epoch (1900-01-01) to the Unix epoch (1970-01-01).
constexpr qint64 NtpToUnixSeconds = 2208988800LL;

// An NTP timestamp as it travels: seconds since 1900 and the fraction in units of 2^-32 s.
struct Timestamp {
    quint32 seconds = 0;
    quint32 fraction = 0;
    bool isZero() const { return seconds == 0 && fraction == 0; }
    bool operator==(const Timestamp &o) const { return seconds == o.seconds && fraction == o.fraction; }
    bool operator!=(const Timestamp &o) const { return !(*this == o); }
};

// Milliseconds since 1970 to an NTP timestamp. Times from 2036-02-07 06:28:16 UTC on fall into
// the next NTP era and wrap, as RFC 4330 lays down.
Timestamp toTimestamp(qint64 unixMs);
// An NTP timestamp to milliseconds since 1970; the fraction is truncated to whole milliseconds.
// Seconds with the top bit clear are read as the era starting 2036 (RFC 4330 section 3), so
// the range covered is 1968-01-20 to 2104-02-26.
qint64 toUnixMs(const Timestamp &t);

// Reads / writes the big-endian timestamp at a byte offset of a packet.
Timestamp readTimestamp(const QByteArray &packet, int offset);
void writeTimestamp(QByteArray &packet, int offset, const Timestamp &t);

// The 48-byte client request: leap indicator 0, version 3, mode 3, and the transmit timestamp.
QByteArray request(const Timestamp &transmit);

enum class ReplyCheck {
    Ok,
    Short, // fewer than 48 bytes
    TooLong, // more than 48 bytes (for example one carrying an authenticator)
    NotServer, // mode is not 4 (server)
    Unsynchronised, // leap indicator 3: the server's clock is not synchronised
    BadStratum, // stratum 0 (kiss-o'-death) or above 15
    WrongOriginate, // the originate timestamp does not echo our transmit timestamp
    NoTransmitTime, // the server's transmit timestamp is zero
};

// Checks a reply against the request's transmit timestamp.
ReplyCheck checkReply(const QByteArray &reply, const Timestamp &sentTransmit);
// What is wrong with a reply, as a clause of the interface ("сервер не синхронизирован").
QString describe(ReplyCheck check);

// The four times of one exchange, milliseconds since 1970.
struct Exchange {
    qint64 t1 = 0; // our transmit time (echoed back by the server as the originate timestamp)
    qint64 t2 = 0; // the server's receive time
    qint64 t3 = 0; // the server's transmit time
    qint64 t4 = 0; // our receipt time
    // θ = ((T2 − T1) + (T3 − T4)) / 2: how far the server's clock is ahead of ours.
    qint64 offsetMs() const;
    // δ = (T4 − T1) − (T3 − T2): the round trip spent on the network.
    qint64 roundTripMs() const;
    // The corrected time of receipt, T4 + θ: what the clock is set to (RFC 4330 section 5).
    qint64 correctedReceiptMs() const { return t4 + offsetMs(); }
};

// Times of a checked reply: T2 and T3 from the reply, T1 and T4 as given.
Exchange exchangeFrom(const QByteArray &reply, qint64 t1, qint64 t4);

// An offset for the user: sign, seconds with three decimals and "с", for example "+0.734 с".
QString formatOffset(qint64 offsetMs);

} // namespace vireo::sntp
