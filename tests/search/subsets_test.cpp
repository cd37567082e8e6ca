#include "search/subsets.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <string>
#include <vector>

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

struct SubsetTest : ::testing::Test {
    testing::TestEngine t;
    Engine& e = t.e;

    // Watches the walk of a client other than the variable order: the items
    // each subset is built from, and which subset makes the client stop.
    std::vector<Subset> visited;
    Subset current;

    void Watch(int stopAt = -1) {
        e.subsets.ItemProbe = [this](int item) { current.push_back(item); };
        e.subsets.SubsetProbe = [this, stopAt] {
            visited.push_back(current);
            current.clear();
            return static_cast<int>(visited.size()) == stopAt;
        };
    }

    // A term table: each row holds the exponents of the variables 1..k.
    void Terms(const std::vector<std::vector<float>>& rows) {
        int k = static_cast<int>(rows.front().size());
        e.vars.VarCount = static_cast<float>(k);
        e.terms.TermCount = static_cast<float>(rows.size());
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

    void ChooseOrder() {
        e.run.SolutionNo = 1;
        e.run.ItemCount = static_cast<int>(e.vars.VarCount) + 1;
        e.run.FirstSize = static_cast<int>(e.vars.VarCount);
        EXPECT_EQ(EnumerateSubsets(e), std::nullopt);
    }

    std::vector<float> Head(const std::vector<float>& v, int from, int to) const {
        return std::vector<float>(v.begin() + from, v.begin() + to + 1);
    }
};

TEST_F(SubsetTest, PlFilesHoldEveryPermutationInTheirBuildOrder) {
    BuildPlFiles(e, 1);
    EXPECT_EQ(e.subsets.PlOut, "pl2");
    EXPECT_EQ(t.dir.Read("pl1"), Blanks("␣1␣\r\n"));
    EXPECT_EQ(t.dir.Read("pl2"), Blanks("␣1␣\r\n"));

    BuildPlFiles(e, 2);
    EXPECT_EQ(e.subsets.PlOut, "pl1");
    EXPECT_EQ(t.dir.Read("pl1"), Blanks("␣1␣␣2␣\r\n␣2␣␣1␣\r\n"));
    EXPECT_EQ(t.dir.Read("pl2"), Blanks("␣1␣\r\n"));

    BuildPlFiles(e, 3);
    EXPECT_EQ(e.subsets.PlOut, "pl2");
    EXPECT_EQ(e.subsets.PermCount, 2);
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
    std::string text = t.dir.Read(e.subsets.PlOut);
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
    EXPECT_EQ(Head(e.dense.PolyWork, 0, 1), (std::vector<float>{2, 1}));
    EXPECT_EQ(e.search.TrialFactor[1], 1);
    EXPECT_EQ(Head(e.terms.TermMainExp, 1, 3), (std::vector<float>{2, 1, 0}));
    EXPECT_EQ(e.dense.Degree, 2);
}

TEST_F(SubsetTest, TwoVariablesWithEqualSpreadsTakeVariableTwo) {
    // x^2 + 3xy + 2y^2: both orders give the image a spread of 4.
    Terms({{2, 0}, {1, 1}, {0, 2}});
    ChooseOrder();
    EXPECT_EQ(Head(e.dense.PolyWork, 0, 2), (std::vector<float>{4, 2, 1}));
    EXPECT_EQ(Head(e.search.TrialFactor, 1, 2), (std::vector<float>{1, 3}));
    // The image of the order kept (y weighs 1, x weighs 3), not of the last one scored.
    EXPECT_EQ(Head(e.terms.TermMainExp, 1, 3), (std::vector<float>{6, 4, 2}));
    EXPECT_EQ(e.dense.Degree, 4);
    // VarOrder and VarInt stay as the last line of the file left them.
    EXPECT_EQ(Head(e.vars.VarOrder, 1, 2), (std::vector<float>{1, 2}));
}

TEST_F(SubsetTest, WholeImageExponentsDecideTheOrder) {
    // x, x^2, x^3y^3: x alone spreads least (1..3), but the images spread 14
    // with x as the main variable and 11 with y (x weighs 4: 4, 8, 15).
    Terms({{1, 0}, {2, 0}, {3, 3}});
    ChooseOrder();
    EXPECT_EQ(Head(e.dense.PolyWork, 0, 2), (std::vector<float>{11, 2, 1}));
    EXPECT_EQ(Head(e.search.TrialFactor, 1, 2), (std::vector<float>{1, 4}));
    EXPECT_EQ(Head(e.terms.TermMainExp, 1, 3), (std::vector<float>{4, 8, 15}));
    EXPECT_EQ(e.dense.Degree, 11);
}

TEST_F(SubsetTest, ThreeVariablesTieGoesToTheFirstLineAndWeightsMultiply) {
    // a + b + c spreads the same in all six orders: the first line, 1 2 3,
    // read as the order (3, 2, 1), is kept.
    Terms({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    ChooseOrder();
    EXPECT_EQ(Head(e.dense.PolyWork, 0, 3), (std::vector<float>{3, 3, 2, 1}));
    EXPECT_EQ(Head(e.search.TrialFactor, 1, 3), (std::vector<float>{1, 2, 4}));

    // c weighs 1, b weighs (3 + 1), a weighs 4 * (1 + 1).
    Terms({{2, 0, 0}, {0, 1, 0}, {0, 0, 3}, {2, 1, 3}});
    ChooseOrder();
    std::vector<float> order = Head(e.dense.PolyWork, 1, 3);
    std::vector<float> weight = Head(e.search.TrialFactor, 1, 3);
    EXPECT_EQ(weight[0], 1);
    float maxExp[4] = {0, 2, 1, 3};
    EXPECT_EQ(weight[1], maxExp[static_cast<int>(order[0])] + 1);
    EXPECT_EQ(weight[2], weight[1] * (maxExp[static_cast<int>(order[1])] + 1));
}

TEST_F(SubsetTest, FiveItemsTakenTwoAtATimeGiveTheTenPairsInOrder) {
    Watch();
    e.run.SolutionNo = 2;
    e.run.AnotherAnswer = "n";
    e.run.ItemCount = 5;
    e.run.FirstSize = 2;
    EXPECT_EQ(EnumerateSubsets(e), std::nullopt);
    std::vector<Subset> pairs(visited.begin(), visited.begin() + 10);
    EXPECT_EQ(pairs,
              (std::vector<Subset>{{1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 3}, {2, 4}, {2, 5}, {3, 4}, {3, 5}, {4, 5}}));
    EXPECT_EQ(visited.size(), 10u + 10u + 5u);  // then the triples and the quadruples
    EXPECT_FALSE(t.dir.Exists("pl1"));
}

TEST_F(SubsetTest, EverySizeIsWalkedInLexicographicOrder) {
    for (int n = 2; n <= 8; ++n) {
        testing::TestEngine fresh;
        Engine& f = fresh.e;
        std::vector<Subset> seen;
        Subset building;
        f.subsets.ItemProbe = [&](int item) { building.push_back(item); };
        f.subsets.SubsetProbe = [&] {
            seen.push_back(building);
            building.clear();
            return false;
        };
        f.run.SolutionNo = 2;
        f.run.ItemCount = n;
        f.run.FirstSize = 1;
        EnumerateSubsets(f);
        std::vector<Subset> expected;
        for (int k = 1; k <= n - 1; ++k) {
            auto some = Lexicographic(n, k);
            expected.insert(expected.end(), some.begin(), some.end());
        }
        EXPECT_EQ(seen, expected) << "n = " << n;
    }
}

TEST_F(SubsetTest, CombinationOfFourStoredFactorsStopsAtTheFirstSuccess) {
    // The product starts from the polynomial again after every failed subset.
    t.SetDense({6, 5, 1});
    e.dense.ProdDegree = 2;
    std::vector<float> startOfSubset;
    e.subsets.ItemProbe = [&](int item) {
        if (current.empty()) startOfSubset.push_back(e.dense.PolyWork[0]);
        current.push_back(item);
        e.dense.PolyWork[0] *= 10;  // what multiplying a factor in would do
        e.dense.ProdDegree += 1;
    };
    e.subsets.SubsetProbe = [&] {
        visited.push_back(current);
        current.clear();
        return visited.back() == Subset{1, 3};
    };
    e.run.SolutionNo = 2;
    e.run.AnotherAnswer = "";
    e.run.ItemCount = 3;
    e.run.FirstSize = 1;
    EXPECT_EQ(EnumerateSubsets(e), std::nullopt);
    EXPECT_EQ(visited, (std::vector<Subset>{{1}, {2}, {3}, {1, 2}, {1, 3}}));
    EXPECT_EQ(startOfSubset, std::vector<float>(5, 6.0f));
    // The successful product is kept for the caller.
    EXPECT_EQ(e.dense.PolyWork[0], 600);
    EXPECT_EQ(e.dense.ProdDegree, 4);
}

TEST_F(SubsetTest, AnotherSolutionClientEndsTheRunWhenItsStepSaysSo) {
    Watch(3);
    e.run.SolutionNo = 2;
    e.run.AnotherAnswer = "y";
    e.run.ItemCount = 4;
    e.run.FirstSize = 1;
    EXPECT_EQ(EnumerateSubsets(e), At::EndPrompt);
    EXPECT_EQ(visited, (std::vector<Subset>{{1}, {2}, {3}}));
}

}  // namespace
}  // namespace yinshi
