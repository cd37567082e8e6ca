#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "present/repeated_split.hpp"
#include "search/repeated_factor.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

using testing::Blanks;

const std::string CRLF = "\r\n";
const std::string kEarlier = "=(x^ 3 - 3x - 2)" + CRLF;

// The closing's use of the test: a split found is shown.
void RepeatedFactorTest(Engine& e) {
    if (auto split = FindRepeatedFactor(e)) ShowRepeatedSplit(e, {split->g, split->m, split->q, split->n - split->m});
}

// The engine as CloseTranscript leaves it after a first pass with no split:
// jg.dat written and closed.
struct Closed {
    testing::TestEngine t;
    Engine& e = t.e;

    explicit Closed(const std::vector<float>& f) {
        t.SetDense(f);
        e.terms.TermCount = static_cast<int>(f.size());
        e.run.FactorFound = false;
        t.dir.Write("jg.dat", kEarlier);
    }
    std::string Jg() const { return t.dir.Read("jg.dat"); }
};

TEST(RepeatedFactor, ShowsTheSquaredFactorOnScreenAndInTheReopenedTranscript) {
    Closed c({-2, -3, 0, 1});  // x^3 - 3x - 2 = (x + 1)^2 (x - 2)
    RepeatedFactorTest(c.e);
    EXPECT_TRUE(c.e.run.FactorFound);
    // The sequence ends on -x - 1; G is shown with a positive leading coefficient.
    EXPECT_EQ(c.t.screen.Log(), Blanks("******␣=(x+␣1␣)(x^␣2␣-x-␣2␣)\n=....\n"));
    EXPECT_EQ(c.Jg(), kEarlier + Blanks("=(x␣+␣1)(x^␣2␣-␣x␣-␣2)") + CRLF + "=...." + CRLF);
    EXPECT_FALSE(c.e.jg.IsOpen());
    EXPECT_EQ(c.t.screen.At(1, 1).fg, 4);
    EXPECT_EQ(c.t.screen.At(1, 1).bg, 7);
    EXPECT_EQ(c.t.screen.Foreground(), 7);
    EXPECT_EQ(c.t.screen.Background(), 0);
}

TEST(RepeatedFactor, TheContentPrefixGoesToBothOutputs) {
    Closed c({-2, -3, 0, 1});
    c.e.run.SignPrefix = "-";
    c.e.run.Content = 3;
    RepeatedFactorTest(c.e);
    EXPECT_EQ(c.t.screen.Log(), Blanks("******␣=-␣3␣(x+␣1␣)(x^␣2␣-x-␣2␣)\n=....\n"));
    EXPECT_EQ(c.Jg(), kEarlier + Blanks("=-␣3(x␣+␣1)(x^␣2␣-␣x␣-␣2)") + CRLF + "=...." + CRLF);
}

TEST(RepeatedFactor, ANegativeLastDivisorIsMadePositive) {
    // (x + 28)^2 (x^2 + 16x - 26): the sequence ends on -x - 28.
    Closed c({-20384, 11088, 1654, 72, 1});
    RepeatedFactorTest(c.e);
    EXPECT_EQ(c.t.screen.Log(), Blanks("******␣=(x+␣28␣)(x^␣3␣+␣44␣x^␣2␣+␣422␣x-␣728␣)\n=....\n"));
}

TEST(RepeatedFactor, NothingWithoutARepeatedFactorOrPastTheLimits) {
    const std::vector<std::vector<float>> polys = {
        {1, 0, 1},                   // x^2 + 1: f and f' coprime
        {-2, 1, 1},                  // (x + 2)(x - 1)
        {-3025, 9185, -331, 3},      // (x - 55)^2 (3x - 1): a reduction product passes 3,000,000
        {-60025, 9653, -319, 3},     // (x - 49)^2 (3x - 25): one passes -3,000,000
        {-111392, 17995, -836, 12},  // a repeated factor, but scaling A passes 3,000,000
        {116, -344, 249, 9},         // a repeated factor, but a content search starts above 30,000
        {2250000, 3000, 1},          // (x + 1500)^2: 2 * a0 already passes 3,000,000
    };
    for (const auto& f : polys) {
        Closed c(f);
        RepeatedFactorTest(c.e);
        EXPECT_EQ(c.t.screen.Log(), "") << f[0];
        EXPECT_EQ(c.Jg(), kEarlier) << f[0];
        EXPECT_FALSE(c.e.run.FactorFound) << f[0];
    }
}

TEST(RepeatedFactor, SeveralVariablesNeedTheDegreeSplit) {
    // The image x^3 - 3x - 2 of a polynomial in x and y; y weighs 10.
    for (float yMax : {0.0f, 1.0f}) {
        Closed c({-2, -3, 0, 1});
        c.e.vars.VarCount = 2;
        c.e.vars.VarName[2] = "y";
        c.e.vars.VarWeight = {0, 1, 10, 0, 0, 0, 0, 0};
        c.e.vars.VarMaxExpKeep = {0, 3, yMax, 0, 0, 0, 0, 0};
        RepeatedFactorTest(c.e);
        if (yMax == 0) {
            EXPECT_TRUE(c.e.run.FactorFound);
            EXPECT_NE(c.t.screen.Log(), "");
        } else {
            EXPECT_FALSE(c.e.run.FactorFound);
            EXPECT_EQ(c.t.screen.Log(), "");
            EXPECT_EQ(c.Jg(), kEarlier);
        }
    }
}

}  // namespace
}  // namespace yinshi
