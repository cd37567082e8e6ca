#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/number_form.hpp"
#include "test_support.hpp"

namespace yinshi {
namespace {

using testing::Blanks;

TEST(NumberForm, TextAndItemForms) {
    const struct {
        float v;
        const char* text;
    } cases[] = {
        {3, "␣3"},
        {-12, "-12"},
        {0, "␣0"},
        {-0.0f, "␣0"},
        {9999999, "␣9999999"},
        {12345678, "␣12345678"},
        {123456789.0f, "␣1.2345679E+08"},
        {-3e9f, "-3E+09"},
        {0.5f, "␣.5"},
        {-0.25f, "-.25"},
        {1.5f, "␣1.5"},
        {0.1f, "␣.1"},
        {1.0f / 3.0f, "␣.33333334"},
        {std::numeric_limits<float>::infinity(), "␣Inf"},
        {-std::numeric_limits<float>::infinity(), "-Inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextForm(c.v), Blanks(c.text)) << c.text;
        EXPECT_EQ(ItemForm(c.v), Blanks(c.text) + " ") << c.text;
    }
    EXPECT_EQ(TextForm(std::nanf("")).substr(1), "NaN");
}

TEST(NumberForm, EveryShortFormReadsBackToTheSameValue) {
    const float values[] = {0.1f, 0.7f, 1.0f / 3.0f, 123.456f, 1e-7f, 3e-39f, 9999999.5f, 16777217.0f, 99999992.0f};
    for (float v : values) EXPECT_EQ(ReadNumber(TextForm(v)), v) << TextForm(v);
}

TEST(NumberForm, ReadNumberTakesTheLongestDecimalPrefix) {
    const struct {
        const char* text;
        float value;
        std::size_t used;
    } cases[] = {
        {" 3", 3, 2},
        {"3/2", 3, 1},
        {"-1/6", -1, 2},
        {"26x", 26, 2},
        {".5x", 0.5f, 2},
        {"-.25", -0.25f, 4},
        {"1.5x", 1.5f, 3},
        {"5.", 5, 2},
        {"+7", 7, 2},
        {"  -0", 0, 4},
        {"x", 0, 0},
        {"-x", 0, 0},
        {".", 0, 0},
        {"", 0, 0},
        {"- 3", 0, 0},
        {"1e5", 1, 1},
        {"0.000000000000000000000000000000000000000000000000000001", 0, 56},
    };
    for (const auto& c : cases) {
        std::size_t used = 99;
        EXPECT_EQ(ReadNumber(c.text, used), c.value) << c.text;
        EXPECT_EQ(used, c.used) << c.text;
    }
}

TEST(NumberForm, ReadNumberPastTheFloatRangeIsInfinite) {
    std::string huge(400, '9');
    EXPECT_EQ(ReadNumber(huge), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ReadNumber("-" + huge), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(ReadNumber("1" + std::string(39, '0')), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0.0f);
}

TEST(NumberForm, RoundHalfEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(-7.6), -8);
    EXPECT_EQ(RoundHalfEven(1e12), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(RoundHalfEven(-1e12), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

}  // namespace
}  // namespace yinshi
