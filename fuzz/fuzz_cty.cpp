// The country-file reader on arbitrary bytes.

#include "stationinfo/cty_parser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto rows = vireo::parseCty(bytes).rows;
    for (const auto &r : rows)
        if (r.prefix.isEmpty() || r.prefix.size() > 4)
            __builtin_trap();
    // The strict reading gives the same rows or names a line of the file.
    try {
        if (vireo::readCty(bytes).rows.size() != rows.size())
            __builtin_trap();
    } catch (const vireo::LineError &e) {
        if (e.line() < 1 || e.line() > bytes.count('\n') + 1 || e.reason().isEmpty())
            __builtin_trap();
    }
    return 0;
}
