#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "present/gsys_file.hpp"
#include "present/special_forms.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

using testing::Blanks;

const std::string CRLF = "\r\n";

// A polynomial handed to the special forms as a term table, in the first pass
// with jg.dat open and nothing taken out of it.
struct Forms {
    testing::TestEngine t;
    Engine& e = t.e;

    Forms() { t.OpenTranscript(); }

    void SetTerms(const std::vector<std::string>& vars, const std::vector<std::vector<float>>& rows) {
        t.SetTerms(vars, rows);
    }
    // Term i as {coefficient, exponents...} over the current variables.
    std::vector<float> Term(int i) const {
        std::vector<float> row{e.terms.TermCoef[i]};
        for (int j = 1; j <= e.vars.VarCount; ++j) row.push_back(e.terms.TermExp(i, j));
        return row;
    }
    std::string Console() const { return t.screen.Log(); }
    std::string Jg() { return t.CloseAndReadTranscript(); }

    void ExpectMatchedExit(Next next, float termCount) const {
        ASSERT_EQ(next, At::Restart);
        EXPECT_TRUE(e.run.FactorFound);
        EXPECT_TRUE(e.run.NoEqualsPrefix);
        EXPECT_EQ(e.terms.TermCount, termCount);
        EXPECT_EQ(e.run.GsysCount, 1);
    }
    void ExpectDeclined(Next next, const std::vector<std::vector<float>>& rows) {
        EXPECT_FALSE(next.has_value());
        EXPECT_EQ(Console(), "");
        EXPECT_EQ(e.run.GsysCount, 0);
        EXPECT_FALSE(t.dir.Exists(GsysFileName(1)));
        EXPECT_FALSE(e.run.FactorFound);
        for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(Term(static_cast<int>(i) + 1), rows[i]);
        EXPECT_EQ(Jg(), "");
    }
};

TEST(SpecialForms, SquareOfBinomialWritesTheBaseToBothOutputsAndTheQueue) {
    Forms f;
    f.SetTerms({"x"}, {{1, 2}, {2, 1}, {1, 0}});
    Next next = SquareOfBinomial(f.e);
    f.ExpectMatchedExit(next, 2);
    EXPECT_EQ(f.Console(), Blanks("=(␣1␣x^␣1␣+␣1␣)^2␣\n="));
    EXPECT_EQ(f.Jg(), Blanks(CRLF + "=(␣1␣x^␣1␣+␣1␣)^2" + CRLF + "=" + CRLF));
    EXPECT_EQ(f.t.dir.Read("gsys 1"), Blanks("␣1␣␣1␣␣1␣␣1␣␣0␣x") + CRLF);
    // The decomposition goes on with the base x + 1.
    EXPECT_EQ(f.Term(1), (std::vector<float>{1, 1}));
    EXPECT_EQ(f.Term(2), (std::vector<float>{1, 0}));
}

TEST(SpecialForms, SquareOfBinomialWithAMinusAndSeveralVariables) {
    Forms f;
    // 9a^2b^2 - 12abc + 4c^2 = (3ab - 2c)^2
    f.SetTerms({"a", "b", "c"}, {{9, 2, 2, 0}, {-12, 1, 1, 1}, {4, 0, 0, 2}});
    f.ExpectMatchedExit(SquareOfBinomial(f.e), 2);
    EXPECT_EQ(f.Console(), Blanks("=(␣3␣a^␣1␣b^␣1␣-␣2␣c^␣1␣)^2␣\n="));
    EXPECT_EQ(f.t.dir.Read("gsys 1"), Blanks("␣3␣␣3␣␣1␣␣1␣␣0␣-2␣␣0␣␣0␣␣1␣a") + CRLF + "b" + CRLF + "c" + CRLF);
    EXPECT_EQ(f.Term(1), (std::vector<float>{3, 1, 1, 0}));
    EXPECT_EQ(f.Term(2), (std::vector<float>{-2, 0, 0, 1}));
}

TEST(SpecialForms, SquareOfBinomialDeclinesUnlessTheMiddleTermFits) {
    const std::vector<std::vector<std::vector<float>>> tables = {
        {{1, 2}, {1, 0}, {2, 1}},   // middle term not second: it has no variable
        {{1, 2}, {3, 1}, {1, 0}},   // 3 is not 2 * 1 * 1
        {{1, 2}, {2, 1}, {-1, 0}},  // outer signs differ
        {{2, 2}, {4, 1}, {2, 0}},   // 2 is no square
        {{1, 3}, {2, 1}, {1, 0}},   // odd exponent
    };
    for (const auto& rows : tables) {
        Forms f;
        f.SetTerms({"x"}, rows);
        f.ExpectDeclined(SquareOfBinomial(f.e), rows);
    }
}

TEST(SpecialForms, DifferenceOfSquaresQueuesTheSumAndKeepsTheDifference) {
    Forms f;
    f.SetTerms({"a", "b"}, {{4, 2, 0}, {-9, 0, 2}});
    f.ExpectMatchedExit(DifferenceOfSquares(f.e), 2);
    EXPECT_EQ(f.Console(), Blanks("=(␣2␣a^␣1␣+␣3␣b^␣1␣)(␣2␣a^␣1␣-␣3␣b^␣1␣)␣\n="));
    EXPECT_EQ(f.Jg(), Blanks(CRLF + "=(␣2␣a^␣1␣+␣3␣b^␣1␣)(␣2␣a^␣1␣-␣3␣b^␣1␣)" + CRLF + "=" + CRLF));
    // A line end after the count and after every exponent that is not 0.
    EXPECT_EQ(f.t.dir.Read("gsys 1"),
              Blanks("␣2␣" + CRLF + "␣2␣␣1␣" + CRLF + "␣0␣␣3␣␣0␣␣1␣" + CRLF + "a" + CRLF + "b" + CRLF));
    EXPECT_EQ(f.Term(1), (std::vector<float>{2, 1, 0}));
    EXPECT_EQ(f.Term(2), (std::vector<float>{-3, 0, 1}));
}

TEST(SpecialForms, DifferenceOfSquaresShowsTheContentOnBothEqualsLines) {
    Forms f;
    // 3x^2 - 12 with the content 3 taken out: = 3(x + 2)(x - 2)
    f.e.run.Content = 3;
    f.SetTerms({"x"}, {{1, 2}, {-4, 0}});
    f.ExpectMatchedExit(DifferenceOfSquares(f.e), 2);
    EXPECT_EQ(f.Console(), Blanks("=␣3␣(␣1␣x^␣1␣+␣2␣)(␣1␣x^␣1␣-␣2␣)␣\n=␣3␣"));
    EXPECT_EQ(f.Jg(), Blanks(CRLF + "=␣3(␣1␣x^␣1␣+␣2␣)(␣1␣x^␣1␣-␣2␣)" + CRLF + "=␣3" + CRLF));
    // The letter follows the constant's 0 on its line.
    EXPECT_EQ(f.t.dir.Read("gsys 1"), Blanks("␣1␣" + CRLF + "␣1␣␣1␣" + CRLF + "␣2␣␣0␣x" + CRLF));
}

TEST(SpecialForms, BinomialWithEqualSignsIsNeitherSquaresNorCubes) {
    Forms f;
    const std::vector<std::vector<float>> rows = {{1, 2}, {4, 0}};
    f.SetTerms({"x"}, rows);
    EXPECT_FALSE(DifferenceOfSquares(f.e).has_value());
    f.ExpectDeclined(SumOfCubes(f.e), rows);
}

TEST(SpecialForms, SumOfCubesShowsTheCrossTermWithMinus) {
    Forms f;
    f.SetTerms({"x"}, {{1, 3}, {8, 0}});
    f.ExpectMatchedExit(SumOfCubes(f.e), 3);
    EXPECT_EQ(f.Console(), Blanks("=(␣1␣x^␣1␣+␣2␣)(␣1␣x^␣2␣+␣4␣-␣2␣x^␣1␣)␣\n="));
    // One "+" before B^2 in the transcript; the cross term carries its own sign.
    EXPECT_EQ(f.Jg(), Blanks(CRLF + "=(␣1␣x^␣1␣+␣2␣)(␣1␣x^␣2␣+␣4␣-2␣x^␣1␣)" + CRLF + "=" + CRLF));
    EXPECT_EQ(f.t.dir.Read("gsys 1"), Blanks("␣1␣␣1␣␣1␣␣2␣␣0␣x") + CRLF);
    EXPECT_EQ(f.Term(1), (std::vector<float>{1, 2}));
    EXPECT_EQ(f.Term(2), (std::vector<float>{4, 0}));
    EXPECT_EQ(f.Term(3), (std::vector<float>{-2, 1}));
}

TEST(SpecialForms, DifferenceOfCubesShowsTheCrossTermWithPlus) {
    Forms f;
    f.SetTerms({"x"}, {{1, 3}, {-8, 0}});
    f.ExpectMatchedExit(SumOfCubes(f.e), 3);
    EXPECT_EQ(f.Console(), Blanks("=(␣1␣x^␣1␣-␣2␣)(␣1␣x^␣2␣+␣4␣+␣2␣x^␣1␣)␣\n="));
    EXPECT_EQ(f.Jg(), Blanks(CRLF + "=(␣1␣x^␣1␣-2␣)(␣1␣x^␣2␣+␣4␣+␣2␣x^␣1␣)" + CRLF + "=" + CRLF));
    EXPECT_EQ(f.t.dir.Read("gsys 1"), Blanks("␣1␣␣1␣␣1␣-2␣␣0␣x") + CRLF);
    EXPECT_EQ(f.Term(3), (std::vector<float>{2, 1}));
}

TEST(SpecialForms, CubesInTwoVariablesGiveTheCrossTermBothLetters) {
    Forms f;
    // 8a^3 - b^3 = (2a - b)(4a^2 + b^2 + 2ab); row 3 starts with stale exponents.
    f.SetTerms({"a", "b"}, {{8, 3, 0}, {-1, 0, 3}});
    f.e.terms.TermExp(3, 1) = 5;
    f.e.terms.TermExp(3, 2) = 7;
    f.ExpectMatchedExit(SumOfCubes(f.e), 3);
    EXPECT_EQ(f.Console(), Blanks("=(␣2␣a^␣1␣-␣1␣b^␣1␣)(␣4␣a^␣2␣+␣1␣b^␣2␣+␣2␣a^␣1␣b^␣1␣)␣\n="));
    EXPECT_EQ(f.t.dir.Read("gsys 1"), Blanks("␣2␣␣2␣␣1␣␣0␣-1␣␣0␣␣1␣a") + CRLF + "b" + CRLF);
    EXPECT_EQ(f.Term(1), (std::vector<float>{4, 2, 0}));
    EXPECT_EQ(f.Term(2), (std::vector<float>{1, 0, 2}));
    EXPECT_EQ(f.Term(3), (std::vector<float>{2, 1, 1}));
}

TEST(SpecialForms, SumOfCubesDeclinesWithoutCubes) {
    const std::vector<std::vector<std::vector<float>>> tables = {
        {{1, 3}, {9, 0}},  // 9 is no cube
        {{1, 4}, {8, 0}},  // 4 is no multiple of 3
    };
    for (const auto& rows : tables) {
        Forms f;
        f.SetTerms({"x"}, rows);
        f.ExpectDeclined(SumOfCubes(f.e), rows);
    }
}

TEST(SpecialForms, ASecondMatchLeavesTheTranscriptAlone) {
    Forms f;
    f.e.run.FactorFound = true;
    f.e.run.GsysCount = 1;
    f.e.jg.Write("kept");
    f.SetTerms({"x"}, {{1, 2}, {2, 1}, {1, 0}});
    ASSERT_EQ(SquareOfBinomial(f.e), At::Restart);
    EXPECT_EQ(f.Console(), Blanks("(␣1␣x^␣1␣+␣1␣)^2␣\n="));
    EXPECT_EQ(f.Jg(), "kept" + CRLF);
    EXPECT_EQ(f.e.run.GsysCount, 2);
    EXPECT_EQ(f.t.dir.Read("gsys 2"), Blanks("␣1␣␣1␣␣1␣␣1␣␣0␣x") + CRLF);
}

TEST(SpecialForms, AQueueFileThatCannotBeCreatedEndsTheRunBeforeAnythingIsShown) {
    Forms f;
    // A folder in the way of the file name.
    std::filesystem::create_directory(f.t.dir.Path() / "gsys 1");
    const std::vector<std::vector<float>> rows = {{1, 2}, {-4, 0}};
    f.SetTerms({"x"}, rows);
    EXPECT_EQ(DifferenceOfSquares(f.e), At::FileProblem);
    ASSERT_TRUE(f.e.fault.has_value());
    EXPECT_EQ(f.e.fault->name, "gsys 1");
    EXPECT_TRUE(f.e.fault->writing);
    EXPECT_EQ(f.Console(), "");
    EXPECT_EQ(f.e.run.GsysCount, 0);
    EXPECT_EQ(f.Term(1), rows[0]);
    EXPECT_EQ(f.Term(2), rows[1]);
}

TEST(SpecialForms, QueuedBinomialsReadBackAsWritten) {
    Forms f;
    f.SetTerms({"a", "b"}, {{4, 2, 0}, {-9, 0, 2}});
    ASSERT_EQ(DifferenceOfSquares(f.e), At::Restart);
    f.SetTerms({"x"}, {{1, 2}, {2, 1}, {1, 0}});
    f.e.run.FactorFound = false;
    ASSERT_EQ(SquareOfBinomial(f.e), At::Restart);  // the letter on the numbers' line
    ASSERT_EQ(f.e.run.GsysCount, 2);

    f.e.vars.VarName = {};
    ASSERT_TRUE(ReadGsysFile(f.e, 1));
    EXPECT_EQ(f.e.terms.TermCount, 2);
    EXPECT_EQ(f.e.vars.VarCount, 2);
    EXPECT_EQ(f.e.vars.VarName[1], "a");
    EXPECT_EQ(f.e.vars.VarName[2], "b");
    EXPECT_EQ(f.Term(1), (std::vector<float>{2, 1, 0}));
    EXPECT_EQ(f.Term(2), (std::vector<float>{3, 0, 1}));

    ASSERT_TRUE(ReadGsysFile(f.e, 2));
    EXPECT_EQ(f.e.vars.VarCount, 1);
    EXPECT_EQ(f.e.vars.VarName[1], "x");
    EXPECT_EQ(f.Term(1), (std::vector<float>{1, 1}));
    EXPECT_EQ(f.Term(2), (std::vector<float>{1, 0}));
}

TEST(SpecialForms, MissingOrDamagedQueueFilesAreRefused) {
    Forms f;
    f.SetTerms({"x"}, {{5, 1}, {6, 0}});
    EXPECT_FALSE(ReadGsysFile(f.e, 1));
    f.t.dir.Write("gsys 1", Blanks("␣1␣␣1␣␣1␣␣1␣␣0␣") + CRLF);   // no letter
    f.t.dir.Write("gsys 2", Blanks("␣9␣␣1␣␣1␣␣1␣␣0␣x") + CRLF);  // nine variables
    f.t.dir.Write("gsys 3", Blanks("␣2␣␣1␣␣1␣") + CRLF);         // short
    for (int n = 1; n <= 3; ++n) EXPECT_FALSE(ReadGsysFile(f.e, n)) << n;
    EXPECT_EQ(f.e.terms.TermCount, 2);
    EXPECT_EQ(f.Term(1), (std::vector<float>{5, 1}));
    EXPECT_EQ(f.Term(2), (std::vector<float>{6, 0}));
}

}  // namespace
}  // namespace yinshi
