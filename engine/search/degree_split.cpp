// Whether a split of the one-variable image is a split of the polynomial in
// every variable, and the per-variable exponent tables it works with.
#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <span>

#include "platform/number_form.hpp"
#include "search/dense_arith.hpp"
#include "state/engine.hpp"
#include "state/image_power.hpp"

namespace yinshi {

namespace {

int VarCountOf(const Engine& e) { return std::clamp(e.vars.VarCount, 0, kMaxVars); }

// Image powers read back as exponents for the cost of one position entered,
// as the budget of positions counts them.
constexpr int kPowersPerPosition = 4;

using Exponents = std::array<int, 8>;
__extension__ typedef __int128 Wide;
using Terms = std::map<Exponents, Wide>;

// The polynomial in every letter that the printer shows for an image: each
// power read back through the weights of the order. Nullopt for a
// coefficient that is not a whole number the engine holds exactly.
std::optional<Terms> InLetters(const Engine& e, std::span<const float> coefs, int degree, int shift) {
    Terms out;
    Exponents exps{};
    for (int k = 0; k <= degree; ++k) {
        const float c = coefs[k];
        if (c == 0) continue;
        if (!(std::fabs(c) <= static_cast<float>(kExactLimit)) || std::floor(c) != c) return std::nullopt;
        ImagePowerToExponents(e, shift + k, exps);
        out[exps] += static_cast<std::int64_t>(c);
    }
    return out;
}

// The two parts, as the printer shows them, multiply back to the kept
// polynomial in every letter. The exponent test alone can pass a split of
// the image whose parts read back as other polynomials, so that the product
// line would not multiply back.
bool MultipliesBack(const Engine& e, std::span<const float> g, int gDeg, int gShift, std::span<const float> q, int qDeg,
                    int qShift) {
    const DenseForm& d = e.dense;
    if (gDeg + qDeg != d.DegreeKeep) return false;
    const std::optional<Terms> a = InLetters(e, g, gDeg, gShift);
    const std::optional<Terms> b = InLetters(e, q, qDeg, qShift);
    std::optional<Terms> kept = InLetters(e, d.PolyKeep, d.DegreeKeep, RoundHalfEven(d.LowExp));
    if (!a || !b || !kept) return false;
    Terms product;
    for (const auto& [xa, ca] : *a)
        for (const auto& [xb, cb] : *b) {
            Exponents x{};
            for (std::size_t v = 0; v < x.size(); ++v) x[v] = xa[v] + xb[v];
            product[x] += ca * cb;
        }
    std::erase_if(product, [](const auto& term) { return term.second == 0; });
    std::erase_if(*kept, [](const auto& term) { return term.second == 0; });
    return product == *kept;
}

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

std::optional<DegreeFit> FitDegreeSplit(Engine& e, std::span<const float> g, int gDeg, std::span<const float> q,
                                        int qDeg) {
    assert(gDeg >= 0 && static_cast<std::size_t>(gDeg) < g.size());
    assert(qDeg >= 0 && static_cast<std::size_t>(qDeg) < q.size());
    const VarTable& vt = e.vars;
    const int vars = VarCountOf(e);
    const int low = RoundHalfEven(e.dense.LowExp);
    // Each shift reads every power of both parts back as exponents: on a long
    // image with a high lowest power that costs as much as many positions.
    e.search.PolyPositions += static_cast<long long>(low + 1) * (gDeg + qDeg + 2) / kPowersPerPosition;
    for (int s = 0; s <= low; ++s) {
        const std::array<float, 8> qHigh = DenseMaxExponents(e, q, qDeg, low - s);
        const std::array<float, 8> gHigh = DenseMaxExponents(e, g, gDeg, s);
        bool fits = true;
        for (int v = 1; v <= vars; ++v)
            if (gHigh[v] + qHigh[v] != vt.VarMaxExpKeep[v]) fits = false;
        // With exact factoring at hand a run must end with a product that is
        // right; the walk kept for comparison without it keeps the test it had.
        if (fits && e.exact != nullptr) fits = MultipliesBack(e, g, gDeg, s, q, qDeg, low - s);
        if (!fits) continue;
        DegreeFit fit{s, vt.VarMaxExp};
        for (int v = 1; v <= vars; ++v) fit.CofactorHighest[v] = qHigh[v];
        return fit;
    }
    return std::nullopt;
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
