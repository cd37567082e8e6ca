// The fallback for standard libraries without floating-point <charconv> (the WebAssembly
// build's) must print and read exactly what <charconv> does: the engine's printed numbers and
// its files depend on it.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "platform/float_chars.hpp"

namespace yinshi {
namespace {

// Every bit pattern class: random finite floats, and the values just around powers of two,
// where the gap to the float below is half the gap above.
TEST(FloatChars, FallbackPrintsWhatCharconvPrints) {
    std::mt19937 rng(20261209);
    auto check = [](float v) {
        for (FloatStyle style : {FloatStyle::Fixed, FloatStyle::Scientific})
            ASSERT_EQ(charconv_fallback::ShortestFloat(v, style), ShortestFloat(v, style))
                << std::bit_cast<std::uint32_t>(v) << (style == FloatStyle::Fixed ? " fixed" : " scientific");
    };
    for (int i = 0; i < 200000; ++i) {
        const float v = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
        if (std::isfinite(v)) check(v);
    }
    for (std::uint32_t e = 1; e < 255; ++e)
        for (std::uint32_t m : {0u, 1u, 2u, 0x7fffffu, 0x7ffffeu}) check(std::bit_cast<float>(e << 23 | m));
    for (std::uint32_t small = 1; small < 2000; ++small) check(std::bit_cast<float>(small));
}

TEST(FloatChars, FallbackReadsWhatCharconvReads) {
    std::mt19937 rng(7);
    for (int i = 0; i < 100000; ++i) {
        std::string number = rng() % 2 ? "-" : "";
        const int whole = static_cast<int>(rng() % 12);
        const int fraction = static_cast<int>(rng() % 12);
        for (int k = 0; k < whole; ++k) number += static_cast<char>('0' + rng() % 10);
        if (fraction > 0 || whole == 0) number += '.';
        for (int k = 0; k < std::max(fraction, whole == 0 ? 1 : 0); ++k) number += static_cast<char>('0' + rng() % 10);
        ASSERT_EQ(charconv_fallback::DecimalToDouble(number), DecimalToDouble(number)) << number;
    }
    for (const std::string& extreme : {std::string(400, '9'), "0." + std::string(400, '0') + "1",
                                       "0." + std::string(320, '0') + "1", "-" + std::string(309, '9')})
        EXPECT_EQ(charconv_fallback::DecimalToDouble(extreme), DecimalToDouble(extreme)) << extreme;
}

}  // namespace
}  // namespace yinshi
