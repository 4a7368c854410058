#include "app/rig_link.h"

#include "app/main_status_bar.h"
#include "base/error.h"
#include "base/ui/guarded.h"
#include "entry/ui/top_strip.h"
#include "rig/rig_display.h"
#include "rig/rig_server.h"
#include "rig/serial_devices.h"
#include "rig/ui/trigsetup.h"

namespace vireo {

namespace {

rig::RadioState radioState(const RigServer &server, int rig)
{
    rig::RadioState s;
    s.online = server.status(rig) == RigServer::StOnline;
    s.hz = server.rxFrequency(rig);
    s.mode = server.mode(rig);
    return s;
}

} // namespace

RigLink::RigLink(const AppContext &context, TopStrip &strip, MainStatusBar &status, QWidget *window)
    : QObject(window), m_ctx(context), m_strip(strip), m_status(status), m_window(window)
{
}

RigLink::~RigLink() = default;

void RigLink::guard(const std::function<void()> &handler)
{
    runGuarded(m_ctx.services.prompts.get(), handler);
}

void RigLink::start(bool announce, bool refreshBoxes)
{
    if (m_rig || !m_ctx.services.rigServerFactory)
        return;
    try {
        m_rig = m_ctx.services.rigServerFactory();
    } catch (const std::exception &e) {
        stop();
        showError(*m_ctx.services.prompts, tr("Не удалось запустить управление радио: %1\n"
                                              "Частоту и вид излучения можно вводить вручную.")
                                               .arg(errorText(e)));
        return;
    }
    if (!m_rig)
        return; // this build or this test runs without rig control
    // Notifications are handled from the window's event loop, between other window events, and
    // never inside the client's socket handling; each handler reads the values afresh.
    RigServer *server = m_rig.get();
    connect(
        server, &RigServer::rigTypeChange, this, [this](int rig) { guard([this, rig] { rigTypeChanged(rig); }); },
        Qt::QueuedConnection);
    connect(
        server, &RigServer::statusChange, this, [this](int rig) { guard([this, rig] { statusChanged(rig); }); },
        Qt::QueuedConnection);
    connect(
        server, &RigServer::paramsChange, this, [this] { guard([this] { paramsChanged(); }); }, Qt::QueuedConnection);
    // A radio not reached at start: said once, with the reason. The client goes on trying, so a
    // rigctld started later, or a radio switched on later, is still picked up.
    if (announce) {
        connect(server, &RigServer::serverUnreachable, this, [this, server] {
            const QString why = server->unreachableReason();
            showError(*m_ctx.services.prompts,
                      tr("Нет связи с радио: не удалось подключиться к rigctld.")
                          + (why.isEmpty() ? QString() : QLatin1Char('\n') + why)
                          + tr("\nVireo продолжает подключаться: как только rigctld ответит, частота и "
                               "вид излучения пойдут от радио."));
        });
    }
    // The display as if the notifications had arrived. Coming back from a cancelled set-up, the
    // frequency and mode boxes keep what the listener had in them until a radio says otherwise.
    rigTypeChanged(1);
    rigTypeChanged(2);
    statusChanged(1);
    statusChanged(2);
    if (refreshBoxes) {
        paramsChanged();
        paramsChanged();
    }
    server->start();
}

void RigLink::stop()
{
    // Closing the connections cannot fail in a way the listener could act on.
    if (m_rig)
        m_rig->disconnect(this);
    m_rig.reset();
}

void RigLink::rigTypeChanged(int rig)
{
    if (m_rig && (rig == 1 || rig == 2))
        m_strip.setRadioTip(rig, m_rig->rigType(rig));
}

void RigLink::statusChanged(int rig)
{
    if (!m_rig || (rig != 1 && rig != 2))
        return;
    m_status.setText(rig == 1 ? MainStatusBar::Radio1 : MainStatusBar::Notice,
                     m_rig->rigType(rig) + QStringLiteral(": ") + m_rig->statusStr(rig));
    m_strip.setRadioOnline(rig, m_rig->statusStr(rig) == QLatin1String("On-line"));
}

void RigLink::paramsChanged()
{
    if (!m_rig)
        return;
    const rig::DisplayUpdate u =
        rig::paramsRefresh(radioState(*m_rig, 1), radioState(*m_rig, 2), m_strip.radio(), m_strip.modeText());
    if (u.freq)
        m_strip.setFrequencyText(*u.freq);
    if (u.mode)
        m_strip.setModeText(*u.mode);
}

void RigLink::radioChosen(int rig)
{
    if (!m_rig)
        return;
    const rig::DisplayUpdate u = rig::radioSwitch(radioState(*m_rig, 1), radioState(*m_rig, 2), rig);
    if (u.mode)
        m_strip.setModeText(*u.mode);
    if (u.freq)
        m_strip.setFrequencyText(*u.freq);
}

void RigLink::setUp()
{
    // The window lists the radio models itself, in the background.
    TRigSetup window(m_ctx, rig::serialDevices(), m_window);
    // The window's checks may need the serial ports that the running rigctld hold: rig control
    // rests while it is open, and starts again with what is saved.
    stop();
    const bool saved = m_ctx.services.prompts->showModal(window) == QDialog::Accepted;
    start(saved, saved);
}

bool RigLink::selectedRadioOnline() const
{
    return m_rig && m_rig->status(m_strip.radio()) == RigServer::StOnline;
}

} // namespace vireo
