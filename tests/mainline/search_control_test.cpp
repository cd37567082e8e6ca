// Time limits, the keys x, t and b, the two-minute rule and the Anew question.
#include <gtest/gtest.h>

#include <regex>

#include "run_support.hpp"
#include "search/stop_check.hpp"

namespace yinshi::testing {
namespace {

bool Contains(const std::string& hay, const std::string& needle) { return hay.find(needle) != std::string::npos; }

// The search bounds as each search prints them: Bound1, then Bound2 in the next print zone.
std::vector<int> Bound1Lines(const std::string& log) {
    std::vector<int> out;
    std::regex line("(^|\n) (\\d+) {2,}(\\d+) \n");
    for (auto it = std::sregex_iterator(log.begin(), log.end(), line); it != std::sregex_iterator(); ++it)
        out.push_back(std::stoi((*it)[2]));
    return out;
}

struct Poll : ::testing::Test {
    TestEngine t;
    // A search started at h:m:s in a pass with a time limit of `limit` minutes (7
    // the first, 1 a later one); true when the poll at `at` stops it.
    bool StopsAt(int h, int m, int s, int limit, int ah, int am, int as) {
        t.clock.Set(h, m, s);
        t.e.run.StartMinute = static_cast<float>(MinutesOf(t.clock.Now()));
        t.e.run.SearchPass = limit == 7 ? Pass::First : Pass::Later;
        t.clock.Set(ah, am, as);
        return PollKeysAndClock(t.e, t.e.search.TrialDegree);
    }
};

TEST_F(Poll, TimeLimitIsAStrictTestOnTheMinutesField) {
    EXPECT_FALSE(StopsAt(10, 5, 0, 7, 10, 12, 59));
    EXPECT_TRUE(StopsAt(10, 5, 0, 7, 10, 13, 0));
    EXPECT_EQ(t.e.run.StopReason, StopReason::Retune);
    EXPECT_EQ(t.e.run.StoppedBy, StoppedBy::TimeLimitOrX);
    EXPECT_TRUE(StopsAt(10, 5, 59, 7, 10, 13, 0));  // 7 minutes and 1 second
    EXPECT_FALSE(StopsAt(10, 58, 0, 7, 11, 5, 59));
    EXPECT_TRUE(StopsAt(10, 58, 0, 7, 11, 6, 0));  // across the hour
    EXPECT_FALSE(StopsAt(10, 0, 0, 1, 10, 1, 59));
    EXPECT_TRUE(StopsAt(10, 0, 0, 1, 10, 2, 0));
}

TEST_F(Poll, KeysStopOrLiftTheLimit) {
    t.keys.Add("q");
    EXPECT_FALSE(StopsAt(10, 0, 0, 7, 10, 0, 1));
    t.keys.Add("T");
    EXPECT_TRUE(StopsAt(10, 0, 0, 7, 10, 0, 1));
    EXPECT_EQ(t.e.run.StoppedBy, StoppedBy::KeyT);
    t.e.run.StopReason = StopReason::None;
    t.keys.Add("B");
    EXPECT_FALSE(StopsAt(10, 0, 0, 7, 10, 0, 1));
    EXPECT_EQ(t.e.run.StopReason, StopReason::NoLimit);
    EXPECT_TRUE(Contains(t.screen.Log(), "b\n程序正在运行中,请等候,或按x键!\nThe process is operating now.\n"));
    // In the first pass b lifts the time limit; after a factor the limit stays.
    EXPECT_FALSE(StopsAt(10, 0, 0, 7, 11, 30, 0));
    EXPECT_TRUE(StopsAt(10, 0, 0, 1, 10, 5, 0));
}

TEST(SearchControl, XHalvesTheBoundUntilTheAnewQuestion) {
    TestEngine t;
    RunOn(t, "x^6+81x+2", "xxxxxn");
    EXPECT_EQ(Bound1Lines(t.screen.Log()), (std::vector<int>{9, 5, 3, 2, 1}));
    EXPECT_TRUE(Contains(t.screen.Log(), "Anew decompose y/n ?\n"));
    auto lines = CrLfLines(t.dir.Read("jg.dat"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "=....");
}

TEST(SearchControl, TInTheFirstPassAsksAnewAndMarksTheTranscript) {
    TestEngine t;
    RunOn(t, "x^6+81x+2", "tn");
    EXPECT_TRUE(Contains(t.screen.Log(), "重 新 分 解 它 吗 \nAnew decompose y/n ?\n"));
    EXPECT_EQ(t.dir.Read("jg.dat"), Blanks("x^␣6+␣81␣x+␣2␣\r\n"
                                           "=(x^␣6␣+␣81x␣+␣2)=(x^␣6␣+␣81x␣+␣2)\r\n"
                                           "=....\r\n"));
}

TEST(SearchControl, TAfterAFactorGoesStraightToTheLastFactor) {
    TestEngine t;
    t.keys.Add("t", 100);
    RunOn(t, "x^13+x^12+29x^6+29x^5+17x^3+17x^2+30x+30");
    EXPECT_FALSE(Contains(t.screen.Log(), "Anew decompose"));
    auto lines = CrLfLines(t.dir.Read("jg.dat"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], Blanks("=(x␣+␣1)(x^␣12␣+␣29x^␣5␣+␣17x^␣2␣+␣30)"));
    EXPECT_EQ(lines.back(), "=....");
}

TEST(SearchControl, TimeLimitStopsAndReTunesTheFirstPass) {
    TestEngine t;
    t.clock.Set(10, 5, 0);
    t.clock.StepPerReading(1);
    RunOn(t, "x^12+29x^5+17x^2+30", "n");
    std::vector<int> bounds = Bound1Lines(t.screen.Log());
    ASSERT_GE(bounds.size(), 2u);
    EXPECT_EQ(bounds[0], 5);
    EXPECT_EQ(bounds[1], 3);
    EXPECT_EQ(t.e.run.StoppedBy, StoppedBy::TimeLimitOrX);
    EXPECT_EQ(CrLfLines(t.dir.Read("jg.dat")).back(), "=....");
}

// Each search that runs out of time halves the bound and starts again, so the
// wait that is promised must cover every search still to come, not just one.
TEST(SearchControl, TheWaitEstimateCoversTheReTunesStillToCome) {
    TestEngine t;
    t.clock.Set(10, 5, 0);
    RunOn(t, "x^24+29x^5+17x^2+30", "n");
    const std::string& log = t.screen.Log();
    std::regex promise("Wait for less than (\\d+) minutes");
    std::vector<int> minutes;
    for (auto it = std::sregex_iterator(log.begin(), log.end(), promise); it != std::sregex_iterator(); ++it)
        minutes.push_back(std::stoi((*it)[1]));
    std::vector<int> bounds = Bound1Lines(log);
    ASSERT_FALSE(minutes.empty());
    ASSERT_FALSE(bounds.empty());
    // The first promise is made under the first bound; searches follow for
    // that bound and every halving down to 1, each for at most 8 minutes.
    int passes = 1;
    for (int b = bounds[0]; b > 1; b = (b + 1) / 2) ++passes;
    EXPECT_EQ(minutes[0], 8 * passes);
    for (std::size_t i = 1; i < minutes.size(); ++i) EXPECT_LT(minutes[i], minutes[i - 1]);
}

TEST(SearchControl, BLiftsTheFirstPassLimit) {
    TestEngine t;
    t.clock.StepPerReading(30);
    RunOn(t, "x^8+3x^5-7x^3+11x+13", "bn");
    EXPECT_EQ(t.e.run.StoppedBy, StoppedBy::Nothing);
    EXPECT_EQ(Bound1Lines(t.screen.Log()).size(), 1u);  // never re-tuned
    EXPECT_FALSE(Contains(t.dir.Read("jg.dat"), "=...."));
}

TEST(SearchControl, TwoMinuteRuleJumpsToTheHighestDegree) {
    TestEngine t;
    // Only the start-up, the search clock and the degree tops read the clock
    // once b has lifted the limit: the top of degree 2 is three minutes on.
    t.clock.StepPerReading(61);
    RunOn(t, "x^10+2x^7+3x^3+5x+30", "bn");
    EXPECT_TRUE(Contains(t.screen.Log(), "* 5  5 \n")) << t.screen.Log();
    EXPECT_EQ(t.e.run.Skipped, 1);
    EXPECT_EQ(CrLfLines(t.dir.Read("jg.dat")).back(), "=...");
}

TEST(SearchControl, AnewAfterASearchThatRanOutWidensTheBound) {
    TestEngine t;
    AnswerWith(t, "yn");
    RunOn(t, "x^2+x+1");
    EXPECT_EQ(Bound1Lines(t.screen.Log()), (std::vector<int>{2, 3}));
    // No end mark: nobody stopped the search.
    EXPECT_EQ(CrLfLines(t.dir.Read("jg.dat")).back(), Blanks("=(x^␣2␣+␣x␣+␣1)=(x^␣2␣+␣x␣+␣1)"));
}

TEST(SearchControl, AnewAfterAStoppedSearchNarrowsTheBound) {
    TestEngine t;
    RunOn(t, "x^6+81x+2", "ty");
    EXPECT_EQ(Bound1Lines(t.screen.Log()), (std::vector<int>{9, 8}));
}

}  // namespace
}  // namespace yinshi::testing
