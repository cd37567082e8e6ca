#include "exact/flint_factorer.hpp"

#include <algorithm>
#include <climits>

#include "exact/closed_forms.hpp"
#include "exact/cyclotomic.hpp"
#include "exact/flint_handles.hpp"

namespace yinshi::exact {
namespace {

using detail::GetPoly;
using detail::Integer;
using detail::MContext;
using detail::MFactors;
using detail::MPoly;
using detail::Poly;
using detail::PolyFactors;
using detail::SetPoly;
using detail::ToInt64;

bool UniFactorBefore(const UniFactor& a, const UniFactor& b) {
    if (a.poly.size() != b.poly.size()) return a.poly.size() < b.poly.size();
    return std::lexicographical_compare(a.poly.rbegin(), a.poly.rend(), b.poly.rbegin(), b.poly.rend());
}

bool TermBefore(const Term& a, const Term& b) {
    if (a.exp != b.exp) return a.exp < b.exp;
    return a.coef < b.coef;
}

bool MultiFactorBefore(const MultiFactor& a, const MultiFactor& b) {
    const int da = TotalDegree(a.poly);
    const int db = TotalDegree(b.poly);
    if (da != db) return da < db;
    return std::lexicographical_compare(a.poly.begin(), a.poly.end(), b.poly.begin(), b.poly.end(), TermBefore);
}

// The variables that occur in f, in slot order: FLINT works in as many
// variables as occur (at least one), and lex order on the occurring slots is
// lex order on the full exponent vectors.
struct Slots {
    int count = 0;
    std::array<int, kMaxVariables> slot{};  // FLINT variable k is exponent slot slot[k]
};

// Nullopt when an exponent is out of range.
std::optional<Slots> OccurringSlots(const MultiPoly& f) {
    std::array<bool, kMaxVariables> used{};
    for (const Term& t : f)
        for (int j = 0; j < kMaxVariables; ++j) {
            const int e = t.exp[static_cast<std::size_t>(j)];
            if (e < 0 || e > kMaxExponent) return std::nullopt;
            if (e > 0 && t.coef != 0) used[static_cast<std::size_t>(j)] = true;
        }
    Slots s;
    for (int j = 0; j < kMaxVariables; ++j)
        if (used[static_cast<std::size_t>(j)]) s.slot[static_cast<std::size_t>(s.count++)] = j;
    return s;
}

// a = f in the context of the occurring slots, like terms added.
void Load(MPoly& a, const MultiPoly& f, const Slots& s) {
    std::array<ulong, kMaxVariables> e{};
    for (const Term& t : f) {
        if (t.coef == 0) continue;
        for (int k = 0; k < s.count; ++k)
            e[static_cast<std::size_t>(k)] =
                static_cast<ulong>(t.exp[static_cast<std::size_t>(s.slot[static_cast<std::size_t>(k)])]);
        fmpz_mpoly_push_term_si_ui(a.p, static_cast<slong>(t.coef), e.data(), a.c.ctx);
    }
    fmpz_mpoly_sort_terms(a.p, a.c.ctx);
    fmpz_mpoly_combine_like_terms(a.p, a.c.ctx);
}

// The terms of p (in FLINT's order, which is canonical order) with the
// exponents put back in their slots. Nullopt when a number does not fit.
std::optional<MultiPoly> Unload(const fmpz_mpoly_t p, const MContext& c, const Slots& s) {
    const slong n = fmpz_mpoly_length(p, c.ctx);
    MultiPoly out;
    out.reserve(static_cast<std::size_t>(n));
    Integer coef;
    std::array<ulong, kMaxVariables> e{};
    for (slong i = 0; i < n; ++i) {
        fmpz_mpoly_get_term_coeff_fmpz(coef.v, p, i, c.ctx);
        const auto value = ToInt64(coef.v);
        if (!value || !fmpz_mpoly_term_exp_fits_ui(p, i, c.ctx)) return std::nullopt;
        fmpz_mpoly_get_term_exp_ui(e.data(), p, i, c.ctx);
        Term t{*value, {}};
        for (int k = 0; k < s.count; ++k) {
            const ulong x = e[static_cast<std::size_t>(k)];
            if (x > static_cast<ulong>(kMaxExponent)) return std::nullopt;
            t.exp[static_cast<std::size_t>(s.slot[static_cast<std::size_t>(k)])] = static_cast<int>(x);
        }
        out.push_back(t);
    }
    return out;
}

// The one occurring slot of f, or -1.
int OnlySlot(const MultiPoly& f) {
    const auto slots = OccurringSlots(f);
    return slots && slots->count == 1 ? slots->slot[0] : -1;
}

bool OneLetter(const MultiPoly& f) { return OnlySlot(f) >= 0; }

bool BeyondTwoLetterLimit(const MultiPoly& f) {
    return TotalDegree(f) > kGuideMaxTotalDegree && detail::HomogeneousInTwoLetters(f).has_value();
}

// f in one letter, factored as a polynomial in that letter.
std::optional<MultiFactorization> FactorInOneLetter(const Factorer& self, const MultiPoly& f, int slot) {
    UniPoly u(static_cast<std::size_t>(TotalDegree(f)) + 1, 0);
    for (const Term& t : f)
        if (__builtin_add_overflow(u[static_cast<std::size_t>(t.exp[static_cast<std::size_t>(slot)])], t.coef,
                                   &u[static_cast<std::size_t>(t.exp[static_cast<std::size_t>(slot)])]))
            return std::nullopt;
    const auto parts = self.Factor(u);
    if (!parts) return std::nullopt;
    MultiFactorization out;
    out.content = parts->content;
    for (const UniFactor& h : parts->factors) {
        MultiPoly poly;
        for (std::size_t i = h.poly.size(); i-- > 0;) {
            if (h.poly[i] == 0) continue;
            Term t{h.poly[i], {}};
            t.exp[static_cast<std::size_t>(slot)] = static_cast<int>(i);
            poly.push_back(t);
        }
        out.factors.push_back({std::move(poly), h.multiplicity});
    }
    return out;
}

// The factorisations had without a factoring in several letters: a
// polynomial in one letter, a binomial, a sum of terms in letters of their
// own, and, past the general limit, a form homogeneous in two letters.
std::optional<MultiFactorization> ClosedForm(const Factorer& self, const MultiPoly& f) {
    if (auto binomial = detail::BinomialFactors(f)) return binomial;
    if (const int slot = OnlySlot(f); slot >= 0) return FactorInOneLetter(self, f, slot);
    if (auto disjoint = detail::DisjointTermsFactors(f)) return disjoint;
    if (!BeyondTwoLetterLimit(f)) return std::nullopt;
    const auto form = detail::HomogeneousInTwoLetters(f);
    const auto parts = self.Factor(form->dehomogenized);
    if (!parts) return std::nullopt;
    return detail::Homogenized(*parts, *form);
}

}  // namespace

std::optional<UniFactorization> FlintFactorer::Factor(const UniPoly& f) const {
    if (auto binomial = detail::BinomialFactors(f)) {
        std::sort(binomial->factors.begin(), binomial->factors.end(), UniFactorBefore);
        return binomial;
    }
    Poly p;
    SetPoly(p.p, f);
    if (fmpz_poly_is_zero(p.p)) return std::nullopt;
    if (fmpz_poly_degree(p.p) > kGuideMaxDegree) {
        auto cyclotomic = detail::CyclotomicPowerFactors(f, *this);
        if (cyclotomic) std::sort(cyclotomic->factors.begin(), cyclotomic->factors.end(), UniFactorBefore);
        return cyclotomic;
    }
    PolyFactors fac;
    fmpz_poly_factor(fac.f, p.p);
    Integer content;
    fmpz_set(content.v, &fac.f->c);
    UniFactorization out;
    for (slong i = 0; i < fac.f->num; ++i) {
        fmpz_poly_struct* g = fac.f->p + i;
        const slong e = fac.f->exp[i];
        if (e < 1 || e > INT_MAX) return std::nullopt;
        if (fmpz_sgn(fmpz_poly_lead(g)) < 0) {
            fmpz_poly_neg(g, g);
            if (e % 2 == 1) fmpz_neg(content.v, content.v);
        }
        auto coefs = GetPoly(g);
        if (!coefs) return std::nullopt;
        out.factors.push_back({std::move(*coefs), static_cast<int>(e)});
    }
    const auto c = ToInt64(content.v);
    if (!c) return std::nullopt;
    out.content = *c;
    std::sort(out.factors.begin(), out.factors.end(), UniFactorBefore);
    return out;
}

std::optional<bool> FlintFactorer::IsIrreducible(const UniPoly& f) const {
    if (auto binomial = detail::BinomialIrreducible(f)) return binomial;
    Poly p;
    SetPoly(p.p, f);
    if (fmpz_poly_degree(p.p) < 1) return false;
    Integer content;
    fmpz_poly_content(content.v, p.p);
    if (!fmpz_is_one(content.v)) return false;
    if (fmpz_poly_degree(p.p) == 1) return true;
    if (fmpz_poly_degree(p.p) > kGuideMaxDegree) {
        if (fmpz_poly_is_cyclotomic(p.p) != 0) return true;
        const auto parts = detail::CyclotomicPowerFactors(f, *this);
        if (!parts) return std::nullopt;
        return parts->factors.size() == 1 && parts->factors[0].multiplicity == 1;
    }
    PolyFactors fac;
    fmpz_poly_factor(fac.f, p.p);
    return fac.f->num == 1 && fac.f->exp[0] == 1;
}

std::optional<MultiFactorization> FlintFactorer::Factor(const MultiPoly& f) const {
    auto closed = ClosedForm(*this, f);
    if (closed) {
        std::sort(closed->factors.begin(), closed->factors.end(), MultiFactorBefore);
        return closed;
    }
    const auto slots = OccurringSlots(f);
    if (!slots) return std::nullopt;
    const MContext c(std::max(slots->count, 1));
    MPoly a(c);
    Load(a, f, *slots);
    if (fmpz_mpoly_is_zero(a.p, c.ctx)) return std::nullopt;
    MFactors fac(c);
    if (!fmpz_mpoly_factor(fac.f, a.p, c.ctx) || !fmpz_is_one(fac.f->constant_den)) return std::nullopt;
    Integer content;
    fmpz_set(content.v, fac.f->constant);
    MultiFactorization out;
    for (slong i = 0; i < fac.f->num; ++i) {
        fmpz_mpoly_struct* g = fac.f->poly + i;
        const fmpz* e = fac.f->exp + i;
        if (!fmpz_fits_si(e) || fmpz_get_si(e) < 1 || fmpz_get_si(e) > INT_MAX) return std::nullopt;
        const auto mult = static_cast<int>(fmpz_get_si(e));
        if (fmpz_sgn(g->coeffs) < 0) {  // the first term leads in lex order
            fmpz_mpoly_neg(g, g, c.ctx);
            if (mult % 2 == 1) fmpz_neg(content.v, content.v);
        }
        auto terms = Unload(g, c, *slots);
        if (!terms) return std::nullopt;
        out.factors.push_back({std::move(*terms), mult});
    }
    const auto value = ToInt64(content.v);
    if (!value) return std::nullopt;
    out.content = *value;
    std::sort(out.factors.begin(), out.factors.end(), MultiFactorBefore);
    return out;
}

std::optional<bool> FlintFactorer::IsIrreducible(const MultiPoly& f) const {
    if (auto binomial = detail::BinomialIrreducible(f)) return binomial;
    const auto slots = OccurringSlots(f);
    if (!slots) return std::nullopt;
    if (slots->count == 0) return false;  // zero or a constant
    const MContext c(slots->count);
    MPoly a(c);
    Load(a, f, *slots);
    if (fmpz_mpoly_is_zero(a.p, c.ctx) || fmpz_mpoly_is_fmpz(a.p, c.ctx)) return false;
    if (detail::HasDisjointTerms(f) || OneLetter(f) || BeyondTwoLetterLimit(f)) {
        const auto parts = ClosedForm(*this, f);
        if (!parts) return std::nullopt;
        return (parts->content == 1 || parts->content == -1) && parts->factors.size() == 1 &&
               parts->factors[0].multiplicity == 1;
    }
    MFactors fac(c);
    if (!fmpz_mpoly_factor(fac.f, a.p, c.ctx)) return std::nullopt;
    return fmpz_is_pm1(fac.f->constant) && fac.f->num == 1 && fmpz_is_one(fac.f->exp);
}

}  // namespace yinshi::exact
