#include "stationinfo/call_normalise.h"

namespace vireo {

QString normaliseCall(const QString &call)
{
    const QString head = call.left(2);
    const int slash = call.indexOf(QLatin1Char('/'));
    const QString tail = slash < 0 ? call : call.mid(slash + 1);
    const QString trimmed = tail.trimmed();
    if (trimmed.isEmpty())
        return QString();
    if (trimmed.size() == 1)
        return tail.at(0).unicode() < 58 ? head + tail : call;
    static const QString Whole[] = {QStringLiteral("MM"), QStringLiteral("AM"), QStringLiteral("QRP"),
                                    QStringLiteral("QRPP")};
    for (const QString &w : Whole)
        if (trimmed == w)
            return call;
    return tail;
}

} // namespace vireo
