// Whole runs of the engine in-process: start-up, the driver and the closing.
#include <gtest/gtest.h>

#include <cctype>

#include "exact/flint_factorer.hpp"
#include "platform/factor_file.hpp"
#include "run_support.hpp"

namespace yinshi::testing {
namespace {

bool Contains(const std::string& hay, const std::string& needle) { return hay.find(needle) != std::string::npos; }

// The same files whether exact factoring guides the search or not.
TEST(WholeRun, ThreeLinearFactorsGiveTheGoldenTranscriptAndFactorFile) {
    const exact::FlintFactorer flint;
    const exact::Factorer* none = nullptr;
    for (const exact::Factorer* guide : {none, static_cast<const exact::Factorer*>(&flint)}) {
        SCOPED_TRACE(guide != nullptr ? "guided" : "plain");
        TestEngine t;
        t.e.exact = guide;
        RunOn(t, "x^3+9x^2+26x+24", "n");
        EXPECT_EQ(t.dir.Read("jg.dat"), Blanks("x^␣3+␣9␣x^␣2+␣26␣x+␣24␣\r\n"
                                               "=(x^␣3␣+␣9x^␣2␣+␣26x␣+␣24)\r\n"
                                               "=[␣1x^␣3+(␣4␣␣5␣)x^␣2+(␣20␣␣6␣)x+␣24]\r\n"
                                               "=[(␣1␣x^␣3+␣4␣x^␣2)+(␣5␣x^␣2+␣20␣x)+(␣6␣x+␣24␣)]\r\n"
                                               "=(x␣+␣4)(x^␣2␣+␣5x␣+␣6)\r\n"
                                               "\r\n"
                                               "=(x␣+␣4)(x␣+␣3)(x␣+␣2)\r\n"));
        FactorFile dj;
        ASSERT_TRUE(dj.Open(t.dir.Path() / "dj.dat"));
        EXPECT_EQ(dj.Get(1), Blanks("(x␣+␣4)"));
        EXPECT_EQ(dj.Get(2), Blanks("(x␣+␣3)"));
        EXPECT_EQ(dj.Get(3), Blanks("(x␣+␣2)"));
        EXPECT_EQ(t.e.run.ItemCount, 3);
        const std::string& log = t.screen.Log();
        EXPECT_TRUE(Contains(log, "ok!\n"));
        EXPECT_TRUE(Contains(log, "do you want to look at another solution? y/n\n"));
        EXPECT_TRUE(Contains(log, "Use the mouse to  close  the  window\n"));
    }
}

TEST(WholeRun, TitleStandsAtItsPlace) {
    TestEngine t;
    t.dir.Write("DXS.DAT", "\"x+1\"\r\n");
    // Only the start-up: stop at the first stage after it.
    At next = StartUp(t.e);
    EXPECT_EQ(next, At::Restart);
    EXPECT_EQ(t.screen.RowText(4), std::string(29, ' ') + "因 式 分 解");
    EXPECT_EQ(t.screen.RowText(5), std::string(28, ' ') + "-------------");
}

struct StartUpCase {
    const char* input;
    const char* transcript;  // "" when jg.dat must not exist
    const char* screenHas;
    At next;
};

void PrintTo(const StartUpCase& c, std::ostream* os) { *os << '"' << c.input << '"'; }

class StartUpCases : public ::testing::TestWithParam<StartUpCase> {};

TEST_P(StartUpCases, Normalises) {
    const StartUpCase& c = GetParam();
    TestEngine t;
    t.dir.Write("DXS.DAT", std::string("\"") + c.input + "\"\r\n");
    At next = StartUp(t.e);
    EXPECT_EQ(next, c.next);
    t.e.jg.Close();
    if (std::string(c.transcript).empty())
        EXPECT_FALSE(t.dir.Exists("jg.dat"));
    else
        EXPECT_EQ(t.dir.Read("jg.dat"), Blanks(c.transcript));
    EXPECT_NE(t.screen.Log().find(Blanks(c.screenHas)), std::string::npos) << t.screen.Log();
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, StartUpCases,
    ::testing::Values(StartUpCase{"3x-3x", "␣3␣x-␣3␣x=0\r\n", "=0\n", At::CloseAll},
                      StartUpCase{"5x^3", "␣5␣x^␣3=␣5x^␣3\r\n", "=␣5␣x^␣3␣", At::CloseAll},
                      StartUpCase{"-5x^3", "-␣5␣x^␣3=␣-␣5x^␣3\r\n", "=␣-␣5␣x^␣3␣", At::CloseAll},
                      StartUpCase{"10000000x+1", "", "The data is too big!\n", At::EndPrompt},
                      StartUpCase{"-20000000x+1", "", "The data is too big!\n", At::EndPrompt},
                      StartUpCase{"1/5000x+1/5001y+1/5003z", "", "The data is too big!\n", At::EndPrompt},
                      StartUpCase{".5x+1", "", "输入错误！\n", At::EndPrompt},
                      StartUpCase{"x+", "", "输入错误！\n", At::EndPrompt},
                      StartUpCase{"x+1+x2+x3+x4+x5+x6+x7+x8+x9+x10+x11+x12+x13+x14+x15+x16+x17+x18+x19+x20", "",
                                  "x20\n\n", At::EndPrompt}),
    // Names that stay the same from build to build: the case's number and
    // the letters and digits of its input.
    [](const ::testing::TestParamInfo<StartUpCase>& info) {
        std::string name = "Case" + std::to_string(info.index) + "_";
        for (const char* c = info.param.input; *c != '\0'; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        return name;
    });

TEST(StartUp, TakesOutNumericAndMonomialContent) {
    TestEngine t;
    t.dir.Write("DXS.DAT", "\"6x^2+4x\"\r\n");
    ASSERT_EQ(StartUp(t.e), At::Restart);
    EXPECT_EQ(t.e.run.Content, 2);
    EXPECT_EQ(t.e.vars.VarMinExp[1], 1);
    EXPECT_EQ(t.e.terms.TermCoef[1], 3);
    EXPECT_EQ(t.e.terms.TermCoef[2], 2);
}

TEST(StartUp, ClearsFractionsExactly) {
    TestEngine t;
    t.dir.Write("DXS.DAT", "\"1/2x+1/3\"\r\n");
    ASSERT_EQ(StartUp(t.e), At::Restart);
    EXPECT_EQ(t.e.run.Content, 1);
    EXPECT_EQ(t.e.run.DenProduct, 6);
    EXPECT_EQ(t.e.terms.TermCoef[1], 3);
    EXPECT_EQ(t.e.terms.TermCoef[2], 2);
    // 1/7 of 21 is 3 exactly, not 3.0000002.
    TestEngine u;
    u.dir.Write("DXS.DAT", "\"1/7x+3/7\"\r\n");
    ASSERT_EQ(StartUp(u.e), At::Restart);
    EXPECT_EQ(u.e.run.Content, 1);
    EXPECT_EQ(u.e.run.DenProduct, 7);
    EXPECT_EQ(u.e.terms.TermCoef[1], 1);
    EXPECT_EQ(u.e.terms.TermCoef[2], 3);
}

TEST(StartUp, MissingInputOrUnwritableFolderEndsCleanly) {
    TestEngine t;
    EXPECT_EQ(StartUp(t.e), At::EndPrompt);
    EXPECT_NE(t.screen.Log().find("输入错误！\n"), std::string::npos);

    // A folder in the way of jg.dat stops even a run as root from creating it.
    TestEngine u;
    u.dir.Write("DXS.DAT", "\"x+1\"\r\n");
    std::filesystem::create_directory(u.dir.Path() / "jg.dat");
    EXPECT_EQ(StartUp(u.e), At::FileProblem);
    EXPECT_EQ(u.e.fault->name, "jg.dat");
    RunStage(u.e, At::FileProblem);
    EXPECT_NE(u.screen.Log().find("无法写入 jg.dat\njg.dat could not be written\n"), std::string::npos);
}

}  // namespace
}  // namespace yinshi::testing

namespace yinshi::testing {
namespace {

TEST(WholeRun, ReTunedSearchLeavesNoDanglingEquals) {
    TestEngine t;
    t.keys.Add("x");
    AnswerWith(t, "n");
    RunOn(t, "2x^6+162x+4");
    EXPECT_EQ(t.e.run.StoppedBy, StoppedBy::TimeLimitOrX);
    auto lines = CrLfLines(t.dir.Read("jg.dat"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], Blanks("=␣2(x^␣6␣+␣81x␣+␣2)=␣2(x^␣6␣+␣81x␣+␣2)"));
}

TEST(WholeRun, LargeLeadingCoefficientsAndManyDivisorsStillSplit) {
    for (const char* text : {"40000x^2+40001x+1", "x^2+720721x+720720"}) {
        SCOPED_TRACE(text);
        TestEngine t;
        RunOn(t, text);
        auto lines = CrLfLines(t.dir.Read("jg.dat"));
        ASSERT_FALSE(lines.empty());
        EXPECT_NE(lines.back().find(")("), std::string::npos) << t.dir.Read("jg.dat");
    }
}

}  // namespace
}  // namespace yinshi::testing

namespace yinshi::testing {
namespace {

TEST(WholeRun, DegreesTooHighToHoldEndTheRunCleanly) {
    for (const char* text : {"x^2000000+1", "x^3000y^3000+x+1"}) {
        SCOPED_TRACE(text);
        TestEngine t;
        RunOn(t, text);
        EXPECT_NE(t.screen.Log().find("次数太高了!\nThe degree is too high to be worked on.\n"), std::string::npos);
        EXPECT_NE(t.screen.Log().find("Use the mouse to  close  the  window"), std::string::npos);
    }
}

TEST(WholeRun, NoFactorInTheFirstPassMarksTheRepeatedFactorTestOnALineOfItsOwn) {
    TestEngine t;
    // Stopped before any split: the closing runs the repeated-factor test,
    // which finds (x+1)^2 in x^3-3x-2.
    RunOn(t, "x^3-3x-2", "tn");
    EXPECT_NE(t.screen.Log().find("\n####\n****** ="), std::string::npos) << t.screen.Log();
}

TEST(WholeRun, HighDegreeIsNamedAndWorkedOn) {
    TestEngine t;
    t.clock.StepPerReading(1);  // the search then stops at its time limit
    RunOn(t, "x^4002+1");
    EXPECT_NE(t.screen.Log().find("次数太高了!\n"), std::string::npos);
    EXPECT_EQ(t.screen.Log().find("The degree is too high to be worked on."), std::string::npos);
}

}  // namespace
}  // namespace yinshi::testing
