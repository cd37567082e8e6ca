// Properties of the FLINT factorer over seeded random products in one, two
// and three variables, the numbers that do not fit, and the fake.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>

#include "exact/flint_factorer.hpp"
#include "exact_support.hpp"
#include "random_products.hpp"

namespace yinshi {
namespace {

using exact::Exponents;
using exact::FlintFactorer;
using exact::MultiFactorization;
using exact::MultiPoly;
using exact::UniFactorization;
using exact::UniPoly;
using namespace testing;

// The documented order of the factor lists.
bool UniBefore(const exact::UniFactor& a, const exact::UniFactor& b) {
    if (a.poly.size() != b.poly.size()) return a.poly.size() < b.poly.size();
    return std::lexicographical_compare(a.poly.rbegin(), a.poly.rend(), b.poly.rbegin(), b.poly.rend());
}

bool MultiBefore(const exact::MultiFactor& a, const exact::MultiFactor& b) {
    if (exact::TotalDegree(a.poly) != exact::TotalDegree(b.poly))
        return exact::TotalDegree(a.poly) < exact::TotalDegree(b.poly);
    return std::lexicographical_compare(
        a.poly.begin(), a.poly.end(), b.poly.begin(), b.poly.end(),
        [](const exact::Term& s, const exact::Term& t) { return s.exp != t.exp ? s.exp < t.exp : s.coef < t.coef; });
}

bool IsUnit(std::int64_t c) { return c == 1 || c == -1; }

// Each factor irreducible by the factorer's own word, with a positive
// leading coefficient and no zeros at the top; the list in the documented
// order, so also without repeats.
void ExpectUniShape(const exact::Factorer& x, const UniFactorization& r) {
    for (std::size_t i = 0; i < r.factors.size(); ++i) {
        const auto& g = r.factors[i];
        ASSERT_GE(g.poly.size(), 2u);
        EXPECT_GT(g.poly.back(), 0);
        EXPECT_GE(g.multiplicity, 1);
        EXPECT_EQ(x.IsIrreducible(g.poly), true);
        if (i > 0) {
            EXPECT_TRUE(UniBefore(r.factors[i - 1], g));
        }
    }
}

// As above; each factor in canonical order, its first term positive, its
// variables among those of the input.
void ExpectMultiShape(const exact::Factorer& x, const MultiFactorization& r, const std::set<int>& slots) {
    for (std::size_t i = 0; i < r.factors.size(); ++i) {
        const auto& g = r.factors[i];
        ASSERT_FALSE(g.poly.empty());
        EXPECT_EQ(Canonical(g.poly), g.poly);
        EXPECT_GT(g.poly.front().coef, 0);
        EXPECT_GE(g.multiplicity, 1);
        for (const auto& t : g.poly)
            for (int j = 0; j < exact::kMaxVariables; ++j)
                if (t.exp[static_cast<std::size_t>(j)] > 0) {
                    EXPECT_TRUE(slots.count(j));
                }
        EXPECT_EQ(x.IsIrreducible(g.poly), true);
        if (i > 0) {
            EXPECT_TRUE(MultiBefore(r.factors[i - 1], g));
        }
    }
}

// Any fixed order serves as a map key.
struct PolyLess {
    bool operator()(const UniPoly& a, const UniPoly& b) const { return a < b; }
    bool operator()(const MultiPoly& a, const MultiPoly& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](const exact::Term& s, const exact::Term& t) {
                                                return s.exp != t.exp ? s.exp < t.exp : s.coef < t.coef;
                                            });
    }
};

// What the product's factorisation must be, given the factorisations of its
// parts: contents multiplied, multiplicities added.
template <typename Poly, typename Fact>
std::pair<std::int64_t, std::map<Poly, int, PolyLess>> Combined(const exact::Factorer& x, const Built<Poly>& b) {
    std::int64_t content = b.content;
    std::map<Poly, int, PolyLess> mult;
    for (const auto& [part, m] : b.parts) {
        const std::optional<Fact> f = x.Factor(part);
        for (int k = 0; k < m; ++k) content *= f->content;
        for (const auto& g : f->factors) mult[g.poly] += m * g.multiplicity;
    }
    return {content, mult};
}

template <typename Fact>
auto Multiplicities(const Fact& r) {
    std::map<decltype(r.factors[0].poly), int, PolyLess> mult;
    for (const auto& g : r.factors) mult[g.poly] = g.multiplicity;
    return mult;
}

}  // namespace

// f = content * parts: FLINT's answer multiplies back, agrees with the
// answers for the parts, and calls f irreducible exactly when it is one
// factor with content +-1.
TEST(ExactFactor, OneVariableProductsSplitIntoIrreducibleFactorsThatMultiplyBack) {
    const FlintFactorer x;
    Products gen(20240611);
    for (int i = 0; i < 2500; ++i) {
        SCOPED_TRACE(i);
        const auto b = gen.Uni();
        const auto r = x.Factor(b.product);
        ASSERT_TRUE(r);
        EXPECT_EQ(Expand(*r), Trimmed(b.product));
        ExpectUniShape(x, *r);
        const auto [content, mult] = Combined<UniPoly, UniFactorization>(x, b);
        EXPECT_EQ(r->content, content);
        EXPECT_EQ(Multiplicities(*r), mult);
        const bool single = IsUnit(r->content) && r->factors.size() == 1 && r->factors[0].multiplicity == 1;
        EXPECT_EQ(x.IsIrreducible(b.product), single);
        const auto negated = x.Factor(Negated(b.product));
        ASSERT_TRUE(negated);
        EXPECT_EQ(negated->content, -r->content);
        EXPECT_EQ(negated->factors, r->factors);
    }
}

TEST(ExactFactor, TwoAndThreeVariableProductsSplitIntoIrreducibleFactorsThatMultiplyBack) {
    const FlintFactorer x;
    Products gen(7);
    for (int i = 0; i < 3000; ++i) {
        SCOPED_TRACE(i);
        const int nvars = i < 1800 ? 2 : 3;
        const auto b = gen.Multi(nvars);
        std::set<int> slots;
        for (const auto& [part, m] : b.parts)
            for (const auto& t : part)
                for (int j = 0; j < exact::kMaxVariables; ++j)
                    if (t.exp[static_cast<std::size_t>(j)] > 0) slots.insert(j);
        const auto r = x.Factor(b.product);
        ASSERT_TRUE(r);
        EXPECT_EQ(Expand(*r), Canonical(b.product));
        ExpectMultiShape(x, *r, slots);
        const auto [content, mult] = Combined<MultiPoly, MultiFactorization>(x, b);
        EXPECT_EQ(r->content, content);
        EXPECT_EQ(Multiplicities(*r), mult);
        const bool single = IsUnit(r->content) && r->factors.size() == 1 && r->factors[0].multiplicity == 1;
        EXPECT_EQ(x.IsIrreducible(b.product), single);
    }
}

// g = s x^2 + 2s x + (s + 1) is irreducible (discriminant -4s) and primitive;
// (x - 1) g has coefficients s, s, 1 - s, -(s + 1). At s = 2^62 the factor's
// 2s = 2^63 no longer fits while the product still does. The same in two
// variables, and like terms that add up beyond int64 (the content, or a
// factor's coefficient).
TEST(ExactFactor, NumbersBeyondInt64AreNotAvailable) {
    const FlintFactorer x;
    for (const std::int64_t s : {(std::int64_t{1} << 62) - 1, std::int64_t{1} << 62}) {
        const bool fits = s < (std::int64_t{1} << 62);
        const UniPoly g{s + 1, (fits ? 2 * s : 0), s};
        const UniPoly f{-(s + 1), 1 - s, s, s};
        const auto r = x.Factor(f);
        EXPECT_EQ(r.has_value(), fits);
        if (fits) {
            EXPECT_EQ(*r, (UniFactorization{1, {{{-1, 1}, 1}, {g, 1}}}));
        }
        EXPECT_EQ(x.IsIrreducible(f), false);
        // (x - y)(s x^2 + 2s xy + (s + 1) y^2) in slots 1 and 4.
        auto t = [](std::int64_t c, int a, int b) { return exact::Term{c, Exponents{0, a, 0, 0, b, 0, 0}}; };
        const MultiPoly m{t(s, 3, 0), t(s, 2, 1), t(1 - s, 1, 2), t(-(s + 1), 0, 3)};
        EXPECT_EQ(x.Factor(m).has_value(), fits);
        EXPECT_EQ(x.IsIrreducible(m), false);
    }
    const std::int64_t big = INT64_MAX;
    auto t = [](std::int64_t c, int a, int b) { return exact::Term{c, Exponents{a, b}}; };
    const MultiPoly wideContent{t(big, 1, 0), t(big, 1, 0), t(big, 0, 1), t(big, 0, 1)};  // (2^64 - 2)(x + y)
    EXPECT_FALSE(x.Factor(wideContent));
    EXPECT_EQ(x.IsIrreducible(wideContent), false);
    const MultiPoly wideFactor{t(big, 1, 0), t(big, 1, 0), t(1, 0, 1)};  // (2^64 - 2)x + y
    EXPECT_FALSE(x.Factor(wideFactor));
    EXPECT_EQ(x.IsIrreducible(wideFactor), true);
    const MultiPoly cancelled{t(big, 1, 0), t(big, 1, 0), t(-big, 1, 0), t(-big, 1, 0), t(3, 0, 1)};  // 3y
    EXPECT_EQ(x.Factor(cancelled), (MultiFactorization{3, {{{t(1, 0, 1)}, 1}}}));
    // The most negative content still fits; its negative does not exist.
    EXPECT_EQ(x.Factor(UniPoly{INT64_MIN, INT64_MIN}), (UniFactorization{INT64_MIN, {{{1, 1}, 1}}}));
}

TEST(ExactFactor, ZeroConstantsAndExponentsOutOfRange) {
    const FlintFactorer x;
    EXPECT_FALSE(x.Factor(UniPoly{}));
    EXPECT_FALSE(x.Factor(UniPoly{0, 0}));
    EXPECT_EQ(x.IsIrreducible(UniPoly{0, 0}), false);
    EXPECT_EQ(x.Factor(UniPoly{-6, 0}), (UniFactorization{-6, {}}));
    EXPECT_EQ(x.IsIrreducible(UniPoly{7}), false);
    EXPECT_FALSE(x.Factor(MultiPoly{}));
    EXPECT_FALSE(x.Factor(MultiPoly{{2, {1}}, {-2, {1}}}));
    EXPECT_EQ(x.IsIrreducible(MultiPoly{{2, {1}}, {-2, {1}}}), false);
    EXPECT_EQ(x.Factor(MultiPoly{{-5, {}}}), (MultiFactorization{-5, {}}));
    for (const int e : {-1, exact::kMaxExponent + 1}) {
        const MultiPoly bad{{1, {0, 0, 0, 0, 0, 0, e}}, {1, {1}}};
        EXPECT_FALSE(x.Factor(bad));
        EXPECT_FALSE(x.IsIrreducible(bad));
    }
}

// The fake answers exactly what it was taught (as FLINT would), the factors
// it was taught as irreducible, the negatives, and nothing else.
TEST(ExactFake, AnswersWhatItWasTaughtAndNothingElse) {
    const FlintFactorer x;
    FakeFactorer fake;
    Products gen(99);
    std::vector<UniPoly> uni;
    std::vector<MultiPoly> multi;
    for (int i = 0; i < 200; ++i) {
        uni.push_back(gen.Uni().product);
        ASSERT_TRUE(fake.Teach(*x.Factor(uni.back())));
        multi.push_back(*Canonical(gen.Multi(2 + i % 2).product));
        ASSERT_TRUE(fake.Teach(*x.Factor(multi.back())));
    }
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE(i);
        const UniPoly& f = uni[static_cast<std::size_t>(i)];
        EXPECT_EQ(fake.Factor(f), x.Factor(f));
        EXPECT_EQ(fake.Factor(Negated(f)), x.Factor(Negated(f)));
        EXPECT_EQ(fake.IsIrreducible(f), x.IsIrreducible(f));
        const auto split = x.Factor(f);
        for (const auto& g : split->factors) EXPECT_EQ(fake.IsIrreducible(g.poly), true);
        const MultiPoly& m = multi[static_cast<std::size_t>(i)];
        EXPECT_EQ(fake.Factor(m), x.Factor(m));
        EXPECT_EQ(fake.IsIrreducible(Negated(m)), x.IsIrreducible(m));
    }
    UniPoly other = uni[0];
    other.push_back(1000);  // + 1000 x^(n+1): nobody told the fake
    const int before = fake.Calls();
    EXPECT_FALSE(fake.Factor(other));
    EXPECT_FALSE(fake.IsIrreducible(other));
    EXPECT_EQ(fake.Calls(), before + 2);
    EXPECT_FALSE(fake.Teach(UniFactorization{INT64_MAX, {{{1, 2}, 1}}}));
}

}  // namespace yinshi

namespace yinshi {
namespace {

// c (x^n -+ 1) and c (x^n -+ y^n) are split into cyclotomic polynomials
// without a search: the answer must multiply back, in the documented order,
// each factor irreducible by FLINT's own general factoring (only x^(2^k) + 1
// among them is itself such a binomial).
TEST(ExactFactor, UnitBinomialsSplitIntoCyclotomicFactorsThatMultiplyBack) {
    const FlintFactorer x;
    for (int n = 1; n <= 48; ++n)
        for (std::int64_t c : {1, -2})
            for (std::int64_t s : {1, -1}) {
                SCOPED_TRACE(std::to_string(c) + " (x^" + std::to_string(n) + " + " + std::to_string(s) + ")");
                UniPoly f(static_cast<std::size_t>(n) + 1, 0);
                f[0] = c * s;
                f[static_cast<std::size_t>(n)] = c;
                const std::optional<UniFactorization> r = x.Factor(f);
                ASSERT_TRUE(r.has_value());
                ExpectUniShape(x, *r);
                UniPoly back{r->content};
                for (const auto& g : r->factors) back = *Multiply(back, g.poly);
                EXPECT_EQ(back, f);
                EXPECT_EQ(x.IsIrreducible(f), c == 1 && r->factors.size() == 1);
                // The same in two letters, the more significant slot second in the input.
                const MultiPoly two{{c * s, Exponents{0, n, 0, 0, 0, 0, 0}}, {c, Exponents{0, 0, 0, n, 0, 0, 0}}};
                const std::optional<MultiFactorization> m = x.Factor(two);
                ASSERT_TRUE(m.has_value());
                ExpectMultiShape(x, *m, {1, 3});
                MultiPoly product{{m->content, {}}};
                for (const auto& g : m->factors) product = *Multiply(product, g.poly);
                EXPECT_EQ(Canonical(product), Canonical(two));
                EXPECT_EQ(m->factors.size(), r->factors.size());
            }
}

}  // namespace
}  // namespace yinshi
