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
Result<QHostAddress> resolve(const QString &host, const QDeadlineTimer &deadline)
{
    QHostAddress literal;
    if (literal.setAddress(host)) {
        if (literal.protocol() == QAbstractSocket::IPv4Protocol)
            return literal;
        return Error(QStringLiteral("Адрес %1 — не адрес IPv4.").arg(host));
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
        return Error(QStringLiteral("Адрес сервера %1 не найден за отведённое время.").arg(host));
    }
    if (info->error() != QHostInfo::NoError)
        return Error(QStringLiteral("Адрес сервера %1 не найден (%2).").arg(host, info->errorString()));
    for (const QHostAddress &a : info->addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a;
    return Error(QStringLiteral("У сервера %1 нет адреса IPv4.").arg(host));
}

} // namespace

SntpClient::SntpClient(const UtcClock &clock)
    : m_clock(clock)
{
}

SntpResult SntpClient::exchange(const QString &hostText) const
{
    const QString host = hostText.trimmed();
    if (host.isEmpty())
        return Error(QStringLiteral("Сервер времени не указан."));
    const QDeadlineTimer deadline(m_timeoutMs);

    const Result<QHostAddress> resolved = resolve(host, deadline);
    if (!resolved)
        return resolved.error();
    const QHostAddress server = *resolved;

    QUdpSocket socket;
    if (!socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0))
        return Error(QStringLiteral("Не удалось открыть порт для запроса времени (%1).").arg(socket.errorString()));

    const qint64 t1 = m_clock.nowUtc().toMSecsSinceEpoch();
    const sntp::Timestamp sent = sntp::toTimestamp(t1);
    const QByteArray request = sntp::request(sent);
    if (socket.writeDatagram(request, server, m_port) != request.size())
        return Error(QStringLiteral("Запрос серверу %1 не отправлен (%2).").arg(host, socket.errorString()));

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
            if (check != sntp::ReplyCheck::Ok)
                return Error(QStringLiteral("Ответ сервера %1 не принят: %2.").arg(host, sntp::describe(check)));
            return sntp::exchangeFrom(d.data(), t1, t4);
        }
        letWindowsRepaint();
    }
    return Error(QStringLiteral("Сервер %1 не ответил за %2 мс.").arg(host).arg(m_timeoutMs));
}

} // namespace vireo
