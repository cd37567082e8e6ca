#include "exact/cyclotomic.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "exact/flint_handles.hpp"

namespace yinshi::exact::detail {
namespace {

// A coefficient's size as unsigned, so that the most negative one compares too.
std::uint64_t Magnitude(std::int64_t v) {
    return v < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

int DegreeOf(const UniPoly& p) {
    int d = static_cast<int>(p.size()) - 1;
    while (d >= 0 && p[static_cast<std::size_t>(d)] == 0) --d;
    return d;
}

// The two terms of a binomial: X the more significant slot; Y the other
// slot, or -1 when the second term is a constant.
struct TwoTerms {
    Term x;
    Term y;
    int xs = 0;
    int ys = -1;
};

// The only slot with a non-zero exponent, or -1.
int PureSlot(const Term& t) {
    int slot = -1;
    for (int j = 0; j < kMaxVariables; ++j) {
        if (t.exp[static_cast<std::size_t>(j)] == 0) continue;
        if (slot >= 0) return -1;
        slot = j;
    }
    return slot;
}

std::optional<TwoTerms> Split(const MultiPoly& f) {
    if (f.size() != 2 || f[0].coef == 0 || Magnitude(f[0].coef) != Magnitude(f[1].coef)) return std::nullopt;
    const int a = PureSlot(f[0]);
    const int b = PureSlot(f[1]);
    auto constant = [](const Term& t) { return std::all_of(t.exp.begin(), t.exp.end(), [](int e) { return e == 0; }); };
    if (a >= 0 && b < 0 && constant(f[1])) return TwoTerms{f[0], f[1], a, -1};
    if (b >= 0 && a < 0 && constant(f[0])) return TwoTerms{f[1], f[0], b, -1};
    if (a < 0 || b < 0 || a == b) return std::nullopt;
    const int n = f[0].exp[static_cast<std::size_t>(a)];
    if (n < 1 || f[1].exp[static_cast<std::size_t>(b)] != n) return std::nullopt;
    return a < b ? TwoTerms{f[0], f[1], a, b} : TwoTerms{f[1], f[0], b, a};
}

// The orders d of the cyclotomic factors of x^n - s.
std::vector<int> Orders(int n, int s) {
    std::vector<int> out;
    if (s == 1) {
        for (int d = 1; d <= n; ++d)
            if (n % d == 0) out.push_back(d);
    } else {
        for (int d = 1; d <= 2 * n; ++d)
            if ((2 * n) % d == 0 && n % d != 0) out.push_back(d);
    }
    return out;
}

std::optional<UniPoly> Cyclotomic(int d) {
    Poly p;
    fmpz_poly_cyclotomic(p.p, static_cast<ulong>(d));
    return GetPoly(p.p);
}

}  // namespace

std::optional<int> UnitBinomialDegree(const UniPoly& f, int* sign) {
    const int n = DegreeOf(f);
    if (n < 1 || f[0] == 0 || Magnitude(f[0]) != Magnitude(f[static_cast<std::size_t>(n)])) return std::nullopt;
    for (int k = 1; k < n; ++k)
        if (f[static_cast<std::size_t>(k)] != 0) return std::nullopt;
    // c x^n + f0 = c (x^n - s) with s = -f0 / c.
    if (sign != nullptr) *sign = f[0] == f[static_cast<std::size_t>(n)] ? -1 : 1;
    return n;
}

std::optional<int> UnitBinomialDegree(const MultiPoly& f) {
    const auto t = Split(f);
    if (!t) return std::nullopt;
    return t->x.exp[static_cast<std::size_t>(t->xs)];
}

std::optional<UniFactorization> BinomialFactors(const UniPoly& f) {
    int s = 0;
    const auto n = UnitBinomialDegree(f, &s);
    if (!n) return std::nullopt;
    UniFactorization out;
    out.content = f[static_cast<std::size_t>(*n)];
    for (int d : Orders(*n, s)) {
        auto phi = Cyclotomic(d);
        if (!phi) return std::nullopt;
        out.factors.push_back({std::move(*phi), 1});
    }
    return out;
}

std::optional<MultiFactorization> BinomialFactors(const MultiPoly& f) {
    const auto t = Split(f);
    if (!t) return std::nullopt;
    const int n = t->x.exp[static_cast<std::size_t>(t->xs)];
    const int s = t->x.coef == t->y.coef ? -1 : 1;
    MultiFactorization out;
    out.content = t->x.coef;
    for (int d : Orders(n, s)) {
        auto phi = Cyclotomic(d);
        if (!phi) return std::nullopt;
        // Y^deg Phi(X / Y), highest power of X first: canonical order.
        const int deg = DegreeOf(*phi);
        MultiPoly g;
        for (int k = deg; k >= 0; --k) {
            const std::int64_t c = (*phi)[static_cast<std::size_t>(k)];
            if (c == 0) continue;
            Term term{c, {}};
            term.exp[static_cast<std::size_t>(t->xs)] = k;
            if (t->ys >= 0) term.exp[static_cast<std::size_t>(t->ys)] = deg - k;
            g.push_back(term);
        }
        out.factors.push_back({std::move(g), 1});
    }
    return out;
}

namespace {

std::optional<bool> Verdict(int n, int s) {
    if (s == 1) return n == 1;
    return (n & (n - 1)) == 0;
}

}  // namespace

std::optional<bool> BinomialIrreducible(const UniPoly& f) {
    int s = 0;
    const auto n = UnitBinomialDegree(f, &s);
    if (!n) return std::nullopt;
    // A content other than +-1 makes it reducible.
    if (Magnitude(f[0]) != 1) return false;
    return Verdict(*n, s);
}

std::optional<bool> BinomialIrreducible(const MultiPoly& f) {
    const auto t = Split(f);
    if (!t) return std::nullopt;
    if (Magnitude(t->x.coef) != 1) return false;
    return Verdict(t->x.exp[static_cast<std::size_t>(t->xs)], t->x.coef == t->y.coef ? -1 : 1);
}

}  // namespace yinshi::exact::detail
