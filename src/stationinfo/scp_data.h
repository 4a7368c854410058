#pragma once
// The partial-check index of one log file: read from the database when first asked for, and
// kept up to date from then on as records are saved, edited and deleted.

#include "stationinfo/scp_index.h"

#include <QSqlDatabase>

namespace vireo {

struct LogChange;
class QsoStore;

class ScpData {
public:
    // Follows the store's writes from now on.
    explicit ScpData(QsoStore &store);

    // The index, read from the database on first use (or after reload()).
    const ScpIndex &index();
    bool loaded() const { return m_loaded; }
    // Reads the contest calls and the log again at the next use (after the data refresh).
    void reload() { m_loaded = false; }

    void apply(const LogChange &change);

private:
    QsoStore &m_store;
    QSqlDatabase m_db;
    ScpIndex m_index;
    bool m_loaded = false;
};

} // namespace vireo
