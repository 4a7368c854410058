#pragma once
// Section "Rig" of settings.ini: for each of the two radios, none, a radio whose rigctld Vireo
// runs itself (Hamlib model, serial device, speed), or a rigctld that runs elsewhere (host and
// port). A file without the section means no radio at all.

#include <QString>

#include <array>

namespace vireo {

enum class RadioKind { None, Own, Remote };

struct RadioSetup {
    RadioKind kind = RadioKind::None;
    int model = 0; // Hamlib model number (Own)
    QString device; // serial device (Own); empty for models without one
    int speed = 0; // serial speed in baud (Own); 0 = the model's default
    QString host = QStringLiteral("127.0.0.1"); // Remote
    quint16 port = 0; // Remote
    bool explicitKind = false; // the kind was chosen in the set-up window, not implied by old keys

    bool configured() const { return kind != RadioKind::None; }
};

struct RigctldSettings {
    static constexpr quint16 DefaultPort1 = 4532;
    static constexpr quint16 DefaultPort2 = 4534;
    static constexpr int DefaultPollMs = 200;

    bool present = false; // the file has the section
    std::array<RadioSetup, 2> radio;
    int pollMs = DefaultPollMs; // 50 .. 5000
    QString command; // a rig program the listener starts by hand (key Command)

    // Keys Kind1, Model1, Device1, Speed1, Host1, Port1 and the same with 2, PollInterval,
    // Command. Without KindN a radio is the rigctld at HostN:PortN (the keys of older versions;
    // port 0 means none). Missing or bad values give the defaults.
    static RigctldSettings read(const QString &settingsPath);
    // Writes the radios' keys (keeping Host and Port of a radio that is not Remote);
    // throws vireo::Error when the file cannot be written.
    void write(const QString &settingsPath) const;
};

// "none", "own", "remote".
QString kindKey(RadioKind kind);

} // namespace vireo
