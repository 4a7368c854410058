#include "rig/rigctld_client.h"

#include "base/ini_file.h"
#include "rig/rig_display.h"

#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace vireo {

namespace {

const QString kSection = QStringLiteral("Rig");

// A reply longer than this is not rigctld talking (\dump_caps is about 220 lines).
constexpr int MaxReplyLines = 2000;
constexpr int MaxBufferBytes = 256 * 1024;

quint16 readPort(const IniFile &ini, const QString &key, quint16 defaultPort)
{
    const int p = ini.readInteger(kSection, key, defaultPort);
    return p >= 0 && p <= 65535 ? quint16(p) : defaultPort;
}

// "Key: value" of an extended-protocol reply.
QString valueOf(const QStringList &lines, const QString &key)
{
    for (const QString &l : lines)
        if (l.startsWith(key))
            return l.mid(key.size()).trimmed();
    return QString();
}

} // namespace

RigctldSettings RigctldSettings::read(const QString &settingsPath)
{
    RigctldSettings s;
    const IniFile ini(settingsPath);
    s.host[0] = ini.readString(kSection, QStringLiteral("Host1"), s.host[0]);
    s.port[0] = readPort(ini, QStringLiteral("Port1"), s.port[0]);
    s.host[1] = ini.readString(kSection, QStringLiteral("Host2"), s.host[1]);
    s.port[1] = readPort(ini, QStringLiteral("Port2"), s.port[1]);
    s.pollMs = std::clamp(ini.readInteger(kSection, QStringLiteral("PollInterval"), DefaultPollMs), 50, 5000);
    s.command = ini.readString(kSection, QStringLiteral("Command"), QString());
    return s;
}

// ---------------------------------------------------------------------------------------------

RigctldServer::RigctldServer(const RigctldSettings &settings, QObject *parent)
    : RigServer(parent)
{
    for (int i = 0; i < 2; ++i) {
        auto r = std::make_unique<RigctldRadio>(i + 1, settings.host[i], settings.port[i], settings.pollMs);
        connect(r.get(), &RigctldRadio::typeChanged, this, &RigServer::rigTypeChange);
        connect(r.get(), &RigctldRadio::statusChanged, this, &RigServer::statusChange);
        connect(r.get(), &RigctldRadio::paramsChanged, this, &RigServer::paramsChange);
        connect(r.get(), &RigctldRadio::firstAttempt, this, &RigctldServer::firstAttemptDone);
        m_radios[i] = std::move(r);
    }
}

RigctldServer::~RigctldServer() = default;

void RigctldServer::start()
{
    m_firstAttemptsLeft = 0;
    for (auto &r : m_radios)
        if (r->configured())
            ++m_firstAttemptsLeft;
    if (m_firstAttemptsLeft == 0)
        return; // both radios switched off in the settings: the listener runs without a radio

    for (auto &r : m_radios)
        r->start();
}

void RigctldServer::firstAttemptDone(bool answered)
{
    m_anyAnswered = m_anyAnswered || answered;
    // From the event loop: whoever hears of it may show a box, which must not run inside the
    // socket handling of a radio.
    if (m_firstAttemptsLeft > 0 && --m_firstAttemptsLeft == 0 && !m_anyAnswered)
        QTimer::singleShot(0, this, [this] { emit serverUnreachable(); });
}

const RigctldRadio *RigctldServer::radio(int rig) const
{
    return rig == 1 || rig == 2 ? m_radios[rig - 1].get() : nullptr;
}

QString RigctldServer::rigType(int rig) const
{
    const RigctldRadio *r = radio(rig);
    return r ? r->type : QString();
}

int RigctldServer::status(int rig) const
{
    const RigctldRadio *r = radio(rig);
    return r ? r->status : StNotConfigured;
}

QString RigctldServer::statusStr(int rig) const
{
    const RigctldRadio *r = radio(rig);
    return r ? r->statusStr : QString();
}

quint32 RigctldServer::mode(int rig) const
{
    const RigctldRadio *r = radio(rig);
    return r ? r->mode : 0;
}

qint64 RigctldServer::rxFrequency(int rig) const
{
    const RigctldRadio *r = radio(rig);
    return r ? r->frequency : 0;
}

// ---------------------------------------------------------------------------------------------

RigctldRadio::RigctldRadio(int rig, const QString &host, quint16 port, int pollMs, QObject *parent)
    : QObject(parent), m_rig(rig), m_host(host.trimmed()), m_port(port), m_pollMs(pollMs)
{
    if (configured()) {
        type = QStringLiteral("rigctld %1:%2").arg(m_host).arg(m_port);
        status = RigServer::StPortBusy;
        statusStr = QStringLiteral("Подключение...");
    } else {
        type = QStringLiteral("rigctld");
        status = RigServer::StNotConfigured;
        statusStr = QStringLiteral("Не настроено");
    }

    m_socket = new QTcpSocket(this);
    m_deadline = new QTimer(this);
    m_deadline->setSingleShot(true);
    m_next = new QTimer(this);
    m_next->setSingleShot(true);

    connect(m_socket, &QTcpSocket::connected, this, &RigctldRadio::onConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &RigctldRadio::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &RigctldRadio::onSocketGone);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &RigctldRadio::onSocketGone);
    connect(m_deadline, &QTimer::timeout, this, &RigctldRadio::onTimeout);
    connect(m_next, &QTimer::timeout, this, [this] {
        if (m_step == Step::Down)
            connectNow();
        else if (m_step == Step::Idle)
            poll();
    });
}

RigctldRadio::~RigctldRadio()
{
    // No notification may leave a radio that is being taken apart.
    m_socket->disconnect(this);
    m_step = Step::Down;
    m_socket->abort();
}

void RigctldRadio::start()
{
    if (configured() && m_step == Step::Down && !m_next->isActive())
        connectNow();
}

void RigctldRadio::connectNow()
{
    m_step = Step::Connecting;
    m_buffer.clear();
    m_reply.clear();
    m_socket->abort();
    m_socket->connectToHost(m_host, m_port);
    m_deadline->start(RigctldServer::ConnectTimeoutMs);
}

void RigctldRadio::onConnected()
{
    if (m_step != Step::Connecting)
        return;
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // Whether rigctld runs in VFO mode (-o), where every command names its VFO.
    send("\\chk_vfo", Step::CheckVfo, false);
}

void RigctldRadio::send(const char *command, Step step, bool withVfo)
{
    m_step = step;
    m_reply.clear();
    QByteArray line(command);
    if (withVfo)
        line += m_vfoArg.toLatin1();
    line += '\n';
    m_socket->write(line);
    m_deadline->start(RigctldServer::ReplyTimeoutMs);
}

void RigctldRadio::onReadyRead()
{
    m_buffer += m_socket->readAll();
    if (m_step == Step::Down || m_step == Step::Connecting) {
        m_buffer.clear();
        return;
    }
    if (m_buffer.size() > MaxBufferBytes) {
        fail(RigServer::StPortBusy, QStringLiteral("Неверный ответ"));
        return;
    }
    int eol;
    while ((eol = m_buffer.indexOf('\n')) >= 0) {
        QByteArray raw = m_buffer.left(eol);
        m_buffer.remove(0, eol + 1);
        if (raw.endsWith('\r'))
            raw.chop(1);
        onLine(QString::fromLatin1(raw));
        if (m_step == Step::Down)
            break;
    }
}

void RigctldRadio::onLine(const QString &line)
{
    switch (m_step) {
    case Step::CheckVfo: {
        // "0" or "1"; an older rigctld without the command answers with an error report.
        const QString v = line.trimmed();
        if (v == QLatin1String("1"))
            m_vfoArg = QStringLiteral(" currVFO");
        else if (v == QLatin1String("0") || v.startsWith(QLatin1String("RPRT ")))
            m_vfoArg.clear();
        else {
            fail(RigServer::StPortBusy, QStringLiteral("Неверный ответ"));
            return;
        }
        send("\\dump_caps", Step::Caps, false);
        return;
    }
    case Step::Caps:
    case Step::Freq:
    case Step::Mode:
        if (!line.startsWith(QLatin1String("RPRT "))) {
            m_reply.append(line);
            if (m_reply.size() > MaxReplyLines)
                fail(RigServer::StPortBusy, QStringLiteral("Неверный ответ"));
            return;
        }
        break;
    default:
        return; // nothing was asked
    }

    m_deadline->stop();
    bool okCode = false;
    const int code = line.mid(5).trimmed().toInt(&okCode);
    const bool ok = okCode && code == 0;

    if (m_step == Step::Caps) {
        const QString mfg = valueOf(m_reply, QStringLiteral("Mfg name:"));
        const QString model = valueOf(m_reply, QStringLiteral("Model name:"));
        if (!okCode) {
            fail(RigServer::StPortBusy, QStringLiteral("Неверный ответ"));
            return;
        }
        // rigctld has answered: from now on a failure is a lost connection, not a missing server.
        m_retryMs = RigctldServer::FirstRetryMs;
        const QString t = (mfg + QLatin1Char(' ') + model).trimmed();
        if (!t.isEmpty() && t != type) {
            type = t;
            emit typeChanged(m_rig);
        }
        reportFirstAttempt(true);
        poll();
        return;
    }
    if (m_step == Step::Freq) {
        const QString f = valueOf(m_reply, QStringLiteral("Frequency:"));
        bool numeric = false;
        const double hz = f.toDouble(&numeric);
        m_haveFreq = ok && numeric && std::isfinite(hz) && hz >= 0 && hz < 1e12;
        m_polledFreq = m_haveFreq ? qint64(std::llround(hz)) : 0;
        send("+m", Step::Mode, true);
        return;
    }
    // Step::Mode
    const quint32 bit = ok ? rig::modeBitFromName(valueOf(m_reply, QStringLiteral("Mode:"))) : 0;
    m_step = Step::Idle;
    if (m_haveFreq)
        publish(RigServer::StOnline, QStringLiteral("On-line"), m_polledFreq, bit);
    else
        publish(RigServer::StNotResponding, QStringLiteral("Радио не отвечает"), frequency, mode);
    if (m_step == Step::Idle)
        m_next->start(m_pollMs);
}

void RigctldRadio::poll()
{
    send("+f", Step::Freq, true);
}

void RigctldRadio::onTimeout()
{
    if (m_step == Step::Connecting)
        fail(RigServer::StPortBusy, QStringLiteral("Нет связи"));
    else if (m_step != Step::Down && m_step != Step::Idle)
        fail(RigServer::StNotResponding, QStringLiteral("Не отвечает"));
}

void RigctldRadio::onSocketGone()
{
    if (m_step == Step::Down)
        return;
    fail(RigServer::StPortBusy, QStringLiteral("Нет связи"));
}

void RigctldRadio::fail(int st, const QString &text)
{
    m_step = Step::Down; // before abort(): the socket's own signals are ignored from here
    m_deadline->stop();
    m_socket->abort();
    m_buffer.clear();
    m_reply.clear();
    m_next->start(m_retryMs);
    m_retryMs = std::min(m_retryMs * 2, RigctldServer::MaxRetryMs);
    publish(st, text, frequency, mode);
    reportFirstAttempt(false);
}

void RigctldRadio::publish(int st, const QString &text, qint64 freq, quint32 modeBit)
{
    const bool wasOnline = status == RigServer::StOnline;
    const bool online = st == RigServer::StOnline;
    const bool statusMoved = st != status || text != statusStr;
    int params = 0;
    if (online && freq != frequency)
        params |= RigServer::PM_FREQ;
    if (online && modeBit != mode)
        params |= int(modeBit);
    status = st;
    statusStr = text;
    if (online) {
        frequency = freq;
        mode = modeBit;
    }
    if (statusMoved)
        emit statusChanged(m_rig);
    // Going off line changes what the radio's parameters mean, so the window hears of it too.
    if (params != 0 || online != wasOnline)
        emit paramsChanged(m_rig, params);
}

void RigctldRadio::reportFirstAttempt(bool answered)
{
    if (m_firstReported)
        return;
    m_firstReported = true;
    emit firstAttempt(answered);
}

// ---------------------------------------------------------------------------------------------

std::unique_ptr<RigServer> makeRigctldServer(const QString &settingsPath)
{
    return std::make_unique<RigctldServer>(RigctldSettings::read(settingsPath));
}

} // namespace vireo
