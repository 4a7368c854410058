#include "bandmap/band_map_tuner.h"

#include "rig/rig_replies.h"
#include "rig/rig_server.h"

namespace vireo {

BandMapTuner::BandMapTuner(std::function<RigServer *()> server, std::function<int()> radio, QObject *parent)
    : QObject(parent), m_server(std::move(server)), m_radio(std::move(radio))
{
}

BandMapTuner::~BandMapTuner()
{
    disconnect(m_done);
}

void BandMapTuner::tune(const bandmap::Entry &entry, const QString &modeCode)
{
    RigServer *server = m_server ? m_server() : nullptr;
    const int rig = m_radio ? m_radio() : 1;
    if (!server || server->status(rig) == RigServer::StNotConfigured) {
        emit frequencyBoxWanted(entry.freq);
        return;
    }
    if (server->status(rig) != RigServer::StOnline) {
        emit refused(rig::notOnlineText(rig));
        return;
    }
    // Rig control is made anew after its set-up window: listen to the server of the moment.
    if (server != m_listening) {
        disconnect(m_done);
        m_listening = server;
        m_done = connect(server, &RigServer::tuneDone, this, [this](int, const TuneResult &result) {
            if (result)
                emit tuned();
            else
                emit refused(result.errorText());
        });
        connect(server, &QObject::destroyed, this, [this, server] {
            if (m_listening == server)
                m_listening = nullptr;
        });
    }
    const qint64 hz = entry.khz * 1000;
    server->tune(rig, hz, bandmap::rigModeFor(modeCode, hz, server->mode(rig)));
}

} // namespace vireo
