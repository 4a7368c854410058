#include "contest_rules/ui/rule_line.h"

#include "contest_rules/rules_tracker.h"

#include <QPalette>

namespace vireo::rules {

RuleLine::RuleLine(RulesTracker &tracker, std::function<std::optional<QsoRecord>()> candidate, QWidget *parent)
    : QLabel(parent), m_tracker(tracker), m_candidate(std::move(candidate))
{
    setObjectName(QStringLiteral("lbRule"));
    setTextFormat(Qt::PlainText);
    // A long refusal is cut at the line's end, not wrapped over the fields below it.
    setWordWrap(false);
    setMinimumWidth(0);
    connect(&m_tracker, &RulesTracker::scoreChanged, this, [this] { refresh(); });
    connect(&m_tracker, &RulesTracker::definitionChanged, this, [this] { refresh(); });
}

void RuleLine::refresh()
{
    const std::optional<QsoRecord> typed = m_tracker.active() && m_candidate ? m_candidate() : std::nullopt;
    m_last = typed ? m_tracker.check(*typed) : LiveCheck{};
    const QString line = m_last.text();
    QPalette p = palette();
    const QColor colour = !m_last.checked                    ? QPalette().color(QPalette::WindowText)
                          : !m_last.scores                   ? refusedColour()
                          : !m_last.newMultipliers.isEmpty() ? multiplierColour()
                                                             : QPalette().color(QPalette::WindowText);
    if (p.color(QPalette::WindowText) != colour) {
        p.setColor(QPalette::WindowText, colour);
        setPalette(p);
    }
    if (text() != line) {
        setText(line);
        setToolTip(line);
    }
}

} // namespace vireo::rules
