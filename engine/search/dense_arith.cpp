// Exact division and multiplication of dense vectors, the product check, and
// the running product of stored factors.
#include "search/dense_arith.hpp"

#include <algorithm>
#include <cassert>
#include <vector>

#include "platform/grow.hpp"
#include "platform/number_form.hpp"
#include "search/exact_product.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

// Whether coefficients 0..deg of v exist.
[[maybe_unused]] bool Holds(std::span<const float> v, int deg) {
    return deg >= 0 && static_cast<std::size_t>(deg) < v.size();
}

}  // namespace

int DivideExact(std::span<const float> num, int numDeg, std::span<const float> den, int denDeg, std::span<float> quot) {
    const int top = numDeg - denDeg;
    const int mid = top - 1;
    if (top < 0 || denDeg < 0) return top;  // the divisor is longer than the dividend: no quotient
    assert(Holds(num, numDeg) && Holds(den, denDeg) && Holds(quot, top));

    quot[0] = num[0] / den[0];
    quot[top] = num[numDeg] / den[denDeg];
    if (denDeg <= mid) {
        for (int i = 1; i <= mid; ++i) {
            float t = num[i];
            for (int j = 1; j <= std::min(i, denDeg); ++j) t -= quot[i - j] * den[j];
            quot[i] = t / den[0];
        }
    } else {
        int c = numDeg - 1;
        for (int i = mid; i >= 1; --i) {
            float t = num[c];
            for (int j = denDeg - 1; j >= c - mid - 1; --j) t -= den[j] * quot[c - j];
            quot[i] = t / den[denDeg];
            --c;
        }
    }
    return top;
}

void DivideFromLowEnd(std::span<const float> num, int numDeg, std::span<const float> g, int gDeg, int top,
                      std::span<float> quot) {
    if (top < 0) return;
    assert(Holds(g, gDeg) && Holds(num, numDeg) && Holds(quot, top) && (top == 0 || Holds(num, top - 1)));
    for (int i = 0; i <= top - 1; ++i) {
        float t = num[i];
        for (int j = 1; j <= std::min(i, gDeg); ++j) t -= quot[i - j] * g[j];
        quot[i] = t / g[0];
    }
    quot[top] = num[numDeg] / g[gDeg];
}

void MultiplyDense(std::span<const float> a, int aDeg, std::span<const float> b, int bDeg, std::span<float> out) {
    assert(Holds(a, aDeg) && Holds(b, bDeg) && Holds(out, aDeg + bDeg));
    for (int k = 0; k <= aDeg + bDeg; ++k) {
        float sum = 0;
        for (int j = std::max(0, k - aDeg); j <= std::min(k, bDeg); ++j) sum += a[k - j] * b[j];
        out[k] = sum;
    }
}

bool ProductMatches(std::span<const float> g, int gDeg, std::span<const float> q, int n, std::span<const float> a) {
    assert(gDeg >= 0 && gDeg <= n && Holds(a, n) && Holds(g, gDeg) && Holds(q, n - gDeg));
    for (int c = n - 1; c >= n - gDeg + 1; --c) {
        float sum = 0;
        for (int j = std::max(0, c - gDeg); j <= std::min(c, n - gDeg); ++j) sum += q[j] * g[c - j];
        if (sum != a[c]) return false;
    }
    return ProductEquals(g.data(), gDeg, q.data(), n - gDeg, a.data());
}

int CombinationMultiplyItem(Engine& e, int item, int prodDeg) {
    const FactorStore& st = e.store;
    DenseForm& d = e.dense;
    std::vector<float>& g = e.search.TrialFactor;

    const int from = RoundHalfEven(st.StoredEndAt[item - 1]);
    const int deg = RoundHalfEven(st.StoredDeg[item]);
    AtLeast(g, deg);
    for (int k = 0; k <= deg; ++k) g[k] = st.Work2n[from + k];

    const int nd = prodDeg + deg;
    AtLeast(d.PolyWork, nd);
    std::vector<float> product(static_cast<std::size_t>(nd) + 1);
    MultiplyDense(d.PolyWork, prodDeg, g, deg, product);
    std::copy(product.begin(), product.end(), d.PolyWork.begin());
    return nd;
}

}  // namespace yinshi
