#include "stationinfo/data_refresh.h"

#include "base/error.h"
#include "db/scp_store.h"
#include "stationinfo/cty_parser.h"
#include "stationinfo/scp_file.h"

#include <QFile>

namespace vireo {

namespace {

const QString Unchanged = QStringLiteral("Данные не изменены.");

bool readFile(const QString &path, QByteArray &bytes, QString &error)
{
    QFile f(path);
    if (path.isEmpty()) {
        error = QStringLiteral("Не выбран файл.\n") + Unchanged;
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Не удалось открыть файл %1: %2.\n%3").arg(path, f.errorString(), Unchanged);
        return false;
    }
    bytes = f.readAll();
    return true;
}

QString lineError(const QString &path, int line, const QString &what)
{
    return QStringLiteral("Файл %1, строка %2: %3.\n%4").arg(path).arg(line).arg(what, Unchanged);
}

} // namespace

RefreshResult refreshReferenceData(ScpStore &store, const QString &ctyPath, const QString &scpPath)
{
    RefreshResult r;
    QByteArray ctyBytes, scpBytes;
    if (!readFile(ctyPath, ctyBytes, r.text) || !readFile(scpPath, scpBytes, r.text))
        return r;
    const CtyContents cty = readCty(ctyBytes);
    if (cty.errorLine != 0) {
        r.text = lineError(ctyPath, cty.errorLine, cty.error);
        return r;
    }
    const ScpContents scp = readScp(scpBytes);
    if (scp.errorLine != 0) {
        r.text = lineError(scpPath, scp.errorLine, scp.error);
        return r;
    }
    try {
        store.replace({cty.rows, cty.version}, {scp.calls, scp.release});
    } catch (const Error &e) {
        r.text = QStringLiteral("Не удалось записать данные в журнал: %1\n%2").arg(e.text(), Unchanged);
        return r;
    }
    r.ok = true;
    const ReferenceInfo info = store.info();
    r.text = QStringLiteral("Данные обновлены: стран %1, префиксов %2, позывных %3.")
                 .arg(info.entities)
                 .arg(info.prefixes)
                 .arg(info.calls);
    return r;
}

} // namespace vireo
