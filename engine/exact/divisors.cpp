// The divisors of a one-variable factorisation by degree. The degrees are a
// subset sum over the factors; the divisors are multiplied out exactly in
// FLINT, so that only a divisor that is listed and does not fit is reported.

#include "exact/factorer.hpp"
#include "exact/flint_handles.hpp"

namespace yinshi::exact {
namespace {

// The largest degree served: the reach table below holds degree + 1 bits
// for each distinct factor.
constexpr std::int64_t kMaxDivisorDegree = 1 << 14;

using detail::GetPoly;
using detail::Poly;
using detail::SetPoly;

int DegreeOf(const UniPoly& p) {
    int d = static_cast<int>(p.size()) - 1;
    while (d >= 0 && p[static_cast<std::size_t>(d)] == 0) --d;
    return d;
}

// The degree of the factored polynomial; nullopt when a factor is a constant
// or has no multiplicity (the walk below would repeat or run past its
// tables), or the degree is beyond any table.
std::optional<int> Degree(const UniFactorization& f) {
    std::int64_t n = 0;
    for (const UniFactor& g : f.factors) {
        if (DegreeOf(g.poly) < 1 || g.multiplicity < 1) return std::nullopt;
        n += static_cast<std::int64_t>(DegreeOf(g.poly)) * g.multiplicity;
        if (n > kMaxDivisorDegree) return std::nullopt;
    }
    return static_cast<int>(n);
}

// reach[i][d]: the factors i.. can make a divisor of degree d. reach[k] is
// {0} alone; reach[0] is DivisorDegrees.
std::vector<std::vector<bool>> Reach(const UniFactorization& f, int n) {
    const std::size_t k = f.factors.size();
    std::vector<std::vector<bool>> reach(k + 1, std::vector<bool>(static_cast<std::size_t>(n) + 1, false));
    reach[k][0] = true;
    for (std::size_t i = k; i-- > 0;) {
        const int deg = DegreeOf(f.factors[i].poly);
        const int mult = f.factors[i].multiplicity;
        for (int d = 0; d <= n; ++d) {
            bool can = false;
            for (int e = 0; e <= mult && e * deg <= d && !can; ++e)
                can = reach[i + 1][static_cast<std::size_t>(d - e * deg)];
            reach[i][static_cast<std::size_t>(d)] = can;
        }
    }
    return reach;
}

struct Walk {
    const UniFactorization& f;
    const std::vector<std::vector<bool>>& reach;
    std::size_t cap;
    std::vector<Poly> factor;  // the factors in FLINT form
    std::vector<Poly> level;   // level[i]: the product chosen from factors 0..i-1
    DivisorList out;
    bool unfit = false;

    Walk(const UniFactorization& fac, const std::vector<std::vector<bool>>& r, std::size_t c)
        : f(fac), reach(r), cap(c), factor(fac.factors.size()), level(fac.factors.size() + 1) {
        for (std::size_t i = 0; i < factor.size(); ++i) SetPoly(factor[i].p, f.factors[i].poly);
        fmpz_poly_one(level[0].p);
    }

    // False once the walk is over (capped, or a divisor that does not fit).
    bool Emit(const fmpz_poly_t p) {
        if (out.divisors.size() == cap) {
            out.capped = true;
            return false;
        }
        auto coefs = GetPoly(p);
        if (!coefs) {
            unfit = true;
            return false;
        }
        out.divisors.push_back(std::move(*coefs));
        return true;
    }

    // Chooses the multiplicities of factors i.. for the remaining degree.
    bool Visit(std::size_t i, int remaining) {
        if (remaining == 0) return Emit(level[i].p);  // the rest all taken 0 times
        const int deg = DegreeOf(f.factors[i].poly);
        const int mult = f.factors[i].multiplicity;
        fmpz_poly_set(level[i + 1].p, level[i].p);
        for (int e = 0; e <= mult && e * deg <= remaining; ++e) {
            if (e > 0) fmpz_poly_mul(level[i + 1].p, level[i + 1].p, factor[i].p);
            if (reach[i + 1][static_cast<std::size_t>(remaining - e * deg)] && !Visit(i + 1, remaining - e * deg))
                return false;
        }
        return true;
    }
};

}  // namespace

std::vector<bool> DivisorDegrees(const UniFactorization& f) {
    const auto n = Degree(f);
    if (!n) return {};
    return Reach(f, *n)[0];
}

std::optional<DivisorList> DivisorsOfDegree(const UniFactorization& f, int d, std::size_t cap) {
    const auto n = Degree(f);
    if (!n) return std::nullopt;
    const auto reach = Reach(f, *n);
    if (d < 0 || static_cast<std::size_t>(d) >= reach[0].size() || !reach[0][static_cast<std::size_t>(d)])
        return DivisorList{};
    Walk walk(f, reach, cap);
    walk.Visit(0, d);
    if (walk.unfit) return std::nullopt;
    return std::move(walk.out);
}

}  // namespace yinshi::exact
