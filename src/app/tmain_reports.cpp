// Report files of the main window: Cabrillo, ADIF and the logger file.

#include "app/tmain.h"

#include "base/error.h"
#include "base/ui/guarded.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "reports/adif_writer.h"
#include "reports/logger_file.h"
#include "reports/report_dialog.h"
#include "reports/report_file.h"
#include "reports/ui/tcomentadif.h"
#include "reports/ui/tfmcabrillo.h"

#include <QDir>
#include <QLocale>

namespace vireo {

void TMain::cbr2Click()
{
    if (windows.cabrillo)
        m_ctx.services.prompts->showModal(*windows.cabrillo);
}
void TMain::ADIF1Click()
{
    ExportAdif();
}
void TMain::ADIF2Click()
{
    if (windows.coment)
        m_ctx.services.prompts->showModal(*windows.coment);
}
void TMain::SCL1Click()
{
    ExportLoggerFile();
}
void TMain::SCL2Click()
{
    ImportLoggerFile();
}

void TMain::ExportAdif()
{
    Prompts &prompts = *m_ctx.services.prompts;
    if (myCall.isEmpty() || contestName.isEmpty()) {
        prompts.information(reportdialog::missingFieldsText());
        return;
    }
    const QString preset = QDir(m_ctx.programDir).filePath(myCall.trimmed() + QStringLiteral(".adi"));
    const QString path = prompts.saveFileName(reportdialog::saveTitle(), preset, reportdialog::saveFilter());
    if (path.isEmpty())
        return;
    const QDateTime created = m_ctx.services.utcClock->nowUtc().toLocalTime();
    const WriteResult result =
        adif::writeFile(path, *m_qsos, myCall, contestName, qsl, created, QLocale::system());
    selectLastRow();
    if (!reportWritten(result, prompts))
        return;
    prompts.information(reportdialog::doneText(path, QStringLiteral("ADIF")));
}

void TMain::ExportLoggerFile()
{
    Prompts &prompts = *m_ctx.services.prompts;
    if (myCall.isEmpty() || contestName.isEmpty()) {
        prompts.information(reportdialog::missingFieldsText());
        return;
    }
    const QString preset = QDir(m_ctx.programDir).filePath(myCall.trimmed() + QStringLiteral(".scl"));
    const QString path = prompts.saveFileName(reportdialog::saveTitle(), preset, reportdialog::saveFilter());
    if (path.isEmpty())
        return;
    const WriteResult result = loggerfile::writeFile(path, *m_qsos);
    selectLastRow();
    if (!reportWritten(result, prompts))
        return;
    prompts.information(reportdialog::doneText(path, QStringLiteral("SCL")));
}

void TMain::ImportLoggerFile()
{
    Prompts &prompts = *m_ctx.services.prompts;
    // The question comes first; the old log is deleted only once the file is open, inside the
    // transaction that reads it, so a cancelled choice or a bad file leaves the log as it was.
    const bool replace = prompts.askYesNo(QStringLiteral("Вы хотите перезаписать все записи лога?"));
    const QString path = prompts.openFileName(reportdialog::openTitle(), m_ctx.programDir, reportdialog::openFilter());
    if (path.isEmpty())
        return;
    int records = 0;
    try {
        records = loggerfile::import(path, *m_qsos, replace);
    } catch (const std::exception &e) {
        showError(prompts, errorText(e) + QStringLiteral("\nЗагрузка отменена, журнал не изменён."));
        return;
    }
    selectLastRow();
    RefreshCounters();
    prompts.information(reportdialog::loadedText(path, records));
}

} // namespace vireo
