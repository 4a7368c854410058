#pragma once
// A set of calls that answers "which calls one character off this one are in the set" fast
// enough to ask it for every call of a large log: every call of up to ten characters of A-Z, 0-9
// and "/" is packed into one 64-bit number (six bits a character) and kept in an open-addressing
// hash table. For the calls one character off, each call of the set is also listed under each of
// its forms with one character left out: two calls one replaced character or one swapped pair
// apart share such a form, and a call with one character more has the call itself among its
// forms, so a question takes a few look-ups instead of one per possible edit. Longer or stranger
// calls are kept as text beside it.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace vireo {

class CallIndex {
public:
    CallIndex() = default;
    explicit CallIndex(int expected) { reserve(expected); }
    void reserve(int expected);

    void insert(const QString &call);
    bool contains(const QString &call) const;
    int size() const { return m_count + int(m_other.size()); }

    // The calls of the set that differ from call by one character: one replaced, one left out,
    // one put in, or two neighbours swapped. Sorted, without call itself.
    QStringList oneOff(const QString &call) const;

    // The packed form of a call; none for an empty call, one longer than ten characters or one
    // with a character outside A-Z, 0-9 and "/".
    static std::optional<std::uint64_t> pack(const QString &call);
    static QString unpack(std::uint64_t key);

private:
    bool containsKey(std::uint64_t key) const;
    // Lists the forms with one character left out, at the first question after a change.
    void buildVariants() const;
    void insertKey(std::uint64_t key);
    void grow();

    std::vector<std::uint64_t> m_table; // 0 = empty slot
    // One bit per hash of a packed call: most edits of a call are no call at all, and this
    // small filter, which stays in the processor's cache, turns them away before the table.
    std::vector<std::uint64_t> m_filter;
    int m_count = 0;
    QSet<QString> m_other;
    // For each form with one character left out of each call: 32 bits of the form's hash, then
    // the call's slot in m_table; sorted. Eight bytes a form, so that the index of a large log
    // stays small; calls found under a hash are checked against the question itself.
    mutable std::vector<std::uint64_t> m_variants;
    mutable bool m_variantsBuilt = false;
};

// Small whole numbers for the calls of a log, 0, 1, 2, ... in the order they are first met, so
// that the log check keeps four bytes a call of a record instead of its text. Packed calls are
// kept as their 64-bit form in an open-addressing table; longer or stranger ones as text.
class CallIds {
public:
    // The number of call, given it now if it has none.
    int idOf(const QString &call);
    // The number of call; -1 when it has none.
    int find(const QString &call) const;
    QString text(int id) const;
    int size() const { return int(m_keys.size()); }

private:
    int findKey(std::uint64_t key, std::size_t *slot) const;
    void grow();

    std::vector<std::uint64_t> m_keys; // by number: the packed call, or OtherBit | place in m_other
    std::vector<std::uint32_t> m_slots; // number + 1 of the call hashed there; 0: empty
    QHash<QString, int> m_otherIds;
    std::vector<QString> m_other;
};

} // namespace vireo
