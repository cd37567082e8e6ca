// The verdict at the end of a run, over many seeded random products in one and
// two variables: it must agree with what exact factoring says of each factor
// of the product line, read here by the tests' own polynomial reader.
#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <optional>
#include <random>
#include <regex>
#include <set>

#include "exact/flint_factorer.hpp"
#include "platform/factor_file.hpp"
#include "poly_check.hpp"
#include "results/certificate.hpp"
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

// The further solutions regroup the factors filed in dj.dat (none for a short
// transcript): those of the last product line, whatever working came before it.
void ExpectFiledFactorsAreTheLastProducts(const TempDir& dir) {
    const std::regex factor("\\(([^()\\[\\]]*)\\)");
    const std::string jg = dir.Read("jg.dat");
    std::string last;
    for (const std::string& line : CrLfLines(jg))
        if (line.find('(') != std::string::npos && line.find('[') == std::string::npos) last = line;
    std::set<std::string> shown;
    for (auto it = std::sregex_iterator(last.begin(), last.end(), factor); it != std::sregex_iterator(); ++it)
        shown.insert("(" + (*it)[1].str() + ")");
    std::set<std::string> filed;
    FactorFile dj;
    ASSERT_TRUE(dj.Open(dir.Path() / "dj.dat"));
    for (int r = 1; std::optional<std::string> record = dj.Get(r); ++r) filed.insert(*record);
    if (!filed.empty()) {
        EXPECT_EQ(filed, shown) << jg;
    }
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
        // Every other run looks at the further solutions, which end the run on their own.
        if (round % 2 == 1) AnswerWith(t, "yyyyyy");
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
        // "It" is the polynomial: a content or monomial in front makes it a product.
        if (log.find("It is irreducible over the integers.") != std::string::npos) {
            EXPECT_EQ(flint.IsIrreducible(ToExact(*ParsePoly(text))), true) << last;
        }
        ExpectFiledFactorsAreTheLastProducts(t.dir);
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
// variable, several variables), some with a repeated factor, a content or
// fractions: the run must end with a product that multiplies back to its
// input and whose every factor is irreducible. The clock stands still, so no
// time limit cuts a search short; instead a run must stay within a number of
// positions that the slowest build walks in a third of a second, far below its
// shortest time limit of a minute. The one exception is known: in three
// letters an image of degree 100 to 200 can make the walk look long for the
// first complete candidate of a degree, which the next degree resumes from
// and so must be found as the plain walk finds it; those few runs are cut
// short here (the engine's time limit and the continuation end them).
struct Product {
    std::string text;  // as typed: coefficients value / den, reduced
    Poly value;        // the integer polynomial text * den
    long long den = 1;
};

std::string Factor(std::mt19937& rng, int letters) {
    const bool one = letters == 1;
    std::uniform_int_distribution<int> coef(one ? -60 : -4, one ? 60 : 4), deg(1, 3), exp(0, 2), terms(2, 3);
    const std::string names = "xyz";
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
    return f;
}

std::optional<Product> HardProduct(std::mt19937& rng, int letters) {
    std::uniform_int_distribution<int> parts(2, letters == 1 ? 4 : 3), percent(0, 99), small(2, 6);
    Product p;
    p.value = *ParsePoly("1");
    for (int i = parts(rng); i > 0; --i) {
        const std::string f = Factor(rng, letters);
        if (f.empty()) continue;
        p.value = Multiply(p.value, *ParsePoly(f));
        if (percent(rng) < 15) p.value = Multiply(p.value, *ParsePoly(f));  // repeated
    }
    if (percent(rng) < 20) p.value = Multiply(p.value, *ParsePoly(std::to_string(small(rng))));  // a content
    if (percent(rng) < 15) p.den = small(rng);
    // Something to factor, within what the engine takes: 2 to 20 terms,
    // coefficients in its limit.
    if (p.value.size() < 2 || p.value.size() > 20) return std::nullopt;
    for (const auto& [mono, c] : p.value) {
        if (std::llabs(c) > 9999999) return std::nullopt;
        const long long g = std::gcd(std::llabs(c), p.den);
        p.text += (c < 0 ? "-" : "+") + std::to_string(std::llabs(c) / g);
        if (p.den / g != 1) p.text += "/" + std::to_string(p.den / g);
        for (int v = 0; v < 26; ++v)
            if (mono[static_cast<std::size_t>(v)] > 0)
                p.text += std::string(1, static_cast<char>('a' + v)) + "^" +
                          std::to_string(mono[static_cast<std::size_t>(v)]);
    }
    if (p.text.find_first_of("xyz") == std::string::npos) return std::nullopt;
    return p;
}

#ifdef YINSHI_SANITIZED
constexpr int kRounds = 720;
#else
constexpr int kRounds = 7200;
#endif

TEST(Certificate, RunsEndWithEveryFactorIrreducibleAndNoLongSearch) {
    constexpr long long kPositions = 5'000'000;
    const exact::FlintFactorer flint;
    std::mt19937 rng(20261209);
    int complete = 0, runs = 0;
    std::array<int, 4> runsIn{}, longIn{};
    for (int round = 0; round < kRounds; ++round) {
        const int letters = 1 + round % 3;
        const std::optional<Product> product = HardProduct(rng, letters);
        if (!product) continue;
        SCOPED_TRACE(product->text);
        TestEngine t;
        t.e.exact = &flint;
        struct TooLong {};
        t.e.search.PositionProbe = [&](int) {
            if (t.e.search.PositionsEntered > kPositions) throw TooLong{};
        };
        try {
            RunOn(t, product->text);
        } catch (const TooLong&) {
            if (++longIn[static_cast<std::size_t>(letters)] <= 3 && letters < 3)
                ADD_FAILURE() << "a long search: " << product->text;
            continue;
        }
        // Fractions are cleared by the product of every term's denominator.
        if (t.screen.Log().find("The data is too big!") != std::string::npos) continue;
        ++runs;
        ++runsIn[static_cast<std::size_t>(letters)];
        long long den = 1;
        std::optional<Poly> shown = TranscriptProduct(t.dir.Read("jg.dat"), &den);
        ASSERT_TRUE(shown.has_value()) << t.dir.Read("jg.dat");
        // shown / den = value / product->den
        EXPECT_EQ(ToString(Multiply(*shown, *ParsePoly(std::to_string(product->den)))),
                  ToString(Multiply(product->value, *ParsePoly(std::to_string(den)))))
            << t.dir.Read("jg.dat");
        ExpectFiledFactorsAreTheLastProducts(t.dir);
        const std::string& log = t.screen.Log();
        if (log.find("Every factor is irreducible over the integers.") != std::string::npos ||
            log.find("It is irreducible over the integers.") != std::string::npos)
            ++complete;
    }
    // Only a split whose working would show numbers past the engine's exact
    // floats is left to the certificate; none of these comes near that.
    EXPECT_EQ(complete, runs);
    EXPECT_EQ(longIn[1] + longIn[2], 0);
    EXPECT_LE(longIn[3] * 50, runsIn[3]) << longIn[3] << " long searches in " << runsIn[3] << " runs";
    EXPECT_GE(runs * 36, kRounds * 25);  // 5,000 of 7,200
}

}  // namespace
}  // namespace yinshi::testing

// A transcript edited by hand or cut short is read back without hanging: a
// factor the printer could not have written is refused as a whole.
TEST(Certificate, ProductLinesThePrinterCannotWriteAreRefused) {
    for (const char* line : {"(2^3)", "(x-2.5)", "(2*x)", "(x+1.2345679E+08)", "(x+1)(3.)", "()"})
        EXPECT_FALSE(yinshi::ReadProductLine(line).has_value()) << line;
    const auto read = yinshi::ReadProductLine("(x + y )(x^ 2 - yx - 2y^ 2 )");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size(), 2U);
}
