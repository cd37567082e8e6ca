#include "present/grouping.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.hpp"

namespace yinshi {
namespace {

using testing::Blanks;

// A split f = g*q as the factor report hands it over, f's degree in
// DegreeKeep; content 1 unless a test says otherwise.
struct GroupingTest : ::testing::Test {
    testing::TestEngine t;
    Engine& e = t.e;

    void Split(const std::vector<float>& f, const std::vector<float>& g, const std::vector<float>& q) {
        t.SetDense(f);
        e.terms.TermCount = 3;
        e.run.Content = 1;
        e.run.DenProduct = 1;
        factor = g;
        cofactor = q;
        t.OpenTranscript();
        // Line 2 of the transcript, "=(f)", is still open when the working comes.
        e.jg.Write("=(f)");
    }

    DenseSplit Working() const {
        return {factor, static_cast<int>(factor.size()) - 1, cofactor, static_cast<int>(cofactor.size()) - 1};
    }
    std::string Jg() { return t.CloseAndReadTranscript(); }

    std::vector<float> factor;
    std::vector<float> cofactor;
};

TEST_F(GroupingTest, SplitTheSearchFindsForXSquaredPlus3XPlus2) {
    // The search finds g = 2 + x first, with q = 1 + x.
    Split({2, 3, 1}, {2, 1}, {1, 1});
    ShowGroupingWorking(e, Working());
    EXPECT_EQ(Jg(), Blanks("=(f)\r\n"
                           "=[␣1x^␣2+(␣2␣␣1␣)x+␣2]\r\n"
                           "=[(␣1␣x^␣2+␣2␣x)+(␣1␣x+␣2␣)]\r\n"));
    EXPECT_EQ(t.screen.Log(), "~~\n");
    EXPECT_FALSE(e.run.NoGroupingShown);
}

TEST_F(GroupingTest, ContentIsWrittenBeforeBothLinesOnBothOutputs) {
    Split({2, 3, 1}, {2, 1}, {1, 1});
    e.run.SignPrefix = "-";
    e.run.Content = 2;
    ShowGroupingWorking(e, Working());
    EXPECT_EQ(Jg(), Blanks("=(f)\r\n"
                           "=-␣2[␣1x^␣2+(␣2␣␣1␣)x+␣2]\r\n"
                           "=-␣2[(␣1␣x^␣2+␣2␣x)+(␣1␣x+␣2␣)]\r\n"));
    EXPECT_EQ(t.screen.Log(), Blanks("-␣2␣~~\n-␣2␣"));
}

TEST_F(GroupingTest, EqualDegreesShowACancellingPair) {
    // x^2 - 1 = (x - 1)(x + 1): the x products -1 and 1 are both shown.
    Split({-1, 0, 1}, {-1, 1}, {1, 1});
    ShowGroupingWorking(e, Working());
    EXPECT_EQ(Jg(), Blanks("=(f)\r\n"
                           "=[␣1x^␣2+(-1␣␣1␣)x-1]\r\n"
                           "=[(␣1␣x^␣2-1␣x)+(␣1␣x-1␣)]\r\n"));
}

TEST_F(GroupingTest, FactorOfHigherDegreeThanTheCofactor) {
    // (x^2 + 2x + 3)(x - 1) = x^3 + x^2 + x - 3, g of degree 2 over q of degree 1.
    Split({-3, 1, 1, 1}, {3, 2, 1}, {-1, 1});
    ShowGroupingWorking(e, Working());
    EXPECT_EQ(Jg(), Blanks("=(f)\r\n"
                           "=[␣1x^␣3+(-1␣␣2␣)x^␣2+(-2␣␣3␣)x-3]\r\n"
                           "=[(␣1␣x^␣3+␣2␣x^␣2+␣3␣x)+(-1␣x^␣2-2␣x-3␣)]\r\n"));
}

TEST_F(GroupingTest, PowersWithOnlyZeroProductsMergeIntoTheNextGroup) {
    // (x^2 + 2)(x^2 + 3) = x^4 + 5x^2 + 6: the x^3 group takes the x^2
    // products, and the open x group is closed after the constant.
    Split({6, 0, 5, 0, 1}, {2, 0, 1}, {3, 0, 1});
    ShowGroupingWorking(e, Working());
    EXPECT_EQ(Jg(), Blanks("=(f)\r\n"
                           "=[␣1x^␣4+(␣2␣␣3␣)x^␣2+(+␣6)]\r\n"
                           "=[(␣1␣x^␣4+␣2␣x^␣2)+(␣3␣x^␣2+␣6␣)]\r\n"));
}

TEST_F(GroupingTest, LowestPowerShiftsEveryPowerAndShowsTheLetterAfterTheConstant) {
    Split({2, 3, 1}, {2, 1}, {1, 1});
    e.dense.LowExp = 1;
    ShowGroupingWorking(e, Working());
    EXPECT_EQ(Jg(), Blanks("=(f)\r\n"
                           "=[␣1x^␣3+(␣2␣␣1␣)x^␣2+␣2x]\r\n"
                           "=[(␣1␣x^␣3+␣2␣x^␣2)+(␣1␣x^␣2+␣2␣x)]\r\n"));
}

TEST_F(GroupingTest, NothingAfterAnAnewAnswer) {
    Split({2, 3, 1}, {2, 1}, {1, 1});
    e.run.NoEqualsPrefix = true;
    ShowGroupingWorking(e, Working());
    EXPECT_EQ(Jg(), "=(f)\r\n");
    EXPECT_EQ(t.screen.Log(), "");
    EXPECT_TRUE(e.run.NoGroupingShown);
}

}  // namespace
}  // namespace yinshi
