// The Cabrillo exchange layout on arbitrary text and format numbers.

#include "reports/cabrillo_lines.h"

#include "base/cp1251.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int format = int(data[0]) - 64;
    const QString text =
        vireo::cp1251::decode(QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));
    const QString laid = vireo::cabrillo::FormatExchange(text, format);
    // formats 1..10 give a fixed-width layout, 11 at least its width (its third column is not
    // cut), every other number nothing
    const int widths[] = {0, 10, 10, 10, 10, 10, 10, 13, 13, 13, 13, 20};
    if (format < 1 || format > 11) {
        if (!laid.isEmpty())
            __builtin_trap();
    } else if (format == 11 ? laid.size() < 20 : laid.size() != widths[format]) {
        __builtin_trap();
    }
    return 0;
}
