// Rig control of the main window: the radio buttons, the status panels of the two radios, the
// frequency and mode boxes following the radio chosen, and the rig set-up window.

#include "app/tmain.h"

#include "base/error.h"
#include "base/ui/guarded.h"
#include "rig/rig_display.h"
#include "rig/rig_server.h"
#include "rig/rigctld_client.h"
#include "rig/serial_devices.h"
#include "rig/ui/trigsetup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QToolButton>

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

void setCaptionColour(QToolButton *button, const QColor &colour)
{
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, colour);
    p.setColor(QPalette::WindowText, colour);
    button->setPalette(p);
}

} // namespace

void TMain::connectRigHandlers()
{
    connect(btRdaio1, &QAbstractButton::clicked, this, [this] { guard([this] { btRdaio1Click(); }); });
    connect(btRdaio2, &QAbstractButton::clicked, this, [this] { guard([this] { btRdaio2Click(); }); });
}

void TMain::CreateRigControl(bool announce, bool refreshBoxes)
{
    if (m_rig || !m_ctx.services.rigServerFactory)
        return;
    try {
        m_rig = m_ctx.services.rigServerFactory();
    } catch (const std::exception &e) {
        KillRigControl();
        showError(*m_ctx.services.prompts, QStringLiteral("Не удалось запустить управление радио: %1\n"
                                                          "Частоту и вид излучения можно вводить вручную.")
                                               .arg(errorText(e)));
        return;
    }
    if (!m_rig)
        return; // this build or this test runs without rig control

    // Notifications are handled from the window's event loop, between other window events, and
    // never inside the client's socket handling; each handler reads the values afresh.
    RigServer *server = m_rig.get();
    connect(server, &RigServer::rigTypeChange, this,
            [this](int rig) { guard([this, rig] { RigTypeChangeEvent(rig); }); }, Qt::QueuedConnection);
    connect(server, &RigServer::statusChange, this,
            [this](int rig) { guard([this, rig] { StatusChangeEvent(rig); }); }, Qt::QueuedConnection);
    connect(server, &RigServer::paramsChange, this,
            [this](int rig, int params) { guard([this, rig, params] { ParamsChangeEvent(rig, params); }); },
            Qt::QueuedConnection);
    // A radio not reached at start: said once, with the reason. The client goes on trying, so a
    // rigctld started later, or a radio switched on later, is still picked up.
    if (announce) {
        connect(server, &RigServer::serverUnreachable, this, [this, server] {
            const QString why = server->unreachableReason();
            showError(
                *m_ctx.services.prompts,
                QStringLiteral("Нет связи с радио: не удалось подключиться к rigctld.")
                    + (why.isEmpty() ? QString() : QLatin1Char('\n') + why)
                    + QStringLiteral("\nVireo продолжает подключаться: как только rigctld ответит, частота и "
                                     "вид излучения пойдут от радио."));
        });
    }

    // The display as if the notifications had arrived. Coming back from a cancelled set-up, the
    // frequency and mode boxes keep what the listener had in them until a radio says otherwise.
    RigTypeChangeEvent(1);
    RigTypeChangeEvent(2);
    StatusChangeEvent(1);
    StatusChangeEvent(2);
    if (refreshBoxes) {
        ParamsChangeEvent(1, 0);
        ParamsChangeEvent(2, 0);
    }
    server->start();
}

void TMain::KillRigControl()
{
    // Closing the connections cannot fail in a way the listener could act on.
    if (m_rig)
        m_rig->disconnect(this);
    m_rig.reset();
}

void TMain::RigTypeChangeEvent(int rig)
{
    if (!m_rig)
        return;
    if (rig == 1)
        btRdaio1->setToolTip(m_rig->rigType(1));
    else if (rig == 2)
        btRdaio2->setToolTip(m_rig->rigType(2));
}

void TMain::StatusChangeEvent(int rig)
{
    if (!m_rig || (rig != 1 && rig != 2))
        return;
    setStatusText(rig == 1 ? 4 : 5, m_rig->rigType(rig) + QStringLiteral(": ") + m_rig->statusStr(rig));
    const bool online = m_rig->statusStr(rig) == QLatin1String("On-line");
    setCaptionColour(rig == 1 ? btRdaio1 : btRdaio2, online ? QColor(0, 128, 0) : QColor(0, 0, 0));
}

void TMain::ParamsChangeEvent(int, int)
{
    if (!m_rig)
        return;
    const rig::DisplayUpdate u = rig::paramsRefresh(radioState(*m_rig, 1), radioState(*m_rig, 2),
                                                    btRdaio1->isChecked() ? 1 : 2, cbMode->currentText());
    if (u.freq)
        cbFreq->setEditText(*u.freq);
    if (u.mode)
        cbMode->setEditText(*u.mode);
}

void TMain::btRdaio1Click()
{
    numRadio = QStringLiteral("1");
    if (!m_rig)
        return;
    const rig::DisplayUpdate u = rig::radioSwitch(radioState(*m_rig, 1), radioState(*m_rig, 2), 1);
    if (u.mode)
        cbMode->setEditText(*u.mode);
    if (u.freq)
        cbFreq->setEditText(*u.freq);
}

void TMain::btRdaio2Click()
{
    numRadio = QStringLiteral("2");
    if (!m_rig)
        return;
    const rig::DisplayUpdate u = rig::radioSwitch(radioState(*m_rig, 1), radioState(*m_rig, 2), 2);
    if (u.mode)
        cbMode->setEditText(*u.mode);
    if (u.freq)
        cbFreq->setEditText(*u.freq);
}

void TMain::CAT1Click()
{
    // The window lists the radio models itself, in the background.
    TRigSetup window(m_ctx, rig::serialDevices(), this);
    // The window's checks may need the serial ports that the running rigctld hold: rig control
    // rests while it is open, and starts again with what is saved.
    KillRigControl();
    const bool saved = m_ctx.services.prompts->showModal(window) == QDialog::Accepted;
    CreateRigControl(saved, saved);
}

bool TMain::selectedRadioOnline() const
{
    if (!m_rig)
        return false;
    return (btRdaio1->isChecked() && m_rig->status(1) == RigServer::StOnline)
        || (btRdaio2->isChecked() && m_rig->status(2) == RigServer::StOnline);
}

} // namespace vireo
