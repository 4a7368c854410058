#pragma once
// The rig-control server as the program sees it: two radios, each with a type text, a status
// number (StOnline when on line), a status text, a mode bit and a receive frequency in hertz,
// and three notifications. The server behind it is Hamlib's rigctld (rigctld_client.*).

#include "base/error.h"

#include <QMetaType>
#include <QObject>
#include <QString>

namespace vireo {

// The end of a tune: the frequency the radio was set to, in hertz, or why it was not.
using TuneResult = Result<qint64>;

class RigServer : public QObject {
    Q_OBJECT
public:
    // Status numbers.
    static constexpr int StNotConfigured = 0;
    static constexpr int StPortBusy = 2; // the server of this radio cannot be reached
    static constexpr int StNotResponding = 3; // the server answers, the radio does not
    static constexpr int StOnline = 4;

    // Mode bits.
    static constexpr quint32 PM_CW_U = 0x00800000;
    static constexpr quint32 PM_CW_L = 0x01000000;
    static constexpr quint32 PM_SSB_U = 0x02000000;
    static constexpr quint32 PM_SSB_L = 0x04000000;
    static constexpr quint32 PM_DIG_U = 0x08000000;
    static constexpr quint32 PM_DIG_L = 0x10000000;
    static constexpr quint32 PM_AM = 0x20000000;
    static constexpr quint32 PM_FM = 0x40000000;

    // Parameter bits of paramsChange besides the mode bits.
    static constexpr int PM_FREQ = 0x00000002;

    using QObject::QObject;
    ~RigServer() override = default;

    // Starts talking to the server; returns at once. When the first attempt reaches no server
    // for either radio, serverUnreachable() is emitted (once). The client keeps trying in the
    // background, so a server started later is still picked up.
    virtual void start() = 0;

    // rig is 1 or 2; other numbers give empty values.
    virtual QString rigType(int rig) const = 0;
    virtual int status(int rig) const = 0;
    virtual QString statusStr(int rig) const = 0;
    virtual quint32 mode(int rig) const = 0;
    virtual qint64 rxFrequency(int rig) const = 0;
    // Why the radios that were not reached at start were not, one line or more per radio, in
    // Russian; empty when there is nothing to say.
    virtual QString unreachableReason() const { return QString(); }

    // Tunes a radio: first its mode, when modeName (a mode name of rigctld: "CW", "USB",
    // "PKTUSB", ...) is not empty, then its receive frequency. Returns at once; tuneDone follows
    // from the event loop, once for the tune. A tune asked for before the previous one went to
    // the radio takes its place. A server that cannot tune says so in tuneDone.
    virtual void tune(int rig, qint64 hz, const QString &modeName);

signals:
    void rigTypeChange(int rig);
    void statusChange(int rig);
    void paramsChange(int rig, int params);
    void serverUnreachable();
    // The frequency the radio took, or a Russian sentence saying what it refused or why it was
    // not reached. A mode taken before a refused frequency is set back.
    void tuneDone(int rig, const vireo::TuneResult &result);
};

} // namespace vireo

Q_DECLARE_METATYPE(vireo::TuneResult)
