#include "rig/rig_server.h"

#include <memory>

namespace vireo {

// Made by the program's real services; replaced by the rigctld client.
std::unique_ptr<RigServer> makeRigctldServer(const QString &)
{
    return nullptr;
}

} // namespace vireo
