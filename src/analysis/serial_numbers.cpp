#include "analysis/serial_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

namespace vireo::serials {

std::optional<int> serialValue(const QString &nr)
{
    const QString t = nr.trimmed();
    if (t.isEmpty() || t.size() > 5)
        return std::nullopt;
    int v = 0;
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

bool looksLikeSerials(const std::vector<int> &v)
{
    const size_t n = v.size();
    if (n < 3)
        return false;
    const std::set<int> distinct(v.begin(), v.end());
    if (distinct.size() < 3)
        return false;
    std::map<int, size_t> times;
    size_t most = 0;
    for (const int x : v)
        most = std::max(most, ++times[x]);
    if (most > std::max<size_t>(2, n / 6))
        return false;
    const int range = *distinct.rbegin() - *distinct.begin();
    if (range < 3)
        return false;
    size_t rises = 0, falls = 0;
    for (size_t i = 1; i < n; ++i) {
        rises += v[i] > v[i - 1];
        falls += v[i] < v[i - 1];
    }
    if (rises >= 2 * falls)
        return true;
    return rises >= falls && size_t(range) >= 10 * distinct.size();
}

namespace {

// How far value lies from the line through its kept neighbours (a and b, -1 when missing).
double deviation(const std::vector<int> &v, const std::vector<qint64> &t, int x, int a, int b)
{
    if (a < 0 && b < 0)
        return 0;
    if (a < 0)
        return std::abs(v[x] - v[b]);
    if (b < 0)
        return std::abs(v[x] - v[a]);
    const double span = double(t[b] - t[a]);
    const double expected = span > 0 ? v[a] + (v[b] - v[a]) * double(t[x] - t[a]) / span : (v[a] + v[b]) / 2.0;
    return std::abs(v[x] - expected);
}

} // namespace

std::vector<int> outOfOrder(const std::vector<int> &v, const std::vector<qint64> &givenMoments)
{
    const int n = int(v.size());
    std::vector<qint64> t = givenMoments;
    if (int(t.size()) != n) {
        t.resize(size_t(n));
        for (int i = 0; i < n; ++i)
            t[size_t(i)] = i;
    }
    // Longest never-falling subsequence (patience sorting). tails[k] is the position of the
    // smallest last value of such a run of length k + 1.
    std::vector<int> tails, prev(size_t(n), -1);
    for (int i = 0; i < n; ++i) {
        auto it = std::upper_bound(tails.begin(), tails.end(), v[size_t(i)],
                                   [&v](int value, int pos) { return value < v[size_t(pos)]; });
        const int k = int(it - tails.begin());
        prev[size_t(i)] = k > 0 ? tails[size_t(k - 1)] : -1;
        if (it == tails.end())
            tails.push_back(i);
        else
            *it = i;
    }
    std::vector<bool> kept(size_t(n), false);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = prev[size_t(i)])
        kept[size_t(i)] = true;

    // Where a number left out conflicts with one kept number only, and could take its place,
    // keep whichever of the two fits its neighbours better.
    auto keptBefore = [&](int i, int skip) {
        for (int k = i - 1; k >= 0; --k)
            if (kept[size_t(k)] && k != skip)
                return k;
        return -1;
    };
    auto keptAfter = [&](int i, int skip) {
        for (int k = i + 1; k < n; ++k)
            if (kept[size_t(k)] && k != skip)
                return k;
        return -1;
    };
    for (int d = 0; d < n; ++d) {
        if (kept[size_t(d)])
            continue;
        const int before = keptBefore(d, -1), after = keptAfter(d, -1);
        // The kept number it conflicts with: the one just before (if higher) or just after (if lower).
        int rival = -1;
        if (before >= 0 && v[size_t(before)] > v[size_t(d)])
            rival = before;
        if (after >= 0 && v[size_t(after)] < v[size_t(d)])
            rival = rival < 0 ? after : -2;
        if (rival < 0)
            continue;
        const int lo = std::min(d, rival), hi = std::max(d, rival);
        const int a = keptBefore(lo, rival), b = keptAfter(hi, rival);
        // d fits in place of the rival when it keeps the order with a and b.
        if ((a >= 0 && v[size_t(a)] > v[size_t(d)]) || (b >= 0 && v[size_t(b)] < v[size_t(d)]))
            continue;
        if (deviation(v, t, d, a, b) < deviation(v, t, rival, a, b)) {
            kept[size_t(rival)] = false;
            kept[size_t(d)] = true;
        }
    }
    std::vector<int> out;
    for (int i = 0; i < n; ++i)
        if (!kept[size_t(i)])
            out.push_back(i);
    return out;
}

} // namespace vireo::serials
