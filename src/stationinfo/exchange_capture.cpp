#include "stationinfo/exchange_capture.h"

namespace vireo::capture {

QString tag(Kind kind)
{
    switch (kind) {
    case Kind::CQ:
        return QStringLiteral("CQ:");
    case Kind::ITU:
        return QStringLiteral("ITU:");
    case Kind::RU:
        return QStringLiteral("RU:");
    case Kind::Loc:
        return QStringLiteral("LOC:");
    case Kind::State:
        return QStringLiteral("STATE:");
    case Kind::Deg:
        return QStringLiteral("DEG:");
    }
    return QString();
}

QString valueOfCaption(Kind kind, const QString &caption)
{
    const int colon = caption.indexOf(QLatin1Char(':'));
    const QString value = colon < 0 ? QString() : caption.mid(colon + 1);
    return value.left(kind == Kind::State ? 2 : 8);
}

std::optional<QString> copyValue(const Button (&buttons)[6])
{
    for (Kind k : CopyOrder) {
        const Button &b = buttons[int(k)];
        if (b.checked)
            return valueOfCaption(k, b.caption);
    }
    return std::nullopt;
}

} // namespace vireo::capture
