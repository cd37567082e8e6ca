// The verdict at the end of a run, over many seeded random products in one and
// two variables: it must agree with what exact factoring says of each factor
// of the product line, read here by the tests' own polynomial reader.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "exact/flint_factorer.hpp"
#include "poly_check.hpp"
#include "run_support.hpp"

namespace yinshi::testing {
namespace {

exact::MultiPoly ToExact(const Poly& p) {
    // Letters in alphabetical order; any numbering serves irreducibility.
    std::array<int, 26> slot{};
    slot.fill(-1);
    int used = 0;
    for (const auto& [mono, coef] : p)
        for (int l = 0; l < 26; ++l)
            if (mono[static_cast<std::size_t>(l)] != 0 && slot[static_cast<std::size_t>(l)] < 0)
                slot[static_cast<std::size_t>(l)] = used++;
    exact::MultiPoly out;
    for (const auto& [mono, coef] : p) {
        exact::Term t{coef, {}};
        for (int l = 0; l < 26; ++l)
            if (mono[static_cast<std::size_t>(l)] != 0)
                t.exp[static_cast<std::size_t>(slot[static_cast<std::size_t>(l)])] = mono[static_cast<std::size_t>(l)];
        out.push_back(t);
    }
    return out;
}

std::string RandomProduct(std::mt19937& rng, int letters) {
    std::uniform_int_distribution<int> coef(-3, 3), parts(1, 3), exp(0, 2);
    const std::string names = "xy";
    std::string text;
    int n = parts(rng);
    Poly product = *ParsePoly("1");
    for (int i = 0; i < n; ++i) {
        std::string f;
        for (int term = 0; term < 3; ++term) {
            int c = coef(rng);
            if (c == 0) continue;
            f += (c < 0 ? "-" : "+") + std::to_string(std::abs(c));
            for (int l = 0; l < letters; ++l) {
                int e = exp(rng);
                if (e > 0) f += names.substr(static_cast<std::size_t>(l), 1) + "^" + std::to_string(e);
            }
        }
        std::optional<Poly> p = ParsePoly(f.empty() ? "1" : f);
        if (p) product = Multiply(product, *p);
    }
    return ToString(product);
}

TEST(Certificate, AgreesWithExactFactoringOfEveryFactorShown) {
    const exact::FlintFactorer flint;
    std::mt19937 rng(8122026);
    const std::regex factor("\\(([^()\\[\\]]*)\\)");
    int certified = 0;
    for (int round = 0; round < 300; ++round) {
        std::string text = RandomProduct(rng, 1 + round % 2);
        if (text.find_first_of("xy") == std::string::npos) continue;
        SCOPED_TRACE(text);
        TestEngine t;
        t.e.exact = &flint;
        t.clock.StepPerReading(1);  // every search meets its time limit
        RunOn(t, text);
        std::string jg = t.dir.Read("jg.dat");
        std::string last;
        for (const std::string& line : CrLfLines(jg))
            if (line.find('(') != std::string::npos && line.find('[') == std::string::npos) last = line;
        if (last.empty()) continue;
        std::string splits;
        bool known = true;
        for (auto it = std::sregex_iterator(last.begin(), last.end(), factor); it != std::sregex_iterator(); ++it) {
            std::optional<Poly> p = ParsePoly((*it)[1]);
            ASSERT_TRUE(p.has_value()) << last;
            std::optional<bool> irreducible = flint.IsIrreducible(ToExact(*p));
            if (!irreducible) known = false;
            if (irreducible == false && splits.empty()) splits = (*it)[1];
        }
        const std::string& log = t.screen.Log();
        if (!splits.empty()) {
            EXPECT_NE(log.find("The factor (" + splits + ") still splits over the integers."), std::string::npos);
        } else if (known) {
            bool said = log.find("Every factor is irreducible over the integers.") != std::string::npos ||
                        log.find("It is irreducible over the integers.") != std::string::npos;
            EXPECT_TRUE(said) << jg;
            ++certified;
        }
    }
    EXPECT_GT(certified, 150);
}

}  // namespace
}  // namespace yinshi::testing

namespace yinshi::testing {
namespace {

// Products the walk alone often leaves unsplit (large coefficients in one
// variable, several variables, time limits reached at once): the run must
// still end with a product that multiplies back to its input and whose every
// factor is irreducible.
std::string HardProduct(std::mt19937& rng, int letters) {
    const bool one = letters == 1;
    std::uniform_int_distribution<int> coef(one ? -60 : -4, one ? 60 : 4), parts(2, one ? 4 : 3),
        deg(1, 3), exp(0, 2), terms(2, 3);
    const std::string names = "xyz";
    Poly product = *ParsePoly("1");
    for (int i = parts(rng); i > 0; --i) {
        std::string f;
        for (int k = one ? deg(rng) : terms(rng); k >= 0; --k) {
            int c = coef(rng);
            if (c == 0) continue;
            f += (c < 0 ? "-" : "+") + std::to_string(std::abs(c));
            if (one) {
                if (k > 0) f += "x^" + std::to_string(k);
                continue;
            }
            for (int l = 0; l < letters; ++l)
                if (int x = exp(rng); x > 0) f += names.substr(static_cast<std::size_t>(l), 1) + "^" + std::to_string(x);
        }
        if (!f.empty()) product = Multiply(product, *ParsePoly(f));
    }
    // Something to factor, within what the engine takes: 2 to 20 terms,
    // coefficients in its limit.
    if (product.size() < 2 || product.size() > 20) return "";
    for (const auto& [mono, c] : product)
        if (std::llabs(c) > 9999999) return "";
    return ToString(product);
}

TEST(Certificate, RunsEndWithEveryFactorIrreducible) {
    const exact::FlintFactorer flint;
    std::mt19937 rng(20261209);
    int complete = 0, runs = 0;
    for (int round = 0; round < 600; ++round) {
        std::string text = HardProduct(rng, 1 + round % 3);
        if (text.find_first_of("xyz") == std::string::npos) continue;
        SCOPED_TRACE(text);
        TestEngine t;
        t.e.exact = &flint;
        t.clock.StepPerReading(1);
        RunOn(t, text);
        ++runs;
        std::optional<Poly> shown = TranscriptProduct(t.dir.Read("jg.dat"));
        ASSERT_TRUE(shown.has_value()) << t.dir.Read("jg.dat");
        EXPECT_EQ(ToString(*shown), text) << t.dir.Read("jg.dat");
        const std::string& log = t.screen.Log();
        if (log.find("Every factor is irreducible over the integers.") != std::string::npos ||
            log.find("It is irreducible over the integers.") != std::string::npos)
            ++complete;
    }
    // Only a split whose working would show numbers past the engine's exact
    // floats is left to the certificate; none of these comes near that.
    EXPECT_EQ(complete, runs);
    EXPECT_GT(runs, 500);
}

}  // namespace
}  // namespace yinshi::testing
