#include "app/tmain.h"

#include "analysis/ui/tstats.h"
#include "base/ui/window_placement.h"

#include <QAction>
#include <QFrame>
#include <QTimer>

namespace vireo {

void TMain::connectStatsHandlers()
{
    // A window of its own, like the repeats window; it goes when the main window has gone.
    stats = new TStats(m_ctx, *m_qsos);
    connect(this, &QObject::destroyed, [window = stats] { delete window; });
    placeBesideMainOnFirstShow(*stats, *this, *Panel1);
    wire(actStats, &QAction::triggered, &TMain::actStatsClick);
    connect(stats, &TStats::closed, this, [this] { actStats->setChecked(false); });
    // The rates count back from the clock's minute, so they move on with the clock.
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (stats->isVisible())
            guard([this] { stats->refreshRates(); });
    });
}

void TMain::actStatsClick()
{
    // The action has toggled its own mark already when triggered; the window decides.
    if (stats->isVisible()) {
        stats->hide();
        actStats->setChecked(false);
    } else {
        stats->show();
        stats->raise();
        actStats->setChecked(true);
    }
}

} // namespace vireo
