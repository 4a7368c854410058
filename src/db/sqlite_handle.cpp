#include "db/sqlite_handle.h"

#include <QSqlDriver>
#include <QVariant>

namespace vireo {

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(v.constData());
}

} // namespace vireo
