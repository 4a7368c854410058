#pragma once
// The text under which a call is looked up in the prefix table.

#include <QString>

namespace vireo {

// "UA3ABC/1" -> "UA1", "F/UA3ABC" -> "UA3ABC", "UA3ABC/P" -> "UA3ABC", "UA3ABC/QRP" -> the
// call itself, "UA3ABC/4X" -> "4X"; empty when nothing follows the "/". Case counts.
QString normaliseCall(const QString &call);

} // namespace vireo
