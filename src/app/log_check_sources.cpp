#include "app/log_check_sources.h"

#include "contest_rules/rules_tracker.h"
#include "db/qso_store.h"
#include "db/scp_store.h"
#include "db/tour_store.h"

#include <set>

namespace vireo {

TLogCheck::Sources logCheckSources(QsoStore &qsos, TourStore &tours, const rules::RulesTracker *rules)
{
    TLogCheck::Sources sources;
    sources.recordCount = [&qsos] { return qsos.count(); };
    sources.tours = [&tours] {
        std::set<int> numbers;
        for (const TourRow &row : tours.all())
            numbers.insert(row.tour);
        QStringList list;
        for (const int n : numbers)
            list << QString::number(n);
        return list;
    };
    // The contest calls in use by the partial check, as the data refresh last left them.
    sources.knownCalls = [&qsos] { return ScpStore(qsos.connection()).calls(); };
    if (rules) {
        // "Not again within N minutes": the same pair too soon, by the contest's own pause.
        sources.rulesPairMinutes = [rules]() -> std::optional<int> {
            const rules::Definition *d = rules->definition();
            return d ? rules::pairGapMinutes(*d) : std::nullopt;
        };
        sources.refusedByRules = [rules] {
            return rules->scorer() ? rules->scorer()->refusedByLimit() : QVector<QPair<qint64, QString>>{};
        };
    }
    return sources;
}

} // namespace vireo
