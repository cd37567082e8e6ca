// The high-degree method: trial division of the image by the image of the sum
// of the variables, first with constant term +1, then with -1.
#include <span>
#include <vector>

#include "platform/grow.hpp"
#include "platform/number_form.hpp"
#include "search/dense_arith.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

// q = a(0..n) / g(0..d) from the low end; false unless every quotient
// coefficient is an integer and the leading coefficients agree.
bool DividesFromLowEnd(std::span<const float> a, int n, std::span<const float> g, int d, std::span<float> q) {
    for (int i = 0; i <= n - d; ++i) {
        float t = a[i];
        for (int j = 1; j <= std::min(i, d); ++j) t -= q[i - j] * g[j];
        q[i] = t / g[0];
        if (!IsWhole(q[i])) return false;
    }
    return q[n - d] * g[d] == a[n];
}

}  // namespace

void TrySumOfVariables(Engine& e) {
    RunFlags& r = e.run;
    DenseForm& dn = e.dense;
    const VarTable& vt = e.vars;
    std::vector<float>& g = e.search.TrialFactor;
    r.MethodResult = MethodOutcome::Rejected;

    const int vars = RoundHalfEven(vt.VarCount);
    if (vars < 1 || vars > kMaxVars) return;
    const int top = vt.VarWeight[vars];
    const int d = top - 1;
    if (d < 1 || d > dn.Degree) return;  // nothing to divide by
    for (int m = 1; m <= vars; ++m)
        if (vt.VarWeight[m] < 1 || vt.VarWeight[m] > top) return;  // no weights chosen

    AtLeast(g, top);
    AtLeast(dn.PolyWork, dn.Degree);
    for (int k = 0; k <= top; ++k) g[k] = 0;
    for (int m = 1; m <= vars; ++m) g[vt.VarWeight[m] - 1] = 1;
    e.search.TrialDegree = d;

    for (int attempt = 1; attempt <= 2; ++attempt) {
        if (attempt == 2) {
            for (int m = 1; m <= vars; ++m) g[vt.VarWeight[m] - 1] = 1;
            g[0] = -1;
        }
        if (!DividesFromLowEnd(dn.PolyCoef, dn.Degree, g, d, dn.PolyWork)) continue;
        VerifyUpperCoefficients(e);
        e.store.StoredCount = 0;
        e.store.StoredEnd = 0;
        if (r.MethodResult != MethodOutcome::Kept) return;
        // Not a split in every variable: the later searches run on the whole polynomial.
        for (int k = 0; k <= dn.DegreeKeep; ++k) dn.PolyCoef[k] = dn.PolyKeep[k];
        dn.Degree = dn.DegreeKeep;
    }
}

}  // namespace yinshi
