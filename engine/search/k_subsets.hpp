#pragma once
#include <cstddef>
#include <span>
#include <vector>

namespace yinshi {

// Walks the k-subsets of the items 1..n in lexicographic order. Each subset is
// built afresh: step(pos, item) is called for positions 1..k in turn, then
// visit(chosen) with the items of the subset, ascending. Either may end the
// walk by returning true, and the walk then returns true at once; false when
// every subset was visited. There is no subset when k < 0 or k > n.
template <typename Step, typename Visit>
bool ForEachKSubset(int n, int k, Step&& step, Visit&& visit) {
    if (k < 0 || k > n) return false;
    std::vector<int> chosen(static_cast<std::size_t>(k));
    for (int pos = 1; pos <= k; ++pos) chosen[static_cast<std::size_t>(pos - 1)] = pos;
    auto at = [&](int pos) -> int& { return chosen[static_cast<std::size_t>(pos - 1)]; };
    for (;;) {
        for (int pos = 1; pos <= k; ++pos)
            if (step(pos, at(pos))) return true;
        if (visit(std::span<const int>(chosen))) return true;
        // The last position that can still move up moves by one; the ones
        // after it follow it closely.
        int pos = k;
        while (pos >= 1 && at(pos) == n - k + pos) --pos;
        if (pos < 1) return false;
        ++at(pos);
        for (int next = pos + 1; next <= k; ++next) at(next) = at(next - 1) + 1;
    }
}

}  // namespace yinshi
