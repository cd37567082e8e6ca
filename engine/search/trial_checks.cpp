#include "search/trial_checks.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "mainline/engine.hpp"
#include "present/dense_arith.hpp"
#include "present/exact_product.hpp"
#include "present/number_form.hpp"

namespace yinshi {

namespace {
// Cofactor coefficients above this stay far inside the exact range of a float
// even after the next product is subtracted.
constexpr float kCofactorLimit = 3000000.0f;
}  // namespace

bool DirectCheck(Engine& e, bool general) {
    const int n = e.dense.Degree;
    const int d = e.search.TrialDegree;
    const float* a = e.dense.PolyCoef.data();
    const float* g = e.search.TrialFactor.data();
    float* q = e.dense.PolyWork.data();
    const float gd = g[d];

    float c = 0;
    if (general) {
        c = a[n] / gd;
        if (!IsWhole(c)) return false;
    }
    for (int i = d + 1; i <= n - d; ++i) {
        float v = a[i];
        for (int k = 1; k <= d; ++k) {
            v -= q[i - k] * g[k];
            if (std::fabs(v) > kCofactorLimit) return false;
        }
        if (general) {
            v = v / g[0];
            if (!IsWhole(v)) return false;
        }
        q[i] = v;
    }
    if (general ? q[n - d] != c : q[n - d] * gd != a[n]) return false;
    VerifyUpperCoefficients(e);
    return e.run.MethodResult != 1;
}

bool SwappedCheck(Engine& e) {
    const int n = e.dense.Degree;
    const int d = e.search.TrialDegree;
    const float* a = e.dense.PolyCoef.data();
    float* k = e.search.TrialFactor.data();  // g0..gd, then the cofactor's k(d+1)..
    float* q = e.dense.PolyWork.data();

    const float c = a[n] / q[d];
    if (!IsWhole(c)) return false;
    for (int i = d + 1; i <= n - d; ++i) {
        float v = a[i];
        for (int m = 1; m <= d; ++m) {
            v -= k[i - m] * q[m];
            if (std::fabs(v) > kCofactorLimit) return false;
        }
        v = v / q[0];
        if (!IsWhole(v)) return false;
        k[i] = v;
    }
    if (k[n - d] != c) return false;
    for (int m = n - 1; m >= n - d + 1; --m) {
        float sum = 0;
        for (int j = std::max(0, m - (n - d)); j <= std::min(m, d); ++j) sum += q[j] * k[m - j];
        if (sum != a[m]) {
            e.run.MethodResult = 1;
            return false;
        }
    }
    if (!ProductEquals(q, d, k, n - d, a)) {
        e.run.MethodResult = 1;
        return false;
    }
    for (int i = 0; i <= n; ++i) std::swap(q[i], k[i]);
    AcceptFactor(e);
    return true;
}

}  // namespace yinshi
