#pragma once
// The former whole-log-in-memory log check, for the benchmark's side-by-side figures only.

#include "analysis/log_check.h"

#include <QStringList>
#include <QVector>

#include <optional>

namespace vireo::baseline {

// A finding as the former check kept it: a whole copy of its record and its text.
struct Finding {
    logcheck::Kind kind = logcheck::Kind::Serial;
    QsoRecord record;
    int side = 0;
    QString text;
    QStringList suggestions;
    int group = 0;
};

std::optional<QVector<Finding>> check(const QVector<QsoRecord> &records, const QStringList &knownCalls,
                                      const logcheck::Options &options, const logcheck::Progress &progress = {});

// Reads the whole log at path into memory, then checks it.
std::optional<QVector<Finding>> checkLogFile(const QString &path, const QStringList &knownCalls,
                                             const logcheck::Options &options);

} // namespace vireo::baseline
