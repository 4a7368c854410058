#include "entry/band_plan.h"

#include <QCoreApplication>

namespace vireo::bandplan {

QStringList frequencyList()
{
    return {QStringLiteral("1800"),  QStringLiteral("3500"),  QStringLiteral("7000"), QStringLiteral("14000"),
            QStringLiteral("21000"), QStringLiteral("28000"), QStringLiteral("144"),  QStringLiteral("432")};
}

QStringList modeList()
{
    return {QStringLiteral("CW (CW)"),     QStringLiteral("PH (SSB)"),         QStringLiteral("PS (PSK31)"),
            QStringLiteral("PM (PSK63)"),  QStringLiteral("PO (PSK125)"),      QStringLiteral("RY (RTTY)"),
            QStringLiteral("AM (AMTOR)"),  QStringLiteral("AX (PACKET AX25)"), QStringLiteral("CO (CONTESTIA)"),
            QStringLiteral("DO (DOMINO)"), QStringLiteral("FM (FM)"),          QStringLiteral("HE (HELLSCHREIBER)"),
            QStringLiteral("MF (MFSK16)"), QStringLiteral("OL (OLIVIA)"),      QStringLiteral("PT (PACTOR)"),
            QStringLiteral("RM (RTTYM)"),  QStringLiteral("TH (THROB)"),       QStringLiteral("TV (SSTV)")};
}

QStringList bandNames()
{
    return {QStringLiteral("160M"), QStringLiteral("80M"), QStringLiteral("40M"), QStringLiteral("30M"),
            QStringLiteral("20M"),  QStringLiteral("17M"), QStringLiteral("15M"), QStringLiteral("12M"),
            QStringLiteral("10M"),  QStringLiteral("6M"),  QStringLiteral("2M"),  QStringLiteral("222"),
            QStringLiteral("432"),  QStringLiteral("903"), QStringLiteral("1.2G")};
}

namespace {

// A decimal integer: optional sign, digits, nothing else (no blanks).
std::optional<long long> toInteger(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const long long v = text.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<QString> radioBand(long long m)
{
    if (m >= 1 && m <= 2)
        return QStringLiteral("160M");
    if (m == 3)
        return QStringLiteral("80M");
    if (m == 7)
        return QStringLiteral("40M");
    if (m >= 10 && m <= 11)
        return QStringLiteral("30M");
    if (m == 14)
        return QStringLiteral("20M");
    if (m == 18)
        return QStringLiteral("17M");
    if (m == 21)
        return QStringLiteral("15M");
    if (m >= 24 && m <= 25)
        return QStringLiteral("12M");
    if (m >= 28 && m <= 29)
        return QStringLiteral("10M");
    if (m >= 50 && m <= 51)
        return QStringLiteral("6M");
    if (m >= 144 && m <= 148)
        return QStringLiteral("2M");
    if (m >= 420 && m <= 450)
        return QStringLiteral("432");
    return std::nullopt;
}

std::optional<QString> listBand(long long f)
{
    switch (f) {
    case 1800:
        return QStringLiteral("160M");
    case 3500:
        return QStringLiteral("80M");
    case 7000:
        return QStringLiteral("40M");
    case 14000:
        return QStringLiteral("20M");
    case 21000:
        return QStringLiteral("15M");
    case 28000:
        return QStringLiteral("10M");
    case 144:
        return QStringLiteral("2M");
    case 432:
        return QStringLiteral("432");
    default:
        return std::nullopt;
    }
}

struct Edges {
    long long low, high;
    const char *band;
};

// The bands' edges. Short-wave and 6 m in kHz; 2 m and 70 cm either in MHz (three digits) or in kHz.
const Edges EdgeTable[] = {
    {1810, 2000, "160M"},   {3500, 4000, "80M"},     {7000, 7300, "40M"},   {10100, 10150, "30M"},
    {14000, 14350, "20M"},  {18068, 18168, "17M"},   {21000, 21450, "15M"}, {24890, 24990, "12M"},
    {28000, 29700, "10M"},  {50000, 54000, "6M"},    {144, 148, "2M"},      {420, 450, "432"},
    {144000, 148000, "2M"}, {420000, 450000, "432"},
};

// A typed frequency inside a band's edges.
std::optional<QString> typedBand(long long f)
{
    for (const Edges &e : EdgeTable)
        if (f >= e.low && f <= e.high)
            return QString::fromLatin1(e.band);
    return std::nullopt;
}

} // namespace

BandLookup lookupBand(const QString &text, bool radioOnline)
{
    // Whole megahertz, read the same way whether or not a radio is followed.
    QString mText;
    const int blank = text.indexOf(QLatin1Char(' '));
    if (blank >= 0)
        mText = text.left(blank);
    else if (text.size() > 3)
        mText = text.left(text.size() - 3);
    else
        mText = text.trimmed();
    const auto m = toInteger(mText);
    if (!m)
        return {};
    if (radioOnline)
        return {radioBand(*m), false};
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    const auto f = toInteger(digits);
    if (!f)
        return {};
    if (auto band = listBand(*f))
        return {band, false};
    if (auto band = typedBand(*f))
        return {band, false};
    return {std::nullopt, true};
}

std::optional<BandEdges> bandEdges(const QString &band)
{
    for (const Edges &e : EdgeTable)
        if (e.high >= 1000 && band == QLatin1String(e.band))
            return BandEdges{e.low, e.high};
    return std::nullopt;
}

QString outsideBandsText(const QString &frequencyText, const QString &currentBand)
{
    QString digits = frequencyText;
    digits.remove(QLatin1Char(' '));
    return currentBand.isEmpty()
               ? QCoreApplication::translate("vireo::BandPlan",
                                             "Частота %1 не входит ни в один диапазон; диапазон не выбран")
                     .arg(digits)
               : QCoreApplication::translate("vireo::BandPlan",
                                             "Частота %1 не входит ни в один диапазон; диапазон остаётся %2")
                     .arg(digits, currentBand);
}

QString modeCode(const QString &modeText)
{
    return modeText.left(2);
}

} // namespace vireo::bandplan
