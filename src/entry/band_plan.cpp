#include "entry/band_plan.h"

namespace vireo::bandplan {

QStringList frequencyList()
{
    return {QStringLiteral("1800"), QStringLiteral("3500"), QStringLiteral("7000"), QStringLiteral("14000"),
            QStringLiteral("21000"), QStringLiteral("28000"), QStringLiteral("144"), QStringLiteral("432")};
}

QStringList modeList()
{
    return {QStringLiteral("CW (CW)"),         QStringLiteral("PH (SSB)"),         QStringLiteral("PS (PSK31)"),
            QStringLiteral("PM (PSK63)"),      QStringLiteral("PO (PSK125)"),      QStringLiteral("RY (RTTY)"),
            QStringLiteral("AM (AMTOR)"),      QStringLiteral("AX (PACKET AX25)"), QStringLiteral("CO (CONTESTIA)"),
            QStringLiteral("DO (DOMINO)"),     QStringLiteral("FM (FM)"),          QStringLiteral("HE (HELLSCHREIBER)"),
            QStringLiteral("MF (MFSK16)"),     QStringLiteral("OL (OLIVIA)"),      QStringLiteral("PT (PACTOR)"),
            QStringLiteral("RM (RTTYM)"),      QStringLiteral("TH (THROB)"),       QStringLiteral("TV (SSTV)")};
}

QStringList bandNames()
{
    return {QStringLiteral("160M"), QStringLiteral("80M"), QStringLiteral("40M"), QStringLiteral("30M"),
            QStringLiteral("20M"),  QStringLiteral("17M"), QStringLiteral("15M"), QStringLiteral("12M"),
            QStringLiteral("10M"),  QStringLiteral("6M"),  QStringLiteral("2M"),  QStringLiteral("222"),
            QStringLiteral("432"),  QStringLiteral("903"), QStringLiteral("1.2G")};
}

namespace {

// A decimal integer as the conversion routine of the original reads it: optional sign, digits,
// nothing else (no blanks).
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
    if (m >= 1 && m <= 2) return QStringLiteral("160M");
    if (m == 3) return QStringLiteral("80M");
    if (m == 7) return QStringLiteral("40M");
    if (m >= 10 && m <= 11) return QStringLiteral("30M");
    if (m == 14) return QStringLiteral("20M");
    if (m == 18) return QStringLiteral("17M");
    if (m == 21) return QStringLiteral("15M");
    if (m >= 24 && m <= 25) return QStringLiteral("12M");
    if (m >= 28 && m <= 29) return QStringLiteral("10M");
    if (m >= 50 && m <= 51) return QStringLiteral("6M");
    if (m >= 144 && m <= 148) return QStringLiteral("2M");
    if (m >= 420 && m <= 450) return QStringLiteral("432");
    return std::nullopt;
}

std::optional<QString> listBand(long long f)
{
    switch (f) {
    case 1800: return QStringLiteral("160M");
    case 3500: return QStringLiteral("80M");
    case 7000: return QStringLiteral("40M");
    case 14000: return QStringLiteral("20M");
    case 21000: return QStringLiteral("15M");
    case 28000: return QStringLiteral("10M");
    case 144: return QStringLiteral("2M");
    case 432: return QStringLiteral("432");
    default: return std::nullopt;
    }
}

} // namespace

std::optional<QString> freqToBand(const QString &text, bool radioOnline)
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
        return std::nullopt;
    if (radioOnline)
        return radioBand(*m);
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    const auto f = toInteger(digits);
    if (!f)
        return std::nullopt;
    return listBand(*f);
}

QString modeCode(const QString &modeText)
{
    return modeText.left(2);
}

} // namespace vireo::bandplan
