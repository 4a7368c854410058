#include "stationinfo/scp_index.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vireo {

namespace {

// Characters of calls; anything else shares one symbol (the final comparison is exact).
constexpr int Other = 38;
constexpr int BigramSlots = 64 * 64;
constexpr int GramSlots = BigramSlots + 64 * 64 * 64;
// Calls added since the last build are searched one by one; past this many the index rebuilds.
constexpr std::size_t UnsortedLimit = 2048;
const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/";
constexpr std::uint32_t NoRank = 0xffffffffu;
constexpr std::size_t SeenBits = std::size_t(1) << 22;

inline std::uint64_t fnv(const char *s, std::size_t n)
{
    std::uint64_t h = 14695981039346656037ull;
    for (std::size_t i = 0; i < n; ++i)
        h = (h ^ (unsigned char)s[i]) * 1099511628211ull;
    return h;
}

inline int symbol(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return 1 + (c - 'A');
    if (c >= '0' && c <= '9')
        return 27 + (c - '0');
    if (c == '/')
        return 37;
    return Other;
}

inline std::uint32_t bigram(const char *p)
{
    return std::uint32_t(symbol(p[0]) * 64 + symbol(p[1]));
}

inline std::uint32_t trigram(const char *p)
{
    return std::uint32_t(BigramSlots + (symbol(p[0]) * 64 + symbol(p[1])) * 64 + symbol(p[2]));
}

std::string key(const QString &s)
{
    return s.toStdString();
}

std::string contextKey(const QString &band, const QString &mode, const QString &tour)
{
    std::string k = band.toStdString();
    k += '\x1f';
    k += mode.toStdString();
    k += '\x1f';
    k += tour.toStdString();
    return k;
}

bool hasOther(const std::string &s)
{
    return std::any_of(s.begin(), s.end(), [](char c) { return symbol((unsigned char)c) == Other; });
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Filling

void ScpIndex::reserve(std::size_t calls, std::size_t records)
{
    m_ids.reserve(calls);
    m_calls.reserve(calls);
    m_inMaster.reserve(calls);
    m_logCount.reserve(calls);
    m_repeats.reserve(records * 2);
}

ScpIndex::CallId ScpIndex::intern(const std::string &call)
{
    const auto [it, added] = m_ids.try_emplace(call, CallId(m_calls.size()));
    if (!added)
        return it->second;
    const CallId id = it->second;
    const std::uint64_t h = fnv(call.data(), call.size()) & (SeenBits - 1);
    m_seen[h >> 6] |= std::uint64_t(1) << (h & 63);
    m_calls.push_back(call);
    m_inMaster.push_back(0);
    m_logCount.push_back(0);
    return id;
}

bool ScpIndex::mayKnow(const char *s, std::size_t n) const
{
    const std::uint64_t h = fnv(s, n) & (SeenBits - 1);
    return (m_seen[h >> 6] >> (h & 63)) & 1;
}

void ScpIndex::setAliveRank(CallId id)
{
    if (id < m_rankOf.size() && m_rankOf[id] != NoRank)
        m_rankAlive[m_rankOf[id]] = alive(id) ? 1 : 0;
}

const ScpIndex::CallId *ScpIndex::find(const std::string &call) const
{
    const auto it = m_ids.find(call);
    return it == m_ids.end() ? nullptr : &it->second;
}

void ScpIndex::setMasterCalls(const QStringList &calls)
{
    std::fill(m_inMaster.begin(), m_inMaster.end(), 0);
    m_masterCount = 0;
    m_ids.reserve(m_ids.size() + std::size_t(calls.size()));
    for (const QString &c : calls) {
        if (c.isEmpty())
            continue;
        const CallId id = intern(key(c));
        if (!m_inMaster[id]) {
            m_inMaster[id] = 1;
            ++m_masterCount;
        }
    }
    m_dirty = true;
}

void ScpIndex::changeRecord(const QString &call, const std::string &context, int delta)
{
    if (call.isEmpty())
        return;
    const CallId id = intern(key(call));
    if (delta < 0 && m_logCount[id] == 0)
        return; // not counted: nothing to take away
    m_logCount[id] = std::uint32_t(int(m_logCount[id]) + delta);
    setAliveRank(id);
    auto ctx = m_contexts.find(context);
    if (ctx == m_contexts.end()) {
        if (delta < 0)
            return;
        ctx = m_contexts.emplace(context, int(m_contexts.size())).first;
    }
    const std::uint64_t k = (std::uint64_t(id) << 32) | std::uint32_t(ctx->second);
    auto r = m_repeats.find(k);
    if (delta > 0) {
        if (r == m_repeats.end())
            m_repeats.emplace(k, 1);
        else
            ++r->second;
    } else if (r != m_repeats.end() && --r->second == 0) {
        m_repeats.erase(r);
    }
}

void ScpIndex::addRecord(const QString &call1, const QString &call2, const QString &band, const QString &mode,
                         const QString &tour)
{
    const std::string ctx = contextKey(band, mode, tour);
    changeRecord(call1, ctx, +1);
    changeRecord(call2, ctx, +1);
}

void ScpIndex::removeRecord(const QString &call1, const QString &call2, const QString &band, const QString &mode,
                            const QString &tour)
{
    const std::string ctx = contextKey(band, mode, tour);
    changeRecord(call1, ctx, -1);
    changeRecord(call2, ctx, -1);
}

void ScpIndex::clearLog()
{
    std::fill(m_logCount.begin(), m_logCount.end(), 0);
    m_repeats.clear();
    m_contexts.clear();
    m_dirty = true;
}

// ---------------------------------------------------------------------------------------------
// The sorted part

void ScpIndex::ensureBuilt() const
{
    if (m_dirty || m_calls.size() - m_builtUpTo > UnsortedLimit)
        build();
}

void ScpIndex::build() const
{
    m_byRank.clear();
    m_byRank.reserve(m_calls.size());
    for (CallId id = 0; id < m_calls.size(); ++id)
        if (alive(id))
            m_byRank.push_back(id);
    std::sort(m_byRank.begin(), m_byRank.end(), [this](CallId a, CallId b) { return m_calls[a] < m_calls[b]; });

    // Two passes over the distinct grams of each call: count, then place. Ranks go in
    // increasing order, so every list comes out sorted.
    m_gramStart.assign(GramSlots + 1, 0);
    std::vector<std::uint32_t> grams;
    auto gramsOf = [&grams](const std::string &s) {
        grams.clear();
        for (std::size_t i = 0; i + 2 <= s.size(); ++i)
            grams.push_back(bigram(s.data() + i));
        for (std::size_t i = 0; i + 3 <= s.size(); ++i)
            grams.push_back(trigram(s.data() + i));
        std::sort(grams.begin(), grams.end());
        grams.erase(std::unique(grams.begin(), grams.end()), grams.end());
    };
    for (CallId id : m_byRank) {
        gramsOf(m_calls[id]);
        for (std::uint32_t g : grams)
            ++m_gramStart[g + 1];
    }
    for (int g = 0; g < GramSlots; ++g)
        m_gramStart[g + 1] += m_gramStart[g];
    m_grams.assign(m_gramStart[GramSlots], 0);
    std::vector<std::uint32_t> fill(m_gramStart.begin(), m_gramStart.end() - 1);
    for (std::uint32_t rank = 0; rank < m_byRank.size(); ++rank) {
        gramsOf(m_calls[m_byRank[rank]]);
        for (std::uint32_t g : grams)
            m_grams[fill[g]++] = rank;
    }
    m_rankOf.assign(m_calls.size(), NoRank);
    m_rankAlive.assign(m_byRank.size(), 1);
    m_text.clear();
    m_textStart.assign(m_byRank.size() + 1, 0);
    for (std::uint32_t rank = 0; rank < m_byRank.size(); ++rank) {
        const CallId id = m_byRank[rank];
        m_rankOf[id] = rank;
        m_textStart[rank] = std::uint32_t(m_text.size());
        m_text += m_calls[id];
    }
    m_textStart[m_byRank.size()] = std::uint32_t(m_text.size());
    m_builtUpTo = m_calls.size();
    m_dirty = false;
}

void ScpIndex::collectUnsorted(const std::string &fragment, std::vector<CallId> &out) const
{
    for (CallId id = CallId(m_builtUpTo); id < m_calls.size(); ++id)
        if (alive(id) && m_calls[id].find(fragment) != std::string::npos)
            out.push_back(id);
}

// ---------------------------------------------------------------------------------------------
// Asking

std::vector<ScpIndex::CallId> ScpIndex::matchIds(const QString &text) const
{
    std::vector<CallId> out;
    const std::string fragment = key(text);
    if (text.size() < 2 || fragment.size() < 2)
        return out;
    ensureBuilt();

    // The gram of the fragment with the shortest list; a call holding the fragment holds it.
    std::uint32_t best = bigram(fragment.data());
    if (fragment.size() >= 3) {
        best = trigram(fragment.data());
        for (std::size_t i = 1; i + 3 <= fragment.size(); ++i) {
            const std::uint32_t g = trigram(fragment.data() + i);
            if (m_gramStart[g + 1] - m_gramStart[g] < m_gramStart[best + 1] - m_gramStart[best])
                best = g;
        }
    }
    // A gram list is exact for a fragment of its own length made of call characters.
    const bool verify = fragment.size() > 3 || hasOther(fragment);
    const std::uint32_t *first = m_grams.data() + m_gramStart[best];
    const std::uint32_t *last = m_grams.data() + m_gramStart[best + 1];
    out.reserve(std::size_t(last - first));
    const std::string_view wanted(fragment);
    for (const std::uint32_t *p = first; p != last; ++p) {
        const std::uint32_t rank = *p;
        if (!m_rankAlive[rank])
            continue;
        if (verify) {
            const std::string_view call(m_text.data() + m_textStart[rank], m_textStart[rank + 1] - m_textStart[rank]);
            if (call.find(wanted) == std::string_view::npos)
                continue;
        }
        out.push_back(m_byRank[rank]);
    }

    // Calls added since the build: found one by one, then put in their places.
    std::vector<CallId> extra;
    collectUnsorted(fragment, extra);
    if (!extra.empty()) {
        auto less = [this](CallId a, CallId b) { return m_calls[a] < m_calls[b]; };
        std::sort(extra.begin(), extra.end(), less);
        std::vector<CallId> merged;
        merged.reserve(out.size() + extra.size());
        auto from = out.begin();
        for (CallId e : extra) {
            const auto to = std::upper_bound(from, out.end(), e, less);
            merged.insert(merged.end(), from, to);
            merged.push_back(e);
            from = to;
        }
        merged.insert(merged.end(), from, out.end());
        out.swap(merged);
    }
    return out;
}

std::vector<ScpIndex::CallId> ScpIndex::nearIds(const QString &text) const
{
    std::vector<CallId> out;
    const std::string call = key(text);
    if (call.empty())
        return out;
    constexpr std::size_t Longest = 40;
    if (call.size() > Longest)
        return out;
    // Candidates are made in a buffer and hashed there; only those whose hash was ever seen
    // are looked up.
    char buf[Longest + 2];
    auto probe = [this, &out, &buf](std::size_t n) {
        if (!mayKnow(buf, n))
            return;
        if (const CallId *id = find(std::string(buf, n)); id && alive(*id))
            out.push_back(*id);
    };
    const std::size_t n = call.size();
    for (std::size_t i = 0; i < n; ++i) {
        // missing character
        std::memcpy(buf, call.data(), i);
        std::memcpy(buf + i, call.data() + i + 1, n - i - 1);
        probe(n - 1);
        // changed character
        std::memcpy(buf, call.data(), n);
        for (const char *a = Alphabet; *a; ++a) {
            if (*a == call[i])
                continue;
            buf[i] = *a;
            probe(n);
        }
    }
    // extra character
    for (std::size_t i = 0; i <= n; ++i) {
        std::memcpy(buf, call.data(), i);
        std::memcpy(buf + i + 1, call.data() + i, n - i);
        for (const char *a = Alphabet; *a; ++a) {
            buf[i] = *a;
            probe(n + 1);
        }
    }
    std::sort(out.begin(), out.end(), [this](CallId a, CallId b) { return m_calls[a] < m_calls[b]; });
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

QStringList ScpIndex::matches(const QString &fragment) const
{
    QStringList list;
    for (CallId id : matchIds(fragment))
        list << callAt(id);
    return list;
}

QStringList ScpIndex::nearCalls(const QString &call) const
{
    QStringList list;
    for (CallId id : nearIds(call))
        list << callAt(id);
    return list;
}

bool ScpIndex::isKnown(const QString &call) const
{
    const CallId *id = find(key(call));
    return id && alive(*id);
}

bool ScpIndex::inMaster(const QString &call) const
{
    const CallId *id = find(key(call));
    return id && m_inMaster[*id];
}

int ScpIndex::logCount(const QString &call) const
{
    const CallId *id = find(key(call));
    return id ? int(m_logCount[*id]) : 0;
}

int ScpIndex::contextOf(const QString &band, const QString &mode, const QString &tour) const
{
    const auto it = m_contexts.find(contextKey(band, mode, tour));
    return it == m_contexts.end() ? NoContext : it->second;
}

bool ScpIndex::isRepeat(CallId id, int context) const
{
    if (context == NoContext)
        return false;
    return m_repeats.count((std::uint64_t(id) << 32) | std::uint32_t(context)) > 0;
}

bool ScpIndex::isRepeat(const QString &call, const QString &band, const QString &mode, const QString &tour) const
{
    const CallId *id = find(key(call));
    return id && isRepeat(*id, contextOf(band, mode, tour));
}

int ScpIndex::knownCount() const
{
    int n = 0;
    for (CallId id = 0; id < m_calls.size(); ++id)
        n += alive(id) ? 1 : 0;
    return n;
}

} // namespace vireo
