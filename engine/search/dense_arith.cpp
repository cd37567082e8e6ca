// Exact division of dense vectors and the running product of stored factors.
#include "search/dense_arith.hpp"

#include <algorithm>
#include <vector>

#include "platform/grow.hpp"
#include "platform/number_form.hpp"
#include "state/engine.hpp"

namespace yinshi {

void DivideKeepByWork(Engine& e) {
    DenseForm& d = e.dense;
    const int keep = d.DegreeKeep;
    const int prod = d.ProdDegree;
    const int mid = keep - prod - 1;
    d.QuotMid = static_cast<float>(mid);
    if (mid + 1 < 0 || prod < 0) return;  // the divisor is longer than the dividend: no quotient
    std::vector<float>& quot = e.search.TrialFactor;
    AtLeast(quot, mid + 1);
    const std::vector<float>& num = d.PolyKeep;
    const std::vector<float>& den = d.PolyWork;

    quot[0] = num[0] / den[0];
    quot[mid + 1] = num[keep] / den[prod];
    if (prod <= mid) {
        for (int i = 1; i <= mid; ++i) {
            float t = num[i];
            for (int j = 1; j <= std::min(i, prod); ++j) t -= quot[i - j] * den[j];
            quot[i] = t / den[0];
        }
    } else {
        int c = keep - 1;
        for (int i = mid; i >= 1; --i) {
            float t = num[c];
            for (int j = prod - 1; j >= c - mid - 1; --j) t -= den[j] * quot[c - j];
            quot[i] = t / den[prod];
            --c;
        }
    }
}

void DivideKeepByFactor(Engine& e) {
    DenseForm& d = e.dense;
    const std::vector<float>& g = e.search.TrialFactor;
    const int dg = e.search.TrialDegree;
    const int top = RoundHalfEven(d.QuotMid) + 1;  // the quotient's degree
    if (top < 0) return;
    AtLeast(d.PolyWork, top);
    for (int i = 0; i <= top - 1; ++i) {
        float t = d.PolyKeep[i];
        for (int j = 1; j <= std::min(i, dg); ++j) t -= d.PolyWork[i - j] * g[j];
        d.PolyWork[i] = t / g[0];
    }
    d.PolyWork[top] = d.PolyKeep[d.DegreeKeep] / g[dg];
}

void MultiplyStoredFactor(Engine& e, int item) {
    const FactorStore& st = e.store;
    DenseForm& d = e.dense;
    std::vector<float>& g = e.search.TrialFactor;

    const int from = RoundHalfEven(st.StoredEndAt[item - 1]);
    const int deg = RoundHalfEven(st.StoredDeg[item]);
    AtLeast(g, deg);
    for (int k = 0; k <= deg; ++k) g[k] = st.Work2n[from + k];

    const int pd = d.ProdDegree;
    const int nd = pd + deg;
    std::vector<float>& out = e.vars.VarOrder;
    AtLeast(out, nd);
    AtLeast(d.PolyWork, nd);
    for (int k = 0; k <= nd; ++k) {
        float sum = 0;
        for (int j = std::max(0, k - pd); j <= std::min(k, deg); ++j) sum += d.PolyWork[k - j] * g[j];
        out[k] = sum;
    }
    for (int k = 0; k <= nd; ++k) d.PolyWork[k] = out[k];
    d.ProdDegree = nd;
}

void CombinationMultiplyItem(Engine& e, int item) { MultiplyStoredFactor(e, item); }

}  // namespace yinshi
