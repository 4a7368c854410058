#include "rig/rig_display.h"

#include "rig/rig_server.h"

#include <QProcess>

namespace vireo::rig {

quint32 modeBitFromName(const QString &name)
{
    const QString n = name.trimmed().toUpper();
    if (n == QLatin1String("CW"))
        return RigServer::PM_CW_U;
    if (n == QLatin1String("CWR") || n == QLatin1String("CW-R"))
        return RigServer::PM_CW_L;
    if (n == QLatin1String("USB"))
        return RigServer::PM_SSB_U;
    if (n == QLatin1String("LSB"))
        return RigServer::PM_SSB_L;
    if (n == QLatin1String("PKTUSB") || n == QLatin1String("USB-D") || n == QLatin1String("RTTY"))
        return RigServer::PM_DIG_U;
    if (n == QLatin1String("PKTLSB") || n == QLatin1String("LSB-D") || n == QLatin1String("RTTYR")
        || n == QLatin1String("RTTY-R"))
        return RigServer::PM_DIG_L;
    if (n == QLatin1String("AM"))
        return RigServer::PM_AM;
    if (n == QLatin1String("FM") || n == QLatin1String("WFM") || n == QLatin1String("FMN"))
        return RigServer::PM_FM;
    return 0;
}

QString modeText(quint32 modeBit)
{
    switch (modeBit) {
    case RigServer::PM_CW_U:
    case RigServer::PM_CW_L:
        return QStringLiteral("CW");
    case RigServer::PM_SSB_U:
    case RigServer::PM_SSB_L:
    case RigServer::PM_AM:
    case RigServer::PM_FM:
        return QStringLiteral("PH");
    case RigServer::PM_DIG_U:
    case RigServer::PM_DIG_L:
        return QStringLiteral("DIG");
    default:
        return QStringLiteral("UN");
    }
}

QString frequencyText(qint64 hz)
{
    if (hz < 0)
        hz = 0;
    const qint64 khz = (hz + 500) / 1000; // halves up
    if (khz < 1000)
        return QString::number(khz);
    return QString::number(khz / 1000) + QLatin1Char(' ')
           + QStringLiteral("%1").arg(khz % 1000, 3, 10, QLatin1Char('0'));
}

namespace {

const RadioState &pick(const RadioState &r1, const RadioState &r2, int selected)
{
    return selected == 1 ? r1 : r2;
}

// Steps shared by the refresh and the switch: the off-line texts and the defaults.
DisplayUpdate offlineTexts(const RadioState &r1, const RadioState &r2, int selected)
{
    DisplayUpdate u;
    if (!r1.online && selected == 1)
        u.freq = QStringLiteral(" R1 OFF");
    if (!r2.online && selected == 2)
        u.freq = QStringLiteral(" R2 OFF");
    if (!r1.online && !r2.online) {
        u.freq = QStringLiteral("14000");
        u.mode = QStringLiteral("CW");
    }
    return u;
}

} // namespace

DisplayUpdate paramsRefresh(const RadioState &r1, const RadioState &r2, int selected, const QString &currentModeText)
{
    DisplayUpdate u = offlineTexts(r1, r2, selected);
    const RadioState &r = pick(r1, r2, selected);
    if (r.online) {
        u.freq = frequencyText(r.hz);
        const QString m = modeText(r.mode);
        if ((m == QLatin1String("CW") || m == QLatin1String("PH")) && m != currentModeText)
            u.mode = m;
    }
    return u;
}

DisplayUpdate radioSwitch(const RadioState &r1, const RadioState &r2, int selected)
{
    DisplayUpdate u = offlineTexts(r1, r2, selected);
    const RadioState &r = pick(r1, r2, selected);
    if (r.online) {
        u.mode = modeText(r.mode);
        u.freq = frequencyText(r.hz);
    }
    return u;
}

QStringList splitCommand(const QString &command)
{
    if (command.count(QLatin1Char('"')) % 2 != 0)
        return {};
    return QProcess::splitCommand(command);
}

} // namespace vireo::rig
