#pragma once
// The report commands of the main window's menu "Журнал": the ADIF and logger-file exports and
// the logger-file import, each with its file dialog and its closing message.

#include "base/services.h"
#include "reports/qsl_message.h"

#include <functional>

namespace vireo {

class QsoStore;

namespace reportcommands {

// The listener's call and contest, which every report names.
struct Station {
    QString call;
    QString contest;
    QslMessage qsl;
};

// Each runs after the file was written (or its writing failed): the grid shows the last record.
void exportAdif(const AppContext &context, QsoStore &qsos, const Station &station,
                const std::function<void()> &afterWrite);
void exportLoggerFile(const AppContext &context, QsoStore &qsos, const Station &station,
                      const std::function<void()> &afterWrite);
// afterImport: the log was read in, before the closing message.
void importLoggerFile(const AppContext &context, QsoStore &qsos, const std::function<void()> &afterImport);

} // namespace reportcommands
} // namespace vireo
