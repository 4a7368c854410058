#include "analysis/serial_numbers.h"

#include <algorithm>
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
    if (v.size() < 3)
        return false;
    const std::set<int> distinct(v.begin(), v.end());
    if (distinct.size() < 3)
        return false;
    size_t rises = 0;
    for (size_t i = 1; i < v.size(); ++i)
        if (v[i] > v[i - 1])
            ++rises;
    return rises * 2 >= v.size() - 1;
}

std::vector<int> outOfOrder(const std::vector<int> &v)
{
    // Longest never-falling subsequence (patience sorting). tails[k] is the position of the
    // smallest last value of such a run of length k + 1; a later equal or smaller value replaces
    // a larger one, so a high value standing alone between lower ones is the one left out.
    const int n = int(v.size());
    std::vector<int> tails, prev(n, -1);
    for (int i = 0; i < n; ++i) {
        auto it = std::upper_bound(tails.begin(), tails.end(), v[i], [&v](int value, int pos) { return value < v[pos]; });
        const int k = int(it - tails.begin());
        prev[i] = k > 0 ? tails[k - 1] : -1;
        if (it == tails.end())
            tails.push_back(i);
        else
            *it = i;
    }
    std::vector<bool> kept(n, false);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = prev[i])
        kept[i] = true;
    std::vector<int> out;
    for (int i = 0; i < n; ++i)
        if (!kept[i])
            out.push_back(i);
    return out;
}

} // namespace vireo::serials
