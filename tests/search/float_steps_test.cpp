#include "search/float_steps.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

namespace yinshi {
namespace {

float Loop(float x, float c, std::int64_t n) {
    for (; n > 0; --n) x += c;
    return x;
}

// Seeded starts around 0, around 2^24 and far beyond it, in both directions,
// with steps from 1 to the coefficient limit and steps that tie on the float
// grid: the jump lands where the additions one by one land, bit for bit.
TEST(RepeatAdd, LandsWhereTheAdditionsOneByOneLand) {
    std::mt19937_64 rng(20251208);
    auto pick = [&](std::int64_t lo, std::int64_t hi) {
        return lo + static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(hi - lo + 1));
    };
    for (int round = 0; round < 8000; ++round) {
        const int scale = static_cast<int>(pick(0, 40));
        const double mag = std::ldexp(1.0, scale) + static_cast<double>(pick(-1000, 1000));
        const float x = static_cast<float>(std::floor(round % 2 == 0 ? mag : -mag));
        std::int64_t stepMag = pick(0, 3) == 0 ? pick(1, 9) : pick(1, 9999999);
        const int binade = static_cast<int>(std::floor(std::log2(std::fabs(static_cast<double>(x)) + 1)));
        if (binade >= 25 && pick(0, 3) == 0) {
            // Half the float spacing there, times an odd number: every addition is a tie.
            const std::int64_t half = std::int64_t{1} << (binade - 24);
            stepMag = std::min<std::int64_t>(half * (2 * pick(0, 40) + 1), 9999999);
        }
        const float c = static_cast<float>(pick(0, 1) == 0 ? stepMag : -stepMag);
        const std::int64_t n = pick(0, 3) == 0 ? pick(0, 50) : pick(0, 200000);
        ASSERT_EQ(RepeatAdd(x, c, n), Loop(x, c, n)) << "x " << x << " c " << c << " n " << n;
    }
}

// The same starts, stepping towards a band [-limit, limit]: the first
// addition inside it is the one the loop finds, or none within n.
TEST(FirstWithin, FindsTheFirstAdditionInsideTheBandAsTheLoopDoes) {
    std::mt19937_64 rng(7);
    auto pick = [&](std::int64_t lo, std::int64_t hi) {
        return lo + static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(hi - lo + 1));
    };
    for (int round = 0; round < 5000; ++round) {
        const int scale = static_cast<int>(pick(22, 30));
        const double mag = std::ldexp(1.0, scale) + static_cast<double>(pick(-5000, 5000));
        const float x = static_cast<float>(std::floor(round % 2 == 0 ? mag : -mag));
        const std::int64_t stepMag = pick(0, 2) == 0 ? pick(1, 99) : pick(1, 9999999);
        const bool towards = pick(0, 7) != 0;
        const float c = static_cast<float>((x > 0) == towards ? -stepMag : stepMag);
        const float limit = static_cast<float>(pick(0, 1) == 0 ? pick(0, 100) : pick(0, 9999999));
        const std::int64_t n = pick(0, 3) == 0 ? pick(0, 100) : pick(0, 200000);
        float loopValue = x;
        std::int64_t loopAt = 0;
        for (std::int64_t k = 1; k <= n; ++k) {
            loopValue += c;
            if (std::fabs(loopValue) <= limit) {
                loopAt = k;
                break;
            }
        }
        float value = x;
        ASSERT_EQ(FirstWithin(value, c, limit, n), loopAt)
            << "x " << x << " c " << c << " limit " << limit << " n " << n;
        if (loopAt != 0) {
            ASSERT_EQ(value, loopValue);
        }
    }
}

}  // namespace
}  // namespace yinshi
