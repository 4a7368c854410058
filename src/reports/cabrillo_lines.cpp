#include "reports/cabrillo_lines.h"

#include "reports/mode_codes.h"

#include <QCoreApplication>
#include <QList>

namespace vireo::cabrillo {

namespace {

// cut(x, n): the first n characters of x, x whole when it is shorter.
QString cut(const QString &text, int n)
{
    return text.left(n);
}

// The first blank of the text, or -1.
int firstBlank(const QString &text)
{
    return text.indexOf(QLatin1Char(' '));
}

// The three tokens of one side's exchange: A before the first blank, B the next word, R the
// rest after the blank that ends B (not trimmed).
struct Tokens {
    QString a, b, r;
};

Tokens split(const QString &text)
{
    Tokens t;
    const QString whole = text.trimmed();
    const int p = firstBlank(whole);
    if (p < 0) {
        t.a = whole;
        return t;
    }
    t.a = whole.left(p);
    const QString rest = whole.mid(p + 1).trimmed();
    const int q = firstBlank(rest);
    if (q < 0) {
        t.b = rest;
        return t;
    }
    t.b = rest.left(q);
    t.r = rest.mid(q + 1);
    return t;
}

// The columns of each format's exchange, as FormatExchange pads them.
const QList<int> kColumns[] = {
    {}, {4, 6}, {10}, {4, 6}, {5, 5}, {3, 3, 4}, {4, 4, 2}, {5, 8}, {4, 5, 4}, {4, 7, 2}, {5, 4, 4}, {4, 4, 9, 3},
};

// The rows of the format table that belong to each format.
const FormatBlock kBlocks[] = {
    {5, 7, 1},   {9, 11, 2},  {13, 19, 3}, {21, 24, 4},  {26, 28, 5},  {30, 32, 6},
    {39, 41, 7}, {43, 46, 8}, {48, 50, 9}, {52, 54, 10}, {61, 63, 11},
};

} // namespace

QString StripSeparators(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char(':') || c == QLatin1Char(',')
            || c == QLatin1Char('.'))
            continue;
        out.append(c);
    }
    return out;
}

QString CabrilloDate(const QString &text)
{
    return text.mid(6, 4) + QLatin1Char('-') + text.mid(3, 2) + QLatin1Char('-') + text.mid(0, 2) + QLatin1Char(' ');
}

QString PadRight(const QString &text, int n)
{
    return text.size() >= n ? text : text + QString(n - text.size(), QLatin1Char(' '));
}

QString PadLeft(const QString &text, int n)
{
    return text.size() >= n ? text : QString(n - text.size(), QLatin1Char(' ')) + text;
}

int ExchangeWidth(int format)
{
    if (format >= 1 && format <= 6)
        return 11;
    if (format >= 7 && format <= 10)
        return 14;
    if (format == 11)
        return 21;
    return 0;
}

QString FormatExchange(const QString &text, int format)
{
    const Tokens t = split(text);
    const QString &a = t.a;
    const QString &b = t.b;
    const QString &r = t.r;
    switch (format) {
    case 1: {
        const QString b1 = b.size() > 6 ? cut(b, 6) : cut(b + StripSeparators(r), 6);
        return PadRight(cut(a, 3), 4) + PadRight(b1, 6);
    }
    case 2: {
        const QString x = a.size() > 10 ? cut(a, 10) : cut(a + b + StripSeparators(r), 10);
        return PadRight(x, 10);
    }
    case 3:
        return PadRight(cut(a, 3), 4) + PadRight(cut(b, 6), 6);
    case 4:
        return PadRight(cut(a, 4), 5) + PadRight(cut(b, 5), 5);
    case 5:
        return PadRight(cut(a, 2), 3) + PadRight(cut(b, 2), 3) + PadRight(cut(StripSeparators(r), 4), 4);
    case 6:
        return PadRight(cut(a, 3), 4) + PadRight(cut(b, 3), 4) + PadRight(cut(StripSeparators(r), 2), 2);
    case 7:
        return PadRight(cut(a, 4), 5) + PadRight(cut(b, 8), 8);
    case 8:
        return PadRight(cut(a, 3), 4) + PadRight(cut(b, 4), 5) + PadRight(cut(StripSeparators(r), 4), 4);
    case 9:
        return PadRight(cut(a, 3), 4) + PadRight(cut(b, 6), 7) + PadRight(cut(StripSeparators(r), 2), 2);
    case 10:
        return PadRight(cut(a, 4), 5) + PadRight(cut(b, 3), 4) + PadRight(cut(StripSeparators(r), 4), 4);
    case 11: {
        // C: R up to and including its first blank; D: what follows, trimmed.
        const int p = firstBlank(r);
        const QString c = p < 0 ? QString() : r.left(p + 1);
        const QString d = p < 0 ? r.trimmed() : r.mid(p + 1).trimmed();
        return PadRight(cut(a, 3), 4) + PadRight(cut(b, 3), 4) + PadRight(c, 9) + PadRight(cut(d, 3), 3);
    }
    default:
        return QString();
    }
}

QString MissingExchange(int format)
{
    if (format < 1 || format > 11)
        return QString();
    QString out;
    for (const int width : kColumns[format])
        out += PadRight(QString(MissingField), width);
    return out;
}

QString FrequencyColumn(const QString &freq)
{
    // Always a blank before the mode, even where six digits fill the column: "144050CW" would
    // be one word to a reader, with neither a frequency nor a mode in it.
    return PadLeft(StripSeparators(freq) + QLatin1Char(' '), 6);
}

QString QsoLine(const QsoRecord &r, int format)
{
    const int width = ExchangeWidth(format);
    const QChar blank(QLatin1Char(' '));
    // A side without a call or without any exchange still fills its columns, so that a
    // reader counting the words of the line finds every column.
    auto call = [](const QString &c) { return c.trimmed().isEmpty() ? QString(MissingField) : c; };
    auto exchange = [&](const QString &rst, const QString &nr) {
        const QString text = rst + blank + nr;
        return text.trimmed().isEmpty() ? MissingExchange(format) : FormatExchange(text, format);
    };
    QString line = QStringLiteral("QSO: ");
    line += FrequencyColumn(r.freq);
    line += modes::cabrilloMode(r.mode);
    line += blank;
    line += CabrilloDate(r.data); // ends in a blank
    line += StripSeparators(r.time) + blank; // hhmm and the one blank before the first call
    line += PadRight(call(r.call1) + blank, 14);
    line += PadRight(exchange(r.rst1, r.nr1), width);
    line += PadRight(call(r.call2) + blank, 14);
    line += PadRight(exchange(r.rst2, r.nr2), width);
    return line;
}

bool ParseFormatNumber(const QString &text, int *format)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        const bool sign = i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+')) && t.size() > 1;
        if (!sign && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return false;
    }
    bool ok = false;
    const int n = t.toInt(&ok);
    if (ok && format)
        *format = n;
    return ok;
}

FormatBlock FormatBlockAt(int row)
{
    for (const FormatBlock &b : kBlocks)
        if (row >= b.first && row <= b.last)
            return b;
    return FormatBlock();
}

QString FormatTableText()
{
    // Shown in the dialog, where a click on a row chooses its format: a translation keeps every line.
    return QCoreApplication::translate(
        "vireo::CabrilloFormats",
        "    Контрольный номер до 10 символов:\n"
        "\n"
        "0000000001111111111222222222233333333334444444444555555555566666666667777777777888888\n"
        "1234567890123456789012345678901234567890123456789012345678901234567890123456789012345\n"
        "                              --------переданный------ -------принятый---------\n"
        "QSO: freq  mo date       time call          rst exch   call          rst exch   t\n"
        "**** ***** ** ********** **** ************* *** ****** ************* *** ****** *\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    UA2XYZ        599 001    0\n"
        "\n"
        "QSO: freq  mo date       time call          exch       call          exch\n"
        "**** ***** ** ********** **** ************* ********** ************* **********\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        123456     UA2XYZ        678901\n"
        "\n"
        "QSO: freq  mo date       time call          x1  x2     call          rst exch\n"
        "**** ***** ** ********** **** ************* *** ****** ************* *** ******\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001    UA2XYZ        599 001\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        1   001    UA2XYZ        2   002\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        07  POISK  UA2XYZ        10  ARCK\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 AC123  UA2XYZ        599 001\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        MO  001    UA2XYZ        LO  001\n"
        "\n"
        "QSO: freq  mo date       time call          x1   x2     call         x1   x2\n"
        "**** ***** ** ********** **** ************* **** ***** ************* **** *****\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        AM01 001   UA2XYZ        HK01 002\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        326  KO48  UA2XYZ        1024 LP32\n"
        "\n"
        "QSO: freq  mo date       time call          x1 x2 x3   call          x1 x2 x3\n"
        "**** ***** ** ********** **** ************* ** ** **** ************* ** ** ****\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        KR 10 001  UA2XYZ        KR 2  005\n"
        "\n"
        "QSO: freq  mo date       time call          x1  x2  x3 call          x1  x2  x3\n"
        "**** ***** ** ********** **** ************* *** *** ** ************* *** *** **\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001 SE UA2XYZ        599 002 TB\n"
        "\n"
        "    Контрольный номер до 11  символов:\n"
        "\n"
        "0000000001111111111222222222233333333334444444444555555555566666666667777777777888888\n"
        "1234567890123456789012345678901234567890123456789012345678901234567890123456789012345\n"
        "                              --------переданный--------- -------принятый------------\n"
        "QSO: freq  mo date       time call          rst  exch     call          rst  exch\n"
        "**** ***** ** ********** **** ************* **** ******** ************* **** ********\n"
        "QSO: 28009 CW 2008-09-23 0200 UA8XY         1234 57N95O   ZL2XYZ        1234 40S175E\n"
        "\n"
        "QSO: freq  mo date       time call          rst x1   x2   call          rst x1   x2\n"
        "**** ***** ** ********** **** ************* *** **** **** ************* *** **** ****\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001  123  UA2XYZ        599 001  AF\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 001  QRP  UA2XYZ        599 002  WZZ\n"
        "\n"
        "QSO: freq  mo date       time call          rst x1     x2 call          rst x1     x2\n"
        "**** ***** ** ********** **** ************* *** ****** ** ************* *** ****** **\n"
        "QSO: 28009 RY 2008-09-23 0711 UA1XYZ        599 KO85MM 50 UA2XYZ        599 LO65AA 35\n"
        "\n"
        "QSO: freq  mo date       time call          x1   x2  x3   call          x1   x2  x3\n"
        "**** ***** ** ********** **** ************* **** *** **** ************* **** *** ****\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        001  57S 85O  UA2XYZ        002  44N 133W\n"
        "\n"
        "    Контрольный номер до 20 символов:\n"
        "\n"
        "000000000111111111122222222223333333333444444444455555555556666666666777777777788888888889999999999\n"
        "123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789\n"
        "                              --------переданный---------------- -------принятый-------------------\n"
        "QSO: freq  mo date       time call          rst x1  x2       x3  call          rst x1  x2       x3\n"
        "**** ***** ** ********** **** ************* *** *** ******** *** ************* *** *** ******** ***\n"
        "QSO: 28009 CW 2008-09-23 0711 UA1XYZ        599 27  UA0XYZ/U 33  UA2XYZ        599  45 UA3XYZ   33");
}

} // namespace vireo::cabrillo
