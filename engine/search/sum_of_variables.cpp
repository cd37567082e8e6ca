// The high-degree method: trial division of the image by the image of the sum
// of the variables, first with constant term +1, then with -1.
#include <optional>
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
    // g has a term for each variable only: a zero term leaves t as it is, so
    // only the others are subtracted, in the same order (on an image of
    // degree 200,000 that is the difference between seconds and milliseconds).
    std::vector<int> terms;
    for (int j = 1; j <= d; ++j)
        if (g[j] != 0) terms.push_back(j);
    for (int i = 0; i <= n - d; ++i) {
        float t = a[i];
        for (int j : terms) {
            if (j > i) break;
            t -= q[i - j] * g[j];
        }
        q[i] = t / g[0];
        if (!IsWhole(q[i])) return false;
    }
    return q[n - d] * g[d] == a[n];
}

// The largest weight, one more than the degree d of the image of the sum of
// the variables; 0 when there is nothing to divide by (d outside 1..n) or no
// weights are chosen.
int TopWeight(const VarTable& vt, int vars, int n) {
    const int top = vt.VarWeight[vars];
    const int d = top - 1;
    if (d < 1 || d > n) return 0;
    for (int m = 1; m <= vars; ++m)
        if (vt.VarWeight[m] < 1 || vt.VarWeight[m] > top) return 0;
    return top;
}

// The image of each variable, x^(weight - 1), as a term of g.
void SetVariableTerms(std::vector<float>& g, const VarTable& vt, int vars) {
    for (int m = 1; m <= vars; ++m) g[vt.VarWeight[m] - 1] = 1;
}

// The upper coefficients of a division that went through decide. A divisor
// kept is not a split in every variable: the later searches then run on the
// whole polynomial again, and the other sign is tried.
CheckResult AfterDivision(Engine& e, int d) {
    DenseForm& dn = e.dense;
    CheckResult r = VerifyUpperCoefficients(e, d);
    e.store.StoredCount = 0;
    e.store.StoredEnd = 0;
    if (r.Outcome == MethodOutcome::Kept) {
        for (int k = 0; k <= dn.DegreeKeep; ++k) dn.PolyCoef[k] = dn.PolyKeep[k];
        dn.Degree = dn.DegreeKeep;
    }
    return r;
}

}  // namespace

std::optional<FoundSplit> TrySumOfVariables(Engine& e) {
    DenseForm& dn = e.dense;
    const VarTable& vt = e.vars;
    std::vector<float>& g = e.search.TrialFactor;

    const int vars = vt.VarCount;
    if (vars < 1 || vars > kMaxVars) return std::nullopt;
    const int top = TopWeight(vt, vars, dn.Degree);
    if (top == 0) return std::nullopt;
    const int d = top - 1;

    AtLeast(g, top);
    AtLeast(dn.PolyWork, dn.Degree);
    for (int k = 0; k <= top; ++k) g[k] = 0;
    SetVariableTerms(g, vt, vars);
    e.search.TrialDegree = d;

    for (int attempt = 1; attempt <= 2; ++attempt) {
        if (attempt == 2) {
            SetVariableTerms(g, vt, vars);
            g[0] = -1;
        }
        if (!DividesFromLowEnd(dn.PolyCoef, dn.Degree, g, d, dn.PolyWork)) continue;
        const CheckResult r = AfterDivision(e, d);
        if (r.Outcome == MethodOutcome::Split) return r.Split;
        if (r.Outcome == MethodOutcome::Rejected) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace yinshi
