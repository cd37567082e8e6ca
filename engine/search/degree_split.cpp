// Whether a split of the one-variable image is a split of the polynomial in
// every variable, and the per-variable exponent tables it works with.
#include <algorithm>
#include <array>
#include <vector>

#include "platform/number_form.hpp"
#include "search/dense_arith.hpp"
#include "state/engine.hpp"
#include "state/image_power.hpp"

namespace yinshi {

namespace {

int VarCountOf(const Engine& e) { return std::clamp(RoundHalfEven(e.vars.VarCount), 0, kMaxVars); }

// Room for term `row`, keeping what the table holds.
void TermRowsAtLeast(Engine& e, int row) {
    FloatGrid& t = e.terms.TermExp;
    if (row < t.Rows() && t.Cols() > kMaxVars) return;
    FloatGrid grown(std::max(row, t.Rows() - 1), kMaxVars);
    for (int r = 0; r < t.Rows(); ++r)
        for (int c = 0; c < std::min(t.Cols(), kMaxVars + 1); ++c) grown(r, c) = t(r, c);
    t = std::move(grown);
}

// The highest exponent of every variable over the non-zero coefficients of
// `v` (degree `deg`) read as image powers shift + k; left in VarTabA.
void ExponentsOf(Engine& e, const std::vector<float>& v, int deg, int shift) {
    std::vector<float>& scratch = e.vars.VarOrder;
    if (scratch.size() < static_cast<std::size_t>(deg) + 1) scratch.resize(static_cast<std::size_t>(deg) + 1);
    for (int k = 0; k <= deg; ++k) scratch[k] = v[k];
    e.dense.PrintDegree = deg;
    e.dense.PrintShift = shift;
    DenseExponents(e);
}

}  // namespace

void MaxExponents(Engine& e) {
    const int vars = VarCountOf(e);
    const TermTable& t = e.terms;
    const int last = std::min(t.MaxTerms, t.TermExp.Rows() - 1);
    for (int v = 1; v <= vars; ++v) {
        float high = 0;
        for (int i = 1; i <= last; ++i) high = std::max(high, t.TermExp(i, v));
        e.vars.VarTabA[v] = high;
    }
}

void KeepMaxExponents(Engine& e) {
    MaxExponents(e);
    for (int v = 1; v <= VarCountOf(e); ++v) e.vars.VarMaxExpKeep[v] = e.vars.VarTabA[v];
}

void DenseExponents(Engine& e) {
    TermTable& t = e.terms;
    const DenseForm& d = e.dense;
    t.MaxTerms = 0;
    std::array<int, 8> exps{};
    const int top = std::min(d.PrintDegree, static_cast<int>(e.vars.VarOrder.size()) - 1);
    for (int k = top; k >= 0; --k) {
        if (e.vars.VarOrder[k] == 0) continue;
        t.MaxTerms += 1;
        TermRowsAtLeast(e, t.MaxTerms);
        ImagePowerToExponents(e, d.PrintShift + k, exps);
        for (int v = 1; v <= kMaxVars; ++v) t.TermExp(t.MaxTerms, v) = static_cast<float>(exps[v]);
    }
    MaxExponents(e);
}

void CheckDegreeSplit(Engine& e) {
    DenseForm& d = e.dense;
    VarTable& vt = e.vars;
    const int vars = VarCountOf(e);
    const int low = RoundHalfEven(d.LowExp);
    const int savedDegree = d.PrintDegree;
    const int savedShift = d.PrintShift;
    e.run.MethodResult = MethodOutcome::Kept;
    for (int s = 0; s <= low; ++s) {
        ExponentsOf(e, d.PolyWork, d.CofactorDeg, low - s);
        for (int v = 1; v <= vars; ++v) vt.VarMaxExp[v] = vt.VarTabA[v];
        ExponentsOf(e, e.search.TrialFactor, d.FoundDeg, s);
        bool fits = true;
        for (int v = 1; v <= vars; ++v)
            if (vt.VarTabA[v] + vt.VarMaxExp[v] != vt.VarMaxExpKeep[v]) fits = false;
        if (fits) {
            e.store.SplitShift = s;
            e.run.MethodResult = MethodOutcome::Split;
            break;
        }
    }
    d.PrintDegree = savedDegree;
    d.PrintShift = savedShift;
}

void DropAbsentVariables(Engine& e) {
    VarTable& vt = e.vars;
    TermTable& t = e.terms;
    const int vars = VarCountOf(e);
    const int last = std::min(t.MaxTerms, t.TermExp.Rows() - 1);
    int kept = 0;
    for (int v = 1; v <= vars; ++v) {
        if (vt.VarMaxExp[v] == 0) continue;
        ++kept;
        if (kept != v) {
            vt.VarName[kept] = vt.VarName[v];
            vt.VarMaxExp[kept] = vt.VarMaxExp[v];
            for (int i = 1; i <= last; ++i) t.TermExp(i, kept) = t.TermExp(i, v);
        }
        vt.VarMaxExpKeep[kept] = vt.VarMaxExp[v];
    }
    for (int v = kept + 1; v <= vars; ++v) {
        vt.VarName[v].clear();
        vt.VarMaxExp[v] = 0;
        vt.VarMaxExpKeep[v] = 0;
        for (int i = 1; i <= last; ++i) t.TermExp(i, v) = 0;
    }
    t.TermCount = static_cast<float>(t.MaxTerms);
    vt.VarCount = static_cast<float>(kept);
}

}  // namespace yinshi
