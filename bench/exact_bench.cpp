// How the cost of exact factoring (FLINT behind exact::FlintFactorer) grows
// with the degree, for the limit above which the search guide falls back to
// the plain walk: one variable at degree 10 to 4000 with coefficients up to
// 10^6 (random, and products), structured one-variable inputs rich in
// factors, several variables at total degree 10 to 60 with at most 20 terms
// (the engine's term table). Seeded inputs; the counters give the number of
// factors found and the largest input coefficient.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "exact/flint_factorer.hpp"

namespace yinshi {
namespace {

using exact::MultiPoly;
using exact::UniPoly;

std::int64_t Random(std::mt19937_64& rng, std::int64_t bound) {
    std::int64_t c = 0;
    while (c == 0) c = std::uniform_int_distribution<std::int64_t>(-bound, bound)(rng);
    return c;
}

UniPoly RandomUni(std::mt19937_64& rng, int degree, std::int64_t bound) {
    UniPoly f(static_cast<std::size_t>(degree) + 1);
    for (auto& c : f) c = std::uniform_int_distribution<std::int64_t>(-bound, bound)(rng);
    f.front() = Random(rng, bound);
    f.back() = Random(rng, bound);
    return f;
}

UniPoly Multiply(const UniPoly& a, const UniPoly& b) {
    UniPoly out(a.size() + b.size() - 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) out[i + j] += a[i] * b[j];  // bounds keep this far from 2^63
    return out;
}

enum UniKind : int {
    kIrreducible,  // random, coefficients up to 10^6
    kTwoFactors,   // two random factors of half the degree, coefficients up to 1000
    kFourFactors,  // four random factors of a quarter of the degree, coefficients up to 30
    kBinomial,     // x^n - 1: a factor for every divisor of n, many more modulo every prime
    kAllOnes,      // 1 + x + ... + x^n = (x^(n+1) - 1) / (x - 1), the same when n + 1 has many divisors
};

UniPoly UniInput(int degree, int kind) {
    std::mt19937_64 rng(static_cast<std::uint64_t>(degree) * 4 + static_cast<std::uint64_t>(kind));
    switch (kind) {
        case kIrreducible: return RandomUni(rng, degree, 1'000'000);
        case kTwoFactors: return Multiply(RandomUni(rng, degree / 2, 1000), RandomUni(rng, degree - degree / 2, 1000));
        case kFourFactors: {
            UniPoly f{1};
            for (int k = 0; k < 4; ++k) f = Multiply(f, RandomUni(rng, (degree + k) / 4, 30));
            return f;
        }
        case kBinomial: {
            UniPoly f(static_cast<std::size_t>(degree) + 1, 0);
            f.front() = -1;
            f.back() = 1;
            return f;
        }
        default: return UniPoly(static_cast<std::size_t>(degree) + 1, 1);
    }
}

double MaxCoef(const UniPoly& f) {
    std::int64_t m = 0;
    for (auto c : f) m = std::max(m, c < 0 ? -c : c);
    return static_cast<double>(m);
}

// Factors f once per iteration; the number of factors goes to the counters.
template <typename Poly>
void FactorEachTime(benchmark::State& state, const Poly& f) {
    const exact::FlintFactorer x;
    std::size_t factors = 0;
    for (auto _ : state) {
        const auto r = x.Factor(f);
        if (!r) {
            state.SkipWithError("not available");
            break;
        }
        factors = r->factors.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["factors"] = static_cast<double>(factors);
}

void OneVariable(benchmark::State& state) {
    const UniPoly f = UniInput(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    FactorEachTime(state, f);
    state.counters["max_coef"] = MaxCoef(f);
}

// ---- Several variables ----

// terms random terms in nvars variables (slots 0..), total degree at most
// degree and exactly degree for the first; coefficients up to bound.
MultiPoly RandomMulti(std::mt19937_64& rng, int nvars, int degree, int terms, std::int64_t bound) {
    MultiPoly f;
    for (int k = 0; k < terms; ++k) {
        exact::Term t{Random(rng, bound), {}};
        const int total = k == 0 ? degree : std::uniform_int_distribution<int>(0, degree)(rng);
        for (int u = 0; u < total; ++u)  // one unit of degree at a time to a random variable
            t.exp[static_cast<std::size_t>(std::uniform_int_distribution<int>(0, nvars - 1)(rng))] += 1;
        f.push_back(t);
    }
    return f;
}

MultiPoly Multiply(const MultiPoly& a, const MultiPoly& b) {
    MultiPoly out;
    for (const auto& s : a)
        for (const auto& t : b) {
            exact::Term p{s.coef * t.coef, {}};
            for (std::size_t j = 0; j < p.exp.size(); ++j) p.exp[j] = s.exp[j] + t.exp[j];
            out.push_back(p);
        }
    return out;  // like terms are added by the factorer
}

// kind 0: 20 random terms, coefficients up to 10^6 (irreducible but for a
// monomial content now and then); kind 1: the product of two random factors
// of half the total degree, 4 and 5 terms, coefficients up to 1000; kind 2:
// x^n - y^n, the richest binomial in factors; kind 3: the sum of all x^k
// y^(n-k), its quotient by x - y.
MultiPoly MultiInput(int nvars, int degree, int kind) {
    std::mt19937_64 rng(static_cast<std::uint64_t>(nvars * 1000 + degree * 4 + kind));
    switch (kind) {
        case 0: return RandomMulti(rng, nvars, degree, 20, 1'000'000);
        case 1:
            return Multiply(RandomMulti(rng, nvars, degree / 2, 4, 1000),
                            RandomMulti(rng, nvars, degree - degree / 2, 5, 1000));
        case 2: return {{1, {degree, 0}}, {-1, {0, degree}}};
        default: {
            MultiPoly f;
            for (int k = 0; k <= degree; ++k) f.push_back({1, {k, degree - k}});
            return f;
        }
    }
}

void SeveralVariables(benchmark::State& state) {
    const MultiPoly f = MultiInput(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                   static_cast<int>(state.range(2)));
    FactorEachTime(state, f);
}

BENCHMARK(OneVariable)
    ->ArgNames({"degree", "kind"})
    ->ArgsProduct({{10, 50, 100, 200, 300, 400, 1000, 2000, 4000}, {kIrreducible, kTwoFactors, kFourFactors}})
    ->Unit(benchmark::kMillisecond);
// The structured inputs turn costly far earlier, and not steadily: x^119 + ... + 1
// is slow where x^120 + ... + 1 is fast.
BENCHMARK(OneVariable)
    ->ArgNames({"degree", "kind"})
    ->ArgsProduct({{10, 50, 100, 119, 120, 200, 239, 240, 400}, {kBinomial, kAllOnes}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SeveralVariables)
    ->ArgNames({"vars", "degree", "kind"})
    ->ArgsProduct({{2, 3, 7}, {10, 20, 30, 40, 60}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SeveralVariables)
    ->ArgNames({"vars", "degree", "kind"})
    ->ArgsProduct({{2}, {10, 20, 30, 40, 60, 120}, {2, 3}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace yinshi
