#pragma once
// The partial-check index: every known call (the contest-call list and the calls of the log),
// searched by any part of the call and by one-character differences. Plain data, no widgets and
// no database: whoever owns it feeds it (see ScpData), and any rule that asks "is this call
// known" or "which known calls are one character off" can use it.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace vireo {

class ScpIndex {
public:
    using CallId = std::uint32_t;
    static constexpr int NoContext = -1;

    // ---- filling ----
    // Room for this many distinct calls and log records (filling is faster when known).
    void reserve(std::size_t calls, std::size_t records);
    // Replaces the contest-call list (calls are kept as given; duplicates count once).
    void setMasterCalls(const QStringList &calls);
    // One record of the log: its two calls (an empty call2 is ignored) in band, mode and tour.
    void addRecord(const QString &call1, const QString &call2, const QString &band, const QString &mode,
                   const QString &tour);
    void removeRecord(const QString &call1, const QString &call2, const QString &band, const QString &mode,
                      const QString &tour);
    // Forgets every log call (the contest-call list stays).
    void clearLog();

    // Builds the sorted part now rather than at the first question (for an index filled on
    // another thread).
    void prepare() const { ensureBuilt(); }

    // ---- asking ----
    // Known calls that contain the fragment anywhere, each once, sorted; empty below 2 characters.
    QStringList matches(const QString &fragment) const;
    std::vector<CallId> matchIds(const QString &fragment) const;
    // Known calls one character off the call (one changed, missing or extra character), sorted.
    QStringList nearCalls(const QString &call) const;
    std::vector<CallId> nearIds(const QString &call) const;

    // Whether the call stands in the contest-call list or in the log.
    bool isKnown(const QString &call) const;
    bool inMaster(const QString &call) const;
    // How many times the call stands in the log (as call1 or call2).
    int logCount(const QString &call) const;
    // Whether a record of this band, mode and tour holds the call (as call1 or call2).
    bool isRepeat(const QString &call, const QString &band, const QString &mode, const QString &tour) const;

    // ---- by id (for lists that hold many results) ----
    // Ids stay valid while the index lives; a list kept across a reload may hold ids it no longer has.
    bool has(CallId id) const { return id < m_calls.size(); }
    QString callAt(CallId id) const { return QString::fromStdString(m_calls[id]); }
    bool inLog(CallId id) const { return m_logCount[id] > 0; }
    int contextOf(const QString &band, const QString &mode, const QString &tour) const;
    bool isRepeat(CallId id, int context) const;

    int masterCount() const { return m_masterCount; }
    // Number of distinct calls the index knows now.
    int knownCount() const;

private:
    CallId intern(const std::string &call);
    const CallId *find(const std::string &call) const;
    bool alive(CallId id) const { return m_inMaster[id] || m_logCount[id] > 0; }
    void changeRecord(const QString &call, const std::string &context, int delta);
    // Rebuilds the sorted part with its gram lists when calls were added since the last build.
    void ensureBuilt() const;
    void build() const;
    void collectUnsorted(const std::string &fragment, std::vector<CallId> &out) const;

    std::vector<std::string> m_calls;
    std::unordered_map<std::string, CallId> m_ids;
    std::vector<std::uint8_t> m_inMaster;
    std::vector<std::uint32_t> m_logCount;
    int m_masterCount = 0;
    std::unordered_map<std::string, int> m_contexts;
    std::unordered_map<std::uint64_t, std::uint32_t> m_repeats; // (id << 32 | context) -> records

    void setAliveRank(CallId id);
    bool mayKnow(const char *s, std::size_t n) const;

    // A bit per hash of every call ever seen, asked before the table when probing near calls.
    std::vector<std::uint64_t> m_seen = std::vector<std::uint64_t>(std::size_t(1) << 16, 0);

    // The sorted part: ranks 0..n-1 in call order; gram lists hold ranks in increasing order, and
    // the calls' text lies in rank order too, so that a search reads memory front to back.
    mutable std::vector<CallId> m_byRank;
    mutable std::vector<std::uint32_t> m_rankOf; // by id; NoRank for calls added since the build
    mutable std::vector<std::uint8_t> m_rankAlive;
    mutable std::string m_text;
    mutable std::vector<std::uint32_t> m_textStart;
    mutable std::vector<std::uint32_t> m_gramStart; // bigrams and trigrams, one slot each
    mutable std::vector<std::uint32_t> m_grams;
    mutable std::size_t m_builtUpTo = 0; // ids below this are in the sorted part
    mutable bool m_dirty = true;
};

} // namespace vireo
