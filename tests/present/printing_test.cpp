#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "present/printing.hpp"
#include "state/image_power.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

using testing::Blanks;

// Runs one printing routine on a fresh engine and reads both outputs back.
struct PrintFixture : ::testing::Test {
    testing::TestEngine t;
    Engine& e = t.e;

    void SetUp() override { t.OpenTranscript(); }
    std::string ConsoleText() const { return t.screen.Log(); }
    std::string JgText() { return t.CloseAndReadTranscript(); }

    void SetTerms(const std::vector<std::string>& vars, const std::vector<std::vector<float>>& rows) {
        t.SetTerms(vars, rows);
    }
};

TEST_F(PrintFixture, TermTableWritesItemsOnTheConsoleAndTextPowersInTheTranscript) {
    SetTerms({"x"}, {{3, 2}, {-1, 1}, {1, 0}});
    PrintTermTable(e);
    EXPECT_EQ(ConsoleText(), Blanks("␣3␣x^␣2␣-x+␣1␣"));
    EXPECT_EQ(JgText(), Blanks("␣3␣x^␣2-x+␣1␣\r\n"));
}

TEST_F(PrintFixture, TermTableLaterConstantAndSeveralVariables) {
    SetTerms({"a", "b"}, {{-2, 2, 1}, {5, 1, 0}, {5, 0, 0}});
    PrintTermTable(e);
    EXPECT_EQ(ConsoleText(), Blanks("-␣2␣a^␣2␣b+␣5␣a+␣5␣"));
    EXPECT_EQ(JgText(), Blanks("-␣2␣a^␣2b+␣5␣a+␣5␣\r\n"));
}

struct DenseCase {
    std::vector<float> coefs;  // ascending
    int shift;
    const char* console;
    const char* jg;
};

TEST_F(PrintFixture, DensePolynomialOnBothOutputs) {
    const DenseCase cases[] = {
        {{1, -3, 1}, 0, "(x^␣2␣-␣3␣x+␣1␣)", "(x^␣2␣-␣3x␣+␣1)"},
        {{1}, 0, "(␣1␣)", "(1)"},
        {{0, 0, 1}, 0, "(x^␣2␣)", "(x^␣2␣)"},
        {{1, 1}, 2, "(x^␣3␣+x^␣2␣)", "(x^␣3␣+␣x^␣2␣)"},
        {{-1, 0, -2}, 0, "(-2␣x^␣2␣-␣1␣)", "(-2x^␣2␣-␣1)"},
        {{5, -1}, 0, "(-x+␣5␣)", "(-x␣+␣5)"},
    };
    for (const auto& c : cases) {
        testing::TestEngine f;
        f.OpenTranscript();
        f.SetDense(c.coefs);
        PrintDensePoly(f.e, c.coefs, static_cast<int>(c.coefs.size()) - 1, c.shift, PrintTarget::ScreenAndTranscript);
        EXPECT_EQ(f.screen.Log(), Blanks(c.console)) << c.console;
        EXPECT_EQ(f.CloseAndReadTranscript(), Blanks(c.jg) + "\r\n") << c.jg;
    }
}

TEST_F(PrintFixture, TermTableRebuiltFromADensePolynomial) {
    t.SetDense({7, 0, -3, 2});
    RebuildTermTable(e, std::vector<float>{70, 0, -30, 20}, 3, 1);
    ASSERT_EQ(e.terms.MaxTerms, 3);
    EXPECT_EQ(e.terms.TermCoef[1], 20);
    EXPECT_EQ(e.terms.TermCoef[3], 70);
    EXPECT_EQ(e.terms.TermExp(1, 1), 4);
    EXPECT_EQ(e.terms.TermExp(2, 1), 3);
    EXPECT_EQ(e.terms.TermExp(3, 1), 1);
}

TEST_F(PrintFixture, DensePolynomialStaysOffTheTranscriptForTheScreenAlone) {
    t.SetDense({1, 1});
    PrintDensePoly(e, e.dense.PolyWork, 1, 0, PrintTarget::Screen);
    EXPECT_EQ(ConsoleText(), Blanks("(x+␣1␣)"));
    EXPECT_EQ(JgText(), "");
}

TEST_F(PrintFixture, TermTableRebuiltFromADensePolynomialGrowsWhenSmall) {
    std::vector<float> ones(40, 1.0f);
    t.SetDense(ones);
    RebuildTermTable(e, ones, 39, 0);
    EXPECT_EQ(e.terms.MaxTerms, 40);
    EXPECT_EQ(e.terms.TermExp(40, 1), 0);
    EXPECT_EQ(e.terms.TermExp(1, 1), 39);
}

struct ContentCase {
    float content, den;
    int termCount;
    float firstCoef;
    std::string sign;
    std::vector<float> minExp;  // per parsed variable x, y
    const char* console;
    const char* jg;
};

TEST_F(PrintFixture, ContentPrefixOnBothOutputs) {
    const ContentCase cases[] = {
        {3, 2, 3, 1, "", {0, 0}, "␣3␣/␣2␣", "␣3/␣2"},
        {1, 1, 3, 1, "", {0, 0}, "", ""},
        {1, 1, 1, 1, "", {0, 0}, "␣1␣", ""},
        {2, 1, 2, 1, "-", {1, 3}, "-␣2␣xy^␣3␣", "-␣2xy^␣3"},
        // A single negative term keeps its sign in the transcript too.
        {5, 1, 1, -1, "", {3, 0}, "␣-␣5␣x^␣3␣", "␣-␣5x^␣3"},
    };
    for (const auto& c : cases) {
        testing::TestEngine f;
        f.OpenTranscript();
        Engine& g = f.e;
        g.run.Content = c.content;
        g.run.DenProduct = c.den;
        g.run.SignPrefix = c.sign;
        g.terms.TermCount = c.termCount;
        g.terms.TermCoef[1] = c.firstCoef;
        g.vars.ParsedVarCount = 2;
        g.vars.VarNameParsed[1] = "x";
        g.vars.VarNameParsed[2] = "y";
        g.vars.VarMinExp[1] = c.minExp[0];
        g.vars.VarMinExp[2] = c.minExp[1];
        PrintContentPrefix(g);
        EXPECT_EQ(f.screen.Log(), Blanks(c.console)) << c.console;
        std::string jg = f.CloseAndReadTranscript();
        EXPECT_EQ(jg, *c.jg ? Blanks(c.jg) + "\r\n" : "") << c.jg;
    }
}

TEST_F(PrintFixture, PowerSuffixGoesToTheTranscriptOnly) {
    t.SetDense({1, 1});
    const struct {
        int arg;
        float low;
        const char* jg;
    } cases[] = {
        {0, 0, ""},
        {0, 1, "x"},
        {2, 1, "x^␣3"},
        {-1, 0, ""},
    };
    for (const auto& c : cases) {
        e.dense.LowExp = c.low;
        PrintPowerSuffix(e, c.arg);
        e.jg.Write("|");
    }
    EXPECT_EQ(ConsoleText(), "");
    EXPECT_EQ(JgText(), Blanks("|x|x^␣3||\r\n"));
}

TEST_F(PrintFixture, EqualsPrefixOpensANewTranscriptLineOutsideStageOne) {
    e.run.Content = 2;
    e.run.DenProduct = 1;
    e.terms.TermCount = 2;
    e.jg.Write("before");
    PrintEqualsPrefix(e);
    e.run.FactorFound = true;
    PrintEqualsPrefix(e);
    EXPECT_EQ(ConsoleText(), Blanks("=␣2␣(("));
    EXPECT_EQ(JgText(), Blanks("before\r\n=␣2(\r\n"));
}

// Several variables: weights 1, 3, 12 for the order (a, b, c) with the highest
// exponents 2 in a and 3 in b.
struct SeveralVariables : PrintFixture {
    void SetUp() override {
        PrintFixture::SetUp();
        e.vars.VarCount = 3;
        e.vars.VarName[1] = "a";
        e.vars.VarName[2] = "b";
        e.vars.VarName[3] = "c";
        e.vars.VarWeight = {0, 1, 3, 12, 0, 0, 0, 0};
    }
};

TEST_F(SeveralVariables, ImagePowersRoundTrip) {
    for (int a = 0; a <= 2; ++a)
        for (int b = 0; b <= 3; ++b)
            for (int c = 0; c <= 4; ++c) {
                std::array<int, 8> exps{};
                ImagePowerToExponents(e, a + 3 * b + 12 * c, exps);
                EXPECT_EQ(exps, (std::array<int, 8>{0, a, b, c, 0, 0, 0, 0}));
            }
}

TEST_F(SeveralVariables, DensePolynomialWritesMonomials) {
    // a^2 + ab c - b^2 + c as powers 2, 1+3+12 = 16, 6 and 12.
    std::vector<float> v(17, 0.0f);
    v[2] = 1;
    v[16] = 1;
    v[6] = -1;
    v[12] = 1;
    AllocateDegreeSized(e, 16);
    PrintDensePoly(e, v, 16, 0, PrintTarget::ScreenAndTranscript);
    RebuildTermTable(e, v, 16, 0);
    EXPECT_EQ(ConsoleText(), Blanks("(abc+c-b^␣2␣+a^␣2␣)"));
    EXPECT_EQ(JgText(), Blanks("(abc␣+␣c␣-␣b^␣2␣+␣a^␣2␣)\r\n"));
    ASSERT_EQ(e.terms.MaxTerms, 4);
    const float want[4][3] = {{1, 1, 1}, {0, 0, 1}, {0, 2, 0}, {2, 0, 0}};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(e.terms.TermExp(i + 1, j + 1), want[i][j]) << i << "," << j;
}

TEST_F(SeveralVariables, PowerSuffixWritesTheMonomialInTextForm) {
    e.dense.LowExp = 5;
    PrintPowerSuffix(e, 9);  // 14 = 2 + 12: a^2 c
    EXPECT_EQ(JgText(), Blanks("a^␣2c\r\n"));
}

}  // namespace
}  // namespace yinshi
