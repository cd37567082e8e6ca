#include "exact/closed_forms.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>

#include "exact/flint_handles.hpp"

namespace yinshi::exact::detail {
namespace {

int DegreeOf(const UniPoly& p) {
    int d = static_cast<int>(p.size()) - 1;
    while (d >= 0 && p[static_cast<std::size_t>(d)] == 0) --d;
    return d;
}

// f = x^v g(x^k): v, and k the gcd of the exponents above v (0 for a monomial).
struct Deflation {
    int v = 0;
    int k = 0;
};

Deflation DeflationOf(const UniPoly& f) {
    Deflation out;
    const int n = DegreeOf(f);
    while (out.v < n && f[static_cast<std::size_t>(out.v)] == 0) ++out.v;
    for (int e = out.v + 1; e <= n; ++e)
        if (f[static_cast<std::size_t>(e)] != 0) out.k = std::gcd(out.k, e - out.v);
    return out;
}

// The order m when p is the cyclotomic polynomial Phi_m, else 0.
ulong CyclotomicOrder(const UniPoly& p) {
    Poly q;
    SetPoly(q.p, p);
    return fmpz_poly_is_cyclotomic(q.p);
}

// Phi_m(x^k) is the product of Phi_d(x) over the d dividing m k with d / gcd(d, k) = m:
// the roots of Phi_m(x^k) are the x whose k-th power has order exactly m.
bool AppendCyclotomicPower(ulong m, ulong k, int multiplicity, UniFactorization& out) {
    const ulong mk = m * k;
    for (ulong d = 1; d <= mk; ++d) {
        if (mk % d != 0 || d / std::gcd(d, k) != m) continue;
        Poly phi;
        fmpz_poly_cyclotomic(phi.p, d);
        auto coefs = GetPoly(phi.p);
        if (!coefs) return false;
        out.factors.push_back({std::move(*coefs), multiplicity});
    }
    return true;
}

// A single cyclotomic polynomial times a constant: its factorisation.
std::optional<UniFactorization> OneCyclotomic(const UniPoly& g) {
    const std::int64_t lead = g[static_cast<std::size_t>(DegreeOf(g))];
    if (lead == INT64_MIN) return std::nullopt;
    UniPoly monic = g;
    for (std::int64_t& c : monic) {
        if (c % lead != 0) return std::nullopt;
        c /= lead;
    }
    if (CyclotomicOrder(monic) == 0) return std::nullopt;
    return UniFactorization{lead, {{std::move(monic), 1}}};
}

// Like terms added and zero terms dropped, in canonical order; nullopt on overflow.
std::optional<MultiPoly> Canonical(const MultiPoly& f) {
    MultiPoly terms;
    for (const Term& t : f)
        if (t.coef != 0) terms.push_back(t);
    std::sort(terms.begin(), terms.end(), [](const Term& a, const Term& b) { return a.exp > b.exp; });
    MultiPoly out;
    for (const Term& t : terms) {
        if (!out.empty() && out.back().exp == t.exp) {
            if (__builtin_add_overflow(out.back().coef, t.coef, &out.back().coef)) return std::nullopt;
            if (out.back().coef == 0) out.pop_back();
        } else {
            out.push_back(t);
        }
    }
    return out;
}

unsigned LettersOf(const Term& t) {
    unsigned mask = 0;
    for (std::size_t j = 0; j < t.exp.size(); ++j)
        if (t.exp[j] != 0) mask |= 1U << j;
    return mask;
}

int TotalDegreeOf(const Term& t) { return std::accumulate(t.exp.begin(), t.exp.end(), 0); }

}  // namespace

namespace {

// g with f = x^v g(x^k), when f's degree is within kMaxBinomialDegree and g
// can be factored at once: of degree within kGuideMaxDegree, or a cyclotomic
// polynomial times a constant.
std::optional<UniPoly> Deflated(const UniPoly& f, const Deflation& d) {
    const int n = DegreeOf(f);
    if (n < 1 || n > kMaxBinomialDegree || d.k == 0) return std::nullopt;
    UniPoly g;
    for (int e = d.v; e <= n; e += d.k) g.push_back(f[static_cast<std::size_t>(e)]);
    if (DegreeOf(g) > kGuideMaxDegree && !OneCyclotomic(g)) return std::nullopt;
    return g;
}

}  // namespace

bool CyclotomicPowerForm(const UniPoly& f) { return Deflated(f, DeflationOf(f)).has_value(); }

std::optional<UniFactorization> CyclotomicPowerFactors(const UniPoly& f, const Factorer& general) {
    const Deflation d = DeflationOf(f);
    const std::optional<UniPoly> g = Deflated(f, d);
    if (!g) return std::nullopt;
    std::optional<UniFactorization> parts = DegreeOf(*g) > kGuideMaxDegree ? OneCyclotomic(*g) : general.Factor(*g);
    if (!parts) return std::nullopt;
    UniFactorization out;
    out.content = parts->content;
    if (d.v > 0) out.factors.push_back({{0, 1}, d.v});
    for (UniFactor& h : parts->factors) {
        if (d.k == 1) {
            out.factors.push_back(std::move(h));
            continue;
        }
        const ulong m = CyclotomicOrder(h.poly);
        if (m == 0 || !AppendCyclotomicPower(m, static_cast<ulong>(d.k), h.multiplicity, out)) return std::nullopt;
    }
    return out;
}

bool HasDisjointTerms(const MultiPoly& f) {
    const std::optional<MultiPoly> terms = Canonical(f);
    if (!terms || terms->size() < 3) return false;
    unsigned seen = 0;
    bool constant = false;
    for (const Term& t : *terms) {
        const unsigned mask = LettersOf(t);
        if ((mask & seen) != 0 || (mask == 0 && constant)) return false;
        constant = constant || mask == 0;
        seen |= mask;
    }
    return true;
}

std::optional<MultiFactorization> DisjointTermsFactors(const MultiPoly& f) {
    if (!HasDisjointTerms(f)) return std::nullopt;
    MultiPoly terms = *Canonical(f);
    std::uint64_t g = 0;
    for (const Term& t : terms)
        g = std::gcd(
            g, t.coef < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(t.coef) : static_cast<std::uint64_t>(t.coef));
    if (g > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
    const std::int64_t content = terms.front().coef < 0 ? -static_cast<std::int64_t>(g) : static_cast<std::int64_t>(g);
    for (Term& t : terms) t.coef /= content;
    return MultiFactorization{content, {{std::move(terms), 1}}};
}

std::optional<TwoLetterForm> HomogeneousInTwoLetters(const MultiPoly& f) {
    const std::optional<MultiPoly> terms = Canonical(f);
    if (!terms || terms->size() < 2) return std::nullopt;
    unsigned mask = 0;
    for (const Term& t : *terms) mask |= LettersOf(t);
    if (std::popcount(mask) != 2) return std::nullopt;
    TwoLetterForm form;
    form.xSlot = std::countr_zero(mask);
    form.ySlot = std::countr_zero(mask & (mask - 1));
    const int degree = TotalDegreeOf(terms->front());
    form.yPower = degree;
    for (const Term& t : *terms) {
        if (TotalDegreeOf(t) != degree) return std::nullopt;
        form.yPower = std::min(form.yPower, t.exp[static_cast<std::size_t>(form.ySlot)]);
    }
    form.dehomogenized.assign(static_cast<std::size_t>(degree - form.yPower) + 1, 0);
    for (const Term& t : *terms)
        form.dehomogenized[static_cast<std::size_t>(t.exp[static_cast<std::size_t>(form.xSlot)])] = t.coef;
    return form;
}

MultiFactorization Homogenized(const UniFactorization& parts, const TwoLetterForm& form) {
    MultiFactorization out;
    out.content = parts.content;
    for (const UniFactor& h : parts.factors) {
        const int e = DegreeOf(h.poly);
        MultiPoly poly;
        for (int i = e; i >= 0; --i) {
            if (h.poly[static_cast<std::size_t>(i)] == 0) continue;
            Term t{h.poly[static_cast<std::size_t>(i)], {}};
            t.exp[static_cast<std::size_t>(form.xSlot)] = i;
            t.exp[static_cast<std::size_t>(form.ySlot)] = e - i;
            poly.push_back(t);
        }
        out.factors.push_back({std::move(poly), h.multiplicity});
    }
    if (form.yPower > 0) {
        Term y{1, {}};
        y.exp[static_cast<std::size_t>(form.ySlot)] = 1;
        out.factors.push_back({{y}, form.yPower});
    }
    return out;
}

}  // namespace yinshi::exact::detail
