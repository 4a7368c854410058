// The main window's clock: UTC date and time texts and the current tour.

#include "app/tmain.h"

#include "base/ini_file.h"

#include "contest/tour_clock.h"
#include "db/tour_store.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace vireo {

void TMain::Timer1Timer()
{
    const QDateTime utc = m_ctx.services.utcClock->nowUtc().toUTC();
    CurrentUtcDate = tourclock::utcDateText(utc);
    setStatusText(1, CurrentUtcDate);
    CurrentUtcTime = tourclock::utcTimeText(utc);
    lbUTC->setText(tourclock::utcSecondsText(utc));
    if (!chTour->isChecked())
        return;
    const auto state = tourclock::currentTour(m_tours->all(), utc);
    if (!state)
        return;
    edTour->setText(state->tourText);
    if (state->timeLeft)
        ibTourTime->setText(*state->timeLeft);
}

void TMain::chTourClick()
{
    // Kept at once, so a program ended in the middle of a tour starts again tracking it.
    IniFile(m_ctx.settingsPath)
        .writeInteger(QStringLiteral("Main"), QStringLiteral("TourTracking"), chTour->isChecked() ? 1 : 0);
    // Without a contest name the tours and the repeat check cannot be right; say so, keep the box.
    if (chTour->isChecked() && contestName.trimmed().isEmpty())
        m_ctx.services.prompts->warning(
            QStringLiteral("Не выбран contest! Обработка туров и повторных связей, будет неверной!"));
}

} // namespace vireo
