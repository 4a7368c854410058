#pragma once
// The rig-control server as the program sees it: two radios, each with a type text, a status
// number (StOnline when on line), a status text, a mode bit and a receive frequency in hertz,
// and three notifications. The server behind it is Hamlib's rigctld (rigctld_client.*).

#include <QObject>
#include <QString>

namespace vireo {

class RigServer : public QObject {
    Q_OBJECT
public:
    static constexpr int StOnline = 4;

    static constexpr quint32 PM_CW_U = 0x00800000;
    static constexpr quint32 PM_CW_L = 0x01000000;
    static constexpr quint32 PM_SSB_U = 0x02000000;
    static constexpr quint32 PM_SSB_L = 0x04000000;
    static constexpr quint32 PM_DIG_U = 0x08000000;
    static constexpr quint32 PM_DIG_L = 0x10000000;
    static constexpr quint32 PM_AM = 0x20000000;
    static constexpr quint32 PM_FM = 0x40000000;

    using QObject::QObject;
    ~RigServer() override = default;

    // Starts talking to the server. False when no server answers for either radio.
    virtual bool start() = 0;

    // rig is 1 or 2.
    virtual QString rigType(int rig) const = 0;
    virtual int status(int rig) const = 0;
    virtual QString statusStr(int rig) const = 0;
    virtual quint32 mode(int rig) const = 0;
    virtual qint64 rxFrequency(int rig) const = 0;

signals:
    void rigTypeChange(int rig);
    void statusChange(int rig);
    void paramsChange(int rig, int params);
};

} // namespace vireo
