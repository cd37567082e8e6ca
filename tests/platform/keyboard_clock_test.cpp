#include <gtest/gtest.h>

#include "pipe.hpp"

#include <fcntl.h>
#include <unistd.h>
#include <regex>

#include "platform/clock.hpp"
#include "platform/keyboard.hpp"
#include "platform/stream_keyboard.hpp"

namespace yinshi {
namespace {

TEST(ScriptedKeyboard, AHeldKeyComesOnThePollAfterItsHoldAndHoldsTheKeysBehindIt) {
    ScriptedKeyboard keys;
    keys.Add("x", 3);
    keys.Add("t");
    EXPECT_EQ(keys.Poll(), std::nullopt);
    EXPECT_EQ(keys.Poll(), std::nullopt);
    EXPECT_EQ(keys.Poll(), std::nullopt);
    EXPECT_EQ(keys.Poll(), 'x');
    EXPECT_EQ(keys.Poll(), 't');
    EXPECT_EQ(keys.Poll(), std::nullopt);
    EXPECT_EQ(keys.Polls(), 6);
    EXPECT_TRUE(keys.Empty());
}

TEST(ScriptedKeyboard, WaitIgnoresHoldsAndAnswersNulWhenUsedUp) {
    ScriptedKeyboard keys("y");
    keys.Add("n", 100);
    EXPECT_EQ(keys.Wait(), 'y');
    EXPECT_EQ(keys.Wait(), 'n');
    EXPECT_EQ(keys.Wait(), '\0');
    EXPECT_EQ(keys.Poll(), std::nullopt);
}

using testing::Pipe;

TEST(StreamKeyboard, KeysAreTheBytesAndEndOfInputMeansNoKeyAndNo) {
    Pipe pipe;
    int shown = 0;
    StreamKeyboard keys(pipe.read, [&] { ++shown; });
    EXPECT_EQ(keys.Poll(), std::nullopt);  // nothing yet, and no blocking
    pipe.Send("ab\xe4\xb8\xad");
    EXPECT_EQ(keys.Poll(), 'a');
    EXPECT_EQ(keys.Wait(), 'b');
    EXPECT_EQ(shown, 3);             // before every read: the two polls and the wait
    EXPECT_EQ(keys.Poll(), '\xe4');  // every byte is a key
    pipe.CloseWrite();
    EXPECT_EQ(keys.Wait(), '\xb8');
    EXPECT_EQ(keys.Poll(), '\xad');
    EXPECT_EQ(keys.Poll(), std::nullopt);
    EXPECT_EQ(keys.Wait(), '\0');
    EXPECT_EQ(keys.Wait(), '\0');
    EXPECT_EQ(keys.Poll(), std::nullopt);
}

TEST(StreamKeyboard, DevNullEndsAtOnce) {
    const int fd = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(fd, 0);
    StreamKeyboard keys(fd);
    EXPECT_EQ(keys.Poll(), std::nullopt);
    EXPECT_EQ(keys.Wait(), '\0');
    ::close(fd);
}

TEST(FakeClock, StandsStillUntilSetAdvancedOrStepped) {
    FakeClock clock;
    EXPECT_EQ(clock.Now(), "10:00:00");
    EXPECT_EQ(clock.Now(), "10:00:00");
    clock.Set(10, 58, 59);
    clock.Advance(62);
    EXPECT_EQ(clock.Now(), "11:00:01");
    clock.StepPerReading(30);
    EXPECT_EQ(clock.Now(), "11:00:31");
    EXPECT_EQ(clock.Now(), "11:01:01");
    EXPECT_EQ(clock.Seconds(), 11 * 3600 + 61);
    clock.Set(23, 59, 50);
    EXPECT_EQ(clock.Now(), "00:00:20");  // past midnight the text wraps
}

TEST(Clock, MinutesFieldAndTheSystemClockFormat) {
    EXPECT_EQ(MinutesOf("10:13:00"), 13);
    EXPECT_EQ(MinutesOf("00:00:59"), 0);
    EXPECT_EQ(MinutesOf("10:5"), 0);
    EXPECT_EQ(MinutesOf("10:x5:00"), 0);
    SystemClock clock;
    const std::string now = clock.Now();
    EXPECT_TRUE(std::regex_match(now, std::regex("([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]"))) << now;
}

}  // namespace
}  // namespace yinshi
