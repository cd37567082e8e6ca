#include "search/trial_search.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/number_form.hpp"
#include "state/allocation.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

using Poly = std::vector<std::int64_t>;

Poly Multiply(const Poly& f, const Poly& g) {
    Poly out(f.size() + g.size() - 1, 0);
    for (std::size_t i = 0; i < f.size(); ++i)
        for (std::size_t j = 0; j < g.size(); ++j) out[i + j] += f[i] * g[j];
    return out;
}

std::vector<float> Floats(const Poly& p) { return {p.begin(), p.end()}; }

Poly Part(const std::vector<float>& v, int deg) {
    Poly p;
    for (int k = 0; k <= deg; ++k) p.push_back(static_cast<std::int64_t>(v[k]));
    return p;
}

struct TrialSearchTest : ::testing::Test {
    testing::TestEngine t;
    Engine& e = t.e;
    SearchState& s = e.search;

    // The polynomial, its divisor pairs as the driver lists them, degree d
    // with the bound `bound` at positions 1..d-1, `top` at d, and Bound2.
    void Prepare(const std::vector<float>& coefs, int d, int bound, int top, float bound2) {
        t.SetDense(coefs);
        const int n = e.dense.Degree;
        const auto a0 = static_cast<std::int64_t>(std::fabs(coefs[0]));
        std::vector<std::int64_t> divisors;
        for (std::int64_t v = a0; v >= 1; --v)
            if (a0 % v == 0) divisors.push_back(v);
        const int pairs = static_cast<int>(divisors.size());
        AllocateDivisorLists(e, pairs);
        for (int i = 1; i <= pairs; ++i) {
            s.DivisorA[i] = static_cast<float>(divisors[static_cast<std::size_t>(i - 1)]);
            s.DivisorB[i] = coefs[0] / s.DivisorA[i];
        }
        s.DivisorCount = pairs + 1;
        s.DivisorIdx = 1;
        s.TrialDegree = d;
        s.StartDegree = d;
        s.HalfDegree = n / 2;
        for (int k = 1; k < d; ++k) s.CoefBound[k] = bound;
        s.CoefBound[d] = top;
        s.Bound2 = bound2;
        s.LeadAbs = std::fabs(coefs[static_cast<std::size_t>(n)]);
        s.SearchPos = 1;
        s.StateSaved = 0;
        SetUpDivisorPair(e);
    }

    // Only pair `idx` is tried.
    void OnlyPair(int idx) {
        s.DivisorIdx = idx;
        s.DivisorCount = idx + 1;
        SetUpDivisorPair(e);
    }

    // The search, keeping what it handed over.
    At Search() {
        last = TrialFactorSearch(e);
        return last.Stage;
    }
    int FoundDegree() const { return last.Split.value().Found; }
    Poly Factor() const { return Part(last.Split.value().Factor, FoundDegree()); }
    Poly Cofactor() const { return Part(last.Split.value().Cofactor, last.Split.value().CofactorDeg); }

    Step last = At::SearchEnd;
};

TEST_F(TrialSearchTest, QuadraticSplitsAtTheFirstCompleteAssignmentOfTheFirstPair) {
    Prepare({2, 3, 1}, 1, 1, 1, 12);
    EXPECT_EQ(s.StepGcd, 1);
    EXPECT_EQ(s.CoefStep, 2);
    EXPECT_EQ(s.QuotStep, 1);

    EXPECT_EQ(Search(), At::FactorReport);
    EXPECT_EQ(s.PositionsEntered, 1);
    EXPECT_EQ(s.CompleteAssignments, 1);
    EXPECT_EQ(s.DivisorIdx, 1);
    EXPECT_EQ(Factor(), (Poly{2, 1}));
    EXPECT_EQ(Cofactor(), (Poly{1, 1}));
    // The cofactor is what is searched next.
    EXPECT_EQ(e.dense.Degree, 1);
    EXPECT_EQ(Part(e.dense.PolyCoef, 1), (Poly{1, 1}));
}

TEST_F(TrialSearchTest, UnitConstantWalksOutwardsFromTheStartingPoint) {
    // Start g1 = 0 (leading zero), then -1, 1, -2, 2: accepted at the fifth.
    Prepare({1, 5, 6}, 1, 6, 6, 7);
    EXPECT_EQ(Search(), At::FactorReport);
    EXPECT_EQ(s.PositionsEntered, 1);
    EXPECT_EQ(s.CompleteAssignments, 5);
    EXPECT_EQ(s.UpCoef[1], 2);
    EXPECT_EQ(s.DownCoef[1], -2);
    EXPECT_EQ(s.StepMode[1], 2);
    EXPECT_EQ(Factor(), (Poly{1, 2}));
    EXPECT_EQ(Cofactor(), (Poly{1, 3}));
    // The copy for g0 = 1 prints no progress.
    EXPECT_EQ(t.screen.Log().find(" 1 "), std::string::npos);
}

TEST_F(TrialSearchTest, StartingPointIsTheSameWhateverBound2AdmitsTheFirstSolution) {
    Prepare({1, 5, 6}, 1, 6, 6, 100);
    EXPECT_EQ(Search(), At::FactorReport);
    EXPECT_EQ(s.CompleteAssignments, 5);
}

TEST_F(TrialSearchTest, SumNotDivisibleByTheGcdBacktracksAtOnce) {
    // Pair (2, 2) has gcd 2 and S1 = 3.
    Prepare({4, 3, 1}, 1, 3, 3, 12);
    OnlyPair(2);
    EXPECT_EQ(s.StepGcd, 2);
    EXPECT_EQ(Search(), At::SearchEnd);
    EXPECT_EQ(s.PositionsEntered, 1);
    EXPECT_EQ(s.CompleteAssignments, 0);
    EXPECT_EQ(s.StateSaved, 0);
    // The general copy shows the pair it has used up.
    EXPECT_NE(t.screen.Log().find(" 2 "), std::string::npos);
}

TEST_F(TrialSearchTest, CofactorCoefficientPastThreeMillionRejectsATrueFactor) {
    // (1 + x)(1 + c x^2 + x^3): c = 2999999 still splits, c = 3000001 does not.
    Prepare(Floats(Multiply({1, 1}, {1, 0, 2999999, 1})), 1, 1, 1, 1e6f);
    EXPECT_EQ(Search(), At::FactorReport);
    EXPECT_EQ(Factor(), (Poly{1, 1}));

    Prepare(Floats(Multiply({1, 1}, {1, 0, 3000001, 1})), 1, 1, 1, 1e6f);
    EXPECT_EQ(Search(), At::NextDegree);  // a candidate was complete, none accepted
    EXPECT_EQ(e.dense.Degree, 4);
}

TEST_F(TrialSearchTest, SwappedCheckTakesTheCofactorsLowPartAsTheFactor) {
    // 2 + 5x + 5x^2 + 2x^3 = (1 + x)(2 + 3x + 2x^2); pair (2, 1) meets
    // g = 2 + 3x, q = 1 + x at its third candidate.
    Prepare({2, 5, 5, 2}, 1, 3, 3, 20);
    EXPECT_EQ(Search(), At::FactorReport);
    EXPECT_EQ(s.DivisorIdx, 1);
    EXPECT_EQ(s.CompleteAssignments, 3);
    EXPECT_EQ(Factor(), (Poly{1, 1}));
    EXPECT_EQ(Cofactor(), (Poly{2, 3, 2}));
}

TEST_F(TrialSearchTest, RejectionByTheUpperCoefficientsAlsoTriesTheSwappedCheck) {
    // f = (2 + x + x^2)(2 + 3x + x^2 + x^3). The first candidate of pair (2, 2)
    // is g = 2 + 3x + x^2, q = 2 + x + x^2: g passes the direct check up to
    // the top coefficients, which reject it; q is the factor.
    Prepare(Floats(Multiply({2, 1, 1}, {2, 3, 1, 1})), 2, 3, 2, 1);
    OnlyPair(2);
    EXPECT_EQ(Search(), At::FactorReport);
    EXPECT_EQ(s.CompleteAssignments, 1);
    EXPECT_EQ(Factor(), (Poly{2, 1, 1}));
    EXPECT_EQ(Cofactor(), (Poly{2, 3, 1, 1}));
}

TEST_F(TrialSearchTest, ExhaustedDegreeResumesFromItsFirstCompleteCandidate) {
    // (1 + x + x^2)(3 + 2x + x^2): no linear factor.
    Prepare({3, 5, 6, 3, 1}, 1, 3, 3, 24);
    EXPECT_EQ(Search(), At::NextDegree);
    ASSERT_EQ(s.StateSaved, 1);
    // Layout: j, gcd, steps, q0..qd, g0..gd.
    const std::vector<float>& save = s.SearchSave;
    EXPECT_EQ(save[0], 2);
    const int pair = s.DivisorIdxKeep;
    EXPECT_EQ(save[1], 1);
    EXPECT_EQ(save[2], s.DivisorB[pair]);  // gcd 1: the steps are the pair itself
    EXPECT_EQ(save[3], s.DivisorA[pair]);
    EXPECT_EQ(save[4], s.DivisorB[pair]);
    EXPECT_EQ(save[6], s.DivisorA[pair]);
    const float g1 = save[7];
    const float q1 = save[5];
    EXPECT_EQ(save[6] * q1 + save[4] * g1, 5);  // the saved pair solves position 1

    RestoreSavedSearch(e);
    EXPECT_EQ(s.StateSaved, 0);
    EXPECT_EQ(s.SearchPos, 2);
    EXPECT_EQ(s.DivisorIdx, pair);
    EXPECT_EQ(s.TrialFactor[1], g1);
    EXPECT_EQ(e.dense.PolyWork[1], q1);

    s.TrialDegree = 2;
    s.CoefBound[1] = 3;
    s.CoefBound[2] = 3;
    const long long before = s.PositionsEntered;
    EXPECT_EQ(Search(), At::FactorReport);
    EXPECT_GT(s.PositionsEntered, before);
    EXPECT_EQ(Multiply(Factor(), Cofactor()), (Poly{3, 5, 6, 3, 1}));
    EXPECT_EQ(FoundDegree(), 2);
}

TEST_F(TrialSearchTest, KeyPressedStopsAtTheNextPosition) {
    Prepare({3, 5, 6, 3, 1}, 1, 3, 3, 24);
    t.keys.Add("x");
    EXPECT_EQ(Search(), At::SearchEnd);
    EXPECT_EQ(s.PositionsEntered, 1);
    EXPECT_EQ(s.CompleteAssignments, 0);
    EXPECT_EQ(e.run.StopReason, StopReason::Retune);
}

TEST_F(TrialSearchTest, UnitCopyLeavesThePositionWhenTheLeadingCandidateIsTooNegative) {
    // x^2 + 1 with pair (1, 1): g1 runs 0, -1, 1, -2, where -2 < -LeadAbs
    // ends the position before the upward side reaches 2.
    Prepare({1, 0, 1}, 1, 3, 3, 10);
    EXPECT_EQ(Search(), At::NextDegree);
    EXPECT_EQ(s.CompleteAssignments, 4);
}

TEST_F(TrialSearchTest, JumpToTheTopDegreeChecksCandidatesOfLowerDegree) {
    // After the jump (d = 2 = StartDegree), g = 1 + 2x with g2 = 0 is checked
    // as a factor of degree 1; checks at degree 1 on the way must not spoil
    // the walk at degree 2.
    const Poly f = Multiply({1, 2}, {1, 1, 0, 2});
    Prepare(Floats(f), 2, 2, 2, 10);
    e.run.Skipped = 1;
    e.vars.VarMaxExpKeep[1] = 4;
    EXPECT_EQ(Search(), At::FactorReport);
    EXPECT_EQ(s.TrialDegree, 2);
    EXPECT_EQ(FoundDegree(), 1);
    EXPECT_EQ(Factor(), (Poly{1, 2}));
    EXPECT_EQ(Multiply(Factor(), Cofactor()), f);
    EXPECT_EQ(e.dense.Degree, 4);  // the recording leaves the polynomial alone
}

TEST_F(TrialSearchTest, JumpToTheTopDegreeKeepsTheCofactorOfASwappedLowerDegreeFactor) {
    // Pair (2, 1) at d = 2 meets g = 2 - 2x + 0x^2, q = 1 + x + ...: the swapped
    // check at degree 1 accepts 1 + x with the cofactor 2 - 2x - 4x^2 + x^3.
    const Poly f = Multiply({1, 1}, {2, -2, -4, 1});
    Prepare(Floats(f), 2, 4, 2, 30);
    OnlyPair(1);
    e.run.Skipped = 1;
    e.vars.VarMaxExpKeep[1] = 4;
    EXPECT_EQ(Search(), At::FactorReport);
    EXPECT_EQ(FoundDegree(), 1);
    EXPECT_EQ(Factor(), (Poly{1, 1}));
    EXPECT_EQ(Cofactor(), (Poly{2, -2, -4, 1}));
}

TEST_F(TrialSearchTest, ChecksAtALowerDegreeAfterTheJumpLeaveTheWalkAlone) {
    // Nothing splits here: with the general pair (2, 1) alone, the walk after
    // the jump visits exactly the candidates it visits without the jump, even
    // though it checks some of them at lower degrees on the way.
    const std::vector<float> f{2, 1, 3, -3, 2, 3, 1, -1, -1};
    auto walk = [&](int skipped) {
        Prepare(f, 4, 3, 3, 12);
        OnlyPair(1);
        e.run.Skipped = skipped;
        const long long before = s.CompleteAssignments;
        EXPECT_EQ(Search(), At::NextDegree);
        return s.CompleteAssignments - before;
    };
    const long long plain = walk(0);
    EXPECT_EQ(walk(1), plain);
}

// Seeded random products of small integer polynomials: every factor the
// search accepts multiplies back to the polynomial it was split from.
TEST(TrialSearchProperty, EveryAcceptedFactorDivides) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> coef(-5, 5);
    std::uniform_int_distribution<int> degree(1, 4);
    int splits = 0;
    for (int round = 0; round < 300; ++round) {
        auto random = [&] {
            Poly p(static_cast<std::size_t>(degree(rng)) + 1);
            for (auto& c : p) c = coef(rng);
            if (p.front() == 0) p.front() = 1;
            if (p.back() == 0) p.back() = 2;
            return p;
        };
        const Poly f = Multiply(random(), random());

        testing::TestEngine t;
        Engine& e = t.e;
        SearchState& s = e.search;
        t.SetDense(Floats(f));
        for (int guard = 0; guard < 20; ++guard) {
            const int n = e.dense.Degree;
            if (n < 2) break;
            const Poly current = Part(e.dense.PolyCoef, n);
            float maxAbs = 0;
            for (int k = 1; k <= n; ++k) maxAbs = std::max(maxAbs, std::fabs(e.dense.PolyCoef[k]));
            const auto a0 = static_cast<std::int64_t>(std::llabs(current[0]));
            int pairs = 0;
            AllocateDivisorLists(e, static_cast<int>(a0));
            for (std::int64_t v = a0; v >= 1; --v)
                if (a0 % v == 0) {
                    ++pairs;
                    s.DivisorA[pairs] = static_cast<float>(v);
                    s.DivisorB[pairs] = static_cast<float>(current[0]) / s.DivisorA[pairs];
                }
            s.DivisorCount = pairs + 1;
            s.DivisorIdx = 1;
            SetUpDivisorPair(e);
            s.Bound2 = 4 * std::max(3.0f, maxAbs);
            s.LeadAbs = std::fabs(e.dense.PolyCoef[n]);
            s.SearchPos = 1;
            s.StateSaved = 0;
            s.HalfDegree = n / 2;
            const int bound = static_cast<int>(maxAbs) + 1;
            Step step = At::SearchEnd;
            for (s.TrialDegree = 1; s.TrialDegree <= s.HalfDegree;) {
                for (int k = 1; k <= s.TrialDegree; ++k) s.CoefBound[k] = bound;
                s.CoefBound[s.TrialDegree] = std::max(bound, static_cast<int>(s.LeadAbs));
                step = TrialFactorSearch(e);
                if (step.Stage != At::NextDegree) break;
                RestoreSavedSearch(e);
                s.TrialDegree += 1;
            }
            if (step.Stage != At::FactorReport) break;
            ++splits;
            const FoundSplit split = step.Split.value();
            ASSERT_EQ(Multiply(Part(split.Factor, split.Found), Part(split.Cofactor, split.CofactorDeg)), current)
                << "round " << round;
            ASSERT_EQ(e.dense.Degree, split.CofactorDeg);
        }
    }
    EXPECT_GT(splits, 200);  // the property is not checked on nothing
}

}  // namespace
}  // namespace yinshi
