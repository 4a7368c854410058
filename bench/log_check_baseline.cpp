// The log check as it was before it streamed the log: every record read into one list first,
// every finding carrying a copy of its record and its text. Kept only as the benchmark's
// baseline for time and memory; the program itself does not use it.

#include "log_check_baseline.h"

#include "analysis/call_index.h"
#include "analysis/qso_time.h"
#include "analysis/serial_numbers.h"
#include "db/database.h"
#include "db/qso_store.h"

#include <QHash>

#include <algorithm>
#include <atomic>
#include <limits>

namespace vireo::baseline {

using logcheck::ContestGapMinutes;
using logcheck::Kind;
using logcheck::MaxSuggestions;
using logcheck::Options;
using logcheck::Progress;

namespace {

// The former rule: half of the steps rising was enough.
bool looksLikeSerials(const std::vector<int> &v)
{
    if (v.size() < 3)
        return false;
    std::vector<int> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    if (std::unique(sorted.begin(), sorted.end()) - sorted.begin() < 3)
        return false;
    size_t rises = 0;
    for (size_t i = 1; i < v.size(); ++i)
        rises += v[i] > v[i - 1];
    return rises * 2 >= v.size() - 1;
}

constexpr qint64 NoMoment = std::numeric_limits<qint64>::max();

struct Stopped {};

// A finding with the keys it is listed by; the record is copied in only at the end.
struct Item {
    Kind kind = Kind::Serial;
    int index = 0; // the record's place in table order
    int side = 0;
    int group = 0;
    qint64 groupMoment = 0; // repeats: the moment of the group's first record
    qint64 moment = 0;
    QString text;
    QStringList suggestions;
};

class Checker {
public:
    Checker(const QVector<QsoRecord> &records, const QStringList &known, const Options &options,
            const Progress &progress)
        : m_r(records), m_known(known), m_opt(options), m_progress(progress)
    {
    }

    QVector<Finding> run()
    {
        moments();
        report(10);
        serials();
        report(30);
        pairs();
        report(40);
        bustedCalls();
        report(90);
        incomplete();
        repeats();
        report(100);
        std::vector<int> order(m_items.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = int(i);
        std::stable_sort(order.begin(), order.end(), [this](int x, int y) {
            const Item &a = m_items[size_t(x)], &b = m_items[size_t(y)];
            if (a.kind != b.kind)
                return int(a.kind) < int(b.kind);
            if (a.groupMoment != b.groupMoment)
                return a.groupMoment < b.groupMoment;
            if (a.group != b.group)
                return a.group < b.group;
            if (a.moment != b.moment)
                return a.moment < b.moment;
            if (a.index != b.index)
                return a.index < b.index;
            return a.side < b.side;
        });
        QVector<Finding> out;
        out.reserve(int(m_items.size()));
        for (const int k : order) {
            Item &i = m_items[size_t(k)];
            const QsoRecord &r = m_r[i.index];
            if (!m_opt.tour.isEmpty() && r.tur != m_opt.tour)
                continue;
            out.append(Finding{i.kind, r, i.side, std::move(i.text), std::move(i.suggestions), i.group});
        }
        return out;
    }

private:
    void report(int percent)
    {
        if (m_progress && !m_progress(percent))
            throw Stopped();
    }
    // Asks now and then, inside the long loops.
    void tick(int i, int from, int to, int n)
    {
        if ((i & 4095) == 0 && n > 0)
            report(from + int(qint64(to - from) * i / n));
    }

    void add(Kind kind, int index, int side, const QString &text, QStringList suggestions = {}, int group = 0,
             qint64 groupMoment = 0)
    {
        m_items.push_back(
            Item{kind, index, side, group, groupMoment, m_moment[size_t(index)], text, std::move(suggestions)});
    }

    // Minutes since the epoch of every record; NoMoment where date or time do not read.
    void moments()
    {
        QHash<QString, qint64> seen;
        m_moment.resize(m_r.size());
        for (int i = 0; i < m_r.size(); ++i) {
            const QsoRecord &r = m_r[i];
            const QString key = r.data + QLatin1Char(' ') + r.time;
            auto it = seen.constFind(key);
            if (it == seen.constEnd()) {
                const auto utc = qsoUtc(r);
                it = seen.insert(key, utc ? utc->toSecsSinceEpoch() / 60 : NoMoment);
            }
            m_moment[i] = *it;
            tick(i, 0, 10, m_r.size());
        }
    }

    QString when(int index, int relativeTo) const
    {
        const QsoRecord &r = m_r[index];
        if (r.data == m_r[relativeTo].data)
            return QStringLiteral("в %1").arg(r.time);
        return QStringLiteral("%1 в %2").arg(r.data, r.time);
    }

    // ---- serials -----------------------------------------------------------------------------

    struct Number {
        qint64 moment;
        int index;
        int side;
        int value;
    };

    void serials()
    {
        QHash<QString, std::vector<Number>> stations;
        for (int i = 0; i < m_r.size(); ++i) {
            if (m_moment[i] == NoMoment)
                continue;
            const QsoRecord &r = m_r[i];
            for (int side = 1; side <= 2; ++side) {
                const QString &call = side == 1 ? r.call1 : r.call2;
                if (call.isEmpty())
                    continue;
                const auto v = serials::serialValue(side == 1 ? r.nr1 : r.nr2);
                if (!v)
                    continue;
                stations[call + QChar(0) + r.tur].push_back({m_moment[i], i, side, *v});
            }
            tick(i, 10, 20, m_r.size());
        }
        int done = 0;
        for (auto it = stations.begin(); it != stations.end(); ++it) {
            std::vector<Number> &all = it.value();
            std::sort(all.begin(), all.end(), [](const Number &a, const Number &b) {
                if (a.moment != b.moment)
                    return a.moment < b.moment;
                if (a.index != b.index)
                    return a.index < b.index;
                return a.side < b.side;
            });
            size_t from = 0;
            for (size_t k = 1; k <= all.size(); ++k) {
                if (k == all.size() || all[k].moment - all[k - 1].moment > ContestGapMinutes) {
                    serialRun(std::vector<Number>(all.begin() + long(from), all.begin() + long(k)));
                    from = k;
                }
            }
            tick(++done, 20, 30, int(stations.size()));
        }
    }

    QString callAt(const Number &n) const { return n.side == 1 ? m_r[n.index].call1 : m_r[n.index].call2; }
    QString nrAt(const Number &n) const { return (n.side == 1 ? m_r[n.index].nr1 : m_r[n.index].nr2).trimmed(); }

    void serialRun(const std::vector<Number> &run)
    {
        std::vector<int> values;
        std::vector<qint64> moments;
        values.reserve(run.size());
        moments.reserve(run.size());
        for (const Number &n : run) {
            values.push_back(n.value);
            moments.push_back(n.moment);
        }
        if (!looksLikeSerials(values))
            return;
        const std::vector<int> bad = serials::outOfOrder(values, moments);
        std::vector<bool> isBad(run.size(), false);
        for (const int b : bad)
            isBad[size_t(b)] = true;
        for (const int b : bad) {
            const Number &n = run[size_t(b)];
            int before = -1, after = -1;
            for (int k = b - 1; k >= 0; --k)
                if (!isBad[size_t(k)]) {
                    before = k;
                    break;
                }
            for (int k = b + 1; k < int(run.size()); ++k)
                if (!isBad[size_t(k)]) {
                    after = k;
                    break;
                }
            QString text;
            if (before >= 0 && n.value < run[size_t(before)].value) {
                const Number &p = run[size_t(before)];
                text = QStringLiteral("Номер %1 у %2 меньше прежнего %3 (%4)")
                           .arg(nrAt(n), callAt(n), nrAt(p), when(p.index, n.index));
            } else if (after >= 0 && n.value > run[size_t(after)].value) {
                const Number &q = run[size_t(after)];
                text = QStringLiteral("Номер %1 у %2 больше следующего %3 (%4)")
                           .arg(nrAt(n), callAt(n), nrAt(q), when(q.index, n.index));
            } else {
                text = QStringLiteral("Номер %1 у %2 выпадает из ряда номеров этой станции").arg(nrAt(n), callAt(n));
            }
            add(Kind::Serial, n.index, n.side, text);
        }
        // A rise faster than any station works, between two numbers in order.
        int previous = -1;
        for (int k = 0; k < int(run.size()); ++k) {
            if (isBad[size_t(k)])
                continue;
            if (previous >= 0) {
                const Number &p = run[size_t(previous)], &n = run[size_t(k)];
                const qint64 minutes = n.moment - p.moment;
                if (n.value - p.value > serials::plausibleRise(minutes))
                    add(Kind::Serial, n.index, n.side,
                        QStringLiteral("Номер %1 у %2 слишком велик: %3 мин назад был %4 (%5)")
                            .arg(nrAt(n), callAt(n))
                            .arg(minutes)
                            .arg(nrAt(p), when(p.index, n.index)));
            }
            previous = k;
        }
    }

    // ---- the same pair again too soon -----------------------------------------------------------

    void pairs()
    {
        if (m_opt.minRepeatMinutes <= 0)
            return;
        QHash<QString, std::vector<int>> pairs;
        for (int i = 0; i < m_r.size(); ++i) {
            const QsoRecord &r = m_r[i];
            if (m_moment[i] == NoMoment || r.call1.isEmpty() || r.call2.isEmpty())
                continue;
            pairs[r.call1 + QChar(0) + r.call2 + QChar(0) + r.band + QChar(0) + r.mode].push_back(i);
        }
        for (auto it = pairs.begin(); it != pairs.end(); ++it) {
            std::vector<int> &g = it.value();
            if (g.size() < 2)
                continue;
            std::stable_sort(g.begin(), g.end(), [this](int a, int b) { return m_moment[a] < m_moment[b]; });
            for (size_t k = 1; k < g.size(); ++k) {
                const int i = g[k], p = g[k - 1];
                const qint64 minutes = m_moment[i] - m_moment[p];
                if (minutes >= m_opt.minRepeatMinutes)
                    continue;
                const QsoRecord &r = m_r[i];
                const QString ago =
                    minutes == 0 ? QStringLiteral("в ту же минуту") : QStringLiteral("%1 мин назад").arg(minutes);
                add(Kind::PairTooSoon, i, 0,
                    QStringLiteral("Пара %1 – %2 уже записана %3, %4 (можно не раньше чем через %5 мин)")
                        .arg(r.call1, r.call2, when(p, i), ago)
                        .arg(m_opt.minRepeatMinutes));
            }
        }
    }

    // ---- likely busted calls ------------------------------------------------------------------

    void bustedCalls()
    {
        QHash<QString, int> count;
        count.reserve(m_r.size());
        for (const QsoRecord &r : m_r) {
            if (!r.call1.isEmpty())
                ++count[r.call1];
            if (!r.call2.isEmpty())
                ++count[r.call2];
        }
        // The calls a suspect may be meant as: the known ones and those the log holds twice or more.
        int often = 0;
        for (auto it = count.constBegin(); it != count.constEnd(); ++it)
            often += it.value() >= 2;
        CallIndex sure(m_known.size() + often);
        for (const QString &c : m_known)
            sure.insert(c);
        for (auto it = count.constBegin(); it != count.constEnd(); ++it)
            if (it.value() >= 2)
                sure.insert(it.key());
        report(50);
        for (int i = 0; i < m_r.size(); ++i) {
            const QsoRecord &r = m_r[i];
            for (int side = 1; side <= 2; ++side) {
                const QString &call = side == 1 ? r.call1 : r.call2;
                if (call.isEmpty() || count.value(call) != 1 || isSure(sure, call))
                    continue;
                QStringList maybe = sure.oneOff(call);
                // Calls of this log first, the most often heard first.
                std::stable_sort(maybe.begin(), maybe.end(), [&count](const QString &a, const QString &b) {
                    return count.value(a) > count.value(b);
                });
                if (maybe.size() > MaxSuggestions)
                    maybe.erase(maybe.begin() + MaxSuggestions, maybe.end());
                QString text =
                    QStringLiteral("%1 нет ни среди известных позывных, ни в других записях журнала").arg(call);
                if (!maybe.isEmpty())
                    text += QStringLiteral("; возможно: ") + maybe.join(QStringLiteral(", "));
                add(Kind::BustedCall, i, side, text, maybe);
            }
            tick(i, 50, 90, m_r.size());
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
        for (int i = 0; i < m_r.size(); ++i) {
            const QsoRecord &r = m_r[i];
            const bool call1 = !r.call1.trimmed().isEmpty(), nr1 = !r.nr1.trimmed().isEmpty();
            const bool call2 = !r.call2.trimmed().isEmpty(), nr2 = !r.nr2.trimmed().isEmpty();
            QStringList what;
            if (!call1)
                what << QStringLiteral("нет позывного наблюдаемой станции (CALL-1)");
            else if (!nr1)
                what << QStringLiteral("у %1 нет контрольного номера (NR-1)").arg(r.call1);
            if (call2 && !nr2)
                what << QStringLiteral("у %1 нет контрольного номера (NR-2)").arg(r.call2);
            else if (!call2 && nr2)
                what << QStringLiteral("номер %1 без позывного корреспондента (CALL-2)").arg(r.nr2.trimmed());
            if (what.isEmpty())
                continue;
            QString text = what.join(QStringLiteral("; "));
            text[0] = text[0].toUpper();
            add(Kind::Incomplete, i, 0, text);
        }
    }

    // ---- repeats within tour, band and mode ---------------------------------------------------

    void repeats()
    {
        QHash<QString, std::vector<int>> groups;
        std::vector<QString> order;
        for (int i = 0; i < m_r.size(); ++i) {
            const QsoRecord &r = m_r[i];
            if (r.call1.isEmpty())
                continue;
            const QString key = r.tur + QChar(0) + r.band + QChar(0) + r.mode + QChar(0) + r.call1;
            auto &g = groups[key];
            if (g.empty())
                order.push_back(key);
            g.push_back(i);
        }
        int group = 0;
        for (const QString &key : order) {
            std::vector<int> &g = groups[key];
            if (g.size() < 2)
                continue;
            std::stable_sort(g.begin(), g.end(), [this](int a, int b) { return m_moment[a] < m_moment[b]; });
            ++group;
            const int first = g.front();
            const QsoRecord &f = m_r[first];
            for (size_t k = 0; k < g.size(); ++k) {
                const QString where = QStringLiteral("%1 в туре %2, %3 %4").arg(f.call1, f.tur, f.band, f.mode);
                const QString text = k == 0 ? QStringLiteral("%1: первая из %2 записей").arg(where).arg(g.size())
                                            : QStringLiteral("%1: повтор %2 из %3 (первая %4)")
                                                  .arg(where)
                                                  .arg(k + 1)
                                                  .arg(g.size())
                                                  .arg(when(first, g[k]));
                add(Kind::Repeat, g[k], 1, text, {}, group, m_moment[first]);
            }
        }
    }

    const QVector<QsoRecord> &m_r;
    const QStringList &m_known;
    const Options &m_opt;
    const Progress &m_progress;
    std::vector<qint64> m_moment;
    std::vector<Item> m_items;
};

} // namespace

std::optional<QVector<Finding>> check(const QVector<QsoRecord> &records, const QStringList &knownCalls,
                                      const Options &options, const Progress &progress)
{
    try {
        return Checker(records, knownCalls, options, progress).run();
    } catch (const Stopped &) {
        return std::nullopt;
    }
}

} // namespace vireo::baseline

namespace vireo::baseline {

std::optional<QVector<Finding>> checkLogFile(const QString &path, const QStringList &knownCalls, const Options &options)
{
    static std::atomic_int serial{0};
    QVector<QsoRecord> records;
    {
        Database db(path, QStringLiteral("baseline-%1").arg(++serial));
        QsoStore store(db.connection());
        store.forEach([&](const QsoRecord &r) { records.append(r); });
    }
    return baseline::check(records, knownCalls, options);
}

} // namespace vireo::baseline
