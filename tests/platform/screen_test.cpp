#include <gtest/gtest.h>

#include <string>

#include "platform/screen.hpp"

namespace yinshi {
namespace {

std::string Repeat(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

TEST(ScreenZones, EachMoveGoesToTheNextFourteenColumnZone) {
    Screen s;
    s.Print("ab");
    s.NextZone();
    EXPECT_EQ(s.Cursor(), std::make_pair(1, 15));
    s.NextZone();  // already at a zone start: on to the next one
    EXPECT_EQ(s.Cursor(), std::make_pair(1, 29));
    s.Print("c");
    EXPECT_EQ(s.RowText(1), "ab" + Repeat(' ', 26) + "c");
    EXPECT_EQ(s.Log(), "ab" + Repeat(' ', 26) + "c");
}

TEST(ScreenZones, PastTheLastZoneTheLineEnds) {
    Screen s;
    s.Locate(3, 71);
    s.NextZone();
    EXPECT_EQ(s.Cursor(), std::make_pair(4, 1));
    s.Locate(3, 70);
    s.NextZone();
    EXPECT_EQ(s.Cursor(), std::make_pair(3, 71));
}

TEST(ScreenWrap, TextWrapsAtColumnEightyWithoutAnythingInTheLog) {
    Screen s;
    s.Print(Repeat('a', 85));
    EXPECT_EQ(s.RowText(1), Repeat('a', 80));
    EXPECT_EQ(s.RowText(2), Repeat('a', 5));
    EXPECT_EQ(s.Log(), Repeat('a', 85));
}

TEST(ScreenWrap, AFullLineFollowedByNewLineLeavesNoEmptyRow) {
    Screen s;
    s.Print(Repeat('a', 80));
    EXPECT_EQ(s.Cursor(), std::make_pair(1, 81));
    s.NewLine();
    s.Print("b");
    EXPECT_EQ(s.RowText(2), "b");
}

TEST(ScreenScroll, RowsOneToTwentyFourScrollAndTheStatusLineStays) {
    Screen s;
    s.Color(2, 0);
    s.Locate(25, 14);
    s.Print("status");
    s.Color(7, 0);
    s.Locate(1, 1);
    for (int i = 1; i <= 30; ++i) {
        s.Print("L" + std::to_string(i));
        s.NewLine();
    }
    EXPECT_EQ(s.RowText(1), "L8");
    EXPECT_EQ(s.RowText(23), "L30");
    EXPECT_EQ(s.RowText(24), "");
    EXPECT_EQ(s.RowText(25), Repeat(' ', 13) + "status");
    EXPECT_EQ(s.At(25, 14).fg, 2);
    EXPECT_EQ(s.Cursor(), std::make_pair(24, 1));
}

TEST(ScreenScroll, WrappingOnRowTwentyFourScrolls) {
    Screen s;
    s.Print("top");
    s.Locate(24, 1);
    s.Print(Repeat('x', 82));
    EXPECT_EQ(s.RowText(23), Repeat('x', 80));
    EXPECT_EQ(s.RowText(24), "xx");
    EXPECT_EQ(s.RowText(1), "");  // "top" scrolled away
}

TEST(ScreenScroll, TheNewBottomRowTakesTheCurrentColours) {
    Screen s;
    s.Locate(24, 1);
    s.Color(10, 7);
    s.NewLine();
    EXPECT_EQ(s.At(24, 40).bg, 7);
    EXPECT_EQ(s.At(24, 40).ch, U' ');
}

TEST(ScreenStatusLine, TextPastColumnEightyIsCutAndNothingScrolls) {
    Screen s;
    s.Print("keep");
    s.Locate(25, 75);
    s.Print("0123456789");
    EXPECT_EQ(s.RowText(25), Repeat(' ', 74) + "012345");
    EXPECT_EQ(s.RowText(1), "keep");
    EXPECT_EQ(s.Log(), "keep\n0123456789");  // the log keeps what was printed
}

TEST(ScreenStatusLine, EightyBlanksEraseItAndNewLineContinuesOnRowTwentyFour) {
    Screen s;
    s.Print("keep");
    s.Locate(25, 14);
    s.Print("status");
    s.Locate(25, 1);
    s.Print(Repeat(' ', 80));
    EXPECT_EQ(s.RowText(25), "");
    s.NewLine();
    EXPECT_EQ(s.Cursor(), std::make_pair(24, 1));
    EXPECT_EQ(s.RowText(25), "");
    s.Print("next");
    EXPECT_EQ(s.RowText(24), "next");
}

TEST(ScreenWide, ChineseCharactersTakeTwoColumns) {
    Screen s;
    s.Print("输入错误！x");
    EXPECT_EQ(s.At(1, 1).ch, U'输');
    EXPECT_TRUE(s.At(1, 2).wideTail);
    EXPECT_EQ(s.At(1, 9).ch, U'！');
    EXPECT_EQ(s.At(1, 11).ch, U'x');
    EXPECT_EQ(s.Cursor(), std::make_pair(1, 12));
    EXPECT_EQ(s.RowText(1), "输入错误！x");
}

TEST(ScreenWide, ACharacterThatWouldStraddleColumnEightyWrapsWhole) {
    Screen s;
    s.Print(Repeat('a', 79) + "中");
    EXPECT_EQ(s.At(1, 80).ch, U' ');
    EXPECT_EQ(s.At(2, 1).ch, U'中');
    EXPECT_TRUE(s.At(2, 2).wideTail);
    EXPECT_EQ(s.Log(), Repeat('a', 79) + "中");
}

TEST(ScreenWide, OnTheStatusLineAStraddlingCharacterIsCut) {
    Screen s;
    s.Locate(25, 79);
    s.Print("a中b");
    EXPECT_EQ(s.RowText(25), Repeat(' ', 78) + "a");
    EXPECT_EQ(s.Cursor().first, 25);
}

TEST(ScreenWide, OverwritingHalfACharacterBlanksTheOtherHalf) {
    Screen s;
    s.Print("中文");
    s.Locate(1, 2);
    s.Print("x");  // over the tail of 中
    EXPECT_EQ(s.At(1, 1).ch, U' ');
    EXPECT_EQ(s.At(1, 2).ch, U'x');
    EXPECT_FALSE(s.At(1, 2).wideTail);
    EXPECT_EQ(s.At(1, 3).ch, U'文');
    s.Locate(1, 3);
    s.Print("y");  // over the head of 文
    EXPECT_EQ(s.At(1, 4).ch, U' ');
    EXPECT_FALSE(s.At(1, 4).wideTail);
    EXPECT_EQ(s.RowText(1), " xy");
}

TEST(ScreenColours, EveryCellKeepsTheColoursItWasPrintedIn) {
    Screen s;
    s.Color(10, 7);
    s.Print("a");
    s.Color(4, 0);
    s.Print("中");
    s.Color(18, 23);  // only the palette's four bits count
    s.Print("b");
    EXPECT_EQ(s.At(1, 1).fg, 10);
    EXPECT_EQ(s.At(1, 1).bg, 7);
    EXPECT_EQ(s.At(1, 2).fg, 4);
    EXPECT_EQ(s.At(1, 3).fg, 4);
    EXPECT_EQ(s.At(1, 4).fg, 2);
    EXPECT_EQ(s.At(1, 4).bg, 7);
    EXPECT_EQ(s.At(1, 5).fg, 7);  // untouched
    EXPECT_EQ(s.At(1, 5).bg, 0);
    EXPECT_EQ(s.Foreground(), 2);
}

TEST(ScreenLocateAndClear, LocateClampsAndLogsARowChangeOnly) {
    Screen s;
    s.Print("a");
    s.Locate(1, 10);
    s.Print("b");
    s.Locate(5, 3);
    s.Print("c");
    s.Locate(0, 99);
    EXPECT_EQ(s.Cursor(), std::make_pair(1, 80));
    s.Locate(40, -3);
    EXPECT_EQ(s.Cursor(), std::make_pair(25, 1));
    EXPECT_EQ(s.At(5, 3).ch, U'c');
    EXPECT_EQ(s.Log(), "ab\nc\n\n");
}

TEST(ScreenLocateAndClear, ClearBlanksAllRowsInTheCurrentColoursAndHomes) {
    Screen s;
    s.Print("text");
    s.Locate(25, 1);
    s.Print("status");
    s.Color(7, 4);
    s.Clear();
    for (int r = 1; r <= Screen::kRows; ++r) EXPECT_EQ(s.RowText(r), "");
    EXPECT_EQ(s.At(25, 80).bg, 4);
    EXPECT_EQ(s.Cursor(), std::make_pair(1, 1));
    s.Clear();  // already home: nothing more in the log
    EXPECT_EQ(s.Log(), "text\nstatus\n");
}

struct Recorder : ScreenListener {
    std::string logged;
    int changes = 0;
    int bells = 0;
    int scrolls = 0;
    void Logged(std::string_view text) override { logged += text; }
    void Changed() override { ++changes; }
    void Bell() override { ++bells; }
    void Scrolled() override { ++scrolls; }
};

TEST(ScreenLog, ControlCharactersAndBadBytes) {
    Screen s;
    Recorder r;
    s.SetListener(&r);
    s.Print("a\tb\nc\a\x1b[31md\xff");
    EXPECT_EQ(s.Log(), "a" + Repeat(' ', 13) + "b\nc\a[31md\xEF\xBF\xBD");
    EXPECT_EQ(s.RowText(2), "c[31md\xEF\xBF\xBD");
    EXPECT_EQ(r.logged, s.Log());
    EXPECT_EQ(r.bells, 1);
    EXPECT_GT(r.changes, 0);
    EXPECT_EQ(s.Cursor(), std::make_pair(2, 8));
}

TEST(ScreenLog, ListenerHearsEachScroll) {
    Screen s;
    Recorder r;
    s.SetListener(&r);
    for (int i = 0; i < 26; ++i) s.NewLine();
    EXPECT_EQ(r.scrolls, 3);
    EXPECT_EQ(s.Log(), Repeat('\n', 26));
}

TEST(ScreenModel, OutsideCellsReadBlank) {
    Screen s;
    EXPECT_EQ(s.At(0, 1).ch, U' ');
    EXPECT_EQ(s.At(26, 1).ch, U' ');
    EXPECT_EQ(s.At(1, 81).ch, U' ');
    EXPECT_EQ(s.RowText(26), "");
}

TEST(CharWidth, WideAndFullWidthBlocksTakeTwoColumns) {
    for (char32_t wide : {U'中', U'！', U'，', U'\u3000', U'\uAC00', U'\u1100', U'\U00020000', U'\uFFE5'}) {
        EXPECT_EQ(CharWidth(wide), 2) << static_cast<unsigned>(wide);
    }
    for (char32_t narrow : {U'a', U'~', U'\u00E9', U'\u303F', U'\uFF71', U'\u2423', U'\uFFFD'}) {
        EXPECT_EQ(CharWidth(narrow), 1) << static_cast<unsigned>(narrow);
    }
}

}  // namespace
}  // namespace yinshi
