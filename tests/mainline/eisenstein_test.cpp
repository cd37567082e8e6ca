#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainline/progress.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

using testing::Blanks;

struct EisensteinCase {
    std::vector<float> coefs;  // ascending
    const char* console;
    bool irreducible;
};

TEST(Eisenstein, PrintsThePrimesOfTheConstantAndDecides) {
    const EisensteinCase cases[] = {
        // Empty trial loop: the remaining prime 2 is printed, and it proves x^2+2x+2 irreducible.
        {{2, 2, 1}, "␣2␣\n", true},
        // 2 fails on a1 = 5; the remaining 3 fails too: an empty line follows.
        {{6, 5, 1}, "␣2␣*␣3␣\n\n", false},
        // 2 holds at once: nothing printed.
        {{14, 0, 0, 1}, "", true},
        // The remaining prime keeps its sign.
        {{-14, 1, 1}, "␣2␣*-7␣\n\n", false},
        // A prime taken several times; the line ends when the product is complete.
        {{12, 5, 1}, "␣2␣*␣2␣*␣3␣\n", false},
        // 191 * 191 * 2: 191 divides a1 and not a2, but its square divides a0.
        {{72962, 191, 1}, "␣2␣*␣191␣*␣191␣\n", false},
        // The remaining prime 7 divides a1 = 7 and not a2.
        {{14, 7, 1}, "␣2␣*␣7␣\n", true},
        // 3 proves it after the 2s have been printed.
        {{12, 3, 1}, "␣2␣*␣2␣*", true},
        // abs(a0) = 1: nothing to factor.
        {{-1, 3, 1}, "", false},
    };
    for (const auto& c : cases) {
        testing::TestEngine t;
        t.SetDense(c.coefs);
        t.e.run.FactorFound = true;
        Next next = EisensteinStage(t.e);
        EXPECT_EQ(t.screen.Log(), Blanks(c.console)) << c.coefs[0];
        if (c.irreducible) {
            EXPECT_EQ(next, At::Finish) << c.coefs[0];
        } else {
            EXPECT_FALSE(next.has_value()) << c.coefs[0];
        }
    }
}

TEST(Eisenstein, FirstPassContinuesPastTheEndMarks) {
    testing::TestEngine t;
    t.SetDense({2, 2, 1});
    t.e.run.FactorFound = false;
    EXPECT_EQ(EisensteinStage(t.e), At::CloseWithoutMarks);

    testing::TestEngine u;
    u.SetDense({6, 5, 1});
    EXPECT_FALSE(EisensteinStage(u.e).has_value());
}

TEST(Eisenstein, AZeroConstantTermIsLeftAlone) {
    testing::TestEngine t;
    t.SetDense({0, 2, 1});
    EXPECT_FALSE(EisensteinStage(t.e).has_value());
    EXPECT_EQ(t.screen.Log(), "");
}

}  // namespace
}  // namespace yinshi
