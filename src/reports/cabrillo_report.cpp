#include "reports/cabrillo_report.h"

#include "db/qso_scan.h"
#include "db/qso_store.h"
#include "reports/cabrillo_lines.h"
#include "reports/report_file.h"

namespace vireo::cabrillo {

namespace {

void add(QStringList &lines, const char *key, const QString &value)
{
    if (!value.isEmpty())
        lines << QString::fromLatin1(key) + value;
}

// Lines 1..count of a box, a missing line counting as empty.
void addLines(QStringList &lines, const char *key, const QStringList &box, int count)
{
    for (int i = 0; i < count && i < box.size(); ++i)
        add(lines, key, box.at(i));
}

} // namespace

QStringList HeaderLines(const Header &h)
{
    QStringList lines;
    lines << QStringLiteral("START-OF-LOG: 3.0");
    add(lines, "CONTEST: ", h.contest.trimmed());
    add(lines, "CALLSIGN: ", h.callsign);
    add(lines, "CATEGORY-OPERATOR: ", h.categoryOperator.trimmed());
    add(lines, "CATEGORY-BAND: ", h.categoryBand.trimmed());
    add(lines, "CATEGORY-MODE: ", h.categoryMode.trimmed());
    add(lines, "CATEGORY-POWER: ", h.categoryPower);
    add(lines, "CATEGORY-ASSISTED: ", h.categoryAssisted.trimmed());
    add(lines, "CATEGORY-STATION: ", h.categoryStation.trimmed());
    add(lines, "CATEGORY-TIME: ", h.categoryTime.trimmed());
    // CATEGORY-TRANSMITTE, OFTIME and CLAMIMED-SCORE keep the spelling earlier versions wrote.
    add(lines, "CATEGORY-TRANSMITTE: ", h.categoryTransmitter.trimmed());
    add(lines, "CATEGORY-OVERLAY: ", h.categoryOverlay.trimmed());
    addLines(lines, "OFTIME: ", h.offTimes, OffTimeLines);
    add(lines, "CLAMIMED-SCORE: ", h.claimedScore.trimmed());
    add(lines, "LOCATION: ", h.location.trimmed());
    add(lines, "CLUB: ", h.club.trimmed());
    lines << QStringLiteral("CREATED-BY: Tamarin Vireo v.1.5");
    add(lines, "EMAIL: ", h.email.trimmed());
    add(lines, "NAME: ", h.name.trimmed());
    addLines(lines, "ADDRESS: ", h.address, AddressLines);
    add(lines, "OPERATORS: ", h.operators.trimmed());
    add(lines, "SOAPBOX: ", h.soapbox.trimmed());
    return lines;
}

WriteResult WriteReport(const QString &path, const Header &header, int format, QsoStore &qsos)
{
    ReportFile file(path);
    if (!file.open())
        return WriteResult::OpenFailed;
    for (const QString &line : HeaderLines(header))
        file.writeLine(line);
    scanQsos(qsos.connection(), [&](const QsoRecord &record) { file.writeLine(QsoLine(record, format)); });
    if (!file.writeStateOk()) {
        file.close();
        return WriteResult::WriteFailed;
    }
    file.writeLine(QStringLiteral("END-OF-LOG:"));
    // The end line or the closing flush can still fail: never report that as written.
    return file.close() ? WriteResult::Ok : WriteResult::WriteFailed;
}

} // namespace vireo::cabrillo
