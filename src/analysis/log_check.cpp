#include "analysis/log_check.h"

#include "analysis/call_index.h"
#include "analysis/log_check_findings.h"
#include "analysis/qso_time.h"
#include "analysis/serial_numbers.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vireo::logcheck {

namespace {

constexpr std::int32_t NoMoment = std::numeric_limits<std::int32_t>::max();
// Moments read from date and time texts are remembered for this many texts at most.
constexpr int MomentCacheSize = 100000;

struct Stopped {};

// Small numbers for the texts of a column with few values (tour, band, mode).
class Names {
public:
    int idOf(const QString &text)
    {
        const auto it = m_ids.constFind(text);
        if (it != m_ids.constEnd())
            return it.value();
        const int id = int(m_ids.size());
        m_ids.insert(text, id);
        return id;
    }
    int find(const QString &text) const { return m_ids.value(text, -1); }

private:
    QHash<QString, int> m_ids;
};

// The first pass keeps of each record only these, one array a column; the checks work on them.
struct Kept {
    std::vector<qint64> id;
    std::vector<std::int32_t> moment; // minutes since the epoch; NoMoment where date or time do not read
    std::vector<std::int32_t> call1, call2; // CallIds numbers; -1: empty
    std::vector<std::int32_t> nr1, nr2; // serial values; -1: not a plain number
    std::vector<std::int32_t> tour, band, mode;
    std::vector<std::uint8_t> filled; // Filled bits, for the incomplete records

    int size() const { return int(id.size()); }
    void reserve(size_t n)
    {
        id.reserve(n);
        for (std::vector<std::int32_t> *column : {&moment, &call1, &call2, &nr1, &nr2, &tour, &band, &mode})
            column->reserve(n);
        filled.reserve(n);
    }
};

template <typename T>
void release(std::vector<T> &v)
{
    std::vector<T>().swap(v);
}

enum Filled : std::uint8_t { Call1 = 1, Nr1 = 2, Call2 = 4, Nr2 = 8 };

class Checker {
public:
    Checker(const RecordSource &source, int expected, const QStringList &known, const Options &options,
            const Progress &progress)
        : m_source(source), m_expected(std::max(1, expected)), m_known(known), m_opt(options), m_progress(progress)
    {
    }

    Findings run()
    {
        readFirst();
        report(40);
        serials();
        release(m_k.nr1); // the serial values are needed no more
        release(m_k.nr2);
        report(55);
        pairs();
        report(60);
        bustedCalls();
        report(85);
        incomplete();
        repeats();
        refusedByRules();
        report(90);
        return finish();
    }

private:
    void report(int percent)
    {
        if (m_progress && !m_progress(percent))
            throw Stopped();
    }
    // Asks now and then, inside the long loops.
    void tick(qint64 i, int from, int to, qint64 n)
    {
        if ((i & 4095) == 0 && n > 0)
            report(from + int(qint64(to - from) * std::min(i, n) / n));
    }

    int callId(const QString &call) { return call.isEmpty() ? -1 : m_calls.idOf(call); }

    // ---- the first pass: a few numbers a record ----------------------------------------------

    void readFirst()
    {
        QHash<QString, std::int32_t> moments;
        m_k.reserve(size_t(m_expected));
        m_source([&](const QsoRecord &r) {
            const QString stamp = r.data + QLatin1Char(' ') + r.time;
            auto it = moments.constFind(stamp);
            if (it == moments.constEnd()) {
                if (moments.size() >= MomentCacheSize)
                    moments.clear();
                const auto utc = qsoUtc(r);
                it = moments.insert(stamp, utc ? std::int32_t(utc->toSecsSinceEpoch() / 60) : NoMoment);
            }
            m_k.id.push_back(r.id);
            m_k.moment.push_back(*it);
            m_k.call1.push_back(callId(r.call1));
            m_k.call2.push_back(callId(r.call2));
            m_k.nr1.push_back(serials::serialValue(r.nr1).value_or(-1));
            m_k.nr2.push_back(serials::serialValue(r.nr2).value_or(-1));
            m_k.tour.push_back(m_tours.idOf(r.tur));
            m_k.band.push_back(m_bands.idOf(r.band));
            m_k.mode.push_back(m_modes.idOf(r.mode));
            m_k.filled.push_back(
                std::uint8_t((r.call1.trimmed().isEmpty() ? 0 : Call1) | (r.nr1.trimmed().isEmpty() ? 0 : Nr1)
                             | (r.call2.trimmed().isEmpty() ? 0 : Call2) | (r.nr2.trimmed().isEmpty() ? 0 : Nr2)));
            tick(m_k.size(), 0, 40, m_expected);
        });
    }

    void add(Kind kind, int index, int side, Says says, int other = -1, int otherSide = 0, int a = 0, int b = 0,
             int group = 0)
    {
        m_items.push_back(Item{index, other, group, a, b, kind, says, std::uint8_t(side), std::uint8_t(otherSide)});
    }

    // ---- serials -----------------------------------------------------------------------------

    // A number of a record: its place times two, plus one for the worked station's side.
    static int entryIndex(std::uint32_t e) { return int(e >> 1); }
    static int entrySide(std::uint32_t e) { return int(e & 1) + 1; }
    int entryCall(std::uint32_t e) const { return (e & 1 ? m_k.call2 : m_k.call1)[e >> 1]; }
    int entryValue(std::uint32_t e) const { return (e & 1 ? m_k.nr2 : m_k.nr1)[e >> 1]; }

    void serials()
    {
        std::vector<std::uint32_t> numbers;
        for (int i = 0; i < m_k.size(); ++i) {
            if (m_k.moment[size_t(i)] == NoMoment)
                continue;
            for (std::uint32_t side = 0; side < 2; ++side) {
                const std::uint32_t e = (std::uint32_t(i) << 1) | side;
                if (entryCall(e) >= 0 && entryValue(e) >= 0)
                    numbers.push_back(e);
            }
        }
        // Each station and tour together, in time order, then in table order, the heard side first.
        std::sort(numbers.begin(), numbers.end(), [this](std::uint32_t a, std::uint32_t b) {
            const int ca = entryCall(a), cb = entryCall(b);
            if (ca != cb)
                return ca < cb;
            const int ta = m_k.tour[a >> 1], tb = m_k.tour[b >> 1];
            if (ta != tb)
                return ta < tb;
            const std::int32_t ma = m_k.moment[a >> 1], mb = m_k.moment[b >> 1];
            if (ma != mb)
                return ma < mb;
            return a < b;
        });
        report(45);
        size_t from = 0;
        for (size_t k = 1; k <= numbers.size(); ++k) {
            const bool sameStation = k < numbers.size() && entryCall(numbers[k]) == entryCall(numbers[k - 1])
                                     && m_k.tour[numbers[k] >> 1] == m_k.tour[numbers[k - 1] >> 1];
            if (sameStation && m_k.moment[numbers[k] >> 1] - m_k.moment[numbers[k - 1] >> 1] <= ContestGapMinutes)
                continue;
            serialRun(numbers.data() + from, numbers.data() + k);
            from = k;
            tick(qint64(k), 45, 55, qint64(numbers.size()));
        }
    }

    // One station's numbers within one tour and one contest.
    void serialRun(const std::uint32_t *begin, const std::uint32_t *end)
    {
        const int n = int(end - begin);
        if (n < 3)
            return;
        std::vector<int> values(static_cast<size_t>(n));
        std::vector<qint64> moments(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k) {
            values[size_t(k)] = entryValue(begin[k]);
            moments[size_t(k)] = m_k.moment[begin[k] >> 1];
        }
        if (!serials::looksLikeSerials(values))
            return;
        const std::vector<int> bad = serials::outOfOrder(values, moments);
        std::vector<bool> isBad(static_cast<size_t>(n), false);
        for (const int b : bad)
            isBad[size_t(b)] = true;
        auto addAt = [&](int k, Says says, int otherK, int minutes = 0) {
            const std::uint32_t e = begin[k];
            const int other = otherK >= 0 ? entryIndex(begin[otherK]) : -1;
            const int otherSide = otherK >= 0 ? entrySide(begin[otherK]) : 0;
            add(Kind::Serial, entryIndex(e), entrySide(e), says, other, otherSide, minutes);
        };
        for (const int b : bad) {
            int before = -1, after = -1;
            for (int k = b - 1; k >= 0; --k)
                if (!isBad[size_t(k)]) {
                    before = k;
                    break;
                }
            for (int k = b + 1; k < n; ++k)
                if (!isBad[size_t(k)]) {
                    after = k;
                    break;
                }
            if (before >= 0 && values[size_t(b)] < values[size_t(before)])
                addAt(b, Says::SerialBelowEarlier, before);
            else if (after >= 0 && values[size_t(b)] > values[size_t(after)])
                addAt(b, Says::SerialAboveLater, after);
            else
                addAt(b, Says::SerialOutOfLine, -1);
        }
        // A rise faster than any station works, between two numbers in order.
        int previous = -1;
        for (int k = 0; k < n; ++k) {
            if (isBad[size_t(k)])
                continue;
            if (previous >= 0) {
                const qint64 minutes = moments[size_t(k)] - moments[size_t(previous)];
                if (values[size_t(k)] - values[size_t(previous)] > serials::plausibleRise(minutes))
                    addAt(k, Says::SerialTooFast, previous, int(minutes));
            }
            previous = k;
        }
    }

    // ---- the same pair again too soon -----------------------------------------------------------

    void pairs()
    {
        if (m_opt.minRepeatMinutes <= 0)
            return;
        std::vector<std::int32_t> records;
        for (int i = 0; i < m_k.size(); ++i)
            if (m_k.moment[size_t(i)] != NoMoment && m_k.call1[size_t(i)] >= 0 && m_k.call2[size_t(i)] >= 0)
                records.push_back(i);
        auto samePair = [this](int a, int b) {
            return m_k.call1[size_t(a)] == m_k.call1[size_t(b)] && m_k.call2[size_t(a)] == m_k.call2[size_t(b)]
                   && m_k.band[size_t(a)] == m_k.band[size_t(b)] && m_k.mode[size_t(a)] == m_k.mode[size_t(b)];
        };
        std::sort(records.begin(), records.end(), [this](int a, int b) {
            for (const std::vector<std::int32_t> *column : {&m_k.call1, &m_k.call2, &m_k.band, &m_k.mode, &m_k.moment})
                if ((*column)[size_t(a)] != (*column)[size_t(b)])
                    return (*column)[size_t(a)] < (*column)[size_t(b)];
            return a < b;
        });
        for (size_t k = 1; k < records.size(); ++k) {
            const int i = records[k], p = records[k - 1];
            if (!samePair(i, p))
                continue;
            const int minutes = m_k.moment[size_t(i)] - m_k.moment[size_t(p)];
            if (minutes < m_opt.minRepeatMinutes)
                add(Kind::PairTooSoon, i, 0, Says::PairAgain, p, 0, minutes);
        }
    }

    // ---- likely busted calls ------------------------------------------------------------------

    void bustedCalls()
    {
        std::vector<std::int32_t> count(size_t(m_calls.size()), 0);
        for (int i = 0; i < m_k.size(); ++i) {
            if (m_k.call1[size_t(i)] >= 0)
                ++count[size_t(m_k.call1[size_t(i)])];
            if (m_k.call2[size_t(i)] >= 0)
                ++count[size_t(m_k.call2[size_t(i)])];
        }
        // The calls a suspect may be meant as: the known ones and those the log holds twice or more.
        int often = 0;
        for (const int c : count)
            often += c >= 2;
        CallIndex sure(int(m_known.size()) + often);
        for (const QString &c : m_known)
            sure.insert(c);
        for (size_t id = 0; id < count.size(); ++id)
            if (count[id] >= 2)
                sure.insert(m_calls.text(int(id)));
        report(62);
        auto countOf = [&](const QString &call) {
            const int id = m_calls.find(call);
            return id >= 0 ? count[size_t(id)] : 0;
        };
        for (int i = 0; i < m_k.size(); ++i) {
            for (int side = 1; side <= 2; ++side) {
                const int id = (side == 1 ? m_k.call1 : m_k.call2)[size_t(i)];
                if (id < 0 || count[size_t(id)] != 1)
                    continue;
                const QString call = m_calls.text(id);
                if (isSure(sure, call))
                    continue;
                const QStringList found = sure.oneOff(call);
                // Calls of this log first, the most often heard first.
                std::vector<std::pair<int, int>> order; // (times in the log, place in found)
                order.reserve(size_t(found.size()));
                for (int k = 0; k < found.size(); ++k)
                    order.emplace_back(countOf(found[k]), k);
                std::stable_sort(order.begin(), order.end(),
                                 [](const auto &a, const auto &b) { return a.first > b.first; });
                QStringList maybe;
                for (size_t k = 0; k < order.size() && k < size_t(MaxSuggestions); ++k)
                    maybe << found[order[k].second];
                int at = 0, length = 0;
                if (!maybe.isEmpty()) {
                    at = int(m_suggestions.size());
                    m_suggestions.append(maybe.join(QChar(0x1f)).toUtf8());
                    length = int(m_suggestions.size()) - at;
                }
                add(Kind::BustedCall, i, side, Says::BustedCall, -1, 0, at, length);
            }
            tick(i, 62, 85, m_k.size());
        }
    }

    // A call with a portable part ("UA3ABC/P", "DL/UA3ABC") counts as sure when its longest
    // part is.
    static bool isSure(const CallIndex &sure, const QString &call)
    {
        if (sure.contains(call))
            return true;
        if (!call.contains(QLatin1Char('/')))
            return false;
        QString longest;
        for (const QString &part : call.split(QLatin1Char('/')))
            if (part.size() > longest.size())
                longest = part;
        return !longest.isEmpty() && sure.contains(longest);
    }

    // ---- incomplete records -------------------------------------------------------------------

    void incomplete()
    {
        for (int i = 0; i < m_k.size(); ++i) {
            const std::uint8_t f = m_k.filled[size_t(i)];
            const bool call2 = f & Call2, nr2 = f & Nr2;
            if (!(f & Call1) || !(f & Nr1) || (call2 && !nr2) || (!call2 && nr2))
                add(Kind::Incomplete, i, 0, Says::None);
        }
    }

    // ---- repeats within tour, band and mode ---------------------------------------------------

    void repeats()
    {
        std::vector<std::int32_t> records;
        for (int i = 0; i < m_k.size(); ++i)
            if (m_k.call1[size_t(i)] >= 0)
                records.push_back(i);
        auto sameKey = [this](int a, int b) {
            return m_k.tour[size_t(a)] == m_k.tour[size_t(b)] && m_k.band[size_t(a)] == m_k.band[size_t(b)]
                   && m_k.mode[size_t(a)] == m_k.mode[size_t(b)] && m_k.call1[size_t(a)] == m_k.call1[size_t(b)];
        };
        std::sort(records.begin(), records.end(), [this](int a, int b) {
            for (const std::vector<std::int32_t> *column : {&m_k.tour, &m_k.band, &m_k.mode, &m_k.call1, &m_k.moment})
                if ((*column)[size_t(a)] != (*column)[size_t(b)])
                    return (*column)[size_t(a)] < (*column)[size_t(b)];
            return a < b;
        });
        // Groups of two or more, numbered in the table order of their first records.
        struct Group {
            size_t from, to;
            int firstInTable;
        };
        std::vector<Group> groups;
        for (size_t from = 0, k = 1; k <= records.size(); ++k) {
            if (k < records.size() && sameKey(records[k], records[from]))
                continue;
            if (k - from >= 2) {
                int first = records[from];
                for (size_t j = from; j < k; ++j)
                    first = std::min(first, records[j]);
                groups.push_back({from, k, first});
            }
            from = k;
        }
        std::sort(groups.begin(), groups.end(),
                  [](const Group &a, const Group &b) { return a.firstInTable < b.firstInTable; });
        int number = 0;
        for (const Group &g : groups) {
            ++number;
            const int size = int(g.to - g.from);
            const int first = records[g.from];
            for (size_t j = g.from; j < g.to; ++j)
                add(Kind::Repeat, records[j], 1, Says::Repeat, first, 0, int(j - g.from) + 1, size, number);
        }
    }

    // ---- records the contest's rules refuse ---------------------------------------------------

    void refusedByRules()
    {
        if (m_opt.refusedByRules.isEmpty())
            return;
        QHash<qint64, int> placeOf;
        placeOf.reserve(qsizetype(m_k.size()));
        for (int i = 0; i < m_k.size(); ++i)
            placeOf.insert(m_k.id[size_t(i)], i);
        for (const auto &refused : m_opt.refusedByRules) {
            const auto it = placeOf.constFind(refused.first);
            if (it == placeOf.constEnd())
                continue; // gone since the rules scored it
            const QByteArray reason = refused.second.toUtf8();
            add(Kind::RuleRefused, *it, 0, Says::RuleRefused, -1, 0, int(m_suggestions.size()), int(reason.size()));
            m_suggestions += reason;
        }
    }

    // ---- the findings in their order, and the second pass ---------------------------------------

    Findings finish()
    {
        if (!m_opt.tour.isEmpty()) {
            const int tour = m_tours.find(m_opt.tour);
            m_items.erase(std::remove_if(m_items.begin(), m_items.end(),
                                         [&](const Item &i) { return m_k.tour[size_t(i.record)] != tour; }),
                          m_items.end());
        }
        auto groupMoment = [this](const Item &i) -> qint64 {
            return i.kind == Kind::Repeat ? m_k.moment[size_t(i.other)] : 0;
        };
        std::stable_sort(m_items.begin(), m_items.end(), [&](const Item &a, const Item &b) {
            if (a.kind != b.kind)
                return int(a.kind) < int(b.kind);
            const qint64 ga = groupMoment(a), gb = groupMoment(b);
            if (ga != gb)
                return ga < gb;
            if (a.group != b.group)
                return a.group < b.group;
            const std::int32_t ma = m_k.moment[size_t(a.record)], mb = m_k.moment[size_t(b.record)];
            if (ma != mb)
                return ma < mb;
            if (a.record != b.record)
                return a.record < b.record;
            return a.side < b.side;
        });

        // The records the findings name, by key; the items point at their places in that list.
        std::vector<qint64> wanted;
        wanted.reserve(m_items.size() * 2);
        for (const Item &i : m_items) {
            wanted.push_back(m_k.id[size_t(i.record)]);
            if (i.other >= 0)
                wanted.push_back(m_k.id[size_t(i.other)]);
        }
        std::sort(wanted.begin(), wanted.end());
        wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
        auto placeOf = [&wanted](qint64 id) {
            return int(std::lower_bound(wanted.begin(), wanted.end(), id) - wanted.begin());
        };
        for (Item &i : m_items) {
            i.record = placeOf(m_k.id[size_t(i.record)]);
            if (i.other >= 0)
                i.other = placeOf(m_k.id[size_t(i.other)]);
        }
        m_k = Kept();
        m_calls = CallIds();

        auto data = std::make_shared<Findings::Data>();
        data->minRepeatMinutes = m_opt.minRepeatMinutes;
        data->suggestions = std::move(m_suggestions);
        // Kept in the order the second pass meets them; a record met twice (the same key) once.
        std::vector<std::int32_t> keptAt(wanted.size(), -1);
        data->ids.reserve(wanted.size());
        data->start.reserve(wanted.size());
        data->columns.reserve(qsizetype(wanted.size()) * 48);
        qint64 seen = 0;
        m_source([&](const QsoRecord &r) {
            tick(++seen, 90, 99, m_expected);
            const auto it = std::lower_bound(wanted.begin(), wanted.end(), r.id);
            if (it == wanted.end() || *it != r.id)
                return;
            std::int32_t &kept = keptAt[size_t(it - wanted.begin())];
            if (kept >= 0)
                return;
            kept = std::int32_t(data->ids.size());
            data->keep(r);
        });
        // Findings about a record deleted between the two passes go with it.
        size_t n = 0;
        for (Item i : m_items) {
            const bool namesOther = i.other >= 0;
            i.record = keptAt[size_t(i.record)];
            if (namesOther)
                i.other = keptAt[size_t(i.other)];
            if (i.record >= 0 && (!namesOther || i.other >= 0))
                m_items[n++] = i;
        }
        m_items.resize(n);
        m_items.shrink_to_fit();
        data->items = std::move(m_items);
        report(100);
        return Findings(std::move(data));
    }

    const RecordSource &m_source;
    const int m_expected;
    const QStringList &m_known;
    const Options &m_opt;
    const Progress &m_progress;
    Kept m_k;
    CallIds m_calls;
    Names m_tours, m_bands, m_modes;
    std::vector<Item> m_items;
    QByteArray m_suggestions;
};

} // namespace

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Serial:
        return QCoreApplication::translate("vireo::LogCheck", "Номер");
    case Kind::PairTooSoon:
        return QCoreApplication::translate("vireo::LogCheck", "Пара рано");
    case Kind::BustedCall:
        return QCoreApplication::translate("vireo::LogCheck", "Позывной?");
    case Kind::Incomplete:
        return QCoreApplication::translate("vireo::LogCheck", "Неполная");
    case Kind::Repeat:
        return QCoreApplication::translate("vireo::LogCheck", "Повтор");
    case Kind::RuleRefused:
        return QCoreApplication::translate("vireo::LogCheck", "Не засчитана");
    }
    return QString();
}

std::optional<Findings> check(const RecordSource &source, int expectedRecords, const QStringList &knownCalls,
                              const Options &options, const Progress &progress)
{
    try {
        return Checker(source, expectedRecords, knownCalls, options, progress).run();
    } catch (const Stopped &) {
        return std::nullopt;
    }
}

std::optional<Findings> check(const QVector<QsoRecord> &records, const QStringList &knownCalls, const Options &options,
                              const Progress &progress)
{
    const RecordSource source = [&records](const Visitor &visit) {
        for (const QsoRecord &r : records)
            visit(r);
    };
    return check(source, int(records.size()), knownCalls, options, progress);
}

} // namespace vireo::logcheck
