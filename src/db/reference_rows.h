#pragma once
// The rows of the reference tables as the log file takes them: the country table (prefix) and the
// partial-check calls with the versions of the files they came from. The files themselves are read
// by stationinfo (cty_parser, scp_file, reference_files), which owns that data.

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

namespace vireo {

struct PrefixRow {
    QString prefix, dxccPrefix, cqZone, ituZone, state, country, continent, latitude, longitude;
};

struct CountryRows {
    QVector<PrefixRow> rows;
    QString version; // the country file's release entry, e.g. "VER20230502"; empty when it has none
};

struct CallRows {
    QStringList calls; // upper case, each once
    QString release; // the comment line naming the release, e.g. "Release 2023.05.02.00"
};

// Where a log file that lacks its reference data gets it. Each is asked only when that data is to
// be written (a new file, a file without partial-check calls); an empty function or no value means
// there is nothing to write.
struct ReferenceSource {
    std::function<std::optional<CountryRows>()> countries;
    std::function<std::optional<CallRows>()> calls;
};

} // namespace vireo
