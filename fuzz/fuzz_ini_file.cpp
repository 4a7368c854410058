// The settings reader on arbitrary bytes.

#include "base/ini_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.ini"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    vireo::IniFile ini(path);
    ini.readString(QStringLiteral("MySetting"), QStringLiteral("Call"), QStringLiteral(" "));
    ini.readInteger(QStringLiteral("Main"), QStringLiteral("Left"), -1);
    ini.readFloat(QStringLiteral("MyPosition"), QStringLiteral("Latitude"), 0);
    try {
        ini.writeString(QStringLiteral("Main"), QStringLiteral("Left"), QStringLiteral("10"));
        vireo::IniFile again(path);
        if (again.readInteger(QStringLiteral("main"), QStringLiteral("LEFT"), -1) != 10)
            __builtin_trap(); // a value just written must read back
    } catch (...) {
    }
    return 0;
}
