#include "search/walk_guide.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace yinshi {

namespace {

// A coefficient past the int64 range: no walk value equals it.
constexpr std::int64_t kUnreachable = std::numeric_limits<std::int64_t>::min();
// Floats from here on are whole but no longer exact results of the walk's
// arithmetic, so they are not compared.
constexpr float kTrusted = 16777216.0f;

// The primitive divisors of degree d and n - d (the cofactors of the first),
// at most kMaxTargets of them.
std::optional<std::vector<exact::UniPoly>> PrimitiveDivisors(const exact::UniFactorization& f, int n, int d) {
    std::vector<exact::UniPoly> out;
    std::vector<int> degrees{d};
    if (n - d != d) degrees.push_back(n - d);
    for (int degree : degrees) {
        auto list = exact::DivisorsOfDegree(f, degree, WalkGuide::kMaxTargets + 1);
        if (!list || list->capped) return std::nullopt;
        for (auto& p : list->divisors) out.push_back(std::move(p));
    }
    return out;
}

// Row g(0..d) of m p, signed so that g(0) is positive as the walk's g0 is.
void AppendRow(const exact::UniPoly& p, std::int64_t m, int d, std::vector<std::int64_t>& coefs) {
    const std::int64_t sign = p[0] < 0 ? -1 : 1;
    for (int k = 0; k <= d; ++k) {
        const std::int64_t c = static_cast<std::size_t>(k) < p.size() ? p[static_cast<std::size_t>(k)] : 0;
        std::int64_t v = 0;
        if (__builtin_mul_overflow(c, sign * m, &v)) v = kUnreachable;
        coefs.push_back(v);
    }
}

}  // namespace

std::optional<std::vector<std::int64_t>> PositiveDivisors(std::int64_t c, std::size_t cap) {
    std::vector<std::int64_t> low;
    std::vector<std::int64_t> high;
    for (std::int64_t t = 1; t <= c / t; ++t) {
        if (c % t != 0) continue;
        low.push_back(t);
        if (t != c / t) high.push_back(c / t);
        if (low.size() + high.size() > cap) return std::nullopt;
    }
    low.insert(low.end(), high.rbegin(), high.rend());
    return low;
}

std::optional<exact::UniPoly> WholeCoefficients(const float* a, int n) {
    exact::UniPoly out(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) {
        if (!(std::fabs(a[k]) < 9.0e15f) || std::floor(a[k]) != a[k]) return std::nullopt;
        out[static_cast<std::size_t>(k)] = static_cast<std::int64_t>(a[k]);
    }
    return out;
}

std::optional<WalkGuide> WalkGuide::For(const exact::UniFactorization& f, int n, int d) {
    if (d < 1 || 2 * d > n) return std::nullopt;
    // The divisors without the content; each is then taken with every part
    // of the content, since the walk's candidates may carry one.
    const auto primitive = PrimitiveDivisors(f, n, d);
    const std::int64_t content = f.content;
    if (!primitive || content == 0 || content == std::numeric_limits<std::int64_t>::min()) return std::nullopt;
    const auto parts = PositiveDivisors(std::llabs(content), kMaxTargets);
    if (!parts || primitive->size() * parts->size() > kMaxTargets) return std::nullopt;
    std::vector<std::int64_t> coefs;
    coefs.reserve(primitive->size() * parts->size() * static_cast<std::size_t>(d + 1));
    for (const exact::UniPoly& p : *primitive) {
        if (p.empty() || p[0] == 0) return std::nullopt;
        for (std::int64_t m : *parts) AppendRow(p, m, d, coefs);
    }
    return WalkGuide(d, std::move(coefs));
}

WalkGuide::WalkGuide(int d, std::vector<std::int64_t> coefs)
    : d_(d),
      rows_(coefs.size() / static_cast<std::size_t>(d + 1)),
      coefs_(std::move(coefs)),
      alive_(static_cast<std::size_t>(d) + 1) {}

void WalkGuide::Rebuild(const float* g, int upTo) {
    std::vector<std::int32_t>& first = alive_[0];
    first.clear();
    const bool trusted = std::fabs(g[0]) < kTrusted;
    for (std::size_t r = 0; r < rows_; ++r)
        if (!trusted || At(static_cast<std::int32_t>(r), 0) == static_cast<std::int64_t>(g[0]))
            first.push_back(static_cast<std::int32_t>(r));
    for (int p = 1; p <= std::min(upTo, d_ - 1); ++p) Take(p, g[p]);
}

void WalkGuide::Take(int p, float v) {
    const std::vector<std::int32_t>& before = alive_[static_cast<std::size_t>(p - 1)];
    std::vector<std::int32_t>& now = alive_[static_cast<std::size_t>(p)];
    if (!(std::fabs(v) < kTrusted)) {
        now = before;
        return;
    }
    now.clear();
    const auto whole = static_cast<std::int64_t>(v);
    for (std::int32_t r : before)
        if (At(r, p) == whole) now.push_back(r);
}

bool WalkGuide::Allows(int p, float v) const {
    const std::vector<std::int32_t>& before = alive_[static_cast<std::size_t>(p - 1)];
    if (!(std::fabs(v) < kTrusted)) return !before.empty();
    const auto whole = static_cast<std::int64_t>(v);
    return std::any_of(before.begin(), before.end(), [&](std::int32_t r) { return At(r, p) == whole; });
}

}  // namespace yinshi
