// The logger-file line parser and line builder on arbitrary text.

#include "reports/logger_file.h"

#include "base/cp1251.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = vireo::cp1251::decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const vireo::QsoRecord r = vireo::loggerfile::parse(text);
    // a record without ";" in its values survives a write and a read unchanged (up to trimming)
    const QString line = vireo::loggerfile::line(r);
    const vireo::QsoRecord back = vireo::loggerfile::parse(line);
    if (back.band != r.band.trimmed() && !r.band.contains(QLatin1Char(';')))
        __builtin_trap();
    return 0;
}
