#pragma once
// The score of the log by the chosen contest's rules, kept up to date as the log changes: the
// main window's line for the record being typed, the score window, the Cabrillo claimed score,
// the statistics and the log check all read it from here.

#include "contest_rules/rule_definition.h"
#include "contest_rules/scorer.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace vireo {

class QsoStore;
struct LogChange;

namespace rules {

class RulesTracker : public QObject {
    Q_OBJECT
public:
    // prefixes reads the prefix table (when a definition is first chosen, and again after
    // prefixesChanged); it may throw vireo::Error.
    RulesTracker(QsoStore &store, std::function<QVector<PrefixRow>()> prefixes, QObject *parent = nullptr);

    // Scores the log by these rules from now on (nothing: no rules, as without this tracker).
    // Throws vireo::Error when the prefix table or the log cannot be read; the tracker then
    // scores nothing rather than a part of the log.
    void setDefinition(std::optional<Definition> definition);
    bool active() const { return m_scorer != nullptr; }
    // The scorer of the chosen rules; nullptr without rules.
    const Scorer *scorer() const { return m_scorer.get(); }
    const Definition *definition() const { return m_scorer ? &m_scorer->definition() : nullptr; }

    // The check of the record being typed; not checked without rules.
    LiveCheck check(const QsoRecord &candidate) const;
    // The claimed score; nothing without rules.
    std::optional<qint64> claimedScore() const;

    // Reads the whole log anew and scores it. Throws vireo::Error when the log cannot be read;
    // the score then stays as it was and problem() says why.
    void reload();
    // The prefix table was replaced (the country data were refreshed): the entities and zones of
    // the calls are looked up again and the log scored anew. Throws as setDefinition does.
    void prefixesChanged();

    // Why the score may be behind the log: the Russian text of the last failure to read it,
    // empty while the score follows the log. The next change of the log tries again.
    const QString &problem() const { return m_problem; }

signals:
    // The rules were chosen or dropped.
    void definitionChanged();
    // The score changed. rescored: anything may have changed; otherwise one record was added at
    // the end of the log: a refused one at that place of the refused list (or -1), and that many
    // multipliers at the end of their list.
    void scoreChanged(bool rescored, int refusedInsertedAt, int multipliersAdded);

private:
    void logChanged(const LogChange &change);
    // Scores the whole log as it stands; throws when it cannot be read, the score then left as
    // it was.
    void scoreLog(Scorer &scorer) const;
    // reload() for the log's listener: an error is kept in problem() and logged, not thrown into
    // the write that told of the change.
    void reloadQuietly();

    QsoStore &m_store;
    std::function<QVector<PrefixRow>()> m_readPrefixes;
    std::shared_ptr<const PrefixTable> m_prefixes;
    std::unique_ptr<Scorer> m_scorer;
    QString m_problem;
};

} // namespace rules
} // namespace vireo
