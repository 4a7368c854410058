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
    if (n.size() > call.size() + 1)
        __builtin_trap(); // normalising never makes a call longer than the call plus nothing
    vireo::region::regionNumber(call);
    return 0;
}
