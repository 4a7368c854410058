// The entry line's modes as the main window runs them: saving an observation, manual entry
// ("COPY"), editing and deleting records. Each mode switches the entry line, the top strip, the
// station panel, the menus and the notice panel together.

#include "app/tmain.h"

#include "app/log_grid.h"
#include "app/main_menu.h"
#include "app/main_status_bar.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "entry/qso_entry.h"
#include "entry/ui/entry_panel.h"
#include "entry/ui/top_strip.h"
#include "stationinfo/ui/station_panel.h"

#include <QAction>

namespace vireo {

void TMain::btSaveClick()
{
    const qsoentry::StationFields f = m_entry->fields();
    if (!f.call1.trimmed().isEmpty() && !f.nr1.trimmed().isEmpty())
        SaveQso();
}

void TMain::SaveQso()
{
    // A record typed now must not land in the record being edited, nor beside it.
    if (editMode())
        return;
    if (!qsoentry::frequencyUsable(m_top->frequencyText())) {
        m_ctx.services.prompts->information(qsoentry::frequencyMessage());
        return;
    }
    m_entry->dropReportWithoutNumber();
    FreqToBand();
    // The clock's texts are empty until its first tick; a record is never filed without them.
    if (CurrentUtcDate.isEmpty() || CurrentUtcTime.isEmpty())
        Timer1Timer();

    qsoentry::Stamp stamp;
    stamp.band = currentBand;
    stamp.frequencyText = m_top->frequencyText();
    stamp.modeText = m_top->modeText();
    stamp.date = CurrentUtcDate;
    stamp.time = CurrentUtcTime;
    stamp.tour = m_top->tour();
    stamp.radio = QString::number(m_top->radio());
    // The grid follows the log; the instant of the save finds the record's stretch of the recording.
    m_qsos->append(qsoentry::observationRecords(m_entry->fields(), stamp, m_menu->N20->isChecked()),
                   m_ctx.services.utcClock->nowUtc().toMSecsSinceEpoch());
    selectLastRow();
    m_entry->afterObservationSave(m_top->keepsReports());
    RefreshCounters();
}

void TMain::btCopySaveClick()
{
    if (!qsoentry::frequencyUsable(m_top->frequencyText())) {
        m_ctx.services.prompts->information(qsoentry::frequencyMessage());
        return;
    }
    FreqToBand();
    const qsoentry::StationFields fields = m_entry->fields();
    if (fields.call1.trimmed().isEmpty() || fields.nr1.trimmed().isEmpty())
        return;

    qsoentry::Stamp stamp;
    stamp.band = currentBand;
    stamp.frequencyText = m_top->frequencyText();
    stamp.modeText = m_top->modeText();
    stamp.date = m_entry->dateText();
    stamp.time = m_entry->timeText();
    stamp.tour = m_top->tour();
    m_qsos->append(qsoentry::manualRecords(fields, stamp, m_menu->N20->isChecked())); // the grid follows the log
    selectLastRow();
    m_entry->afterManualSave();
    RefreshCounters();
}

void TMain::chCopyClick()
{
    const bool manual = m_top->manualEntry();
    if (manual)
        m_entry->beginManualEntry(CurrentUtcDate, CurrentUtcTime);
    else
        m_entry->endManualEntry();
    m_top->showManualEntry(manual);
    setStatusText(MainStatusBar::Notice,
                  manual ? tr("Режим ввода QSO вручную") : tr("Режим - наблюдений и записи QSO!"));
    // Only "Окна" stays while QSOs are typed in by hand.
    for (int position : {1, 2, 3, 4, 5})
        if (!manual || position != 4)
            m_menu->setTopLevelEnabled(position, !manual);
    m_menu->N12->setEnabled(!manual);
    m_menu->N13->setEnabled(!manual);
    m_station->setInformationVisible(!manual);
}

bool TMain::editMode() const
{
    return m_entry->editing();
}

void TMain::N12Click()
{
    if (editMode())
        return;
    const int row = m_grid->selectedRow();
    const qint64 id = m_logModel->idAt(row);
    if (id <= 0)
        return; // nothing selected, nothing to edit
    const QsoRecord r = m_qsos->byId(id);
    m_editId = id;
    m_grid->setEnabled(false);
    m_savedModeText = m_top->modeText();
    m_savedFreqText = m_top->frequencyText();
    // The record's frequency first: its band box follows it, and then takes the record's band.
    m_top->beginEdit(r.freq, r.mode);
    m_entry->beginEdit(r);
    setStatusText(MainStatusBar::Notice, tr("Режим редактирования"));
    m_menu->setAllTopLevelEnabled(false);
    m_station->setInformationVisible(false);
    // Switching to manual entry in the middle of an edit would leave the edit without its button.
    m_top->setManualEntryEnabled(false);
}

void TMain::btEditSaveClick()
{
    FreqToBand();
    const qsoentry::TimeCheck check = qsoentry::checkEditTime(m_entry->timeText());
    if (check != qsoentry::TimeCheck::Ok) {
        m_ctx.services.prompts->information(qsoentry::timeCheckMessage(check));
        m_entry->focusTime();
        return;
    }
    m_entry->dropReportWithoutNumber();

    qsoentry::Stamp stamp;
    stamp.band = m_entry->editBandText();
    stamp.frequencyText = m_top->editFrequencyText();
    stamp.modeText = m_top->editModeText();
    stamp.date = m_entry->dateText();
    stamp.time = m_entry->timeText();
    stamp.tour = m_top->tour();
    const QsoRecord edited = qsoentry::editedRecord(m_qsos->byId(m_editId), m_entry->fields(), stamp);
    m_qsos->update(edited);

    m_entry->endEdit();
    m_top->endEdit(m_savedFreqText, m_savedModeText);
    RefreshCounters();
    m_grid->showRecord(edited.id);
    setStatusText(MainStatusBar::Notice, QStringLiteral("OK"));
    m_grid->setEnabled(true);
    m_menu->setAllTopLevelEnabled(true);
    m_station->setInformationVisible(true);
    m_top->setManualEntryEnabled(true);
    m_editId = 0;
}

void TMain::N13Click()
{
    if (editMode())
        return;
    const int row = m_grid->selectedRow();
    const qint64 id = m_logModel->idAt(row);
    if (id <= 0)
        return;
    m_qsos->remove(id);
    // The same position now holds the record that followed; after the last one, the new last.
    const int count = m_logModel->rowCount();
    if (count > 0)
        m_grid->showRow(std::min(row, count - 1));
    RefreshCounters();
}

void TMain::N7Click()
{
    if (!m_ctx.services.prompts->askYesNo(tr("Вы действительно хотите удалить все записи лога?")))
        return;
    m_qsos->clear();
    RefreshCounters();
}

} // namespace vireo
