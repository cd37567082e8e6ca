#include "search/trial_checks.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/number_form.hpp"
#include "search/dense_arith.hpp"
#include "search/exact_product.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {
// Cofactor coefficients above this stay far inside the exact range of a float
// even after the next product is subtracted.
constexpr float kCofactorLimit = 3000000.0f;

// With this many cofactor coefficients to compute, listing the nonzero terms
// first pays (the images of polynomials in several variables have many zeros).
constexpr int kSparseFrom = 8;

// The terms of f(1..d) that are not zero. A zero term leaves the running
// value as it is (it is never -0), so only the nonzero ones are subtracted;
// the limit test after a zero term repeats the one before it, except that a
// zero f(1) tests the coefficient itself.
struct NonZero {
    static constexpr int kMax = 64;
    int at[kMax];
    int count = 0;
    bool testFirst = false;
    bool Fill(int rows, const float* f, int d) {
        if (rows < kSparseFrom || d > kMax) return false;
        for (int k = 1; k <= d; ++k)
            if (f[k] != 0) at[count++] = k;
        testFirst = d >= 1 && f[1] == 0;
        return true;
    }
};

// a(i) minus the products h(i-k) f(k), k = 1..d, in that order, with the
// limit tested after every subtraction; false when it is passed.
[[gnu::always_inline]] inline bool RunningValue(float ai, const float* h, int i, const float* f, int d,
                                                const NonZero& nz, bool sparse, float& v) {
    v = ai;
    if (sparse) {
        if (nz.testFirst && std::fabs(v) > kCofactorLimit) return false;
        for (int m = 0; m < nz.count; ++m) {
            const int k = nz.at[m];
            v -= h[i - k] * f[k];
            if (std::fabs(v) > kCofactorLimit) return false;
        }
        return true;
    }
    for (int k = 1; k <= d; ++k) {
        v -= h[i - k] * f[k];
        if (std::fabs(v) > kCofactorLimit) return false;
    }
    return true;
}
}  // namespace

CheckResult DirectCheck(Engine& e, int d, bool general) {
    const int n = e.dense.Degree;
    const float* a = e.dense.PolyCoef.data();
    const float* g = e.search.TrialFactor.data();
    float* q = e.dense.PolyWork.data();
    const float gd = g[d];

    float c = 0;
    if (general) {
        c = a[n] / gd;
        if (!IsWhole(c)) return {};
    }
    NonZero nz;
    const bool sparse = nz.Fill(n - 2 * d, g, d);
    for (int i = d + 1; i <= n - d; ++i) {
        float v = 0;
        if (!RunningValue(a[i], q, i, g, d, nz, sparse, v)) return {};
        if (general) {
            v = v / g[0];
            if (!IsWhole(v)) return {};
        }
        q[i] = v;
    }
    if (general ? q[n - d] != c : q[n - d] * gd != a[n]) return {};
    return VerifyUpperCoefficients(e, d);
}

CheckResult SwappedCheck(Engine& e, int d) {
    const int n = e.dense.Degree;
    const float* a = e.dense.PolyCoef.data();
    float* k = e.search.TrialFactor.data();  // g0..gd, then the cofactor's k(d+1)..
    float* q = e.dense.PolyWork.data();

    const float c = a[n] / q[d];
    if (!IsWhole(c)) return {};
    NonZero nz;
    const bool sparse = nz.Fill(n - 2 * d, q, d);
    for (int i = d + 1; i <= n - d; ++i) {
        float v = 0;
        if (!RunningValue(a[i], k, i, q, d, nz, sparse, v)) return {};
        v = v / q[0];
        if (!IsWhole(v)) return {};
        k[i] = v;
    }
    if (k[n - d] != c) return {};
    for (int m = n - 1; m >= n - d + 1; --m) {
        float sum = 0;
        for (int j = std::max(0, m - (n - d)); j <= std::min(m, d); ++j) sum += q[j] * k[m - j];
        if (sum != a[m]) return {};
    }
    if (!ProductEquals(q, d, k, n - d, a)) return {};
    for (int i = 0; i <= n; ++i) std::swap(q[i], k[i]);
    return AcceptFactor(e, d);
}

}  // namespace yinshi
