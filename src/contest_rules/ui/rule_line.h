#pragma once
// lbRule: the line of the main window that says, while a record is typed, whether it will count
// by the chosen contest's rules, which limit refuses it if not ("UA2XYZ корреспондент уже 10
// раз на 20M: не засчитывается"), and which multipliers it would bring ("новый множитель: DL,
// 20M"). Empty without rules, before both calls are typed, and while a record is edited. It
// checks again when the score changes (a save, an edit, another program's write) and when the
// rules are chosen or dropped.

#include "contest_rules/scorer.h"
#include "db/qso_record.h"

#include <QLabel>

#include <functional>
#include <optional>

namespace vireo::rules {

class RulesTracker;

class RuleLine : public QLabel {
    Q_OBJECT
public:
    // candidate gives the record as it stands in the entry fields, nothing while none is typed
    // for saving (a record being edited).
    RuleLine(RulesTracker &tracker, std::function<std::optional<QsoRecord>()> candidate, QWidget *parent = nullptr);

    // Checks the record being typed again.
    void refresh();
    // What the last check found.
    const LiveCheck &lastCheck() const { return m_last; }

    // The colours of the three kinds of line: refused, a new multiplier, counts.
    static QColor refusedColour() { return QColor(160, 0, 0); }
    static QColor multiplierColour() { return QColor(0, 110, 0); }

private:
    RulesTracker &m_tracker;
    std::function<std::optional<QsoRecord>()> m_candidate;
    LiveCheck m_last;
};

} // namespace vireo::rules
