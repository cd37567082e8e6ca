// Where exact factoring is cheap enough to be asked: FLINT cannot be
// interrupted, so nothing that may take long is handed to it.
#include <algorithm>
#include <array>

#include "exact/cyclotomic.hpp"
#include "exact/factorer.hpp"

namespace yinshi::exact {

namespace {

int DegreeOf(const UniPoly& p) {
    int d = static_cast<int>(p.size()) - 1;
    while (d >= 0 && p[static_cast<std::size_t>(d)] == 0) --d;
    return d;
}

}  // namespace

bool WithinLimits(const UniPoly& f) {
    if (const auto n = detail::UnitBinomialDegree(f)) return *n <= kMaxBinomialDegree;
    return DegreeOf(f) <= kGuideMaxDegree;
}

bool WithinLimits(const MultiPoly& f) {
    std::array<bool, kMaxVariables> used{};
    int total = 0;
    int terms = 0;
    for (const Term& t : f) {
        if (t.coef == 0) continue;
        ++terms;
        int sum = 0;
        for (std::size_t j = 0; j < t.exp.size(); ++j) {
            sum += t.exp[j];
            if (t.exp[j] != 0) used[j] = true;
        }
        total = std::max(total, sum);
    }
    const auto letters = std::count(used.begin(), used.end(), true);
    if (letters <= 1) {
        const auto letter =
            static_cast<std::size_t>(std::find(used.begin(), used.end(), true) - used.begin()) % used.size();
        UniPoly u(static_cast<std::size_t>(total) + 1, 0);
        for (const Term& t : f) u[static_cast<std::size_t>(t.exp[letter])] += t.coef;
        return WithinLimits(u);
    }
    if (const auto n = detail::UnitBinomialDegree(f)) return *n <= kMaxBinomialDegree;
    if (letters >= 3 && terms <= 3) return total <= kFewTermsMaxTotalDegree;
    return total <= kGuideMaxTotalDegree;
}

}  // namespace yinshi::exact
