#include "analysis/log_check_report.h"

#include <QCoreApplication>

namespace vireo::logcheck {

QString scopeText(const QString &tour)
{
    return tour.isEmpty() ? QCoreApplication::translate("vireo::LogCheckReport", "Весь журнал")
                          : QCoreApplication::translate("vireo::LogCheckReport", "Тур %1").arg(tour);
}

QString recordText(const QsoRecord &r)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6")
        .arg(r.data, -10)
        .arg(r.time, -5)
        .arg(r.call1, -12)
        .arg(r.nr1, -6)
        .arg(r.call2, -12)
        .arg(r.nr2, -6);
}

QString findingLine(const Finding &f)
{
    return QStringLiteral("%1 | %2 | %3").arg(kindName(f.kind), -10).arg(recordText(f.record), f.text);
}

QStringList reportLines(const Findings &findings, const QString &tour, const QDateTime &checkedUtc)
{
    QStringList lines;
    lines << QCoreApplication::translate("vireo::LogCheckReport", "Проверка журнала: %1, %2 UTC")
                 .arg(scopeText(tour), checkedUtc.toUTC().toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    lines << QCoreApplication::translate("vireo::LogCheckReport", "Найдено: %1").arg(findings.size());
    lines << QString();
    for (int i = 0; i < findings.size(); ++i)
        lines << findingLine(findings.at(i));
    return lines;
}

WriteResult writeReport(const QString &path, const Findings &findings, const QString &tour, const QDateTime &checkedUtc)
{
    ReportFile file(path);
    if (!file.open())
        return WriteResult::OpenFailed;
    // Line by line: a long list is never made whole in memory.
    const QStringList head = reportLines(Findings(), tour, checkedUtc);
    file.writeLine(head.value(0));
    file.writeLine(QCoreApplication::translate("vireo::LogCheckReport", "Найдено: %1").arg(findings.size()));
    file.writeLine(QString());
    for (int i = 0; i < findings.size(); ++i)
        file.writeLine(findingLine(findings.at(i)));
    return file.close() ? WriteResult::Ok : WriteResult::WriteFailed;
}

} // namespace vireo::logcheck
