#include <gtest/gtest.h>

#include "print_format.hpp"
#include "transcript_file.hpp"
#include "transcript_format/transcript_lines.hpp"

using namespace yinshi::frontend;
using yinshi::TranscriptLines;
using Lines = std::vector<std::string>;

TEST(PrintWrapped, SlicesOfEightyCharacters) {
    const std::string s200 = std::string(80, 'a') + std::string(80, 'b') + std::string(40, 'c');
    EXPECT_EQ(PrintWrapped(s200), (Lines{std::string(80, 'a'), std::string(80, 'b'), std::string(40, 'c')}));
    EXPECT_EQ(PrintWrapped(std::string(80, 'x')), (Lines{std::string(80, 'x'), ""}));
    EXPECT_EQ(PrintWrapped(std::string(160, 'x')), (Lines{std::string(80, 'x'), std::string(80, 'x'), ""}));
    EXPECT_EQ(PrintWrapped(""), (Lines{""}));
}

TEST(PrintWrapped, CountsChineseAsOneCharacter) {
    std::string s;
    for (int i = 0; i < 81; ++i) s += "的";
    const Lines slices = PrintWrapped(s);
    ASSERT_EQ(slices.size(), 2u);
    EXPECT_EQ(CharCount(slices[0]), 80u);
    EXPECT_EQ(slices[1], "的");
}

TEST(CompactRepeats, ExampleLines) {
    const std::pair<const char*, const char*> rows[] = {
        {"=3(x+1)", "=3(x+1)"},
        {"=(x+1)(x+1)", "=(x+1)^ 2"},
        {"=(x+1)(x+1)(x+2)", "=(x+1)^ 2(x+2)"},
        {"=(x+1)(x+2)(x+2)", "=(x+1)(x+2)^ 2"},
        {"=2(a+b)(a-b)", "=2(a+b)(a-b)"},
        {"=(a+b+c)(a^2-ab+b^2)", "=(a+b+c)(a^2-ab+b^2)"},
        {"=(a-b)(a-b)(a+b)(a+b)", "=(a-b)^ 2(a+b)^ 2"},
        {"=(x+1)(x+2)(x+1)", "=(x+1)(x+2)(x+1)"},  // only adjacent repeats merge
    };
    for (auto [line, compact] : rows) EXPECT_EQ(CompactRepeats(line), compact) << line;
    std::string ten = "=";
    for (int i = 0; i < 10; ++i) ten += "(x-1)";
    EXPECT_EQ(CompactRepeats(ten), "=(x-1)^ 10");
}

TEST(CompactRepeats, KeepsTailsItCannotWalk) {
    EXPECT_EQ(CompactRepeats("=(x+1)^2"), "=(x+1)^2");
    EXPECT_EQ(CompactRepeats("=(x+1)(x+1)^2"), "=(x+1)^ 2^2");
    EXPECT_EQ(CompactRepeats("=(x+1"), "=(x+1");
    EXPECT_EQ(CompactRepeats("=(x+1)(x+2"), "=(x+1)(x+2");
}

TEST(TranscriptPrint, LineRules) {
    EXPECT_EQ(TranscriptPrintLines({}), (Lines{"", ""}));
    // Lines 1-3 as read; line 4 with "[" as read.
    EXPECT_EQ(TranscriptPrintLines({"(x+1)(x+1)", "", "=(x+1)(x+1)", "=x(x+1)+[(x+1)(x+1)]"}),
              (Lines{"", "(x+1)(x+1)", "", "=(x+1)(x+1)", "=x(x+1)+[(x+1)(x+1)]", ""}));
    // Line 4 without "[" is compacted; an equal compacted line later is left out.
    EXPECT_EQ(TranscriptPrintLines({"a", "b", "c", "=(x+1)(x+1)", "=(x+1)^ 2"}),
              (Lines{"", "a", "b", "c", "=(x+1)^ 2", ""}));
    EXPECT_EQ(TranscriptPrintLines({"p", "", "", "", "=(a+b+c)(a^2-ab+b^2)", "=(a+b+c)(a^2-ab+b^2)"}),
              (Lines{"", "p", "", "", "", "=(a+b+c)(a^2-ab+b^2)", ""}));
}

TEST(TranscriptPrint, LinesWithoutFactorsPrintAsReadAndAreNotRemembered) {
    const std::string longLine = "=" + std::string(99, '.');
    EXPECT_EQ(TranscriptPrintLines({"p", "q", "r", "s", "=(a+b)", "", "=....", "=...", longLine, "=(a+b)"}),
              (Lines{"", "p", "q", "r", "s", "=(a+b)", "", "=....", "=...", longLine, ""}));
    // A compacted line longer than 80 characters is sliced.
    const std::string wide = "=(" + std::string(100, 'x') + ")";
    EXPECT_EQ(TranscriptPrintLines({"", "", "", "", wide}).size(), 8u);  // "", 4 lines, 2 slices, ""
}

TEST(TranscriptFile, SplitsLines) {
    EXPECT_EQ(TranscriptLines(""), Lines{});
    EXPECT_EQ(TranscriptLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(TranscriptLines("a\nb"), (Lines{"a", "b"}));  // bare LF, last line unterminated
    EXPECT_TRUE(ReadTranscript("/nonexistent/jg.dat").error.has_value());
    EXPECT_TRUE(ReadTranscript("/").error.has_value());
}
