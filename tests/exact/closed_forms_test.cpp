// The factorisations given without a general factoring, past its limits:
// seeded products of cyclotomic polynomials in a power of x, the same made
// homogeneous in two letters, and sums of terms in letters of their own,
// the last held to FLINT's own factoring of the same sum times a new letter.
#include <gtest/gtest.h>

#include <random>

#include "exact/flint_factorer.hpp"
#include "exact_support.hpp"

namespace yinshi {
namespace {

using exact::Exponents;
using exact::FlintFactorer;
using exact::MultiPoly;
using exact::Term;
using exact::UniPoly;
using namespace testing;

int Uniform(std::mt19937_64& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// x^v g(x^k), g a product of some of the factors of y^m - 1: of degree past
// the general limit.
UniPoly CyclotomicPower(const FlintFactorer& x, std::mt19937_64& rng) {
    const int m = Uniform(rng, 2, 30);
    UniPoly binomial(static_cast<std::size_t>(m) + 1, 0);
    binomial[0] = -1;
    binomial.back() = 1;
    UniPoly g{Uniform(rng, 0, 1) ? 1 : -3};
    const auto parts = x.Factor(binomial);
    for (const auto& part : parts->factors)
        for (int times = Uniform(rng, 0, 2); times > 0; --times) g = *Multiply(g, part.poly);
    const int deg = static_cast<int>(Trimmed(g).size()) - 1;
    const int k = deg == 0 ? 1 : 201 / deg + Uniform(rng, 1, 40);
    UniPoly f(static_cast<std::size_t>(deg * k + Uniform(rng, 0, 3) + 1), 0);
    const std::size_t v = f.size() - static_cast<std::size_t>(deg * k) - 1;
    for (int i = 0; i <= deg; ++i) f[v + static_cast<std::size_t>(i * k)] = g[static_cast<std::size_t>(i)];
    return f;
}

TEST(ClosedForms, CyclotomicPowersInOneAndTwoLettersSplitIntoIrreducibleFactorsThatMultiplyBack) {
    const FlintFactorer x;
    std::mt19937_64 rng(7);
    for (int round = 0; round < 150; ++round) {
        const UniPoly f = CyclotomicPower(x, rng);
        if (f.size() <= exact::kGuideMaxDegree + 1) continue;
        SCOPED_TRACE("round " + std::to_string(round) + ", degree " + std::to_string(f.size() - 1));
        ASSERT_TRUE(exact::WithinLimits(f));
        const auto r = x.Factor(f);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(Expand(*r), Trimmed(f));
        for (const auto& part : r->factors) EXPECT_EQ(x.IsIrreducible(part.poly), true);
        EXPECT_EQ(x.IsIrreducible(f),
                  r->factors.size() == 1 && r->factors[0].multiplicity == 1 && (r->content == 1 || r->content == -1));
        // y^2 f(x / y) in slots 2 and 5: past the two-letter limit, the same factors made homogeneous, and y.
        const int n = static_cast<int>(f.size()) - 1;
        MultiPoly two;
        for (int i = 0; i <= n; ++i)
            if (f[static_cast<std::size_t>(i)] != 0)
                two.push_back({f[static_cast<std::size_t>(i)], Exponents{0, 0, i, 0, 0, n - i + 2, 0}});
        ASSERT_TRUE(exact::WithinLimits(two));
        const auto m = x.Factor(two);
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(Expand(*m), Canonical(two));
        EXPECT_EQ(m->factors.size(), r->factors.size() + 1);
    }
}

TEST(ClosedForms, SumsOfTermsInLettersOfTheirOwnAgreeWithTheGeneralFactoring) {
    const FlintFactorer x;
    std::mt19937_64 rng(11);
    for (int round = 0; round < 300; ++round) {
        // Three to five terms over slots 0..5, a constant now and then; slot 6 is the new letter.
        MultiPoly f;
        int slot = 0;
        const int terms = Uniform(rng, 3, 5);
        const std::int64_t content = Uniform(rng, 0, 3) == 0 ? Uniform(rng, 2, 6) : 1;
        for (int t = 0; t < terms; ++t) {
            Term term{content * (Uniform(rng, 0, 1) ? 1 : -1) * Uniform(rng, 1, 5), {}};
            const int letters = t == 0 && Uniform(rng, 0, 2) == 0 ? 0 : Uniform(rng, 1, 2);
            if (letters > 0 && slot >= 6) break;
            for (int l = 0; l < letters && slot < 6; ++l)
                term.exp[static_cast<std::size_t>(slot++)] = Uniform(rng, 1, 6);
            f.push_back(term);
        }
        const auto form = x.Factor(f);
        ASSERT_TRUE(form.has_value());
        MultiPoly times = f;
        for (Term& t : times) t.exp[6] = 1;
        const auto general = x.Factor(times);
        ASSERT_TRUE(general.has_value());
        if (!Canonical(f) || Canonical(f)->size() < 3) continue;
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_EQ(form->content, general->content);
        EXPECT_EQ(general->factors.size(), form->factors.size() + 1);
        EXPECT_EQ(Expand(*form), Canonical(f));
        EXPECT_EQ(x.IsIrreducible(f), general->content == 1 || general->content == -1);
    }
}

}  // namespace
}  // namespace yinshi
