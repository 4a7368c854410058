#include "stationinfo/data_refresh.h"

#include "base/error.h"
#include "db/scp_store.h"
#include "stationinfo/cty_parser.h"
#include "stationinfo/scp_file.h"

#include <QFile>

namespace vireo {

namespace {

const QString Unchanged = QStringLiteral("Данные не изменены.");

QByteArray readFile(const QString &path)
{
    if (path.isEmpty())
        throw Error(QStringLiteral("Не выбран файл.\n") + Unchanged);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось открыть файл %1 (%2).\n%3").arg(path, f.errorString(), Unchanged));
    return f.readAll();
}

// The file's own reader, its fault told with the file's name.
template <typename Reader>
auto readLines(const QString &path, const QByteArray &bytes, Reader reader)
{
    try {
        return reader(bytes);
    } catch (const LineError &e) {
        throw Error(QStringLiteral("Файл %1, строка %2: %3.\n%4").arg(path).arg(e.line()).arg(e.reason(), Unchanged));
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
        throw Error(QStringLiteral("Не удалось записать данные в журнал: %1\n%2").arg(e.text(), Unchanged), e.kind());
    }
    const ReferenceInfo info = store.info();
    return QStringLiteral("Данные обновлены: стран %1, префиксов %2, позывных %3.")
        .arg(info.entities)
        .arg(info.prefixes)
        .arg(info.calls);
}

} // namespace vireo
