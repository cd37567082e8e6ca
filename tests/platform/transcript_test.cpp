// The transcript's held "=" prefix: written only in front of what follows it
// on the same line.
#include <gtest/gtest.h>

#include <functional>

#include "platform/transcript.hpp"
#include "test_support.hpp"

namespace yinshi::testing {
namespace {

std::string Written(const std::function<void(Transcript&)>& body) {
    TempDir dir;
    Transcript jg;
    EXPECT_TRUE(jg.Create(dir.Path() / "jg.dat"));
    body(jg);
    jg.Close();
    return dir.Read("jg.dat");
}

void Hold(Transcript& jg, const std::string& text) {
    jg.BeginHold();
    jg.Write(text);
    jg.EndHold();
}

TEST(Transcript, HeldPrefixGoesBeforeTheNextTextOnItsLine) {
    EXPECT_EQ(Written([](Transcript& jg) {
                  jg.Write("(f)");
                  Hold(jg, "= 2");
                  jg.Write("(g)");
              }),
              "(f)= 2(g)\r\n");
}

TEST(Transcript, HeldPrefixIsDroppedAtALineEndAndReplacedByALaterOne) {
    EXPECT_EQ(Written([](Transcript& jg) {
                  jg.Write("(f)");
                  Hold(jg, "= 2");
                  jg.EndLine();
                  jg.Write("a");
                  Hold(jg, "= 2");
                  Hold(jg, "= 3");
                  jg.Write("(g)");
              }),
              "(f)\r\na= 3(g)\r\n");
}

TEST(Transcript, NothingReachesAClosedFile) {
    TempDir dir;
    Transcript jg;
    jg.Write("lost");
    EXPECT_FALSE(dir.Exists("jg.dat"));
    ASSERT_TRUE(jg.Create(dir.Path() / "jg.dat"));
    jg.Write("kept");
    jg.Close();
    jg.Write("after");
    jg.EndLine();
    EXPECT_EQ(dir.Read("jg.dat"), "kept\r\n");
}

}  // namespace
}  // namespace yinshi::testing
