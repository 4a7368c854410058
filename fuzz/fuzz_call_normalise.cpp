// Call normalisation and the region number on arbitrary calls.

#include "stationinfo/call_normalise.h"
#include "stationinfo/region_table.h"

#include "base/cp1251.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString call = vireo::cp1251::decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QString n = vireo::normaliseCall(call);
    // The longest result is the first two characters put before a one-character remainder
    // (a call followed by "/" and a digit, or a one-character call of a digit).
    if (n.size() > call.size() + 2)
        __builtin_trap();
    vireo::region::regionNumber(call);
    return 0;
}
