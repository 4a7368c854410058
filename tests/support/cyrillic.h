#pragma once
// Whether a text holds a Russian (Cyrillic) letter: what the English interface's tests look for.

#include <QString>

namespace vireo::test {

inline bool hasCyrillic(const QString &s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
            return true;
    return false;
}

} // namespace vireo::test
