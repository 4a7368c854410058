#include "rig/rig_server.h"

#include "rig/rig_replies.h"

#include <QMetaObject>

namespace vireo {

void RigServer::tune(int rig, qint64, const QString &)
{
    QMetaObject::invokeMethod(
        this, [this, rig] { emit tuneDone(rig, Error(rig::notTunableText(rig))); }, Qt::QueuedConnection);
}

} // namespace vireo
