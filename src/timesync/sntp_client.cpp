#include "timesync/sntp_client.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QThread>
#include <QUdpSocket>

#include <memory>

namespace vireo {

namespace {

constexpr int SliceMs = 40;

void letWindowsRepaint()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The first IPv4 address of a host name, looked up without freezing the windows.
QHostAddress resolve(const QString &host, const QDeadlineTimer &deadline, QString *failure)
{
    QHostAddress literal;
    if (literal.setAddress(host)) {
        if (literal.protocol() == QAbstractSocket::IPv4Protocol)
            return literal;
        *failure = QStringLiteral("not an IPv4 address: ") + host;
        return QHostAddress();
    }

    auto done = std::make_shared<bool>(false);
    auto info = std::make_shared<QHostInfo>();
    QObject context;
    const int id = QHostInfo::lookupHost(host, &context, [done, info](const QHostInfo &result) {
        *info = result;
        *done = true;
    });
    while (!*done && !deadline.hasExpired()) {
        letWindowsRepaint();
        if (!*done)
            QThread::msleep(10);
    }
    if (!*done) {
        QHostInfo::abortHostLookup(id);
        *failure = QStringLiteral("name lookup timed out: ") + host;
        return QHostAddress();
    }
    if (info->error() != QHostInfo::NoError) {
        *failure = QStringLiteral("name lookup failed: ") + info->errorString();
        return QHostAddress();
    }
    for (const QHostAddress &a : info->addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a;
    *failure = QStringLiteral("no IPv4 address for ") + host;
    return QHostAddress();
}

} // namespace

SntpClient::SntpClient(const UtcClock &clock)
    : m_clock(clock)
{
}

SntpResult SntpClient::exchange(const QString &hostText) const
{
    SntpResult r;
    const QString host = hostText.trimmed();
    if (host.isEmpty()) {
        r.failure = QStringLiteral("no server given");
        return r;
    }
    const QDeadlineTimer deadline(m_timeoutMs);

    const QHostAddress server = resolve(host, deadline, &r.failure);
    if (server.isNull())
        return r;

    QUdpSocket socket;
    if (!socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        r.failure = QStringLiteral("bind: ") + socket.errorString();
        return r;
    }

    const qint64 t1 = m_clock.nowUtc().toMSecsSinceEpoch();
    const sntp::Timestamp sent = sntp::toTimestamp(t1);
    const QByteArray request = sntp::request(sent);
    if (socket.writeDatagram(request, server, m_port) != request.size()) {
        r.failure = QStringLiteral("send: ") + socket.errorString();
        return r;
    }

    while (!deadline.hasExpired()) {
        const int slice = int(qMin<qint64>(SliceMs, qMax<qint64>(1, deadline.remainingTime())));
        if (!socket.hasPendingDatagrams())
            socket.waitForReadyRead(slice);
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram d = socket.receiveDatagram();
            const qint64 t4 = m_clock.nowUtc().toMSecsSinceEpoch();
            if (!d.isValid())
                continue;
            // Only the server we asked may answer.
            if (!d.senderAddress().isEqual(server, QHostAddress::ConvertV4MappedToIPv4)
                || d.senderPort() != int(m_port))
                continue;
            const sntp::ReplyCheck check = sntp::checkReply(d.data(), sent);
            if (check == sntp::ReplyCheck::WrongOriginate)
                continue; // not an answer to this request: a stale or forged packet
            if (check != sntp::ReplyCheck::Ok) {
                r.failure = sntp::describe(check);
                return r;
            }
            r.times = sntp::exchangeFrom(d.data(), t1, t4);
            r.ok = true;
            return r;
        }
        letWindowsRepaint();
    }
    r.failure = QStringLiteral("no reply within %1 ms").arg(m_timeoutMs);
    return r;
}

} // namespace vireo
