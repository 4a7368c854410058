#include "base/cp1251.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <memory>

namespace vireo::cp1251 {

namespace {

// Both directions of the code page as tables, built once from Qt's own Windows-1251 decoder.
struct Tables {
    std::array<char16_t, 256> toUnicode{};
    std::array<unsigned char, 0x10000> fromUnicode{}; // 0: no Windows-1251 form (U+0000 aside)
    std::array<std::array<char, 4>, 256> toUtf8{}; // the UTF-8 bytes, their count in the last
};

const Tables &tables()
{
    static const std::unique_ptr<const Tables> t = [] {
        auto built = std::make_unique<Tables>();
        for (int b = 0; b < 0x100; ++b) {
            QStringDecoder decoder("windows-1251");
            const QString s = decoder(QByteArray(1, char(b)));
            const char16_t c = s.size() == 1 ? s.at(0).unicode() : char16_t(QChar::ReplacementCharacter);
            built->toUnicode[size_t(b)] = c;
            if (b >= 0x80 && !decoder.hasError() && c != QChar::ReplacementCharacter)
                built->fromUnicode[c] = static_cast<unsigned char>(b);
            const QByteArray utf8 = QString(QChar(c)).toUtf8();
            auto &u = built->toUtf8[size_t(b)];
            std::copy(utf8.begin(), utf8.end(), u.begin());
            u[3] = char(utf8.size());
        }
        return built;
    }();
    return *t;
}

} // namespace

void appendEncoded(QByteArray &out, QStringView text)
{
    const auto &from = tables().fromUnicode;
    const qsizetype n = text.size();
    const qsizetype start = out.size();
    out.resize(start + n); // one byte per UTF-16 unit at most
    char *p = out.data() + start;
    const char16_t *s = text.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            *p++ = char(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            ++i; // one character outside the BMP: one "?"
            *p++ = '?';
            continue;
        }
        const unsigned char b = from[c];
        *p++ = b ? char(b) : '?';
    }
    out.resize(p - out.data());
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    appendEncoded(out, text);
    return out;
}

void appendUtf8(QByteArray &out, QByteArrayView bytes)
{
    const auto &to = tables().toUtf8;
    const qsizetype start = out.size();
    out.resize(start + 3 * bytes.size()); // three bytes a character at most
    char *p = out.data() + start;
    for (const char b : bytes) {
        if (static_cast<signed char>(b) >= 0) {
            *p++ = b;
            continue;
        }
        const auto &u = to[static_cast<unsigned char>(b)];
        for (int i = 0; i < u[3]; ++i)
            *p++ = u[size_t(i)];
    }
    out.resize(p - out.constData());
}

QString decode(const QByteArray &bytes)
{
    const auto &to = tables().toUnicode;
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *p = reinterpret_cast<char16_t *>(out.data());
    for (const char b : bytes)
        *p++ = to[static_cast<unsigned char>(b)];
    return out;
}

} // namespace vireo::cp1251
