#include "timesync/sntp_client.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

namespace vireo {

SntpClient::SntpClient(const UtcClock &clock, QObject *parent) : QObject(parent), m_clock(clock)
{
    m_deadline = new QTimer(this);
    m_deadline->setSingleShot(true);
    m_deadline->setTimerType(Qt::PreciseTimer); // the limit as stated, not up to 5% early
    connect(m_deadline, &QTimer::timeout, this, [this] {
        finish(m_lookupId >= 0 ? Error(tr("Адрес сервера %1 не найден за отведённое время.").arg(m_host))
                               : Error(tr("Сервер %1 не ответил за %2 мс.").arg(m_host).arg(m_timeoutMs)));
    });
}

SntpClient::~SntpClient()
{
    m_deadline->stop();
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    m_socket.reset();
}

bool SntpClient::start(const QString &hostText)
{
    if (m_running)
        return false;
    m_running = true;
    ++m_serial;
    m_host = hostText.trimmed();
    if (m_host.isEmpty()) {
        finish(Error(tr("Сервер времени не указан.")));
        return true;
    }
    m_deadline->start(m_timeoutMs);

    QHostAddress literal;
    if (literal.setAddress(m_host)) {
        if (literal.protocol() == QAbstractSocket::IPv4Protocol)
            send(literal);
        else
            finish(Error(tr("Адрес %1 — не адрес IPv4.").arg(m_host)));
        return true;
    }
    const quint64 serial = m_serial;
    m_lookupId = QHostInfo::lookupHost(m_host, this, [this, serial](const QHostInfo &info) {
        if (serial == m_serial && m_lookupId >= 0)
            resolved(info);
    });
    return true;
}

void SntpClient::resolved(const QHostInfo &info)
{
    m_lookupId = -1;
    if (info.error() != QHostInfo::NoError) {
        finish(Error(tr("Адрес сервера %1 не найден (%2).").arg(m_host, info.errorString())));
        return;
    }
    for (const QHostAddress &a : info.addresses()) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol) {
            send(a);
            return;
        }
    }
    finish(Error(tr("У сервера %1 нет адреса IPv4.").arg(m_host)));
}

void SntpClient::send(const QHostAddress &server)
{
    m_server = server;
    m_socket = std::make_unique<QUdpSocket>();
    if (!m_socket->bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        finish(Error(tr("Не удалось открыть порт для запроса времени (%1).").arg(m_socket->errorString())));
        return;
    }
    connect(m_socket.get(), &QUdpSocket::readyRead, this, &SntpClient::readReplies);
    m_t1 = m_clock.nowUtc().toMSecsSinceEpoch();
    m_sent = sntp::toTimestamp(m_t1);
    const QByteArray request = sntp::request(m_sent);
    if (m_socket->writeDatagram(request, server, m_port) != request.size())
        finish(Error(tr("Запрос серверу %1 не отправлен (%2).").arg(m_host, m_socket->errorString())));
}

void SntpClient::readReplies()
{
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket->receiveDatagram();
        const qint64 t4 = m_clock.nowUtc().toMSecsSinceEpoch();
        if (!d.isValid())
            continue;
        // Only the server we asked may answer.
        if (!d.senderAddress().isEqual(m_server, QHostAddress::ConvertV4MappedToIPv4) || d.senderPort() != int(m_port))
            continue;
        const sntp::ReplyCheck check = sntp::checkReply(d.data(), m_sent);
        if (check == sntp::ReplyCheck::WrongOriginate)
            continue; // not an answer to this request: a stale or forged packet
        if (check != sntp::ReplyCheck::Ok) {
            finish(Error(tr("Ответ сервера %1 не принят: %2.").arg(m_host, sntp::describe(check))));
            return;
        }
        finish(sntp::exchangeFrom(d.data(), m_t1, t4));
        return;
    }
}

void SntpClient::stop()
{
    m_deadline->stop();
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->close();
        // Going from inside its own signal: deleted once that is over.
        m_socket.release()->deleteLater();
    }
}

void SntpClient::finish(const SntpResult &result)
{
    stop();
    // Handed on from an event of its own, so that whoever hears it (and may open a box) is not
    // inside the socket's or the timer's signal, nor inside start().
    const quint64 serial = m_serial;
    QMetaObject::invokeMethod(
        this,
        [this, serial, result] {
            if (serial != m_serial || !m_running)
                return;
            m_running = false;
            emit finished(result);
        },
        Qt::QueuedConnection);
}

void SntpClient::cancel()
{
    if (!m_running)
        return;
    stop();
    ++m_serial;
    m_running = false;
}

} // namespace vireo
