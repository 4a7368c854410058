#pragma once
// The findings of the log check as lines of text, and as a text file (Windows-1251, CR LF).

#include "analysis/log_check.h"
#include "reports/report_file.h"

#include <QDateTime>
#include <QStringList>

namespace vireo::logcheck {

// "Весь журнал" or "Тур N".
QString scopeText(const QString &tour);

// The record as the list shows it: date, time, both calls and numbers.
QString recordText(const QsoRecord &r);

// One finding's line of the file: kind, record, explanation, separated by " | ".
QString findingLine(const Finding &f);

// The file: a title line with the scope and the moment of the check, the count, an empty line,
// then one line per finding: kind, record, explanation, separated by " | ".
QStringList reportLines(const Findings &findings, const QString &tour, const QDateTime &checkedUtc);

WriteResult writeReport(const QString &path, const Findings &findings, const QString &tour,
                        const QDateTime &checkedUtc);

} // namespace vireo::logcheck
