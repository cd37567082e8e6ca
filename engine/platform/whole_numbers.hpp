#pragma once
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace yinshi {

// Up to 2^24 a float holds every integer; past it, values are no longer exact,
// and sums of whole floats are exact only while they stay within it.
constexpr std::int64_t kExactLimit = 16777216;

// The greatest common divisor of two whole numbers, held as integers or as
// whole floats; never negative.
template <typename T>
T Gcd(T a, T b) {
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        T r;
        if constexpr (std::is_floating_point_v<T>)
            r = std::fmod(a, b);
        else
            r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// floor(a / b) for b != 0, in integers.
inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0))) --q;
    return q;
}

// Whether p divides the whole float v: the quotient, rounded down and
// multiplied back, gives v again.
inline bool Divides(float p, float v) { return std::floor(v / p) * p == v; }

}  // namespace yinshi
