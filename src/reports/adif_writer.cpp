#include "reports/adif_writer.h"

#include "base/product.h"

#include "db/qso_scan.h"
#include "db/qso_store.h"
#include "reports/mode_codes.h"
#include "reports/report_file.h"

#include <QRegularExpression>

namespace vireo::adif {

namespace {
const QString ProductSite = product::webSite();
} // namespace

QString StripDateTime(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (c != QLatin1Char('-') && c != QLatin1Char(':') && c != QLatin1Char('.'))
            out.append(c);
    return out;
}

qsizetype writtenLength(const QString &value)
{
    qsizetype n = value.size();
    for (qsizetype i = 0; i + 1 < value.size(); ++i)
        if (value.at(i).isHighSurrogate() && value.at(i + 1).isLowSurrogate()) {
            --n;
            ++i;
        }
    return n;
}

QString field(const QString &name, const QString &value)
{
    return QLatin1Char('<') + name + QLatin1Char(':') + QString::number(writtenLength(value)) + QLatin1Char('>')
           + value;
}

QString freqMhz(const QString &f)
{
    const int n = f.size();
    if (n < 4 || n > 6)
        return QString();
    return f.left(n - 3) + QLatin1Char('.') + f.right(3);
}

QString qsoDate(const QString &data)
{
    // ddmmyyyy: characters 5 to 8, then 3 to 4, then 1 to 2.
    const QString s = StripDateTime(data.trimmed());
    return s.mid(4, 4) + s.mid(2, 2) + s.mid(0, 2);
}

QString adifMode(const QString &mode)
{
    return modes::adifMode(mode).mode;
}

bool isPlainInteger(const QString &text)
{
    // Nine digits at most, so that every reader holds the number in a plain int.
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString exchangeFieldName(const char *integerName, const QString &exchangeTrimmed)
{
    const QString name = QString::fromLatin1(integerName);
    return exchangeTrimmed.isEmpty() || isPlainInteger(exchangeTrimmed) ? name : name + QStringLiteral("_STRING");
}

QString qslMessageFor(const QslMessage &qsl, const QString &call2)
{
    if (!qsl.standard)
        return qsl.ownText;
    const QString worked = call2.trimmed();
    return worked.isEmpty() ? QString() : QStringLiteral("You worked with ") + worked;
}

QStringList header(const QDateTime &createdLocal, const QLocale &locale)
{
    // The long time format without the zone name: hours, minutes and seconds as the locale writes them.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b\\s*")));
    timeFormat = timeFormat.trimmed();
    return {
        QStringLiteral("#Vireo v.1.5 ") + ProductSite,
        QStringLiteral("#  Created: ") + locale.toString(createdLocal.date(), QLocale::ShortFormat) + QLatin1Char(' ')
            + locale.toString(createdLocal.time(), timeFormat),
        QStringLiteral("#"),
        QStringLiteral("<PROGRAMID:13>Tamarin Vireo"),
        QStringLiteral("<PROGRAMVERSION:3>1.5"),
        QStringLiteral("<ADIF_VER:5>3.0.4"),
        QStringLiteral("<EOH>"),
    };
}

namespace {

// Appends "<NAME:length>value" without building the field on its own.
void appendField(QString &line, QLatin1StringView name, const QString &value)
{
    line += QLatin1Char('<');
    line += name;
    line += QLatin1Char(':');
    line += QString::number(writtenLength(value));
    line += QLatin1Char('>');
    line += value;
}

} // namespace

QString recordLine(const QsoRecord &r, const QString &myCall, const QString &contestName, const QslMessage &qsl)
{
    QString line;
    line.reserve(256);
    appendField(line, QLatin1StringView("OPERATOR"), myCall);
    line += QLatin1StringView("<SWL:1>Y");
    appendField(line, QLatin1StringView("CONTEST_ID"), contestName);
    appendField(line, QLatin1StringView("CALL"), r.call1.trimmed());
    appendField(line, QLatin1StringView("QSO_DATE"), qsoDate(r.data));
    appendField(line, QLatin1StringView("TIME_ON"), StripDateTime(r.time).trimmed());
    appendField(line, QLatin1StringView("FREQ"), freqMhz(r.freq.trimmed()));
    appendField(line, QLatin1StringView("BAND"), r.band.trimmed());
    const modes::AdifMode mode = modes::adifMode(r.mode);
    appendField(line, QLatin1StringView("MODE"), mode.mode);
    if (!mode.submode.isEmpty())
        appendField(line, QLatin1StringView("SUBMODE"), mode.submode);
    appendField(line, QLatin1StringView("RST_RCVD"), r.rst1.trimmed());
    const QString received = r.nr1.trimmed();
    const QByteArray receivedName = exchangeFieldName("SRX", received).toLatin1();
    appendField(line, QLatin1StringView(receivedName), received);
    appendField(line, QLatin1StringView("QSLMSG"), qslMessageFor(qsl, r.call2));
    if (const QString comment = modes::adifModeComment(r.mode); !comment.isEmpty())
        appendField(line, QLatin1StringView("COMMENT"), comment);
    line += QLatin1StringView("<EOR>");
    return line;
}

WriteResult writeFile(const QString &path, QsoStore &qsos, const QString &myCall, const QString &contestName,
                      const QslMessage &qsl, const QDateTime &createdLocal, const QLocale &locale)
{
    ReportFile file(path);
    if (!file.open())
        return WriteResult::OpenFailed;
    for (const QString &line : header(createdLocal, locale))
        file.writeLine(line);
    scanQsos(qsos.connection(), [&](const QsoRecord &r) { file.writeLine(recordLine(r, myCall, contestName, qsl)); });
    if (!file.close())
        return WriteResult::WriteFailed;
    return WriteResult::Ok;
}

} // namespace vireo::adif
