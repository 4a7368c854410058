#pragma once
// The two reference tables of station information: prefix and Callbook.

#include "db/reference_rows.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <optional>

namespace vireo {

struct CallbookRow {
    QString call, state, grid, deg;
};

class ReferenceStore {
public:
    explicit ReferenceStore(QSqlDatabase db);

    // Whether a prefix equals the first n characters of the call.
    bool prefixMatches(const QString &call, int n);
    // The first such row in prefix order.
    std::optional<PrefixRow> firstPrefix(const QString &call, int n);
    // Every prefix row in prefix order (the order firstPrefix takes the first of), for code that
    // matches many calls at once.
    QVector<PrefixRow> allPrefixes();
    // The callbook row of exactly this call.
    std::optional<CallbookRow> callbook(const QString &call);

    // Fills table prefix in one transaction (used when a new log file is made).
    void fillPrefixes(const QVector<PrefixRow> &rows);
    // Adds prefix rows inside the caller's transaction.
    void insertPrefixes(const QVector<PrefixRow> &rows);
    // Adds callbook rows in one transaction.
    void addCallbook(const QVector<CallbookRow> &rows);

private:
    QSqlDatabase m_db;
    QSqlQuery m_probe;
    QSqlQuery m_fetch;
    QSqlQuery m_callbook;
};

} // namespace vireo
