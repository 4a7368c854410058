#include "rig/rig_settings.h"

#include "base/ini_file.h"

#include <algorithm>

namespace vireo {

namespace {

const QString kSection = QStringLiteral("Rig");

QString key(const char *name, int index)
{
    return QLatin1String(name) + QString::number(index + 1);
}

quint16 readPort(const IniFile &ini, const QString &k, quint16 defaultPort)
{
    const int p = ini.readInteger(kSection, k, defaultPort);
    return p >= 0 && p <= 65535 ? quint16(p) : defaultPort;
}

} // namespace

QString kindKey(RadioKind kind)
{
    switch (kind) {
    case RadioKind::Own:
        return QStringLiteral("own");
    case RadioKind::Remote:
        return QStringLiteral("remote");
    case RadioKind::None:
        break;
    }
    return QStringLiteral("none");
}

RigctldSettings RigctldSettings::read(const QString &settingsPath)
{
    RigctldSettings s;
    const IniFile ini(settingsPath);
    s.present = ini.hasSection(kSection);
    s.pollMs = std::clamp(ini.readInteger(kSection, QStringLiteral("PollInterval"), DefaultPollMs), 50, 5000);
    s.command = ini.readString(kSection, QStringLiteral("Command"), QString());
    if (!s.present)
        return s;

    const quint16 defaultPorts[2] = {DefaultPort1, DefaultPort2};
    for (int i = 0; i < 2; ++i) {
        RadioSetup &r = s.radio[i];
        r.host = ini.readString(kSection, key("Host", i), r.host);
        r.port = readPort(ini, key("Port", i), defaultPorts[i]);
        r.model = std::max(0, ini.readInteger(kSection, key("Model", i), 0));
        r.device = ini.readString(kSection, key("Device", i), QString());
        r.speed = std::max(0, ini.readInteger(kSection, key("Speed", i), 0));

        const QString kind = ini.readString(kSection, key("Kind", i), QString()).toLower();
        r.explicitKind = !kind.isEmpty();
        if (kind == QLatin1String("own"))
            r.kind = r.model > 0 ? RadioKind::Own : RadioKind::None;
        else if (kind == QLatin1String("remote") || kind.isEmpty())
            r.kind = r.port != 0 && !r.host.isEmpty() ? RadioKind::Remote : RadioKind::None;
        else
            r.kind = RadioKind::None;
    }
    return s;
}

void RigctldSettings::write(const QString &settingsPath) const
{
    IniFile ini(settingsPath);
    for (int i = 0; i < 2; ++i) {
        const RadioSetup &r = radio[i];
        ini.writeString(kSection, key("Kind", i), kindKey(r.kind));
        if (r.kind == RadioKind::Own) {
            ini.writeInteger(kSection, key("Model", i), r.model);
            ini.writeString(kSection, key("Device", i), r.device);
            ini.writeInteger(kSection, key("Speed", i), r.speed);
        } else if (r.kind == RadioKind::Remote) {
            ini.writeString(kSection, key("Host", i), r.host);
            ini.writeInteger(kSection, key("Port", i), r.port);
        }
    }
}

} // namespace vireo
