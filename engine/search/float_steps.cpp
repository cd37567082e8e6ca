#include "search/float_steps.hpp"

#include <bit>
#include <cmath>

namespace yinshi {

namespace {

constexpr double kLarge = 1152921504606846976.0;  // 2^60: beyond any value the search reaches

bool Representable(float x, float c) {
    return std::fabs(x) < kLarge && std::fabs(c) <= static_cast<double>(kExactLimit);
}

// The additions of `step` to a value beyond 2^24 (or one whose next sum is),
// a stretch at a time. Each
// call advances by at most `n` additions and returns how many it made (0 when
// every addition rounds back to the same value, for good).
std::int64_t Advance(std::int64_t& v, std::int64_t step, std::int64_t n) {
    auto oneStep = [&]() -> std::int64_t {
        const auto next = static_cast<std::int64_t>(static_cast<float>(v) + static_cast<float>(step));
        if (next == v) return 0;
        v = next;
        return 1;
    };
    // The floats of one binade are the multiples of its spacing u; by
    // symmetry work on the magnitude.
    const std::int64_t sign = v < 0 ? -1 : 1;
    const std::int64_t a = sign * v;
    const std::int64_t b = sign * step;
    if (a <= kExactLimit) return oneStep();  // from the exact range out of it
    const int e = 63 - std::countl_zero(static_cast<std::uint64_t>(a));
    const std::int64_t low = std::int64_t{1} << e;
    const std::int64_t high = low << 1;
    const std::int64_t u = std::int64_t{1} << (e - 23);
    // A sum that falls in the next binade rounds on another grid.
    if (!(b > 0 ? a + b < high : a + b >= low)) return oneStep();
    const std::int64_t q = FloorDiv(b, u);
    const std::int64_t r = b - q * u;
    std::int64_t units = q;
    if (2 * r > u) {
        units = q + 1;
    } else if (2 * r == u) {
        // A tie goes to the even multiple of u: once the value is even the
        // rounded step keeps it even.
        if ((a / u) % 2 != 0) return oneStep();
        units = q % 2 == 0 ? q : q + 1;
    }
    const std::int64_t delta = units * u;
    if (delta == 0) return 0;
    // The additions whose exact sum stays inside the binade round on its grid.
    std::int64_t k = delta > 0 ? (high - 1 - a - b) / delta + 1 : (a + b - low) / -delta + 1;
    if (k > n) k = n;
    v = sign * (a + k * delta);
    return k;
}

// FirstWithin one addition at a time, for values or a limit the closed form
// does not cover.
std::int64_t FirstWithinStepping(float& x, float c, float limit, std::int64_t n) {
    float v = x;
    for (std::int64_t k = 1; k <= n; ++k) {
        v += c;
        if (std::fabs(v) <= limit) {
            x = v;
            return k;
        }
    }
    return 0;
}

// From an exact v every value on the way to the band is exact: the first of
// at most n additions inside [-bound, bound], with x set to the value there;
// 0 when one jumps over it, the values move away or it takes more than n.
std::int64_t LandExact(float& x, std::int64_t v, std::int64_t step, std::int64_t bound, std::int64_t n) {
    std::int64_t k = 0;
    if (v >= -bound && v <= bound) {
        k = 1;  // from inside, the next addition stays inside or leaves for good
    } else if (v > bound && step < 0) {
        k = (v - bound + -step - 1) / -step;
    } else if (v < -bound && step > 0) {
        k = (-bound - v + step - 1) / step;
    } else {
        return 0;
    }
    const std::int64_t at = v + k * step;
    if (at < -bound || at > bound || k > n) return 0;
    x = static_cast<float>(at);
    return k;
}

// Beyond 2^24 nothing is inside the band: at most n additions towards the
// exact range, and how many were made (0 when the values move away from it
// or round back to themselves).
std::int64_t TowardsExact(std::int64_t& v, std::int64_t step, std::int64_t n) {
    if ((v > 0) == (step > 0)) return 0;  // moving away
    const std::int64_t room = v > 0 ? (v - kExactLimit + -step - 1) / -step : (-kExactLimit - v + step - 1) / step;
    return Advance(v, step, std::min(room, n));
}

}  // namespace

float RepeatAddAnyRange(float x, float c, std::int64_t n) {
    if (n <= 0 || c == 0) return x;
    if (!Representable(x, c)) {
        for (; n > 0; --n) x += c;
        return x;
    }
    auto v = static_cast<std::int64_t>(x);
    const auto step = static_cast<std::int64_t>(c);
    while (n > 0) {
        if (FloatExact(v)) {
            // Exact until the value leaves the exact range.
            const std::int64_t room = step > 0 ? (kExactLimit - v) / step : (v + kExactLimit) / -step;
            if (room >= n) return static_cast<float>(v + n * step);
            v += room * step;
            n -= room;
        }
        const std::int64_t made = Advance(v, step, n);
        if (made == 0) break;
        n -= made;
    }
    return static_cast<float>(v);
}

std::int64_t FirstWithin(float& x, float c, float limit, std::int64_t n) {
    if (n <= 0) return 0;
    if (!Representable(x, c) || !(limit >= 0 && limit < static_cast<float>(kExactLimit)))
        return FirstWithinStepping(x, c, limit, n);
    auto v = static_cast<std::int64_t>(x);
    const auto step = static_cast<std::int64_t>(c);
    const auto bound = static_cast<std::int64_t>(limit);
    std::int64_t done = 0;
    while (done < n) {
        if (FloatExact(v)) {
            const std::int64_t k = LandExact(x, v, step, bound, n - done);
            return k == 0 ? 0 : done + k;
        }
        const std::int64_t made = TowardsExact(v, step, n - done);
        if (made == 0) return 0;
        done += made;
        // Only the addition that leaves the inexact range can land inside.
        if (v >= -bound && v <= bound) {
            x = static_cast<float>(v);
            return done;
        }
    }
    return 0;
}

}  // namespace yinshi
