#include "contest_rules/rules_tracker.h"

#include "db/qso_scan.h"
#include "db/qso_store.h"

#include <QPointer>

namespace vireo::rules {

RulesTracker::RulesTracker(QsoStore &store, std::function<QVector<PrefixRow>()> prefixes, QObject *parent)
    : QObject(parent), m_store(store), m_readPrefixes(std::move(prefixes))
{
    // The store cannot unsubscribe; a tracker already gone is skipped.
    QPointer<RulesTracker> self(this);
    m_store.subscribe([self](const LogChange &change) {
        if (self)
            self->logChanged(change);
    });
}

void RulesTracker::setDefinition(std::optional<Definition> definition)
{
    if (!definition) {
        m_scorer.reset();
        emit definitionChanged();
        emit scoreChanged(true, -1, 0);
        return;
    }
    if (!m_prefixes)
        m_prefixes = std::make_shared<PrefixTable>(m_readPrefixes ? m_readPrefixes() : QVector<PrefixRow>());
    m_scorer = std::make_unique<Scorer>(std::move(*definition), m_prefixes);
    emit definitionChanged();
    reload();
}

void RulesTracker::reload()
{
    if (!m_scorer)
        return;
    m_scorer->beginLoad(m_store.count());
    scanQsos(m_store.connection(), [this](const QsoRecord &r) { m_scorer->loadOne(r); });
    m_scorer->finishLoad();
    emit scoreChanged(true, -1, 0);
}

void RulesTracker::logChanged(const LogChange &change)
{
    if (!m_scorer)
        return;
    switch (change.kind) {
    case LogChange::Added:
        // A save adds one record, a save with the stations swapped two: each is scored in turn.
        if (change.after.size() <= 2) {
            for (const QsoRecord &r : change.after) {
                const Scorer::Delta d = m_scorer->append(r);
                emit scoreChanged(d.rescored, d.refusedInsertedAt, d.multipliersAdded);
            }
            return;
        }
        m_scorer->replace({}, change.after);
        break;
    case LogChange::Updated:
        m_scorer->replace({}, change.after);
        break;
    case LogChange::Removed: {
        QVector<qint64> ids;
        for (const QsoRecord &r : change.before)
            ids.append(r.id);
        m_scorer->replace(ids, {});
        break;
    }
    case LogChange::Reset:
        reload();
        return;
    }
    emit scoreChanged(true, -1, 0);
}

LiveCheck RulesTracker::check(const QsoRecord &candidate) const
{
    return m_scorer ? m_scorer->check(candidate) : LiveCheck{};
}

std::optional<qint64> RulesTracker::claimedScore() const
{
    if (!m_scorer)
        return std::nullopt;
    return m_scorer->claimedScore();
}

} // namespace vireo::rules
