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
    // prefixes reads the prefix table (when a definition is first chosen).
    RulesTracker(QsoStore &store, std::function<QVector<PrefixRow>()> prefixes, QObject *parent = nullptr);

    // Scores the log by these rules from now on (nothing: no rules, as without this tracker).
    void setDefinition(std::optional<Definition> definition);
    bool active() const { return m_scorer != nullptr; }
    // The scorer of the chosen rules; nullptr without rules.
    const Scorer *scorer() const { return m_scorer.get(); }
    const Definition *definition() const { return m_scorer ? &m_scorer->definition() : nullptr; }

    // The check of the record being typed; not checked without rules.
    LiveCheck check(const QsoRecord &candidate) const;
    // The claimed score; nothing without rules.
    std::optional<qint64> claimedScore() const;

    // Reads the whole log anew and scores it.
    void reload();

signals:
    // The rules were chosen or dropped.
    void definitionChanged();
    // The score changed. rescored: anything may have changed; otherwise one record was added at
    // the end of the log: a refused one at that place of the refused list (or -1), and that many
    // multipliers at the end of their list.
    void scoreChanged(bool rescored, int refusedInsertedAt, int multipliersAdded);

private:
    void logChanged(const LogChange &change);

    QsoStore &m_store;
    std::function<QVector<PrefixRow>()> m_readPrefixes;
    std::shared_ptr<const PrefixTable> m_prefixes;
    std::unique_ptr<Scorer> m_scorer;
};

} // namespace rules
} // namespace vireo
