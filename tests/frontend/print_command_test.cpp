#include <gtest/gtest.h>

#include <random>

#include "echo_match.hpp"
#include "frontend_fakes.hpp"
#include "print_command.hpp"

using namespace yinshi::frontend;
using namespace yinshi::frontend::testing;
using Lines = std::vector<std::string>;

namespace {

struct PrintCommand : ::testing::Test {
    TempFolder dir;
    FakeDialogs dialogs;
    CapturingPrinter printer;
    void run(std::string_view handedOff = {}) { RunPrintCommand(dir.path(), dialogs, printer, handedOff); }
};

const std::string kAskReady = std::string("?注意|") + kAskPrinterReady;
const std::string kAskNow = std::string("?注意|") + kAskPrintNow;

}  // namespace

TEST_F(PrintCommand, PrintsAndEndsTheJobOnYes) {
    dir.write("jg.dat", "x^ 2- 1 \r\n\r\n=(x+1)(x-1)\r\n");
    run("x^2-1");
    EXPECT_EQ(dialogs.log, (Lines{kAskReady, kAskNow}));
    EXPECT_EQ(printer.lines, (Lines{"", "x^ 2- 1 ", "", "=(x+1)(x-1)", ""}));
    EXPECT_EQ(printer.jobsEnded, 1);
}

TEST_F(PrintCommand, WithoutPrinterNothingIsAskedAndTheFileIsNamed) {
    dir.write("jg.dat", "x^ 2- 1 \r\n\r\n=(x+1)(x-1)\r\n");
    printer.printerInstalled = false;
    printer.nextEnd = {true, "written to /w/jg.pdf", "/w/jg.pdf"};
    run("x^2-1");
    EXPECT_EQ(dialogs.log, Lines{"!注意|written to /w/jg.pdf"});
    EXPECT_EQ(dialogs.shownFiles, Lines{"/w/jg.pdf"});
    EXPECT_EQ(printer.lines, (Lines{"", "x^ 2- 1 ", "", "=(x+1)(x-1)", ""}));
    EXPECT_EQ(printer.jobsEnded, 1);
}

TEST_F(PrintCommand, NoToTheFirstQuestionPrintsNothing) {
    dir.write("jg.dat", "x\r\n");
    dialogs.answers = {false};
    run();
    EXPECT_EQ(dialogs.asked, Lines{kAskReady.substr(1)});
    EXPECT_EQ(printer.jobsStarted, 0);
    EXPECT_TRUE(printer.lines.empty());
    EXPECT_EQ(dir.read("jg.dat"), "x\r\n");
}

TEST_F(PrintCommand, NoToTheSecondQuestionKeepsTheJobForLaterCommands) {
    dir.write("jg.dat", "");
    dialogs.answers = {true, false, true, true};
    run();
    EXPECT_TRUE(printer.JobOpen());
    run();
    EXPECT_EQ(printer.jobsStarted, 1);
    EXPECT_EQ(printer.jobsEnded, 1);
    EXPECT_EQ(printer.lines, (Lines{"", "", "", ""}));  // an empty transcript: two empty lines each
}

TEST_F(PrintCommand, MissingTranscriptIsSaidBeforeThePrinterQuestion) {
    run("x^2-1");
    EXPECT_EQ(dialogs.log, Lines{std::string("!注意|") + kNoTranscript});
    EXPECT_EQ(printer.jobsStarted, 0);
}

TEST_F(PrintCommand, TranscriptOfAnotherPolynomialIsNamedBeforePrinting) {
    dir.write("jg.dat", "x^ 3+ 9 x^ 2+ 26 x+ 24 \r\n=(x+2)(x+3)(x+4)\r\n");
    dialogs.answers = {false};
    run("(x+1)(x-1)");  // the engine wrote no transcript for this one
    EXPECT_EQ(dialogs.log, Lines{"?注意|结果文件 jg.dat 不是最后输入的多项式 (x+1)(x-1) 的结果，"
                                 "而是 x^ 3+ 9 x^ 2+ 26 x+ 24 的结果。\n仍然打印吗？"});
    EXPECT_EQ(printer.jobsStarted, 0);

    dialogs.log.clear();
    run("x3+9x2+26x+24");  // the same polynomial, spelt the way it was typed: no question
    EXPECT_EQ(dialogs.log, (Lines{kAskReady, kAskNow}));

    dir.write("jg.dat", "");
    dialogs.log.clear();
    printer.lines.clear();
    dialogs.answers = {true, true, true};  // printed anyway when the user wants it
    run("x^2-1");
    ASSERT_EQ(dialogs.log.size(), 3u);
    EXPECT_NE(dialogs.log[0].find("是空的"), std::string::npos);
    EXPECT_EQ(printer.lines, (Lines{"", ""}));
}

TEST_F(PrintCommand, PrinterTroubleAndWhereThePagesWentAreTold) {
    dir.write("jg.dat", "x\r\n");
    printer.nextStart = {false, "no paper"};
    run();
    EXPECT_EQ(dialogs.log, (Lines{kAskReady, "!注意|无法打印：no paper"}));
    EXPECT_TRUE(printer.lines.empty());

    printer.nextStart = {true, {}};
    printer.nextEnd = {true, "pages in /tmp/jg.pdf", {}};
    dialogs.log.clear();
    run();
    // Where the pages went is said only after the job is complete.
    EXPECT_EQ(dialogs.log, (Lines{kAskReady, kAskNow, "!注意|pages in /tmp/jg.pdf"}));

    printer.nextEnd = {false, "jammed", {}};
    dialogs.log.clear();
    run();
    EXPECT_EQ(dialogs.log.back(), "!注意|打印失败：jammed");
}

TEST(EchoMatch, EngineEchoesOfTypedPolynomials) {
    // jg.dat's first line as the engine writes it, for what was typed.
    const std::pair<const char*, const char*> same[] = {
        {"x^ 3+ 9 x^ 2+ 26 x+ 24 ", "x^3+9x^2+26x+24"},
        {"x^ 3+ 9 x^ 2+ 26 x+ 24 ", "x3+9x2+26x+24"},
        {"x^ 2-y^ 2", "X^2-Y^2"},
        {" 3/ 2x^ 2- 1/ 6", "3/2x^2-1/6"},
        {"a^ 3+a^ 2c+cb^ 2-acb+b^ 3", "a3+a2c+b2c-abc+b3"},
        {"x^ 2- 1 ", "1x^2-1"},
        {"x+x^ 2", "x^1+x^2"},
        {" 1x^ 2- 1/ 4", "x^2-1/4"},
        {"x^ 2y- 1 ", "xyx-1"},
        {"-x^ 2+ 1 ", "-x^2+1"},
        {"(x+1)(x-1)=x^ 2- 1 ", "(X+1)(x-1)"},
        {"(x+1)-(x+1)=0", "(x+1)-(x+1)"},
    };
    for (const auto& [echo, typed] : same) EXPECT_TRUE(EchoIsOf(echo, typed)) << echo << " | " << typed;
    const std::pair<const char*, const char*> other[] = {
        {"x^ 2- 1 ", "x^2+1"},
        {"x^ 2- 1 ", "(x+1)(x-1)"},
        {"x^ 2- 1 ", "1-x^2"},
        {"x^ 2- 1 ", "x^2-1/2"},
        {"", "x^2-1"},
        {"x^ 2- 1 ", ""},
        {"x^ 2- 1 ", "2*x"},
        {"x^ 3- 1 ", "x^2-1"},
        {"x^ 2- 1 ", "y^2-1"},
        {"(x+1)(x+1)=x^ 2+ 2 x+ 1 ", "(x+1)(x-1)"},
        {"(x+1)(x-1)", "(x+1)(x-1)"},
    };
    for (const auto& [echo, typed] : other) EXPECT_FALSE(EchoIsOf(echo, typed)) << echo << " | " << typed;
}

TEST(EchoMatch, AnySpellingOfAPolynomialMatchesTheEngineForm) {
    std::mt19937 rng(20240613);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 500; ++round) {
        std::string typed, echo, changed;
        const int terms = pick(1, 5);
        const int changedTerm = pick(0, terms - 1);
        for (int t = 0; t < terms; ++t) {
            const bool negative = pick(0, 1);
            const int coefficient = pick(1, 40);
            std::string letters;
            for (char v : std::string("abxy")) {
                const int e = pick(0, 3);
                for (int k = 0; k < e; ++k) letters += v;
            }
            if (letters.empty()) letters = "x";
            // Typed: letters in any order, repeated letters or exponents, caret or not, capitals.
            std::shuffle(letters.begin(), letters.end(), rng);
            std::string typedTerm = (negative ? "-" : (t > 0 ? "+" : "")) +
                                    (coefficient == 1 && pick(0, 1) ? "" : std::to_string(coefficient));
            for (char v : letters) typedTerm += pick(0, 3) ? std::string(1, v) : std::string(1, char(v - 32));
            typed += typedTerm;
            // The engine: sorted by first appearance, exponents after "^ ", numbers with a sign place.
            std::string echoTerm = negative ? "-" : (t > 0 ? "+" : "");
            if (coefficient != 1) echoTerm += " " + std::to_string(coefficient) + " ";
            std::string seen;
            for (char v : letters)
                if (seen.find(v) == std::string::npos) seen += v;
            for (char v : seen) {
                const auto e = std::count(letters.begin(), letters.end(), v);
                echoTerm += e > 1 ? std::string(1, v) + "^ " + std::to_string(e) : std::string(1, v);
            }
            echo += echoTerm;
            changed += t == changedTerm
                           ? (negative ? "+" : "-") + echoTerm.substr(echoTerm[0] == '-' || echoTerm[0] == '+')
                           : echoTerm;
        }
        EXPECT_TRUE(EchoIsOf(echo, typed)) << echo << " | " << typed;
        EXPECT_FALSE(EchoIsOf(changed, typed)) << changed << " | " << typed;
    }
}
