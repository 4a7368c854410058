#pragma once
// What the listener is told when a radio does not take a tune: rigctld's error codes in Russian.

#include <QString>

namespace vireo::rig {

// rigctld's "RPRT n" for n < 0 as a clause: "rigctld ответил RPRT -1: неверный параметр".
QString rprtText(int code);

// The sentences of a tune that did not go through. rig is 1 or 2; hz the frequency asked for.
QString modeRefusedText(int rig, const QString &modeName, int code);
QString frequencyRefusedText(int rig, qint64 hz, int code);
QString notOnlineText(int rig);
QString tuneLostText(int rig, const QString &why);
QString notTunableText(int rig);

} // namespace vireo::rig
