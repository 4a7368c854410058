#include "rig/rigctld_client.h"

#include "rig/rig_display.h"
#include "rig/rig_replies.h"
#include "rig/rigctld_supervisor.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace vireo {

namespace {

// A reply longer than this is not rigctld talking (\dump_caps is about 220 lines).
constexpr int MaxReplyLines = 2000;
constexpr int MaxBufferBytes = 256 * 1024;

// Seconds as the messages write them: "1,5".
QString seconds(int ms)
{
    return QString::number(ms / 1000.0).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString notRigctld()
{
    return QCoreApplication::translate("vireo::RigctldRadio", "на этом порту отвечает не rigctld");
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

// ---------------------------------------------------------------------------------------------

RigctldServer::RigctldServer(const RigctldSettings &settings, const RigProcessSeam &seam, QObject *parent)
    : RigServer(parent)
{
    for (int i = 0; i < 2; ++i) {
        const RadioSetup &setup = settings.radio[i];
        auto r = std::make_unique<RigctldRadio>(i + 1, setup, settings.pollMs, seam);
        RigctldRadio *radio = r.get();
        connect(radio, &RigctldRadio::typeChanged, this, &RigServer::rigTypeChange);
        connect(radio, &RigctldRadio::statusChanged, this, &RigServer::statusChange);
        connect(radio, &RigctldRadio::paramsChanged, this, &RigServer::paramsChange);
        connect(radio, &RigctldRadio::tuneDone, this, &RigServer::tuneDone);
        connect(radio, &RigctldRadio::firstAttempt, this, [this, i](bool answered) { firstAttemptDone(i, answered); });
        if (setup.kind == RadioKind::Own) {
            auto p = std::make_unique<RigctldProcess>(setup, seam);
            RigctldProcess *process = p.get();
            connect(process, &RigctldProcess::portChanged, radio, &RigctldRadio::setEndpoint);
            connect(process, &RigctldProcess::problemChanged, radio,
                    [radio, process] { radio->setProcessProblem(process->problem()); });
            // Once the radio answers, what rigctld said before is history.
            connect(radio, &RigctldRadio::statusChanged, process, [radio, process] {
                if (radio->status == StOnline)
                    process->clearProblem();
            });
            m_processes[i] = std::move(p);
        }
        m_radios[i] = std::move(r);
    }
}

RigctldServer::~RigctldServer()
{
    // The connections go first, so no radio sees its rigctld vanish; then the processes end.
    for (auto &r : m_radios)
        r.reset();
    for (auto &p : m_processes)
        p.reset();
}

void RigctldServer::start()
{
    m_firstAttemptsLeft = 0;
    for (auto &r : m_radios)
        if (r->configured())
            ++m_firstAttemptsLeft;
    if (m_firstAttemptsLeft == 0)
        return; // both radios switched off in the settings: the listener runs without a radio

    // The radio first, so its patience with a rigctld that is still opening the radio counts
    // from now; the process then tells it the port.
    for (int i = 0; i < 2; ++i) {
        m_radios[i]->start();
        if (m_processes[i])
            m_processes[i]->start();
    }
}

void RigctldServer::firstAttemptDone(int index, bool answered)
{
    m_anyAnswered = m_anyAnswered || answered;
    m_failedAtStart[index] = !answered;
    if (m_firstAttemptsLeft <= 0 || --m_firstAttemptsLeft > 0)
        return;
    // Said when no radio answered, and for a radio set up in the set-up window even when the
    // other did (the implied radio 2 of older settings files stays quiet then).
    bool tell = !m_anyAnswered;
    for (int i = 0; i < 2; ++i)
        tell = tell || (m_failedAtStart[i] && m_radios[i]->explicitSetup());
    // From the event loop: whoever hears of it may show a box, which must not run inside the
    // socket handling of a radio.
    if (tell)
        QTimer::singleShot(0, this, [this] { emit serverUnreachable(); });
}

QString RigctldServer::unreachableReason() const
{
    QStringList lines;
    for (int i = 0; i < 2; ++i) {
        if (!m_failedAtStart[i])
            continue;
        const RigctldRadio &r = *m_radios[i];
        if (m_processes[i]) {
            // The radio as the listener set it up, and what its rigctld said or did.
            const RadioSetup &setup = m_processes[i]->setup();
            const rig::RigProblem p =
                r.processProblem() != rig::RigProblem::None ? r.processProblem() : rig::RigProblem::NoAnswer;
            QString which = tr("модель Hamlib %1").arg(setup.model);
            if (!setup.device.isEmpty())
                which = tr("%1, порт %2").arg(which, setup.device);
            lines << tr("Радио %1 (%2, rigctld запускает Vireo): %3")
                         .arg(QString::number(i + 1), which, rig::problemText(p, setup.device));
        } else {
            const QString why = r.lastFailure().isEmpty() ? tr("не отвечает") : r.lastFailure();
            lines << tr("Радио %1: rigctld по адресу %2:%3 недоступен: %4.")
                         .arg(i + 1)
                         .arg(r.host())
                         .arg(r.port())
                         .arg(why);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

void RigctldServer::tune(int rig, qint64 hz, const QString &modeName)
{
    if (rig != 1 && rig != 2) {
        RigServer::tune(rig, hz, modeName);
        return;
    }
    m_radios[rig - 1]->tune(hz, modeName);
}

QString RigctldServer::modeName(int rig) const
{
    const RigctldRadio *r = radio(rig);
    return r ? r->modeName : QString();
}

RigctldProcess *RigctldServer::process(int rig) const
{
    return rig == 1 || rig == 2 ? m_processes[rig - 1].get() : nullptr;
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

RigctldRadio::RigctldRadio(int rig, const RadioSetup &setup, int pollMs, const RigProcessSeam &seam, QObject *parent)
    : QObject(parent),
      m_rig(rig),
      m_own(setup.kind == RadioKind::Own),
      m_configured(setup.kind == RadioKind::Own
                   || (setup.kind == RadioKind::Remote && setup.port != 0 && !setup.host.trimmed().isEmpty())),
      m_explicit(setup.explicitKind),
      m_host(m_own ? QStringLiteral("127.0.0.1") : setup.host.trimmed()),
      m_port(m_own ? 0 : setup.port),
      m_pollMs(pollMs),
      m_seam(seam)
{
    if (m_own) {
        type = QStringLiteral("Hamlib %1").arg(setup.model);
        status = RigServer::StPortBusy;
        statusStr = tr("Запуск rigctld...");
    } else if (m_configured) {
        type = QStringLiteral("rigctld %1:%2").arg(m_host).arg(m_port);
        status = RigServer::StPortBusy;
        statusStr = tr("Подключение...");
    } else {
        type = tr("Радио-%1").arg(rig);
        status = RigServer::StNotConfigured;
        statusStr = tr("не настроено");
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
    m_startMs = m_seam.monotonicNow();
    if (configured() && m_port != 0 && m_step == Step::Down && !m_next->isActive())
        connectNow();
}

void RigctldRadio::setEndpoint(quint16 port)
{
    if (port == m_port)
        return;
    if (m_tune || m_wantedTune)
        reportTune(Error(rig::tuneLostText(m_rig, tr("rigctld запущен заново"))));
    m_tune.reset();
    m_wantedTune.reset();
    m_port = port;
    m_step = Step::Down;
    m_deadline->stop();
    m_next->stop();
    m_socket->abort();
    m_retryMs = RigctldServer::FirstRetryMs;
    connectNow();
}

void RigctldRadio::setProcessProblem(rig::RigProblem problem)
{
    m_problem = problem;
    if (problem == rig::RigProblem::None || status == RigServer::StOnline)
        return;
    publish(RigServer::StPortBusy, rig::problemShort(problem), frequency, mode);
    // rigctld cannot serve the radio: the start has failed, whatever the connection does.
    reportFirstAttempt(false);
}

bool RigctldRadio::mayStillBeStarting() const
{
    // A rigctld that Vireo has just started refuses connections while it opens the radio.
    return m_own && !m_connectedOnce && m_problem == rig::RigProblem::None
           && m_seam.monotonicNow() - m_startMs < RigctldServer::OwnStartPatienceMs;
}

void RigctldRadio::connectNow()
{
    if (m_port == 0) {
        m_step = Step::Down;
        return;
    }
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
    m_connectedOnce = true;
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
        fail(RigServer::StPortBusy, tr("Неверный ответ"), notRigctld());
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
            fail(RigServer::StPortBusy, tr("Неверный ответ"), notRigctld());
            return;
        }
        send("\\dump_caps", Step::Caps, false);
        return;
    }
    case Step::SetMode:
    case Step::SetFreq:
    case Step::RestoreMode: {
        // A set answers with its report line alone.
        if (!line.startsWith(QLatin1String("RPRT ")))
            return;
        m_deadline->stop();
        bool numeric = false;
        const int code = line.mid(5).trimmed().toInt(&numeric);
        if (!numeric) {
            fail(RigServer::StPortBusy, tr("Неверный ответ"), notRigctld());
            return;
        }
        onSetReply(code);
        return;
    }
    case Step::Caps:
    case Step::Freq:
    case Step::Mode:
        if (!line.startsWith(QLatin1String("RPRT "))) {
            m_reply.append(line);
            if (m_reply.size() > MaxReplyLines)
                fail(RigServer::StPortBusy, tr("Неверный ответ"), notRigctld());
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
            fail(RigServer::StPortBusy, tr("Неверный ответ"), notRigctld());
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
    const QString name = ok ? valueOf(m_reply, QStringLiteral("Mode:")) : QString();
    const quint32 bit = rig::modeBitFromName(name);
    m_step = Step::Idle;
    if (m_haveFreq)
        modeName = name;
    if (m_haveFreq)
        publish(RigServer::StOnline, QStringLiteral("On-line"), m_polledFreq, bit);
    else
        publish(RigServer::StNotResponding, tr("Радио не отвечает"), frequency, mode);
    if (m_step != Step::Idle)
        return;
    if (m_wantedTune)
        startTune();
    else
        m_next->start(m_pollMs);
}

void RigctldRadio::tune(qint64 hz, const QString &modeName)
{
    if (status != RigServer::StOnline) {
        reportTune(Error(rig::notOnlineText(m_rig)));
        return;
    }
    Tune t;
    t.hz = hz;
    t.mode = modeName.trimmed();
    // One command at a time: a poll under way ends first, and a tune being sent goes on.
    m_wantedTune = t;
    if (m_step == Step::Idle) {
        m_next->stop();
        startTune();
    }
}

void RigctldRadio::startTune()
{
    m_tune = m_wantedTune;
    m_wantedTune.reset();
    if (!m_tune->mode.isEmpty()) {
        m_tune->oldMode = modeName;
        sendSet(QStringLiteral("M"), QStringLiteral(" %1 -1").arg(m_tune->mode), Step::SetMode); // -1: passband kept
    } else {
        sendSet(QStringLiteral("F"), QStringLiteral(" %1").arg(m_tune->hz), Step::SetFreq);
    }
}

void RigctldRadio::sendSet(const QString &command, const QString &arguments, Step step)
{
    // In VFO mode (-o) the VFO comes first: "F currVFO 14025000".
    m_step = step;
    m_reply.clear();
    m_socket->write((command + m_vfoArg + arguments).toLatin1() + '\n');
    m_deadline->start(RigctldServer::ReplyTimeoutMs);
}

void RigctldRadio::onSetReply(int code)
{
    switch (m_step) {
    case Step::SetMode:
        if (code < 0) {
            finishTune(Error(rig::modeRefusedText(m_rig, m_tune->mode, code)));
            return;
        }
        sendSet(QStringLiteral("F"), QStringLiteral(" %1").arg(m_tune->hz), Step::SetFreq);
        return;
    case Step::SetFreq:
        if (code >= 0) {
            finishTune(m_tune->hz);
            return;
        }
        m_tune->problem = rig::frequencyRefusedText(m_rig, m_tune->hz, code);
        // The radio stays as it was: a mode it took goes back.
        if (!m_tune->mode.isEmpty() && !m_tune->oldMode.isEmpty() && m_tune->oldMode != m_tune->mode) {
            sendSet(QStringLiteral("M"), QStringLiteral(" %1 -1").arg(m_tune->oldMode), Step::RestoreMode);
            return;
        }
        finishTune(Error(m_tune->problem));
        return;
    case Step::RestoreMode:
        finishTune(Error(m_tune->problem));
        return;
    default:
        return;
    }
}

void RigctldRadio::finishTune(const TuneResult &result)
{
    m_tune.reset();
    reportTune(result);
    // Another tune asked for meanwhile goes next; otherwise the radio is read at once, so that
    // the frequency box follows the tune without waiting for the next poll.
    m_step = Step::Idle;
    if (m_wantedTune)
        startTune();
    else
        poll();
}

void RigctldRadio::reportTune(const TuneResult &result)
{
    // From the event loop, so that whoever hears of it may tune again at once.
    QMetaObject::invokeMethod(
        this, [this, result] { emit tuneDone(m_rig, result); }, Qt::QueuedConnection);
}

void RigctldRadio::poll()
{
    send("+f", Step::Freq, true);
}

void RigctldRadio::onTimeout()
{
    if (m_step == Step::Connecting)
        fail(RigServer::StPortBusy, tr("Нет связи"),
             tr("нет ответа на подключение за %1 с").arg(seconds(RigctldServer::ConnectTimeoutMs)));
    else if (m_step != Step::Down && m_step != Step::Idle)
        fail(RigServer::StNotResponding, tr("Не отвечает"),
             tr("rigctld не ответил на команду за %1 с").arg(seconds(RigctldServer::ReplyTimeoutMs)));
}

void RigctldRadio::onSocketGone()
{
    if (m_step == Step::Down)
        return;
    QString why;
    switch (m_socket->error()) {
    case QAbstractSocket::ConnectionRefusedError:
        why = tr("подключение отклонено, на этом порту никто не ждёт подключений "
                 "(rigctld не запущен или слушает другой порт)");
        break;
    case QAbstractSocket::HostNotFoundError:
        why = tr("адрес %1 не найден").arg(m_host);
        break;
    case QAbstractSocket::RemoteHostClosedError:
        why = tr("rigctld закрыл соединение");
        break;
    case QAbstractSocket::NetworkError:
        why = tr("сеть недоступна (%1)").arg(m_socket->errorString());
        break;
    default:
        why = tr("ошибка соединения (%1)").arg(m_socket->errorString());
        break;
    }
    fail(RigServer::StPortBusy, tr("Нет связи"), why);
}

void RigctldRadio::fail(int st, const QString &text, const QString &why)
{
    m_lastFailure = why;
    // A tune under way or waiting is over: the radio was not reached.
    if (m_tune || m_wantedTune)
        reportTune(Error(rig::tuneLostText(m_rig, why)));
    m_tune.reset();
    m_wantedTune.reset();
    m_step = Step::Down; // before abort(): the socket's own signals are ignored from here
    m_deadline->stop();
    m_socket->abort();
    m_buffer.clear();
    m_reply.clear();
    m_next->start(m_retryMs);
    m_retryMs = std::min(m_retryMs * 2, RigctldServer::MaxRetryMs);
    // For a radio Vireo runs, what its rigctld said tells more than the connection.
    const QString shown = m_own && m_problem != rig::RigProblem::None ? rig::problemShort(m_problem) : text;
    publish(st, shown, frequency, mode);
    if (!mayStillBeStarting())
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

std::unique_ptr<RigServer> makeRigctldServer(const QString &settingsPath, const RigProcessSeam &seam)
{
    return std::make_unique<RigctldServer>(RigctldSettings::read(settingsPath), seam);
}

} // namespace vireo
