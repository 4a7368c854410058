#include "app/scp_link.h"

#include "base/ui/guarded.h"
#include "base/ui/window_placement.h"
#include "db/qso_store.h"
#include "entry/ui/entry_panel.h"
#include "stationinfo/scp_data.h"
#include "stationinfo/ui/tdataupdate.h"
#include "stationinfo/ui/tscp.h"

#include <QAction>
#include <QShortcut>
#include <QTimer>

namespace vireo {

ScpLink::ScpLink(const AppContext &context, const Links &links, std::function<Where()> where)
    : QObject(links.window), m_ctx(context), m_links(links), m_where(std::move(where))
{
    m_data = std::make_shared<ScpData>(m_links.qsos, m_ctx.databasePath);
    // Read in the background: the lists appear for what is typed once the index is in place.
    connect(m_data.get(), &ScpData::ready, this, [this] {
        guard([this] {
            if (m_window->isVisible())
                recheck();
        });
    });
    m_window = std::make_shared<TScp>(m_ctx, nullptr);
    placeBesideMainOnFirstShow(*m_window, *m_links.window, *m_links.beside);
    connect(m_window.get(), &TScp::closed, this, [this] { m_links.toggle->setChecked(false); });
    connect(m_window.get(), &TScp::chosen, this,
            [this](const QString &call) { guard([this, call] { choose(call); }); });
    // After a change of the whole log the rows on screen may name calls the index no longer has.
    connect(&m_links.qsos, &QsoStore::logChanged, this, [this](const LogChange &change) {
        if (change.kind != LogChange::Reset)
            return;
        // The rows go at once; the lists of what is typed come back when the index is read
        // again, and until then the window says that it is being read.
        m_window->clearResults();
        if (!m_window->isVisible())
            return;
        if (m_links.entry.call(m_side ? m_side : 1).size() >= 2)
            m_window->showReading();
        // The read starts once the write that reported the change is over.
        QTimer::singleShot(0, this, [this] {
            guard([this] {
                if (m_window->isVisible())
                    recheck();
            });
        });
    });
    for (int n = 1; n <= 9; ++n) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + n)), m_links.window);
        shortcut->setObjectName(QStringLiteral("scpAlt%1").arg(n));
        connect(shortcut, &QShortcut::activated, this, [this, n] { guard([this, n] { chooseNumber(n); }); });
    }
}

ScpLink::~ScpLink() = default;

void ScpLink::guard(const std::function<void()> &handler)
{
    runGuarded(m_ctx.services.prompts.get(), handler);
}

void ScpLink::check(int side)
{
    m_side = side;
    // Nothing is shown while the window is closed, so nothing is looked up.
    if (!m_window->isVisible())
        return;
    // Typing never waits for the index: it is read in the background from the moment the window
    // shows, and until then the lists stay empty.
    const ScpIndex *index = m_data->indexIfReady();
    const QString typed = m_links.entry.call(side);
    if (typed.size() < 2) {
        m_window->clearResults();
        return;
    }
    if (!index) {
        m_window->showReading();
        return;
    }
    const Where w = m_where();
    m_window->setResults(*index, typed, index->matchIds(typed), index->nearIds(typed),
                         index->contextOf(w.band, w.mode, w.tour));
}

void ScpLink::toggleWindow()
{
    // Toggled like the repeats window: the action has set its own mark already.
    if (m_window->isVisible()) {
        m_window->hide();
        m_links.toggle->setChecked(false);
        return;
    }
    m_window->show();
    m_window->raise();
    m_links.toggle->setChecked(true);
    recheck();
}

void ScpLink::choose(const QString &call)
{
    m_links.entry.chooseCall(m_side, call);
}

void ScpLink::chooseNumber(int n)
{
    if (!m_window->isVisible())
        return;
    const QString call = m_window->callForNumber(n);
    if (!call.isEmpty())
        choose(call);
}

void ScpLink::showDataUpdate()
{
    if (!m_dataUpdate) {
        m_dataUpdate = new TDataUpdate(m_ctx, m_links.qsos.connection(), m_links.window);
        // The new calls are read at the next check; the one on screen is redone now.
        connect(m_dataUpdate, &TDataUpdate::updated, this, [this] {
            guard([this] {
                m_window->clearResults();
                m_data->reload();
                if (m_side)
                    check(m_side);
            });
            emit dataReplaced();
        });
    }
    m_dataUpdate->showInfo();
    m_dataUpdate->show();
    m_dataUpdate->raise();
    m_dataUpdate->activateWindow();
}

} // namespace vireo
