#include "app/report_commands.h"

#include "base/error.h"
#include "base/ui/guarded.h"
#include "db/qso_store.h"
#include "reports/adif_writer.h"
#include "reports/logger_file.h"
#include "reports/report_dialog.h"
#include "reports/report_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

namespace vireo::reportcommands {

namespace {

// The file to write, asked with the listener's call as its name; empty when the listener did
// not choose one or the report lacks the call or the contest (said in a box).
QString fileToWrite(const AppContext &context, const Station &station, const QString &extension)
{
    Prompts &prompts = *context.services.prompts;
    if (station.call.isEmpty() || station.contest.isEmpty()) {
        prompts.information(reportdialog::missingFieldsText());
        return QString();
    }
    const QString preset = QDir(context.programDir).filePath(station.call.trimmed() + extension);
    return prompts.saveFileName(reportdialog::saveTitle(), preset, reportdialog::saveFilter());
}

} // namespace

void exportAdif(const AppContext &context, QsoStore &qsos, const Station &station,
                const std::function<void()> &afterWrite)
{
    const QString path = fileToWrite(context, station, QStringLiteral(".adi"));
    if (path.isEmpty())
        return;
    Prompts &prompts = *context.services.prompts;
    const QDateTime created = context.services.utcClock->nowUtc().toLocalTime();
    const WriteResult result =
        adif::writeFile(path, qsos, station.call, station.contest, station.qsl, created, QLocale::system());
    afterWrite();
    if (reportWritten(result, prompts))
        prompts.information(reportdialog::doneText(path, QStringLiteral("ADIF")));
}

void exportLoggerFile(const AppContext &context, QsoStore &qsos, const Station &station,
                      const std::function<void()> &afterWrite)
{
    const QString path = fileToWrite(context, station, QStringLiteral(".scl"));
    if (path.isEmpty())
        return;
    Prompts &prompts = *context.services.prompts;
    const WriteResult result = loggerfile::writeFile(path, qsos);
    afterWrite();
    if (reportWritten(result, prompts))
        prompts.information(reportdialog::doneText(path, QStringLiteral("SCL")));
}

void importLoggerFile(const AppContext &context, QsoStore &qsos, const std::function<void()> &afterImport)
{
    Prompts &prompts = *context.services.prompts;
    // The question comes first; the old log is deleted only once the file is open, inside the
    // transaction that reads it, so a cancelled choice or a bad file leaves the log as it was.
    const bool replace = prompts.askYesNo(
        QCoreApplication::translate("vireo::ReportCommands", "Вы хотите перезаписать все записи лога?"));
    const QString path =
        prompts.openFileName(reportdialog::openTitle(), context.programDir, reportdialog::openFilter());
    if (path.isEmpty())
        return;
    int records = 0;
    try {
        records = loggerfile::import(path, qsos, replace);
    } catch (const std::exception &e) {
        showError(prompts, errorText(e)
                               + QCoreApplication::translate("vireo::ReportCommands",
                                                             "\nЗагрузка отменена, журнал не изменён."));
        return;
    }
    afterImport();
    prompts.information(reportdialog::loadedText(path, records));
}

} // namespace vireo::reportcommands
