#include "search/dense_arith.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "test_support.hpp"

namespace yinshi {
namespace {

using Poly = std::vector<float>;

Poly Multiply(const Poly& f, const Poly& g) {
    Poly out(f.size() + g.size() - 1, 0);
    for (std::size_t i = 0; i < f.size(); ++i)
        for (std::size_t j = 0; j < g.size(); ++j) out[i + j] += f[i] * g[j];
    return out;
}

Poly Part(const std::vector<float>& v, int deg) { return {v.begin(), v.begin() + deg + 1}; }

struct DenseArithTest : ::testing::Test {
    testing::TestEngine t;
    Engine& e = t.e;
    DenseForm& d = e.dense;

    void Set(std::vector<float>& v, const Poly& p) {
        for (std::size_t k = 0; k < p.size(); ++k) v[k] = p[k];
    }
    // Factors already kept in the store, constant term first.
    void Store(const std::vector<Poly>& factors) {
        FactorStore& st = e.store;
        int end = 0;
        st.StoredEndAt[0] = 0;
        for (std::size_t m = 1; m <= factors.size(); ++m) {
            for (float c : factors[m - 1]) st.Work2n[static_cast<std::size_t>(end++)] = c;
            st.StoredEndAt[m] = static_cast<float>(end);
            st.StoredDeg[m] = static_cast<float>(factors[m - 1].size() - 1);
        }
        st.StoredCount = static_cast<int>(factors.size());
        st.StoredEnd = static_cast<float>(end);
    }
};

TEST_F(DenseArithTest, ExactDivisionFromEitherEnd) {
    const Poly quotient{1, 2, 3, 4};
    Poly out(4, 0);
    // A linear divisor and a cubic quotient: from the low end.
    EXPECT_EQ(DivideExact(Multiply({1, 1}, quotient), 4, Poly{1, 1}, 1, out), 3);
    EXPECT_EQ(out, quotient);

    // A quartic divisor and a quadratic quotient: from the high end.
    const Poly divisor{2, -1, 0, 3, 1};
    EXPECT_EQ(DivideExact(Multiply(divisor, {-3, 5, 2}), 6, divisor, 4, out), 2);
    EXPECT_EQ(Part(out, 2), (Poly{-3, 5, 2}));

    // A divisor longer than the dividend: no quotient, nothing written.
    out = {9, 9, 9, 9};
    EXPECT_EQ(DivideExact(Poly{1, 1}, 1, divisor, 4, out), -3);
    EXPECT_EQ(out, (Poly{9, 9, 9, 9}));
}

TEST_F(DenseArithTest, DivisionByAFactorFromTheLowEnd) {
    const Poly g{3, 1, 2};
    Poly out(3, 0);
    DivideFromLowEnd(Multiply(g, {1, -1, 4}), 4, g, 2, 2, out);
    EXPECT_EQ(out, (Poly{1, -1, 4}));
}

TEST_F(DenseArithTest, UpperCoefficientsAndTheWholeProductDecide) {
    // x^2 + 3x + 2 against g = 1 + x: q = 2 + x is a factor, q = 3 + x is not,
    // though no upper coefficient is left to tell them apart at degree 1.
    t.SetDense({2, 3, 1});
    Set(e.search.TrialFactor, {1, 1});
    Set(d.PolyWork, {3, 1});
    EXPECT_EQ(VerifyUpperCoefficients(e, 1).Outcome, MethodOutcome::Rejected);
    EXPECT_EQ(d.Degree, 2);

    Set(d.PolyWork, {2, 1});
    EXPECT_EQ(VerifyUpperCoefficients(e, 1).Outcome, MethodOutcome::Split);
    EXPECT_EQ(d.Degree, 1);
}

TEST_F(DenseArithTest, AcceptingWithOneVariableNeverTouchesTheStore) {
    t.SetDense(Multiply({1, 2}, {3, 0, 1}));
    Store({{7, 7}});
    e.store.StoredCount = 0;  // an empty store with old contents
    Set(e.search.TrialFactor, {1, 2});
    Set(d.PolyWork, {3, 0, 1});
    const CheckResult r = AcceptFactor(e, 1);
    EXPECT_EQ(r.Outcome, MethodOutcome::Split);
    EXPECT_EQ(e.store.StoredCount, 0);
    EXPECT_EQ(e.store.StoredEnd, 2);
    EXPECT_EQ(e.store.Work2n[0], 7);
    EXPECT_EQ(d.Degree, 2);
    EXPECT_EQ(Part(d.PolyCoef, 2), (Poly{3, 0, 1}));
    EXPECT_EQ(r.Split.Found, 1);
    EXPECT_EQ(r.Split.CofactorDeg, 2);
}

// Several variables whose degrees can never add up, so every degree-split
// test fails and the factors pile up in the store.
struct StoreTest : DenseArithTest {
    void Prepare(const std::vector<Poly>& stored, const Poly& g, const Poly& q) {
        Poly keep = q;
        for (const Poly& f : stored) keep = Multiply(keep, f);
        keep = Multiply(keep, g);
        t.SetDense(keep);
        const Poly reduced = Multiply(g, q);
        Set(d.PolyCoef, reduced);
        d.Degree = static_cast<int>(reduced.size()) - 1;
        Store(stored);
        e.vars.VarCount = 2;
        e.vars.VarName[2] = "y";
        e.vars.VarWeight[2] = 100;
        e.vars.VarMaxExpKeep[1] = 99;
        Set(e.search.TrialFactor, g);
        Set(d.PolyWork, q);
    }
};

TEST_F(StoreTest, TwoStoredFactorsAreKeptWithoutACombination) {
    Prepare({{1, 1}}, {2, 1}, {3, 0, 1});
    EXPECT_EQ(AcceptFactor(e, 1).Outcome, MethodOutcome::Kept);
    EXPECT_EQ(e.store.StoredCount, 2);
    EXPECT_EQ(e.store.StoredEnd, 4);
    EXPECT_EQ(e.store.StoredDeg[2], 1);
    EXPECT_EQ(e.store.Work2n[2], 2);
    // The last division was by the newest factor alone: no group of stored
    // factors followed it.
    EXPECT_EQ(Part(e.search.TrialFactor, 1), (Poly{2, 1}));
    // What is left to search is the cofactor.
    EXPECT_EQ(d.Degree, 2);
    EXPECT_EQ(Part(d.PolyCoef, 2), (Poly{3, 0, 1}));
}

TEST_F(StoreTest, ThreeStoredFactorsStartTheCombinationWalk) {
    Prepare({{1, 1}, {1, -1}}, {2, 1}, {3, 0, 1});
    EXPECT_EQ(AcceptFactor(e, 1).Outcome, MethodOutcome::Kept);
    EXPECT_EQ(e.store.StoredCount, 3);
    // The older factors were tried alone, 1 + x and then 1 - x: the last
    // division, by 3 + x^2 times 1 - x, left the other two.
    EXPECT_EQ(Part(e.search.TrialFactor, 2), Multiply({1, 1}, {2, 1}));
}

TEST_F(DenseArithTest, SuccessfulCombinationKeepsOnlyTheChosenFactors) {
    // One variable: every exact split passes the degree test. Stored 1 + x,
    // 2 + x, 3 + x and the newest 1 - x; the remaining part is 5 + x^2.
    const Poly rest{5, 0, 1};
    Poly keep = rest;
    for (const Poly& f : std::vector<Poly>{{1, 1}, {2, 1}, {3, 1}, {1, -1}}) keep = Multiply(keep, f);
    t.SetDense(keep);
    Set(d.PolyCoef, rest);
    d.Degree = 2;
    Store({{1, 1}, {2, 1}, {3, 1}, {1, -1}});
    e.vars.VarMaxExpKeep[1] = static_cast<float>(keep.size() - 1);
    Set(d.PolyWork, rest);
    // The subset {2}: the product 5 + x^2 times 2 + x against all the rest.
    const std::vector<int> chosen{2};
    EXPECT_EQ(CombinationMultiplyItem(e, 2, 2), 3);
    EXPECT_EQ(Part(d.PolyWork, 3), Multiply(rest, {2, 1}));

    const std::optional<FoundSplit> split = CombinationDivideAndTest(e, chosen, 3);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->Found, 3);
    EXPECT_EQ(Part(e.search.TrialFactor, 3), Multiply(Multiply({1, 1}, {3, 1}), {1, -1}));
    EXPECT_EQ(e.store.StoredCount, 1);
    EXPECT_EQ(e.store.StoredEnd, 2);
    EXPECT_EQ(e.store.Work2n[0], 2);
    EXPECT_EQ(e.store.Work2n[1], 1);
}

TEST_F(DenseArithTest, FailedCombinationRestoresTheReducedPolynomial) {
    t.SetDense(Multiply({5, 0, 1}, {2, 1}));
    Set(d.PolyCoef, {5, 0, 1});
    d.Degree = 2;
    Store({{2, 1}});
    e.vars.VarMaxExpKeep[1] = 99;  // no split fits
    Set(d.PolyWork, {1, 0, 0, 0});
    EXPECT_FALSE(CombinationDivideAndTest(e, std::vector<int>{1}, 0));
    EXPECT_EQ(Part(d.PolyWork, 2), (Poly{5, 0, 1}));
}

// The variables c, a, b of a3+a2c+b2c-abc+b3 in the order the image uses:
// weights 1, 2, 8, highest exponents 1, 3, 3.
struct SeveralVariablesTest : DenseArithTest {
    void SetUp() override {
        Poly image(20, 0);
        image[0] = 1;   // a2c, power 5
        image[1] = 1;   // a3, power 6
        image[6] = -1;  // abc, power 11
        image[12] = 1;  // b2c, power 17
        image[19] = 1;  // b3, power 24
        t.SetDense(image);
        d.LowExp = 5;
        VarTable& v = e.vars;
        v.VarCount = 3;
        v.VarName = {"", "c", "a", "b"};
        v.VarWeight = {0, 1, 2, 8, 0, 0, 0, 0};
        v.VarMaxExpKeep = {0, 1, 3, 3, 0, 0, 0, 0};
    }
};

TEST_F(SeveralVariablesTest, SumOfTheVariablesSplitsWithTheShiftOnTheFactor) {
    const std::optional<FoundSplit> split = TrySumOfVariables(e);
    ASSERT_TRUE(split);
    EXPECT_EQ(e.search.TrialDegree, 7);
    Poly g(8, 0);
    g[0] = g[1] = g[7] = 1;
    EXPECT_EQ(Part(e.search.TrialFactor, 7), g);
    Poly q(13, 0);
    q[0] = q[12] = 1;
    q[6] = -1;
    EXPECT_EQ(Part(d.PolyWork, 12), q);
    EXPECT_EQ(split->Shift, 1);
    EXPECT_EQ(split->Found, 7);
    EXPECT_EQ(split->CofactorDeg, 12);
    EXPECT_EQ(d.Degree, 12);
    EXPECT_EQ(e.store.StoredCount, 0);
    // a^2 - ab + b^2 has no c.
    EXPECT_EQ(split->CofactorHighest[1], 0);
    EXPECT_EQ(split->CofactorHighest[2], 2);
    EXPECT_EQ(split->CofactorHighest[3], 2);
}

TEST_F(SeveralVariablesTest, ImageSplitThatIsNoSplitInEveryVariableRestoresTheWholePolynomial) {
    e.vars.VarMaxExpKeep[1] = 5;  // no shift can make the degrees in c add up
    EXPECT_FALSE(TrySumOfVariables(e));
    EXPECT_EQ(d.Degree, 19);
    EXPECT_EQ(d.PolyCoef[19], 1);
    EXPECT_EQ(d.PolyCoef[6], -1);
    EXPECT_EQ(e.store.StoredCount, 0);
}

TEST_F(SeveralVariablesTest, DenseMaxExponentsTakeEveryVariablesHighest) {
    // a^2 c - a b c: powers 5 and 11.
    const std::array<float, 8> high = DenseMaxExponents(e, Poly{1, 0, 0, 0, 0, 0, -1}, 6, 5);
    EXPECT_EQ(high, (std::array<float, 8>{0, 1, 2, 1, 0, 0, 0, 0}));
}

TEST_F(DenseArithTest, AbsentVariablesAreDroppedAndTheRestMoveDown) {
    e.vars.VarCount = 3;
    e.vars.VarName = {"", "a", "b", "c"};
    e.vars.VarMaxExp = {0, 2, 0, 3, 0, 0, 0, 0};
    e.terms.MaxTerms = 2;
    e.terms.TermCount = 5;
    e.terms.TermExp(1, 1) = 2;
    e.terms.TermExp(1, 3) = 1;
    e.terms.TermExp(2, 3) = 3;
    DropAbsentVariables(e);
    EXPECT_EQ(e.vars.VarCount, 2);
    EXPECT_EQ(e.terms.TermCount, 2);
    EXPECT_EQ(e.vars.VarName[2], "c");
    EXPECT_EQ(e.terms.TermExp(1, 2), 1);
    EXPECT_EQ(e.terms.TermExp(2, 2), 3);
    EXPECT_EQ(e.terms.TermExp(2, 3), 0);
    EXPECT_EQ(e.vars.VarMaxExpKeep[1], 2);
    EXPECT_EQ(e.vars.VarMaxExpKeep[2], 3);
}

}  // namespace
}  // namespace yinshi
