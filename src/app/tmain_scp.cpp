// The partial call check and the country data refresh of the main window.

#include "app/tmain.h"

#include "base/ui/window_placement.h"
#include "db/qso_store.h"
#include "stationinfo/scp_data.h"
#include "stationinfo/ui/tdataupdate.h"
#include "stationinfo/ui/tscp.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>

namespace vireo {

void TMain::connectScpHandlers()
{
    m_scpData = std::make_shared<ScpData>(qsos(), m_ctx.databasePath);
    // Read in the background: the lists appear for what is typed once the index is in place.
    connect(m_scpData.get(), &ScpData::ready, this, [this] {
        guard([this] {
            if (scpWindow->isVisible())
                ScpCheck(scpField ? scpField : edCall1);
        });
    });
    // Top-level like the repeats window; destroyed (writing its placement) before the main window.
    scpWindowOwner = std::make_shared<TScp>(m_ctx, nullptr);
    scpWindow = scpWindowOwner.get();
    placeBesideMainOnFirstShow(*scpWindow, *this, *Panel1);
    wire(actScp, &QAction::triggered, &TMain::actScpClick);
    wire(actDataUpdate, &QAction::triggered, &TMain::actDataUpdateClick);
    connect(scpWindow, &TScp::closed, this, [this] { actScp->setChecked(false); });
    connect(scpWindow, &TScp::chosen, this, [this](const QString &call) { guard([this, call] { ScpChoose(call); }); });
    // After a change of the whole log the rows on screen may name calls the index no longer has.
    connect(&qsos(), &QsoStore::logChanged, this, [this](const LogChange &change) {
        if (change.kind != LogChange::Reset)
            return;
        // The rows go at once; the lists of what is typed come back when the index is read
        // again, and until then the window says that it is being read.
        scpWindow->clearResults();
        if (!scpWindow->isVisible())
            return;
        if ((scpField ? scpField : edCall1)->text().size() >= 2)
            scpWindow->showReading();
        // The read starts once the write that reported the change is over.
        QTimer::singleShot(0, this, [this] {
            guard([this] {
                if (scpWindow->isVisible())
                    ScpCheck(scpField ? scpField : edCall1);
            });
        });
    });
    for (int n = 1; n <= 9; ++n) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + n)), this);
        shortcut->setObjectName(QStringLiteral("scpAlt%1").arg(n));
        connect(shortcut, &QShortcut::activated, this, [this, n] { guard([this, n] { ScpChooseNumber(n); }); });
    }
}

void TMain::ScpCheck(QLineEdit *field)
{
    scpField = field;
    // Nothing is shown while the window is closed, so nothing is looked up.
    if (!scpWindow->isVisible())
        return;
    // Typing never waits for the index: it is read in the background from the moment the window
    // shows, and until then the lists stay empty.
    const ScpIndex *index = m_scpData->indexIfReady();
    const QString typed = field->text();
    if (typed.size() < 2) {
        scpWindow->clearResults();
        return;
    }
    if (!index) {
        scpWindow->showReading();
        return;
    }
    scpWindow->setResults(*index, typed, index->matchIds(typed), index->nearIds(typed),
                          index->contextOf(currentBand, modeCode(), edTour->text()));
}

void TMain::actScpClick()
{
    // Toggled like the repeats window: the action has set its own mark already.
    if (scpWindow->isVisible()) {
        scpWindow->hide();
        actScp->setChecked(false);
        return;
    }
    scpWindow->show();
    scpWindow->raise();
    actScp->setChecked(true);
    ScpCheck(scpField ? scpField : edCall1);
}

void TMain::ScpChoose(const QString &call)
{
    QLineEdit *field = scpField ? scpField : edCall1;
    field->setText(call);
    field->window()->activateWindow();
    field->setFocus();
    field->setCursorPosition(int(call.size()));
}

void TMain::ScpChooseNumber(int n)
{
    if (!scpWindow->isVisible())
        return;
    const QString call = scpWindow->callForNumber(n);
    if (!call.isEmpty())
        ScpChoose(call);
}

void TMain::actDataUpdateClick()
{
    if (!dataUpdateWindow) {
        dataUpdateWindow = new TDataUpdate(m_ctx, qsos().connection(), this);
        // The new calls are read at the next check; the one on screen is redone now.
        connect(dataUpdateWindow, &TDataUpdate::updated, this, [this] {
            guard([this] {
                scpWindow->clearResults();
                m_scpData->reload();
                if (scpField)
                    ScpCheck(scpField);
            });
        });
    }
    dataUpdateWindow->showInfo();
    dataUpdateWindow->show();
    dataUpdateWindow->raise();
    dataUpdateWindow->activateWindow();
}

} // namespace vireo
