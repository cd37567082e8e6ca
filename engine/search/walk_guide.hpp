#pragma once
// The exact factorisation of the polynomial the trial search walks, turned
// into the only partial assignments worth walking on: those that can still
// end in a divisor of the trial degree (or the cofactor of one, which the
// swapped check accepts). The walk keeps its own order and only passes over
// values no divisor has, so what it accepts, and in what order, is what the
// unguided walk would accept.
#include <cstdint>
#include <optional>
#include <vector>

#include "exact/factorer.hpp"

namespace yinshi {

class WalkGuide {
public:
    // More targets than this and the guide is not worth its bookkeeping: the
    // walk goes unguided at that degree.
    static constexpr std::size_t kMaxTargets = 4096;

    // The guide for trial degree d of a(0..n) (whole numbers, a(0) != 0), from
    // its factorisation; nullopt when it cannot guide exactly (a divisor too
    // large for the tables, too many divisors).
    static std::optional<WalkGuide> For(const exact::UniFactorization& f, int n, int d);

    // g(0..upTo) as the walk holds them: the targets that agree with each
    // prefix, from position 0 (the pair's g0) up.
    void Rebuild(const float* g, int upTo);
    // Position p (1 <= p < d) now holds v.
    void Take(int p, float v);
    // Some target agrees with g(0..p).
    bool Open(int p) const { return !alive_[static_cast<std::size_t>(p)].empty(); }
    // Some target agrees with g(0..p-1) and has v at position p. A value the
    // comparison cannot trust is allowed.
    bool Allows(int p, float v) const;

private:
    WalkGuide(int d, std::vector<std::int64_t> coefs);
    std::int64_t At(std::int32_t row, int p) const {
        return coefs_[static_cast<std::size_t>(row) * static_cast<std::size_t>(d_ + 1) + static_cast<std::size_t>(p)];
    }

    int d_ = 0;
    std::size_t rows_ = 0;
    std::vector<std::int64_t> coefs_;               // rows of g(0..d), one per target
    std::vector<std::vector<std::int32_t>> alive_;  // [p]: the rows agreeing with g(0..p)
};

// The positive divisors of c in ascending order, at most `cap` of them; nullopt past the cap.
std::optional<std::vector<std::int64_t>> PositiveDivisors(std::int64_t c, std::size_t cap);

// a(0..n) as exact integers, when every coefficient is a whole float.
std::optional<exact::UniPoly> WholeCoefficients(const float* a, int n);

}  // namespace yinshi
