#include "stationinfo/dupe_check.h"

#include <QCoreApplication>

namespace vireo::dupe {

QString defaultReport(const QString &modeCode)
{
    return modeCode == QLatin1String("PH") ? QStringLiteral("59") : QStringLiteral("599");
}

FieldColour callFieldColour(int heardCount, int workedCount, bool callEmpty, bool editMode)
{
    if (heardCount > 0 && !callEmpty)
        return FieldColour::Red;
    if (workedCount > 0 && !callEmpty)
        return FieldColour::Aqua;
    if (editMode)
        return FieldColour::Yellow;
    return FieldColour::Window;
}

QString heardStatus(int heardCount)
{
    return QCoreApplication::translate("vireo::DupeCheck", "Повторы: Heard = ") + QString::number(heardCount);
}

QString workedStatus(int workedCount)
{
    return QCoreApplication::translate("vireo::DupeCheck", "Повторы: Worked = ") + QString::number(workedCount);
}

bool namesEntryCall(const QString &call, const Entry &entry)
{
    return call == entry.call1 || call == entry.call2;
}

bool isRepeat(const RepeatRow &row, const Entry &entry)
{
    return row.band == entry.band && row.mode == entry.mode && row.tur == entry.tour
           && (namesEntryCall(row.call1, entry) || namesEntryCall(row.call2, entry));
}

} // namespace vireo::dupe
