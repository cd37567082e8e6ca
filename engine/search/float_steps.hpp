#pragma once
#include <algorithm>
#include <cstdint>

#include "platform/whole_numbers.hpp"

namespace yinshi {

inline bool FloatExact(std::int64_t v) { return v >= -kExactLimit && v <= kExactLimit; }

// The value of x after n repetitions of x = x + c in 32-bit float arithmetic
// (round to nearest, ties to even), for whole x and c, computed without doing
// the n additions: exactly while the values stay within 2^24, and by the
// float grid of each binade beyond, where the rounded step is the same from
// one addition to the next. So a walk can jump over a stretch of steps and
// land on the very value it would have reached step by step.
float RepeatAddAnyRange(float x, float c, std::int64_t n);

// The first of the additions 1..n after which |x| <= limit (limit < 2^24),
// with x set to the value there; 0 when none of them gets there (the values
// move away, jump over [-limit, limit], round back to themselves or need more
// than n additions), x unchanged then.
std::int64_t FirstWithin(float& x, float c, float limit, std::int64_t n);
inline float RepeatAdd(float x, float c, std::int64_t n) {
    // From an exact value to an exact one every value between is exact.
    if (x >= -static_cast<float>(kExactLimit) && x <= static_cast<float>(kExactLimit) && n >= 0 && n < (1LL << 32)) {
        const std::int64_t v = static_cast<std::int64_t>(x) + n * static_cast<std::int64_t>(c);
        if (FloatExact(v)) return static_cast<float>(v);
    }
    return RepeatAddAnyRange(x, c, n);
}

}  // namespace yinshi
