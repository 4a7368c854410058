#include "analysis/call_index.h"

#include <algorithm>

namespace vireo {

namespace {

constexpr int MaxPacked = 10;
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

// 32 bits of a form's hash: the variants list keeps these beside the call's slot.
inline std::uint64_t variantHash(std::uint64_t form)
{
    return hashKey(form * 0xD6E8FEB86659FD93ull) >> 32;
}

// Characters of a packed call (the first in the lowest six bits; no character is code 0).
int lengthOf(std::uint64_t key)
{
    int n = 0;
    for (; key; key >>= 6)
        ++n;
    return n;
}

// The packed call without its j-th character.
std::uint64_t leaveOut(std::uint64_t key, int j)
{
    const int shift = 6 * j;
    const std::uint64_t low = key & ((std::uint64_t(1) << shift) - 1);
    return low | ((key >> (shift + 6)) << shift);
}

// Two packed calls of the same length that differ in one character, or in two neighbours
// that trade places.
bool replacedOrSwapped(std::uint64_t a, std::uint64_t b)
{
    int first = -1, second = -1, differing = 0;
    for (int i = 0; i < MaxPacked && (a >> (6 * i) || b >> (6 * i)); ++i) {
        if (((a >> (6 * i)) & 63) == ((b >> (6 * i)) & 63))
            continue;
        if (++differing > 2)
            return false;
        (first < 0 ? first : second) = i;
    }
    if (differing == 1)
        return true;
    if (differing != 2 || second != first + 1)
        return false;
    const auto code = [](std::uint64_t k, int i) { return (k >> (6 * i)) & 63; };
    return code(a, first) == code(b, second) && code(a, second) == code(b, first);
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
    m_variantsBuilt = false;
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
    const std::uint64_t q = *key;
    const int n = lengthOf(q);
    buildVariants();
    std::vector<std::uint64_t> hits;
    // The calls listed under a form: those whose form hashes alike, the same or not.
    auto variantsOf = [this](std::uint64_t variant) {
        const std::uint64_t h = variantHash(variant) << 32;
        const auto from = std::lower_bound(m_variants.begin(), m_variants.end(), h);
        auto to = from;
        while (to != m_variants.end() && (*to & ~std::uint64_t(0xffffffffu)) == h)
            ++to;
        return std::make_pair(from, to);
    };
    auto callOf = [this](std::uint64_t entry) { return m_table[std::size_t(entry & 0xffffffffu)]; };
    for (int j = 0; j < n; ++j) {
        const std::uint64_t v = leaveOut(q, j);
        // one left out: the call without its j-th character is in the set
        if (v && containsKey(v))
            hits.push_back(v);
        // one replaced, or two neighbours swapped: a call of the same length shares this form
        const auto [from, to] = variantsOf(v);
        for (auto it = from; it != to; ++it) {
            const std::uint64_t c = callOf(*it);
            if (c != q && lengthOf(c) == n && replacedOrSwapped(q, c))
                hits.push_back(c);
        }
    }
    // one put in: the call is a form of a longer one
    const auto [from, to] = variantsOf(q);
    for (auto it = from; it != to; ++it) {
        const std::uint64_t c = callOf(*it);
        if (lengthOf(c) != n + 1)
            continue;
        for (int j = 0; j <= n; ++j)
            if (leaveOut(c, j) == q) {
                hits.push_back(c);
                break;
            }
    }
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    for (const std::uint64_t k : hits)
        found << unpack(k);
    found.sort();
    return found;
}

void CallIndex::buildVariants() const
{
    if (m_variantsBuilt)
        return;
    m_variants.clear();
    m_variants.reserve(std::size_t(m_count) * 7);
    for (std::size_t slot = 0; slot < m_table.size(); ++slot) {
        const std::uint64_t k = m_table[slot];
        if (!k)
            continue;
        const int n = lengthOf(k);
        for (int j = 0; j < n; ++j)
            m_variants.push_back(variantHash(leaveOut(k, j)) << 32 | slot);
    }
    std::sort(m_variants.begin(), m_variants.end());
    m_variantsBuilt = true;
}

namespace {
constexpr std::uint64_t OtherBit = std::uint64_t(1) << 63;
}

int CallIds::findKey(std::uint64_t key, std::size_t *slot) const
{
    if (m_slots.empty()) {
        *slot = 0;
        return -1;
    }
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hashKey(key) & mask;; i = (i + 1) & mask) {
        const std::uint32_t s = m_slots[i];
        if (s == 0) {
            *slot = i;
            return -1;
        }
        if (m_keys[s - 1] == key) {
            *slot = i;
            return int(s - 1);
        }
    }
}

void CallIds::grow()
{
    std::vector<std::uint32_t> table(std::max<std::size_t>(1024, m_slots.size() * 2), 0);
    const std::size_t mask = table.size() - 1;
    for (std::size_t id = 0; id < m_keys.size(); ++id) {
        if (m_keys[id] & OtherBit)
            continue;
        std::size_t i = hashKey(m_keys[id]) & mask;
        while (table[i])
            i = (i + 1) & mask;
        table[i] = std::uint32_t(id + 1);
    }
    m_slots.swap(table);
}

int CallIds::idOf(const QString &call)
{
    const auto key = CallIndex::pack(call);
    if (!key) {
        const auto it = m_otherIds.constFind(call);
        if (it != m_otherIds.constEnd())
            return it.value();
        const int id = int(m_keys.size());
        m_keys.push_back(OtherBit | std::uint64_t(m_other.size()));
        m_other.push_back(call);
        m_otherIds.insert(call, id);
        return id;
    }
    if ((m_keys.size() + 1) * 2 > m_slots.size())
        grow();
    std::size_t slot = 0;
    const int found = findKey(*key, &slot);
    if (found >= 0)
        return found;
    const int id = int(m_keys.size());
    m_keys.push_back(*key);
    m_slots[slot] = std::uint32_t(id + 1);
    return id;
}

int CallIds::find(const QString &call) const
{
    const auto key = CallIndex::pack(call);
    if (!key)
        return m_otherIds.value(call, -1);
    std::size_t slot = 0;
    return findKey(*key, &slot);
}

QString CallIds::text(int id) const
{
    const std::uint64_t k = m_keys[std::size_t(id)];
    return k & OtherBit ? m_other[std::size_t(k & ~OtherBit)] : CallIndex::unpack(k);
}

} // namespace vireo
