#include "rig/rig_check.h"

#include "rig/rig_display.h"
#include "rig/rigctld_client.h"
#include "rig/rigctld_supervisor.h"

#include <QTimer>

namespace vireo {

RigCheck::RigCheck(const RadioSetup &setup, const RigProcessSeam &seam, int timeoutMs, QObject *parent)
    : QObject(parent), m_setup(setup), m_seam(seam), m_timeoutMs(timeoutMs)
{
    m_timeout = new QTimer(this);
    m_timeout->setSingleShot(true);
    connect(m_timeout, &QTimer::timeout, this,
            [this] { done(false, tr("Радио не ответило за %1 с.").arg(m_timeoutMs / 1000)); });
}

RigCheck::~RigCheck() = default;

void RigCheck::start()
{
    m_server.reset();
    m_running = true;
    if (!m_setup.configured()) {
        done(false, tr("Радио не выбрано."));
        return;
    }
    RigctldSettings settings;
    settings.present = true;
    settings.radio[0] = m_setup;
    settings.radio[0].explicitKind = true;
    settings.radio[1] = RadioSetup();
    m_server = std::make_unique<RigctldServer>(settings, m_seam);
    RigctldServer *server = m_server.get();
    connect(server, &RigServer::statusChange, this, [this, server](int rig) {
        if (rig != 1 || server->status(1) != RigServer::StOnline)
            return;
        done(true, tr("Радио отвечает: %1 кГц, %2 (%3)")
                       .arg(rig::frequencyText(server->rxFrequency(1)), server->modeName(1), server->rigType(1)));
    });
    connect(server, &RigServer::serverUnreachable, this, [this, server] { done(false, server->unreachableReason()); });
    m_timeout->start(m_timeoutMs);
    server->start();
}

void RigCheck::done(bool ok, const QString &text)
{
    if (!m_running)
        return;
    m_running = false;
    m_timeout->stop();
    // Its rigctld ends now, so the serial port is free for whatever comes next; the rest is not
    // taken apart inside its own signal.
    if (m_server) {
        if (RigctldProcess *p = m_server->process(1))
            p->stop();
        m_server->disconnect(this);
        m_server.release()->deleteLater();
    }
    emit finished(ok, text);
}

} // namespace vireo
