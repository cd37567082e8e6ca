#include "results/show_transcript.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/factor_file.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

// The closing display on a jg.dat written by hand: what the console log shows
// and which records dj.dat receives.
struct ShowTranscriptTest : ::testing::Test {
    testing::TestEngine t;
    Engine& e = t.e;

    void SetUp() override {
        e.run.StartTime = "09:58:07";
        t.clock.Set(10, 0, 0);
        e.run.NoGroupingShown = false;
    }

    void Transcript(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) bytes += l + "\r\n";
        t.dir.Write("jg.dat", bytes);
    }

    std::string Run() {
        ShowTranscript(e);
        return t.screen.Log();
    }

    // Record r of dj.dat as it lies on disk.
    std::string Record(int r) const {
        std::string bytes = t.dir.Read("dj.dat");
        std::size_t start = static_cast<std::size_t>(r - 1) * FactorFile::kRecordSize;
        if (bytes.size() < start + 2) return "<missing>";
        std::size_t length = static_cast<unsigned char>(bytes[start]) |
                             static_cast<std::size_t>(static_cast<unsigned char>(bytes[start + 1])) << 8;
        return bytes.substr(start + 2, length);
    }

    std::size_t DjSize() const { return t.dir.Read("dj.dat").size(); }
};

// Lines 1 to 5 of a real transcript of x^2+3x+2, shown as read.
const std::vector<std::string> kHead = {
    "x^ 2+ 3 x+ 2 ", "=(x^ 2 + 3x + 2)", "=[ 1x^ 2+( 2  1 )x+ 2]", "=[( 1 x^ 2+ 2 x)+( 1 x+ 2 )]", "=(x + 2)(x + 1)",
};

std::string HeadShown() {
    std::string s;
    for (const auto& l : kHead) s += "\n" + l + "\n";
    return s;
}

// The start/end time line: the second time in the next print zone.
const std::string kTimes = "\n09:58:07      10:00:00\n";

std::vector<std::string> WithHead(std::vector<std::string> tail) {
    std::vector<std::string> lines = kHead;
    lines.insert(lines.end(), tail.begin(), tail.end());
    return lines;
}

TEST_F(ShowTranscriptTest, WholeTranscriptOfASplitQuadratic) {
    Transcript(WithHead({"", "=(x + 2)(x + 1)", ""}));
    std::string log = Run();
    EXPECT_EQ(log, "\n" + HeadShown() +
                       "\n\n\n"             // empty line 6: an extra empty line, then itself
                       "\n=(x + 2)(x + 1)"  // line 7, left open
                       "\n\n\n" +
                       kTimes);  // empty line 8
    EXPECT_EQ(e.run.ItemCount, 2);
    EXPECT_EQ(Record(1), "(x + 2)");
    EXPECT_EQ(Record(2), "(x + 1)");
    EXPECT_EQ(DjSize(), 2u * FactorFile::kRecordSize);
}

TEST_F(ShowTranscriptTest, FiveLinesOrFewerFileNothing) {
    Transcript(kHead);
    EXPECT_EQ(Run(), "\n" + HeadShown() + kTimes);
    EXPECT_EQ(e.run.ItemCount, 0);
    EXPECT_EQ(DjSize(), 0u);
    EXPECT_TRUE(t.dir.Exists("dj.dat"));
}

TEST_F(ShowTranscriptTest, FourthLineIsCompactedWhenNoGroupingWasShown) {
    e.run.NoGroupingShown = true;
    Transcript({"x^ 2+ 2 x+ 1 ", "=(x^ 2 + 2x + 1)", "", "=(x + 1)(x + 1)"});
    EXPECT_EQ(Run(), "\n\nx^ 2+ 2 x+ 1 \n\n=(x^ 2 + 2x + 1)\n\n\n\n=(x + 1)^ 2 " + kTimes);
    EXPECT_EQ(e.run.ItemCount, 2);
    EXPECT_EQ(Record(1), "(x + 1)");
    EXPECT_EQ(Record(2), "(x + 1)");
}

TEST_F(ShowTranscriptTest, FactorLinesFileEveryFactorAndCompactRepeats) {
    Transcript(WithHead({"=(a+b)(a-b)", "=(x^2+1)", "=(x+1)(x+1)(x+2)", "=2(x+2)(x+1)(x+1)"}));
    std::string log = Run();
    EXPECT_EQ(log, "\n" + HeadShown() +
                       "\n=(a+b)(a-b)"
                       "\n=(x^2+1)"
                       "\n=(x+1)^ 2 (x+2)"
                       "\n=2(x+2)(x+1)^ 2 " +
                       kTimes);
    const std::vector<std::string> filed = {"(a+b)", "(a-b)", "(x^2+1)", "(x+1)", "(x+1)",
                                            "(x+2)", "(x+2)", "(x+1)",   "(x+1)"};
    ASSERT_EQ(e.run.ItemCount, static_cast<int>(filed.size()));
    for (std::size_t r = 0; r < filed.size(); ++r) EXPECT_EQ(Record(static_cast<int>(r + 1)), filed[r]) << r;
}

TEST_F(ShowTranscriptTest, TextBetweenFactorsIsFiledWithTheFactorAfterIt) {
    Transcript(WithHead({"=3(x+1)*(x+1)"}));
    std::string log = Run();
    EXPECT_EQ(log, "\n" + HeadShown() + "\n=3(x+1)*(x+1)" + kTimes);
    EXPECT_EQ(Record(1), "(x+1)");
    EXPECT_EQ(Record(2), "*(x+1)");
}

TEST_F(ShowTranscriptTest, LinesWithoutAFactorComeAfterAnEmptyLine) {
    Transcript(WithHead({"", "=....", "=(x+1)"}));
    std::string log = Run();
    EXPECT_EQ(log, "\n" + HeadShown() + "\n\n\n" + "\n\n=....\n" + "\n=(x+1)" + kTimes);
    EXPECT_EQ(e.run.ItemCount, 1);
}

TEST_F(ShowTranscriptTest, UnwalkableTailsAreShownAsTheyStandAndNotFiled) {
    Transcript(WithHead({
        "=(x + 1)^2",       // a square: the tail has no ")"
        "=((a + b))^2",     // the tail is ")^2"
        "=(y+1)(y+1)^2",    // a run before a tail
        "=(z+1",            // a "(" never closed
        "=(p)(q)(q)(q)^3",  // a longer run before a tail
    }));
    std::string log = Run();
    EXPECT_EQ(log, "\n" + HeadShown() +
                       "\n=(x + 1)^2"
                       "\n=((a + b))^2"
                       "\n=(y+1)(y+1)^2"
                       "\n=(z+1"
                       "\n=(p)(q)^ 2 (q)^3" +
                       kTimes);
    const std::vector<std::string> filed = {"(x + 1)", "((a + b)", "(y+1)", "(y+1)", "(p)", "(q)", "(q)", "(q)"};
    ASSERT_EQ(e.run.ItemCount, static_cast<int>(filed.size()));
    for (std::size_t r = 0; r < filed.size(); ++r) EXPECT_EQ(Record(static_cast<int>(r + 1)), filed[r]) << r;
}

TEST_F(ShowTranscriptTest, RecordsBeyondItemCountAreLeftAsTheyWere) {
    {
        FactorFile old;
        ASSERT_TRUE(old.Open(t.dir.Path() / "dj.dat"));
        for (int r = 1; r <= 4; ++r) ASSERT_TRUE(old.Put(r, "(old" + std::to_string(r) + ")"));
    }
    std::string before = t.dir.Read("dj.dat");
    Transcript(WithHead({"=(a+b)(a-b)"}));
    Run();
    std::string after = t.dir.Read("dj.dat");
    EXPECT_EQ(e.run.ItemCount, 2);
    EXPECT_EQ(Record(1), "(a+b)");
    EXPECT_EQ(Record(2), "(a-b)");
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(2 * FactorFile::kRecordSize), before.substr(2 * FactorFile::kRecordSize));
}

TEST_F(ShowTranscriptTest, FactorTooLongForARecordIsRefusedAndSaid) {
    std::string longFactor = "(" + std::string(998, 'x') + ")";  // 1000 bytes
    std::string fits = "(" + std::string(997, 'y') + ")";        // 999 bytes
    Transcript(WithHead({"=" + longFactor + "(x+1)", "=" + fits}));
    std::string log = Run();
    EXPECT_EQ(log, "\n" + HeadShown() + "\n=" + longFactor + "(x+1)" +
                       "\n因式太长（超过 999 字节），未存入 dj.dat\n"
                       "A factor longer than 999 bytes was not filed in dj.dat\n"
                       "\n=" +
                       fits + kTimes);
    ASSERT_EQ(e.run.ItemCount, 2);
    EXPECT_EQ(Record(1), "(x+1)");
    EXPECT_EQ(Record(2), fits);
}

TEST_F(ShowTranscriptTest, LeavesTheFactorFileOpenAndTheTranscriptClosed) {
    t.OpenTranscript();
    for (const auto& l : WithHead({"=(a+b)(a-b)"})) {
        e.jg.Write(l);
        e.jg.EndLine();
    }
    Run();
    EXPECT_FALSE(e.jg.IsOpen());
    ASSERT_TRUE(e.dj.IsOpen());
    EXPECT_EQ(e.dj.Get(2), "(a-b)");
}

TEST_F(ShowTranscriptTest, UnwritableFactorFileIsSaidOnceAndNothingCounted) {
    std::filesystem::create_directory(t.dir.Path() / "dj.dat");  // a folder where the file should be
    Transcript(WithHead({"=(a+b)(a-b)", "=(x+1)"}));
    std::string log = Run();
    EXPECT_EQ(log, "\n" + HeadShown() + "\n=(a+b)(a-b)\n无法写入 dj.dat\ndj.dat could not be written\n" + "\n=(x+1)" +
                       kTimes);
    EXPECT_EQ(e.run.ItemCount, 0);
}

}  // namespace
}  // namespace yinshi
