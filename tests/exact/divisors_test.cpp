// The search guide's divisors by degree against brute force: every
// sub-multiset of the factors multiplied out.
#include <gtest/gtest.h>

#include <map>

#include "exact/flint_factorer.hpp"
#include "exact_support.hpp"
#include "random_products.hpp"

namespace yinshi {
namespace {

using exact::UniFactorization;
using exact::UniPoly;
using namespace testing;

// Every product of a sub-multiset, grouped by degree, in the documented order
// (multiplicity vectors ascending, the first factor's the most significant).
std::map<int, std::vector<UniPoly>> BruteForce(const UniFactorization& f) {
    std::map<int, std::vector<UniPoly>> byDegree;
    const std::size_t k = f.factors.size();
    std::vector<int> e(k, 0);
    for (;;) {
        UniPoly p{1};
        for (std::size_t i = 0; i < k; ++i)
            for (int m = 0; m < e[i]; ++m) p = *Multiply(p, f.factors[i].poly);
        byDegree[static_cast<int>(p.size()) - 1].push_back(p);
        std::size_t i = k;  // odometer, the last factor turning fastest
        while (i > 0 && e[i - 1] == f.factors[i - 1].multiplicity) e[--i] = 0;
        if (i == 0) break;
        ++e[i - 1];
    }
    return byDegree;
}

}  // namespace

TEST(ExactDivisors, DegreesAndDivisorsAgreeWithAllSubMultisetProducts) {
    const exact::FlintFactorer x;
    Products gen(3);
    for (int i = 0; i < 2000; ++i) {
        SCOPED_TRACE(i);
        const auto f = x.Factor(gen.Uni().product);
        ASSERT_TRUE(f);
        const auto brute = BruteForce(*f);
        const int n = static_cast<int>(Expand(*f)->size()) - 1;
        const std::vector<bool> degrees = exact::DivisorDegrees(*f);
        ASSERT_EQ(degrees.size(), static_cast<std::size_t>(n) + 1);
        for (int d = -1; d <= n + 1; ++d) {
            const auto it = brute.find(d);
            if (d >= 0 && d <= n) {
                EXPECT_EQ(degrees[static_cast<std::size_t>(d)], it != brute.end());
            }
            const auto all = exact::DivisorsOfDegree(*f, d, 1'000'000);
            ASSERT_TRUE(all);
            EXPECT_FALSE(all->capped);
            EXPECT_EQ(all->divisors, it == brute.end() ? std::vector<UniPoly>{} : it->second);
            // A cap lists the same divisors up to it, and says when there were more.
            const std::size_t cap = static_cast<std::size_t>(gen.Uniform(0, 3));
            const auto some = exact::DivisorsOfDegree(*f, d, cap);
            ASSERT_TRUE(some);
            const std::size_t total = all->divisors.size();
            EXPECT_EQ(some->capped, total > cap);
            EXPECT_EQ(some->divisors,
                      std::vector<UniPoly>(all->divisors.begin(),
                                           all->divisors.begin() + static_cast<std::ptrdiff_t>(std::min(cap, total))));
        }
    }
}

// (x^6 - 1)^26 has coefficients below 2^24, but its divisor
// ((x + 1)(x^2 + x + 1))^26 of degree 78 has coefficients beyond 2^63. The
// list for degree 78 is not available; a list capped before anything is
// multiplied out, and the lists of low degrees, are.
TEST(ExactDivisors, ListsThatCannotBeGivenExactlyAreNotAvailable) {
    const exact::FlintFactorer x;
    UniPoly f{1};
    for (int k = 0; k < 26; ++k) f = *Multiply(f, UniPoly{-1, 0, 0, 0, 0, 0, 1});
    const auto fac = x.Factor(f);
    ASSERT_TRUE(fac);
    ASSERT_EQ(fac->factors.size(), 4u);
    EXPECT_FALSE(exact::DivisorsOfDegree(*fac, 78, 1'000'000));
    const auto none = exact::DivisorsOfDegree(*fac, 78, 0);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->capped);
    EXPECT_TRUE(none->divisors.empty());
    const auto linear = exact::DivisorsOfDegree(*fac, 1, 10);
    ASSERT_TRUE(linear);
    EXPECT_EQ(linear->divisors, (std::vector<UniPoly>{{1, 1}, {-1, 1}}));  // x+1 (e=(0,1,..)) before x-1
    // Not a factorisation a Factorer gives: a constant "factor".
    const UniFactorization constant{1, {{{5}, 1}, {{1, 1}, 2}}};
    EXPECT_TRUE(exact::DivisorDegrees(constant).empty());
    EXPECT_FALSE(exact::DivisorsOfDegree(constant, 1, 10));
}

}  // namespace yinshi
