#include "app/tmain.h"

#include "analysis/log_check_runner.h"
#include "analysis/ui/tlogcheck.h"
#include "base/error.h"
#include "base/ui/window_placement.h"
#include "db/log_table_model.h"
#include "db/qso_store.h"
#include "db/scp_store.h"
#include "db/tour_store.h"

#include <QAction>
#include <QFrame>
#include <QTableView>

#include <set>

namespace vireo {

void TMain::connectCheckHandlers()
{
    wire(actCheck, &QAction::triggered, &TMain::actCheckClick);
}

void TMain::actCheckClick()
{
    if (!logCheck) {
        TLogCheck::Sources sources;
        sources.recordCount = [this] { return m_qsos->count(); };
        sources.tours = [this] {
            std::set<int> numbers;
            for (const TourRow &row : m_tours->all())
                numbers.insert(row.tour);
            QStringList tours;
            for (const int n : numbers)
                tours << QString::number(n);
            return tours;
        };
        // The contest calls in use by the partial check, as the data refresh last left them.
        sources.knownCalls = [this] { return ScpStore(m_qsos->connection()).calls(); };
        logCheck = new TLogCheck(m_ctx, sources, this);
        connect(logCheck, &TLogCheck::recordChosen, this,
                [this](qint64 id) { guard([this, id] { selectCheckedRecord(id); }); });
        // Beside the main window the first time, unless it has a place of its own in the file.
        if (IniFile(m_ctx.settingsPath).readInteger(QStringLiteral("LogCheck"), QStringLiteral("Left"), -1) != -1)
            logCheck->setProperty(placement::Placed, true);
        placeBesideMainOnFirstShow(*logCheck, *this, *Panel1);
    } else if (!logCheck->runner().running()) {
        logCheck->refreshScopes();
    }
    logCheck->show();
    logCheck->raise();
    logCheck->activateWindow();
}

void TMain::selectCheckedRecord(qint64 id)
{
    if (editMode()) {
        setStatusText(5, QStringLiteral("Запись можно выбрать после окончания редактирования"));
        return;
    }
    bool exists = true;
    try {
        m_qsos->byId(id);
    } catch (const Error &) {
        exists = false;
    }
    const int row = exists ? m_logModel->rowOfId(id) : -1;
    if (row < 0) {
        m_ctx.services.prompts->warning(QStringLiteral("Этой записи уже нет в журнале"));
        return;
    }
    DBGrid1->selectRow(row);
    DBGrid1->scrollTo(m_logModel->index(row, 0));
    raise();
    activateWindow();
    DBGrid1->setFocus();
}

} // namespace vireo
