// The main window's look at what is typed: the repeat check and the station lookup of a call,
// the band of the frequency, the field layout, and the clock with the current tour.

#include "app/tmain.h"

#include "app/main_menu.h"
#include "app/main_status_bar.h"
#include "app/scp_link.h"
#include "base/ini_file.h"
#include "base/ui/widget_kit.h"
#include "contest/tour_clock.h"
#include "db/qso_store.h"
#include "db/tour_store.h"
#include "entry/band_plan.h"
#include "entry/field_layout.h"
#include "entry/ui/entry_panel.h"
#include "entry/ui/top_strip.h"
#include "stationinfo/dupe_check.h"
#include "stationinfo/station_lookup.h"
#include "stationinfo/ui/call_field_colour.h"
#include "stationinfo/ui/station_panel.h"
#include "stationinfo/ui/trptqso.h"

#include <QAction>

namespace vireo {

// The change of one call field; side 1 is the heard station, side 2 the worked station.
void TMain::callFieldChange(int side)
{
    const QString mode = modeCode();
    const QString call = m_entry->call(side);
    if (m_top->keepsReports())
        m_entry->setReport(side, call.isEmpty() ? QString() : dupe::defaultReport(mode));
    FreqToBand();

    const QString tour = m_top->tour();
    heardCount = m_qsos->heardRepeatCount(currentBand, mode, call, tour);
    workedCount = m_qsos->workedRepeatCount(currentBand, mode, call, tour);
    // Edit mode shows as the yellow heard report field; manual entry keeps its own colour
    // whatever the counts.
    const dupe::FieldColour colour = m_top->manualEntry()
                                         ? dupe::FieldColour::LightGreen
                                         : dupe::callFieldColour(heardCount, workedCount, call.isEmpty(), editMode());
    m_entry->setCallColour(side, dupe::rgb(colour, kit::windowColour()));
    if (TRptQso *rpt = m_windows.rptQso) {
        rpt->setCounts(heardCount, workedCount);
        rpt->setRepeats(m_qsos->repeats(call));
    }

    lookupCall = call;
    ShowInfoCall();
    if (const std::optional<QString> value = m_station->captured())
        m_entry->setNumber(side, *value);
    FreqToBand();
    m_scp->check(side);
}

void TMain::ShowInfoCall()
{
    const StationDisplay d = StationLookup(*m_refs).lookup(lookupCall, myLatitude, myLongitude);
    m_station->show(d);
    if (d.reset)
        return;
    stationLatitude = d.stationLatitude;
    stationLongitude = d.stationLongitude;
    distanceMetres = d.distanceMetres;
    azimuthDegrees = d.azimuthDegrees;
}

void TMain::FreqToBand()
{
    // In edit mode the record's own frequency field counts.
    const bool editing = m_entry->showsEditDate() && m_top->showsEditFrequency();
    bandFromFrequencyText(editing ? m_top->editFrequencyText() : m_top->frequencyText());
}

void TMain::bandFromFrequencyText(const QString &text, bool sayOutside)
{
    const bandplan::BandLookup found = bandplan::lookupBand(text, selectedRadioOnline());
    if (found.band)
        currentBand = *found.band;
    // A number of no band keeps the band; the listener must see which one the QSO goes to. The
    // message gives way, and what the panel said before comes back, once the frequency has a band.
    if (found.outsideBands && sayOutside) {
        const QString warning = bandplan::outsideBandsText(text, currentBand);
        if (m_bandWarning.isEmpty())
            m_beforeBandWarning = statusText(MainStatusBar::Notice);
        if (warning != m_bandWarning)
            setStatusText(MainStatusBar::Notice, warning);
        m_bandWarning = warning;
    } else if (!found.outsideBands && !m_bandWarning.isEmpty()) {
        if (statusText(MainStatusBar::Notice) == m_bandWarning)
            setStatusText(MainStatusBar::Notice, m_beforeBandWarning);
        m_bandWarning.clear();
    }
}

void TMain::cbFreqChange()
{
    FreqToBand();
}

void TMain::cbFreqTyped(const QString &typed)
{
    // Key by key: "7", "70", "701" are on the way to 7012, not frequencies of no band. The
    // warning waits for the next look at the band (a call typed, the QSO saved).
    bandFromFrequencyText(typed, false);
}

void TMain::edFreqEditChange()
{
    FreqToBand();
    m_entry->setEditBand(currentBand);
}

void TMain::WinPosition()
{
    const bool column = m_menu->N18->isChecked();
    m_menu->N18->setText(layout::menuCaption(column));
    m_entry->placeFields(column, m_top->keepsReports());
}

void TMain::chRstClick()
{
    WinPosition();
}

void TMain::N18Click()
{
    // The action toggled its own check mark already; the flag follows it.
    layoutFlag = m_menu->N18->isChecked() ? 1 : 0;
    WinPosition();
}

void TMain::N20Click()
{
    m_menu->N20->setText(m_menu->N20->isChecked() ? tr("Снять режим копии строки с рокировкой данных")
                                                  : tr("Установить режим копии строки с рокировкой данных"));
}

void TMain::Timer1Timer()
{
    const QDateTime utc = m_ctx.services.utcClock->nowUtc().toUTC();
    CurrentUtcDate = tourclock::utcDateText(utc);
    setStatusText(MainStatusBar::Date, CurrentUtcDate);
    CurrentUtcTime = tourclock::utcTimeText(utc);
    m_top->setUtcSeconds(tourclock::utcSecondsText(utc));
    if (m_top->tracksTours()) {
        if (const auto state = tourclock::currentTour(m_tours->all(), utc)) {
            m_top->setTour(state->tourText);
            if (state->timeLeft)
                m_top->setTimeLeft(*state->timeLeft);
        }
    }
    emit clockTicked();
}

void TMain::chTourClick()
{
    // Kept at once, so a program ended in the middle of a tour starts again tracking it.
    IniFile(m_ctx.settingsPath)
        .writeInteger(QStringLiteral("Main"), QStringLiteral("TourTracking"), m_top->tracksTours() ? 1 : 0);
    // Without a contest name the tours and the repeat check cannot be right; say so, keep the box.
    if (m_top->tracksTours() && contestName.trimmed().isEmpty())
        m_ctx.services.prompts->warning(tr("Не выбран contest! Обработка туров и повторных связей, будет неверной!"));
}

} // namespace vireo
