// Whether a split of the one-variable image is a split of the polynomial in
// every variable, and the per-variable exponent tables it works with.
#include <algorithm>
#include <array>
#include <cassert>
#include <span>

#include "platform/number_form.hpp"
#include "search/dense_arith.hpp"
#include "state/engine.hpp"
#include "state/image_power.hpp"

namespace yinshi {

namespace {

int VarCountOf(const Engine& e) { return std::clamp(e.vars.VarCount, 0, kMaxVars); }

}  // namespace

void KeepMaxExponents(Engine& e) {
    const int vars = VarCountOf(e);
    const TermTable& t = e.terms;
    const int last = std::min(t.MaxTerms, t.TermExp.Rows() - 1);
    for (int v = 1; v <= vars; ++v) {
        float high = 0;
        for (int i = 1; i <= last; ++i) high = std::max(high, t.TermExp(i, v));
        e.vars.VarMaxExpKeep[v] = high;
    }
}

std::array<float, 8> DenseMaxExponents(const Engine& e, std::span<const float> coefs, int degree, int shift) {
    assert(degree >= 0 && static_cast<std::size_t>(degree) < coefs.size());
    const int vars = VarCountOf(e);
    std::array<float, 8> high{};
    std::array<int, 8> exps{};
    for (int k = degree; k >= 0; --k) {
        if (coefs[k] == 0) continue;
        ImagePowerToExponents(e, shift + k, exps);
        for (int v = 1; v <= vars; ++v) high[v] = std::max(high[v], static_cast<float>(exps[v]));
    }
    return high;
}

void CheckDegreeSplit(Engine& e, std::span<const float> g, int gDeg, std::span<const float> q, int qDeg) {
    assert(gDeg >= 0 && static_cast<std::size_t>(gDeg) < g.size());
    assert(qDeg >= 0 && static_cast<std::size_t>(qDeg) < q.size());
    VarTable& vt = e.vars;
    const int vars = VarCountOf(e);
    const int low = RoundHalfEven(e.dense.LowExp);
    e.run.MethodResult = MethodOutcome::Kept;
    for (int s = 0; s <= low; ++s) {
        const std::array<float, 8> qHigh = DenseMaxExponents(e, q, qDeg, low - s);
        for (int v = 1; v <= vars; ++v) vt.VarMaxExp[v] = qHigh[v];
        const std::array<float, 8> gHigh = DenseMaxExponents(e, g, gDeg, s);
        bool fits = true;
        for (int v = 1; v <= vars; ++v)
            if (gHigh[v] + vt.VarMaxExp[v] != vt.VarMaxExpKeep[v]) fits = false;
        if (fits) {
            e.store.SplitShift = s;
            e.run.MethodResult = MethodOutcome::Split;
            break;
        }
    }
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
    t.TermCount = t.MaxTerms;
    vt.VarCount = kept;
}

}  // namespace yinshi
