#include "search/subsets.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "search/k_subsets.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

using testing::Blanks;
using Subset = std::vector<int>;

// Every k-subset of 1..n in lexicographic order, built independently.
std::vector<Subset> Lexicographic(int n, int k) {
    std::vector<Subset> all;
    std::vector<bool> pick(static_cast<std::size_t>(n), false);
    std::fill(pick.begin(), pick.begin() + k, true);
    do {
        Subset s;
        for (int i = 0; i < n; ++i)
            if (pick[static_cast<std::size_t>(i)]) s.push_back(i + 1);
        all.push_back(s);
    } while (std::prev_permutation(pick.begin(), pick.end()));
    return all;
}

// The k-subsets of 1..n as the walk builds them, item by item, each checked
// against the subset its visit is given; the visit numbered `stopAt` ends the
// walk.
struct Walked {
    std::vector<Subset> orderFiles;
    bool ended = false;
};

Walked Walk(int n, int k, std::size_t stopAt = 0) {
    Walked w;
    Subset building;
    auto step = [&](int pos, int item) {
        EXPECT_EQ(pos, static_cast<int>(building.size()) + 1);
        building.push_back(item);
        return false;
    };
    auto visit = [&](std::span<const int> chosen) {
        EXPECT_EQ(Subset(chosen.begin(), chosen.end()), building);
        w.orderFiles.push_back(building);
        building.clear();
        return w.orderFiles.size() == stopAt;
    };
    w.ended = ForEachKSubset(n, k, step, visit);
    return w;
}

struct SubsetTest : ::testing::Test {
    testing::TestEngine t;
    Engine& e = t.e;

    // A term table: each row holds the exponents of the variables 1..k.
    void Terms(const std::vector<std::vector<float>>& rows) {
        int k = static_cast<int>(rows.front().size());
        e.vars.VarCount = k;
        e.terms.TermCount = static_cast<int>(rows.size());
        for (int j = 1; j <= k; ++j) e.vars.VarMaxExpKeep[j] = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            e.terms.TermCoef[i + 1] = 1;
            for (int j = 1; j <= k; ++j) {
                float x = rows[i][static_cast<std::size_t>(j - 1)];
                e.terms.TermExp(static_cast<int>(i + 1), j) = x;
                e.vars.VarMaxExpKeep[j] = std::max(e.vars.VarMaxExpKeep[j], x);
            }
        }
    }

    // The order kept as {spread, order(1..k)} and its weights(1..k).
    std::vector<float> kept;
    std::vector<float> weights;
    void ChooseOrder() {
        const VariableOrder o = OrderVariables(e, e.vars.VarCount);
        const auto k = static_cast<std::size_t>(e.vars.VarCount);
        kept.assign(1, o.spread);
        kept.insert(kept.end(), o.order.begin() + 1, o.order.begin() + 1 + static_cast<std::ptrdiff_t>(k));
        weights.assign(o.weight.begin() + 1, o.weight.begin() + 1 + static_cast<std::ptrdiff_t>(k));
    }

    std::vector<float> Head(const std::vector<float>& v, int from, int to) const {
        return std::vector<float>(v.begin() + from, v.begin() + to + 1);
    }
};

TEST_F(SubsetTest, PlFilesHoldEveryPermutationInTheirBuildOrder) {
    BuildPlFiles(e, 1);
    EXPECT_EQ(e.orderFiles.PlOut, "pl2");
    EXPECT_EQ(t.dir.Read("pl1"), Blanks("␣1␣\r\n"));
    EXPECT_EQ(t.dir.Read("pl2"), Blanks("␣1␣\r\n"));

    BuildPlFiles(e, 2);
    EXPECT_EQ(e.orderFiles.PlOut, "pl1");
    EXPECT_EQ(t.dir.Read("pl1"), Blanks("␣1␣␣2␣\r\n␣2␣␣1␣\r\n"));
    EXPECT_EQ(t.dir.Read("pl2"), Blanks("␣1␣\r\n"));

    BuildPlFiles(e, 3);
    EXPECT_EQ(e.orderFiles.PlOut, "pl2");
    EXPECT_EQ(t.dir.Read("pl2"), Blanks("␣1␣␣2␣␣3␣\r\n"
                                        "␣3␣␣2␣␣1␣\r\n"
                                        "␣1␣␣3␣␣2␣\r\n"
                                        "␣2␣␣1␣␣3␣\r\n"
                                        "␣3␣␣1␣␣2␣\r\n"
                                        "␣2␣␣3␣␣1␣\r\n"));
    EXPECT_EQ(t.dir.Read("pl1"), Blanks("␣1␣␣2␣\r\n␣2␣␣1␣\r\n"));
}

TEST_F(SubsetTest, PlFileForSevenVariablesHoldsEachOrderOnce) {
    t.dir.Write("pl1", "left over from an earlier run\r\n");
    BuildPlFiles(e, 7);
    std::string text = t.dir.Read(e.orderFiles.PlOut);
    std::set<std::string> lines;
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos);
        std::string line = text.substr(pos, end - pos);
        std::vector<int> numbers;
        for (std::size_t i = 0; i + 2 < line.size() + 1; i += 3) numbers.push_back(line[i + 1] - '0');
        std::vector<int> sorted = numbers;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3, 4, 5, 6, 7})) << line;
        lines.insert(line);
        ++count;
        pos = end + 2;
    }
    EXPECT_EQ(count, 5040u);
    EXPECT_EQ(lines.size(), 5040u);
}

TEST_F(SubsetTest, OneVariableIsItsOwnOrder) {
    Terms({{2}, {1}, {0}});
    ChooseOrder();
    EXPECT_EQ(t.dir.Read("pl2"), Blanks("␣1␣\r\n"));
    EXPECT_EQ(kept, (std::vector<float>{2, 1}));
    EXPECT_EQ(weights, (std::vector<float>{1}));
    EXPECT_EQ(Head(e.terms.TermMainExp, 1, 3), (std::vector<float>{2, 1, 0}));
    EXPECT_EQ(e.dense.Degree, 2);
}

TEST_F(SubsetTest, TwoVariablesWithEqualSpreadsTakeVariableTwo) {
    // x^2 + 3xy + 2y^2: both orders give the image a spread of 4.
    Terms({{2, 0}, {1, 1}, {0, 2}});
    ChooseOrder();
    EXPECT_EQ(kept, (std::vector<float>{4, 2, 1}));
    EXPECT_EQ(weights, (std::vector<float>{1, 3}));
    // The image of the order kept (y weighs 1, x weighs 3), not of the last one scored.
    EXPECT_EQ(Head(e.terms.TermMainExp, 1, 3), (std::vector<float>{6, 4, 2}));
    EXPECT_EQ(e.dense.Degree, 4);
    // VarOrder stays as the last line of the file left it.
    EXPECT_EQ(Head(e.vars.VarOrder, 1, 2), (std::vector<float>{1, 2}));
}

TEST_F(SubsetTest, WholeImageExponentsDecideTheOrder) {
    // x, x^2, x^3y^3: x alone spreads least (1..3), but the images spread 14
    // with x as the main variable and 11 with y (x weighs 4: 4, 8, 15).
    Terms({{1, 0}, {2, 0}, {3, 3}});
    ChooseOrder();
    EXPECT_EQ(kept, (std::vector<float>{11, 2, 1}));
    EXPECT_EQ(weights, (std::vector<float>{1, 4}));
    EXPECT_EQ(Head(e.terms.TermMainExp, 1, 3), (std::vector<float>{4, 8, 15}));
    EXPECT_EQ(e.dense.Degree, 11);
}

TEST_F(SubsetTest, ThreeVariablesTieGoesToTheFirstLineAndWeightsMultiply) {
    // a + b + c spreads the same in all six orders: the first line, 1 2 3,
    // read as the order (3, 2, 1), is kept.
    Terms({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    ChooseOrder();
    EXPECT_EQ(kept, (std::vector<float>{3, 3, 2, 1}));
    EXPECT_EQ(weights, (std::vector<float>{1, 2, 4}));

    // c weighs 1, b weighs (3 + 1), a weighs 4 * (1 + 1).
    Terms({{2, 0, 0}, {0, 1, 0}, {0, 0, 3}, {2, 1, 3}});
    ChooseOrder();
    std::vector<float> order(kept.begin() + 1, kept.end());
    std::vector<float> weight = weights;
    EXPECT_EQ(weight[0], 1);
    float maxExp[4] = {0, 2, 1, 3};
    EXPECT_EQ(weight[1], maxExp[static_cast<int>(order[0])] + 1);
    EXPECT_EQ(weight[2], weight[1] * (maxExp[static_cast<int>(order[1])] + 1));
}

TEST(KSubsetWalk, FiveItemsTakenTwoAtATimeGiveTheTenPairsInOrder) {
    Walked pairs = Walk(5, 2);
    EXPECT_EQ(pairs.orderFiles,
              (std::vector<Subset>{{1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 3}, {2, 4}, {2, 5}, {3, 4}, {3, 5}, {4, 5}}));
    EXPECT_FALSE(pairs.ended);
    // Then the triples and the quadruples.
    EXPECT_EQ(Walk(5, 3).orderFiles.size(), 10u);
    EXPECT_EQ(Walk(5, 4).orderFiles.size(), 5u);
}

TEST(KSubsetWalk, EverySizeIsWalkedInLexicographicOrder) {
    for (int n = 2; n <= 8; ++n)
        for (int k = 1; k <= n - 1; ++k) EXPECT_EQ(Walk(n, k).orderFiles, Lexicographic(n, k)) << n << " " << k;
}

TEST(KSubsetWalk, AVisitEndsTheWalkAtOnce) {
    Walked w = Walk(4, 1, 3);
    EXPECT_TRUE(w.ended);
    EXPECT_EQ(w.orderFiles, (std::vector<Subset>{{1}, {2}, {3}}));
}

TEST_F(SubsetTest, CombinationOfFourStoredFactorsStopsAtTheFirstSuccess) {
    // One variable, so every exact split is a split. Kept: (5 + x^2)(2 + x)(3 + x)(1 - x);
    // stored 1 + x, 2 + x, 3 + x and the newest 1 - x. {1} does not divide, {2}
    // does, and so would {3} after it.
    t.SetDense({30, -5, -14, -6, -4, -1});
    e.vars.VarMaxExpKeep[1] = 5;
    const std::vector<float> reduced{5, 0, 1};
    for (int k = 0; k <= 2; ++k) e.dense.PolyCoef[k] = e.dense.PolyWork[k] = reduced[k];
    e.dense.Degree = 2;
    FactorStore& st = e.store;
    const std::vector<float> coefs{1, 1, 2, 1, 3, 1, 1, -1};
    std::copy(coefs.begin(), coefs.end(), st.Work2n.begin());
    for (int m = 0; m <= 4; ++m) st.StoredEndAt[m] = static_cast<float>(2 * m);
    for (int m = 1; m <= 4; ++m) st.StoredDeg[m] = 1;
    st.StoredCount = 4;
    st.StoredEnd = 8;

    EXPECT_EQ(CombineStoredFactors(e, 3, 1).Outcome, MethodOutcome::Split);
    EXPECT_EQ(st.StoredCount, 1);
    EXPECT_EQ(Head(st.Work2n, 0, 1), (std::vector<float>{2, 1}));
    // The successful product, built from the reduced polynomial again after
    // {1} failed, is kept for the caller with the rest as the quotient.
    EXPECT_EQ(Head(e.dense.PolyWork, 0, 3), (std::vector<float>{10, 5, 2, 1}));
    EXPECT_EQ(Head(e.search.TrialFactor, 0, 2), (std::vector<float>{3, -2, -1}));
}

}  // namespace
}  // namespace yinshi
