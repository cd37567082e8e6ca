// With exact factoring no run walks blind for long: past its budget of
// positions for one polynomial the walk takes its factor from the exact
// factorisation, or leaves what remains to the continuation. Over seeded
// squares, cubes and products of two to four factors in two to five letters,
// every run must end with a product that multiplies back to its input and
// whose every factor is certified irreducible, and no polynomial may take
// more than twice the budget. Counted, not timed.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "exact/flint_factorer.hpp"
#include "poly_check.hpp"
#include "run_support.hpp"
#include "search/stop_check.hpp"
#include "search/supplied_factor.hpp"

namespace yinshi::testing {
namespace {

std::string RandomFactor(std::mt19937& rng, int letters) {
    std::uniform_int_distribution<int> coef(-5, 5), exp(0, 2), terms(2, 3);
    const std::string names = "xyzuv";
    std::string f;
    for (int k = terms(rng); k > 0; --k) {
        const int c = coef(rng);
        if (c == 0) continue;
        f += (c < 0 ? "-" : "+") + std::to_string(std::abs(c));
        for (int l = 0; l < letters; ++l)
            if (int x = exp(rng); x > 0) f += names.substr(static_cast<std::size_t>(l), 1) + "^" + std::to_string(x);
    }
    return f;
}

// A square, a cube, or a product of two to four factors, within what the
// engine takes (2 to 20 terms, coefficients in its limit); nullopt otherwise.
std::optional<Poly> RandomProduct(std::mt19937& rng, int letters, int shape) {
    Poly p = *ParsePoly("1");
    std::uniform_int_distribution<int> parts(2, 4);
    const std::string base = RandomFactor(rng, letters);
    if (base.empty()) return std::nullopt;
    if (shape == 0 || shape == 1) {
        for (int i = 0; i < shape + 2; ++i) p = Multiply(p, *ParsePoly(base));
    } else {
        p = *ParsePoly(base);
        for (int i = parts(rng) - 1; i > 0; --i) {
            const std::string f = RandomFactor(rng, letters);
            if (!f.empty()) p = Multiply(p, *ParsePoly(f));
        }
    }
    if (p.size() < 2 || p.size() > 20) return std::nullopt;
    for (const auto& [mono, c] : p)
        if (std::llabs(c) > 9999999) return std::nullopt;
    return p;
}

#ifdef YINSHI_SANITIZED
constexpr int kRuns = 200;
#else
constexpr int kRuns = 2000;
#endif

TEST(PositionBudget, EveryRunEndsCompleteWithinTwiceTheBudgetPerPolynomial) {
    const exact::FlintFactorer flint;
    std::mt19937 rng(21122026);
    int runs = 0, pastBudget = 0;
    while (runs < kRuns) {
        const int letters = 2 + runs % 4;
        const std::optional<Poly> input = RandomProduct(rng, letters, runs % 3);
        if (!input) continue;
        ++runs;
        const std::string text = ToString(*input);
        SCOPED_TRACE(text);
        TestEngine t;
        t.e.exact = &flint;
        struct TooLong {};
        t.e.search.PositionProbe = [&](int) {
            if (t.e.search.PolyPositions > 2 * kPositionBudget) throw TooLong{};
        };
        try {
            RunOn(t, text);
        } catch (const TooLong&) {
            ADD_FAILURE() << "more than twice the budget for one polynomial";
            continue;
        }
        const long long most = MostPositionsPerPolynomial(t.e.search);
        EXPECT_LE(most, 2 * kPositionBudget);
        pastBudget += most > kPositionBudget ? 1 : 0;
        const std::string jg = t.dir.Read("jg.dat");
        long long den = 1;
        const std::optional<Poly> shown = TranscriptProduct(jg, &den);
        ASSERT_TRUE(shown.has_value()) << jg;
        EXPECT_EQ(ToString(*shown), ToString(Multiply(*input, *ParsePoly(std::to_string(den))))) << jg;
        const std::string& log = t.screen.Log();
        EXPECT_TRUE(log.find("Every factor is irreducible over the integers.") != std::string::npos ||
                    log.find("It is irreducible over the integers.") != std::string::npos)
            << jg;
    }
    // The budget must have been met, or this test shows nothing.
    EXPECT_GT(pastBudget, 0);
    std::printf("%d of %d runs went past the budget of positions\n", pastBudget, runs);
}

}  // namespace
}  // namespace yinshi::testing
