#pragma once
// The product's name, version and the maker's addresses, shown in the about box and written into
// the ADIF header.

#include <QString>

namespace vireo::product {

inline QString webSite()
{
    return QStringLiteral("https://vireo-swl.example.org");
}
inline QString email()
{
    return QStringLiteral("vireo-swl@example.org");
}

} // namespace vireo::product
