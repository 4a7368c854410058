#include "stationinfo/data_refresh.h"

#include "base/error.h"
#include "db/scp_store.h"
#include "stationinfo/cty_parser.h"
#include "stationinfo/scp_file.h"

#include <QCoreApplication>
#include <QFile>

namespace vireo {

namespace {

QString unchanged()
{
    return QCoreApplication::translate("vireo::DataRefresh", "Данные не изменены.");
}

QByteArray readFile(const QString &path)
{
    if (path.isEmpty())
        throw Error(QCoreApplication::translate("vireo::DataRefresh", "Не выбран файл.\n%1").arg(unchanged()));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QCoreApplication::translate("vireo::DataRefresh", "Не удалось открыть файл %1 (%2).\n%3")
                        .arg(path, f.errorString(), unchanged()));
    return f.readAll();
}

// The file's own reader, its fault told with the file's name.
template <typename Reader>
auto readLines(const QString &path, const QByteArray &bytes, Reader reader)
{
    try {
        return reader(bytes);
    } catch (const LineError &e) {
        throw Error(QCoreApplication::translate("vireo::DataRefresh", "Файл %1, строка %2: %3.\n%4")
                        .arg(path)
                        .arg(e.line())
                        .arg(e.reason(), unchanged()));
    }
}

} // namespace

QString refreshReferenceData(ScpStore &store, const QString &ctyPath, const QString &scpPath)
{
    const QByteArray ctyBytes = readFile(ctyPath);
    const QByteArray scpBytes = readFile(scpPath);
    const CtyContents cty = readLines(ctyPath, ctyBytes, readCty);
    const ScpContents scp = readLines(scpPath, scpBytes, readScp);
    try {
        store.replace({cty.rows, cty.version}, {scp.calls, scp.release});
    } catch (const Error &e) {
        throw Error(QCoreApplication::translate("vireo::DataRefresh", "Не удалось записать данные в журнал: %1\n%2")
                        .arg(e.text(), unchanged()),
                    e.kind());
    }
    const ReferenceInfo info = store.info();
    return QCoreApplication::translate("vireo::DataRefresh", "Данные обновлены: стран %1, префиксов %2, позывных %3.")
        .arg(info.entities)
        .arg(info.prefixes)
        .arg(info.calls);
}

} // namespace vireo
