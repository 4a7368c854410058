#include "analysis/ui/stats_export.h"

#include "analysis/contest_stats.h"

#include <QSaveFile>

namespace vireo::statsexport {

WriteResult writeTable(const QString &path, const ContestStats &stats)
{
    ReportFile file(path);
    if (!file.open())
        return WriteResult::OpenFailed;
    for (const QString &line : statstext::tableLines(stats))
        file.writeLine(line);
    return file.close() ? WriteResult::Ok : WriteResult::WriteFailed;
}

WriteResult writePng(const QString &path, const QImage &image)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteResult::OpenFailed;
    if (image.isNull() || !image.save(&file, "PNG"))
        return WriteResult::WriteFailed; // not committed: nothing replaced
    return file.commit() ? WriteResult::Ok : WriteResult::WriteFailed;
}

} // namespace vireo::statsexport
