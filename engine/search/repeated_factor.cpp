#include "search/repeated_factor.hpp"

#include <cassert>
#include <cmath>
#include <span>
#include <utility>
#include <vector>

#include "platform/number_form.hpp"
#include "platform/whole_numbers.hpp"
#include "search/dense_arith.hpp"
#include "search/exact_product.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

constexpr float kProductLimit = 3000000.0f;
constexpr float kContentLimit = 30000.0f;

// Divides out the common divisor of v(0..deg), trying every J from the smallest
// coefficient magnitude down. False when that magnitude is too large to try.
bool RemoveContent(std::span<float> v, int deg) {
    float s = 0;
    for (int k = deg; k >= 0; --k) {
        float a = std::fabs(v[k]);
        if (a != 0 && (s == 0 || a < s)) s = a;
    }
    if (s > kContentLimit) return false;
    for (int j = RoundHalfEven(s); j >= 2; --j) {
        const float J = static_cast<float>(j);
        bool all = true;
        for (int k = 0; k <= deg && all; ++k) all = Divides(J, v[k]);
        if (!all) continue;
        for (int k = 0; k <= deg; ++k) v[k] /= J;
        break;
    }
    return true;
}

// The start of the sequence: b = f' and a = n f, so that the leading
// coefficient of a is a whole multiple of that of b. False when a value is
// past the product limit.
bool StartSequence(std::span<const float> f, int n, std::span<float> a, std::span<float> b) {
    for (int i = 1; i <= n; ++i) {
        b[i - 1] = static_cast<float>(i) * f[i];
        if (std::fabs(b[i - 1]) > kProductLimit) return false;
    }
    for (int i = 0; i <= n; ++i) {
        a[i] = static_cast<float>(n) * f[i];
        if (std::fabs(a[i]) > kProductLimit) return false;
    }
    for (int i = n; i < static_cast<int>(b.size()); ++i) b[i] = 0;
    return true;
}

// a(0..deg) minus mult x^(deg-m) b(0..m), which cancels a(deg). False when a
// value leaves the range where floats stay exact.
bool SubtractMultiple(std::span<float> a, std::span<const float> b, int deg, int m, float mult) {
    for (int i = deg - 1; i >= deg - m; --i) {
        const float t = b[i - deg + m] * mult;
        if (std::fabs(t) > kProductLimit) return false;
        a[i] -= t;
        if (std::fabs(a[i]) >= kExactLimit) return false;
    }
    a[deg] = 0;  // cancelled by the choice of the multiplier
    return true;
}

// The degree of a(0..deg-1), taking a constant as degree 0.
int DegreeBelow(std::span<const float> a, int deg) {
    for (int i = deg - 1; i >= 1; --i)
        if (a[i] != 0) return i;
    return 0;
}

// Both primitive, and the multiplier that cancels the leading coefficient of
// a against b's: a is scaled first when it is not a whole multiple. False when
// the content is too large to find or a value passes the product limit.
bool NextMultiplier(std::span<float> a, std::span<float> b, int deg, int m, float& mult) {
    if (!RemoveContent(a, deg) || !RemoveContent(b, m)) return false;
    mult = a[deg] / b[m];
    if (IsWhole(mult)) return true;
    const float h = Gcd(std::fabs(a[deg]), std::fabs(b[m]));
    const float scale = std::fabs(b[m] / h);
    for (int i = 0; i <= deg; ++i) {
        a[i] *= scale;
        if (std::fabs(a[i]) > kProductLimit) return false;
    }
    mult = a[deg] / b[m];
    return true;
}

// The primitive remainder sequence of f(0..n) and f', worked in a and b
// (both longer than n). Leaves the gcd in b(0..m) and returns true when it
// has positive degree; false when f and f' are coprime or a value leaves the
// range where floats stay exact. mult is the sequence's last multiplier,
// set to 1 once the sequence starts.
bool GcdWithDerivative(std::span<const float> f, int n, std::span<float> a, std::span<float> b, int& m, float& mult) {
    assert(n >= 1 && static_cast<std::size_t>(n) < f.size() && static_cast<std::size_t>(n) < a.size() &&
           static_cast<std::size_t>(n) < b.size());
    m = n - 1;
    if (!StartSequence(f, n, a, b)) return false;
    mult = 1;
    int deg = n;
    for (;;) {
        if (!SubtractMultiple(a, b, deg, m, mult)) return false;
        deg = DegreeBelow(a, deg);
        if (deg == 0) return a[0] == 0 && m > 0;
        if (m > deg) {
            for (int i = 0; i <= m; ++i) std::swap(a[i], b[i]);
            std::swap(deg, m);
        }
        if (!NextMultiplier(a, b, deg, m, mult)) return false;
    }
}

}  // namespace

std::optional<RepeatedSplit> FindRepeatedFactor(Engine& e) {
    DenseForm& d = e.dense;
    SearchState& s = e.search;
    const int n = d.DegreeKeep;
    if (n < 2 || static_cast<int>(d.PolyKeep.size()) <= n || static_cast<int>(d.PolyCoef.size()) <= n ||
        static_cast<int>(d.PolyWork.size()) <= n || static_cast<int>(s.TrialFactor.size()) <= n)
        return std::nullopt;
    d.Degree = n;
    for (int i = 0; i <= n; ++i) d.PolyCoef[i] = d.PolyWork[i] = d.PolyKeep[i];

    int m = 0;
    float mult = 1;
    if (!GcdWithDerivative(d.PolyKeep, n, d.PolyWork, s.TrialFactor, m, mult)) return std::nullopt;

    // Found: G is the last divisor, made positive in its leading coefficient.
    if (s.TrialFactor[m] < 0)
        for (int i = 0; i <= m; ++i) s.TrialFactor[i] = -s.TrialFactor[i];
    for (int i = 0; i <= m; ++i) d.PolyWork[i] = s.TrialFactor[i];
    for (int i = 0; i <= n; ++i) d.PolyKeep[i] = d.PolyCoef[i];
    d.DegreeKeep = n;
    DivideExact(d.PolyKeep, n, d.PolyWork, m, s.TrialFactor);
    std::vector<float> g(d.PolyWork.begin(), d.PolyWork.begin() + m + 1);
    std::vector<float> q(s.TrialFactor.begin(), s.TrialFactor.begin() + (n - m) + 1);

    // The division makes no remainder test; nothing is shown unless G * Q is f.
    if (!ProductEquals(g.data(), m, q.data(), n - m, d.PolyKeep.data())) return std::nullopt;
    if (e.vars.VarCount > 1) {
        const std::optional<DegreeFit> fit = FitDegreeSplit(e, q, n - m, g, m);
        if (!fit) return std::nullopt;
        // G is shown from power 0 and Q from the lowest: right only when Q
        // takes the whole of the lowest power.
        if (e.exact != nullptr && fit->Shift != RoundHalfEven(d.LowExp)) return std::nullopt;
    }
    return RepeatedSplit{m, n, std::move(g), std::move(q)};
}

}  // namespace yinshi
