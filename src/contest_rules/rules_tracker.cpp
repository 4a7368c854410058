#include "contest_rules/rules_tracker.h"

#include "base/error.h"
#include "contest_rules/logging.h"
#include "db/qso_scan.h"
#include "db/qso_store.h"

namespace vireo::rules {

RulesTracker::RulesTracker(QsoStore &store, std::function<QVector<PrefixRow>()> prefixes, QObject *parent)
    : QObject(parent), m_store(store), m_readPrefixes(std::move(prefixes))
{
    connect(&m_store, &QsoStore::logChanged, this, &RulesTracker::logChanged);
}

void RulesTracker::scoreLog(Scorer &scorer) const
{
    scorer.beginLoad(m_store.count());
    try {
        scanQsos(m_store.connection(), [&scorer](const QsoRecord &r) { scorer.loadOne(r); });
    } catch (...) {
        scorer.abortLoad(); // the score stays that of the log as last read
        throw;
    }
    scorer.finishLoad();
}

void RulesTracker::setDefinition(std::optional<Definition> definition)
{
    m_problem.clear();
    if (!definition) {
        m_scorer.reset();
        emit definitionChanged();
        emit scoreChanged(true, -1, 0);
        return;
    }
    m_scorer.reset(); // until the new rules have scored the whole log
    const QString name = definition->name;
    try {
        if (!m_prefixes)
            m_prefixes = std::make_shared<PrefixTable>(m_readPrefixes ? m_readPrefixes() : QVector<PrefixRow>());
        auto scorer = std::make_unique<Scorer>(std::move(*definition), m_prefixes);
        scoreLog(*scorer);
        m_scorer = std::move(scorer);
    } catch (const std::exception &e) {
        m_problem = errorText(e);
        emit definitionChanged();
        emit scoreChanged(true, -1, 0);
        throw Error(tr("Журнал не подсчитан по правилам «%1»: %2").arg(name, errorText(e)));
    }
    emit definitionChanged();
    emit scoreChanged(true, -1, 0);
}

void RulesTracker::reload()
{
    if (!m_scorer)
        return;
    try {
        scoreLog(*m_scorer);
        m_problem.clear();
    } catch (const std::exception &e) {
        m_problem = errorText(e);
        throw;
    }
    emit scoreChanged(true, -1, 0);
}

void RulesTracker::reloadQuietly()
{
    try {
        reload();
    } catch (const std::exception &e) {
        qCWarning(lcContestRules).noquote() << "the log was not scored anew:" << errorText(e);
    }
}

void RulesTracker::prefixesChanged()
{
    m_prefixes.reset();
    if (!m_scorer)
        return;
    const Definition definition = m_scorer->definition();
    setDefinition(definition);
}

void RulesTracker::logChanged(const LogChange &change)
{
    if (!m_scorer)
        return;
    if (!m_problem.isEmpty()) {
        // The last read failed: this change cannot be laid over a score that is behind the log.
        reloadQuietly();
        return;
    }
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
        reloadQuietly();
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
