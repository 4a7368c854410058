#include "base/cp1251.h"

#include <QHash>
#include <QStringDecoder>

namespace vireo::cp1251 {

namespace {

// Reverse of the code page, built once from Qt's own Windows-1251 decoder.
const QHash<char16_t, char> &upperHalf()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int b = 0x80; b < 0x100; ++b) {
            QStringDecoder decoder("windows-1251");
            const QString s = decoder(QByteArray(1, char(b)));
            if (!decoder.hasError() && s.size() == 1 && s.at(0) != QChar(QChar::ReplacementCharacter))
                t.insert(s.at(0).unicode(), char(b));
        }
        return t;
    }();
    return table;
}

} // namespace

QByteArray encode(const QString &text)
{
    const auto &table = upperHalf();
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            out.append(char(c));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i; // one character outside the BMP: one "?"
        const auto it = table.constFind(c);
        out.append(it == table.constEnd() ? '?' : it.value());
    }
    return out;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder(bytes);
}

} // namespace vireo::cp1251
