#include "entry/key_filter.h"

#include <algorithm>

namespace vireo::keyfilter {

namespace {

// Latin capital on the key of each Russian letter, capital letters А..Я in alphabet order;
// 0 where the key gives no letter of a call sign.
constexpr char RussianKeys[32] = {
    'F', // А
    0, // Б
    'D', // В
    'U', // Г
    'L', // Д
    'T', // Е
    0, // Ж
    'P', // З
    'B', // И
    'Q', // Й
    'R', // К
    'K', // Л
    'V', // М
    'Y', // Н
    'J', // О
    'G', // П
    'H', // Р
    'C', // С
    'N', // Т
    'E', // У
    'A', // Ф
    0, // Х
    'W', // Ц
    'X', // Ч
    'I', // Ш
    'O', // Щ
    0, // Ъ
    'S', // Ы
    'M', // Ь
    0, // Э
    0, // Ю
    'Z', // Я
};

} // namespace

QChar filterChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u == 8 || u == 13 || u == ' ')
        return c;
    if (u == '%' || u == '&' || u == '\'' || u == '(')
        return c;
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z'))
        return c;
    if (u >= 'a' && u <= 'z')
        return QChar(char16_t(u - 'a' + 'A'));
    if (u == '.' || u == '/' || u == '\\')
        return QLatin1Char('/');
    char16_t capital = 0;
    if (u >= 0x0410 && u <= 0x042F) // А..Я
        capital = u;
    else if (u >= 0x0430 && u <= 0x044F) // а..я
        capital = char16_t(u - 0x20);
    if (capital) {
        const char latin = RussianKeys[capital - 0x0410];
        return latin ? QLatin1Char(latin) : QChar();
    }
    return QChar(); // Ё ё and every other character
}

QString filterText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < ' ')
            continue;
        const QChar f = filterChar(c);
        if (!f.isNull())
            out += f;
    }
    return out;
}

QString filterInserted(const QString &before, const QString &after, int &cursor)
{
    const int shorter = int(std::min(before.size(), after.size()));
    int prefix = 0;
    while (prefix < shorter && before.at(prefix) == after.at(prefix))
        ++prefix;
    int suffix = 0;
    while (suffix < shorter - prefix && before.at(before.size() - 1 - suffix) == after.at(after.size() - 1 - suffix))
        ++suffix;
    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);
    const QString filtered = filterText(inserted);
    cursor = prefix + int(filtered.size());
    return after.left(prefix) + filtered + after.right(suffix);
}

} // namespace vireo::keyfilter
