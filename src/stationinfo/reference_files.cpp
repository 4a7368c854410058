#include "stationinfo/reference_files.h"

#include "stationinfo/cty_parser.h"
#include "stationinfo/logging.h"
#include "stationinfo/scp_file.h"

#include <QFile>

namespace vireo {

namespace {

std::optional<QByteArray> contents(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

QString defaultCtyPath()
{
    return QStringLiteral("/usr/share/hamradio-files/cty.dat");
}

QString defaultScpPath()
{
    return QStringLiteral("/usr/share/hamradio-files/MASTER.SCP");
}

ReferenceSource referenceFiles(const QString &ctyPath, const QString &scpPath)
{
    ReferenceSource source;
    source.countries = [ctyPath]() -> std::optional<CountryRows> {
        const std::optional<QByteArray> text = contents(ctyPath);
        if (!text)
            return std::nullopt;
        // The installed country file is taken as it is, up to a fault of a broken file.
        CtyContents cty = parseCty(*text);
        return CountryRows{std::move(cty.rows), cty.version};
    };
    source.calls = [scpPath]() -> std::optional<CallRows> {
        const std::optional<QByteArray> text = contents(scpPath);
        if (!text)
            return std::nullopt;
        try {
            ScpContents scp = readScp(*text);
            return CallRows{std::move(scp.calls), scp.release};
        } catch (const LineError &e) {
            // A new log starts without the partial-check calls; the data refresh can load them later.
            qCWarning(lcStationInfo).noquote() << "calls of" << scpPath << "not loaded:" << e.text();
            return std::nullopt;
        }
    };
    return source;
}

} // namespace vireo
