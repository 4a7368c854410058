// The country-file reader on arbitrary bytes.

#include "stationinfo/cty_parser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto rows = vireo::parseCty(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    for (const auto &r : rows)
        if (r.prefix.isEmpty() || r.prefix.size() > 4)
            __builtin_trap();
    return 0;
}
