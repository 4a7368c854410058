#include "analysis/call_index.h"

#include <algorithm>

namespace vireo {

namespace {

constexpr int MaxPacked = 10;
constexpr int Letters = 37; // codes 1..37: A-Z, 0-9, "/"
constexpr int FilterBits = 1 << 21;

int codeOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 'A' && u <= 'Z')
        return 1 + (u - 'A');
    if (u >= '0' && u <= '9')
        return 27 + (u - '0');
    if (u == '/')
        return 37;
    return 0;
}

QChar charOf(int code)
{
    if (code <= 26)
        return QChar('A' + code - 1);
    if (code <= 36)
        return QChar('0' + code - 27);
    return QLatin1Char('/');
}

inline std::uint64_t hashKey(std::uint64_t k)
{
    k ^= k >> 31;
    k *= 0x9E3779B97F4A7C15ull;
    k ^= k >> 29;
    return k;
}

// Characters of a packed call, first character in the lowest six bits.
struct Packed {
    int code[MaxPacked + 1] = {};
    int length = 0;
};

Packed split(std::uint64_t key)
{
    Packed p;
    while (key && p.length < MaxPacked) {
        p.code[p.length++] = int(key & 63);
        key >>= 6;
    }
    return p;
}

std::uint64_t join(const int *code, int length)
{
    std::uint64_t k = 0;
    for (int i = length - 1; i >= 0; --i)
        k = (k << 6) | std::uint64_t(code[i]);
    return k;
}

} // namespace

std::optional<std::uint64_t> CallIndex::pack(const QString &call)
{
    if (call.isEmpty() || call.size() > MaxPacked)
        return std::nullopt;
    std::uint64_t k = 0;
    for (int i = call.size() - 1; i >= 0; --i) {
        const int c = codeOf(call.at(i));
        if (c == 0)
            return std::nullopt;
        k = (k << 6) | std::uint64_t(c);
    }
    return k;
}

QString CallIndex::unpack(std::uint64_t key)
{
    QString s;
    while (key) {
        s.append(charOf(int(key & 63)));
        key >>= 6;
    }
    return s;
}

void CallIndex::reserve(int expected)
{
    std::size_t size = 16;
    while (size < std::size_t(expected) * 2)
        size *= 2;
    if (size <= m_table.size())
        return;
    std::vector<std::uint64_t> old;
    old.swap(m_table);
    m_table.assign(size, 0);
    m_count = 0;
    for (const std::uint64_t k : old)
        if (k)
            insertKey(k);
}

void CallIndex::grow()
{
    reserve(std::max(16, m_count * 2));
}

void CallIndex::insertKey(std::uint64_t key)
{
    if (m_filter.empty())
        m_filter.assign(FilterBits / 64, 0);
    const std::uint64_t bit = (hashKey(key) >> 40) & (FilterBits - 1);
    m_filter[bit >> 6] |= std::uint64_t(1) << (bit & 63);
    if (m_table.empty() || std::size_t(m_count + 1) * 2 > m_table.size())
        grow();
    const std::size_t mask = m_table.size() - 1;
    for (std::size_t i = hashKey(key) & mask;; i = (i + 1) & mask) {
        if (m_table[i] == key)
            return;
        if (m_table[i] == 0) {
            m_table[i] = key;
            ++m_count;
            return;
        }
    }
}

bool CallIndex::containsKey(std::uint64_t key) const
{
    if (m_table.empty())
        return false;
    const std::uint64_t h = hashKey(key);
    const std::uint64_t bit = (h >> 40) & (FilterBits - 1);
    if (!(m_filter[bit >> 6] & (std::uint64_t(1) << (bit & 63))))
        return false;
    const std::size_t mask = m_table.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        if (m_table[i] == key)
            return true;
        if (m_table[i] == 0)
            return false;
    }
}

void CallIndex::insert(const QString &call)
{
    if (call.isEmpty())
        return;
    if (const auto k = pack(call))
        insertKey(*k);
    else
        m_other.insert(call);
}

bool CallIndex::contains(const QString &call) const
{
    if (const auto k = pack(call))
        return containsKey(*k);
    return m_other.contains(call);
}

QStringList CallIndex::oneOff(const QString &call) const
{
    QStringList found;
    const auto key = pack(call);
    if (!key) {
        // Rare: a long or strange call. Compare it with the kept texts of its own kind.
        for (const QString &other : m_other) {
            if (other == call || std::abs(other.size() - call.size()) > 1)
                continue;
            int i = 0;
            while (i < other.size() && i < call.size() && other.at(i) == call.at(i))
                ++i;
            const QString a = call.mid(i), b = other.mid(i);
            if (a.mid(1) == b.mid(1) || a.mid(1) == b || a == b.mid(1)
                || (a.size() >= 2 && b.size() >= 2 && a.at(0) == b.at(1) && a.at(1) == b.at(0) && a.mid(2) == b.mid(2)))
                found << other;
        }
        found.sort();
        return found;
    }
    const Packed p = split(*key);
    const int n = p.length;
    std::vector<std::uint64_t> hits;
    auto probe = [&](const int *code, int length) {
        if (length <= 0 || length > MaxPacked)
            return;
        const std::uint64_t k = join(code, length);
        if (k != *key && containsKey(k))
            hits.push_back(k);
    };
    int buf[MaxPacked + 1];
    const std::uint64_t whole = *key;
    auto probeKey = [&](std::uint64_t k) {
        if (k != whole && containsKey(k))
            hits.push_back(k);
    };
    // one replaced
    for (int i = 0; i < n; ++i) {
        const int shift = 6 * i;
        const std::uint64_t rest = whole & ~(std::uint64_t(63) << shift);
        for (int c = 1; c <= Letters; ++c)
            if (c != p.code[i])
                probeKey(rest | (std::uint64_t(c) << shift));
    }
    // one left out
    for (int i = 0; i < n; ++i) {
        int len = 0;
        for (int j = 0; j < n; ++j)
            if (j != i)
                buf[len++] = p.code[j];
        probe(buf, len);
    }
    // one put in
    if (n < MaxPacked) {
        for (int i = 0; i <= n; ++i) {
            const int shift = 6 * i;
            const std::uint64_t low = whole & ((std::uint64_t(1) << shift) - 1);
            const std::uint64_t high = (whole >> shift) << (shift + 6);
            for (int c = 1; c <= Letters; ++c)
                probeKey(low | (std::uint64_t(c) << shift) | high);
        }
    }
    // two neighbours swapped
    std::copy(p.code, p.code + n, buf);
    for (int i = 0; i + 1 < n; ++i) {
        if (p.code[i] == p.code[i + 1])
            continue;
        std::swap(buf[i], buf[i + 1]);
        probe(buf, n);
        std::swap(buf[i], buf[i + 1]);
    }
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    for (const std::uint64_t k : hits)
        found << unpack(k);
    found.sort();
    return found;
}

} // namespace vireo
