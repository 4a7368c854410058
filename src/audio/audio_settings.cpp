#include "audio/audio_settings.h"

#include "base/ini_file.h"

#include <algorithm>

namespace vireo {

namespace {
const QString Section = QStringLiteral("Audio");
}

AudioSettings AudioSettings::read(const QString &settingsPath)
{
    const IniFile ini(settingsPath);
    AudioSettings s;
    s.record = ini.readInteger(Section, QStringLiteral("Record"), 0) != 0;
    s.input = ini.readString(Section, QStringLiteral("Input"), QString());
    s.output = ini.readString(Section, QStringLiteral("Output"), QString());
    s.replaySeconds = std::clamp(ini.readInteger(Section, QStringLiteral("Replay"), DefaultReplaySeconds),
                                 MinReplaySeconds, MaxReplaySeconds);
    s.keepDays = std::clamp(ini.readInteger(Section, QStringLiteral("KeepDays"), DefaultKeepDays), 0, MaxKeepDays);
    return s;
}

void AudioSettings::write(const QString &settingsPath) const
{
    IniFile ini(settingsPath);
    ini.writeInteger(Section, QStringLiteral("Record"), record ? 1 : 0);
    ini.writeString(Section, QStringLiteral("Input"), input);
    ini.writeString(Section, QStringLiteral("Output"), output);
    ini.writeInteger(Section, QStringLiteral("Replay"), replaySeconds);
    ini.writeInteger(Section, QStringLiteral("KeepDays"), keepDays);
}

} // namespace vireo
