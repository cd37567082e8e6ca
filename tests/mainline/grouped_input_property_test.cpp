// Polynomials typed with parentheses, over many seeded products and powers of
// random groups: the engine's expansion must be the tests' own, and every run
// must end complete with a product that multiplies back to it.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "exact/flint_factorer.hpp"
#include "poly_check.hpp"
#include "reference_reader.hpp"
#include "run_support.hpp"

namespace yinshi::testing {
namespace {

#ifdef YINSHI_SANITIZED
constexpr int kInputs = 200;
#else
constexpr int kInputs = 2000;
#endif

Wide GcdOf(Wide a, Wide b) {
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        const Wide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

Fraction Make(Wide num, Wide den) { return MakeFraction(num, den); }

RationalPoly Number(Wide num, Wide den) { return RationalPoly{{Powers{}, Make(num, den)}}; }

// A text and its expansion, built side by side.
struct Written {
    std::string text;
    RationalPoly value;
};

class GroupMaker {
public:
    explicit GroupMaker(std::uint64_t seed) : rng_(seed) {}

    // One to three terms, at least one of them with a group.
    Written Sum() {
        Written w{"", {}};
        const int terms = 1 + Below(3);
        for (int i = 0; i < terms; ++i) {
            const bool minus = Below(3) == 0;
            Written t = Term(i == 0 || Below(2) == 0, true);
            if (minus || i > 0) w.text += minus ? "-" : "+";
            w.text += t.text;
            for (const auto& [p, c] : t.value) AddTerm(w.value, p, minus ? Fraction{-c.num, c.den} : c);
        }
        return w;
    }

private:
    int Below(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }

    // A group: two or three plain terms, or once a group inside it.
    Written Group(bool mayNest) {
        Written w{"(", {}};
        const int terms = 2 + Below(2);
        for (int i = 0; i < terms; ++i) {
            const bool minus = Below(2) == 0;
            Written t = mayNest && i == 0 && Below(4) == 0 ? Term(true, false) : Plain();
            if (minus || i > 0) w.text += minus ? "-" : "+";
            w.text += t.text;
            for (const auto& [p, c] : t.value) AddTerm(w.value, p, minus ? Fraction{-c.num, c.den} : c);
        }
        w.text += ")";
        const int power = Below(3) == 0 ? 1 + Below(3) : 1;
        if (power > 1 || Below(3) == 0) w.text += "^" + std::to_string(power);
        RationalPoly raised = Number(1, 1);
        for (int k = 0; k < power; ++k) raised = Times(raised, w.value);
        w.value = raised;
        return w;
    }

    // A number and letters, no group: 3, x, 2xy^2.
    Written Plain() {
        const int c = 1 + Below(4);
        Written w{Below(2) == 0 ? std::to_string(c) : "", {}};
        Powers p;
        for (char l : std::string("xy")) {
            const int e = Below(3);
            if (e == 0) continue;
            w.text += std::string(1, l) + (e > 1 || Below(4) == 0 ? "^" + std::to_string(e) : "");
            p[l] += e;
        }
        if (w.text.empty()) w.text = std::to_string(c);
        w.value = RationalPoly{{p, Make(w.text.front() >= '0' && w.text.front() <= '9' ? c : 1, 1)}};
        return w;
    }

    // A coefficient or fraction, then letters and groups.
    Written Term(bool withGroup, bool mayNest) {
        Written w{"", Number(1, 1)};
        const int kind = Below(4);
        if (kind == 1) {
            const int c = 2 + Below(5);
            w = {std::to_string(c), Number(c, 1)};
        } else if (kind == 2) {
            const int n = 1 + Below(5);
            const int d = 2 + Below(5);
            w = {std::to_string(n) + "/" + std::to_string(d), Number(n, d)};
        }
        if (Below(3) == 0) {
            w.text += "a";
            w.value = Times(w.value, RationalPoly{{Powers{{'a', 1}}, Fraction{1, 1}}});
        }
        const int groups = withGroup ? 1 + Below(2) : 0;
        for (int g = 0; g < groups; ++g) {
            Written group = Group(mayNest);
            w.text += group.text;
            w.value = Times(w.value, group.value);
        }
        if (w.text.empty()) w = Plain();
        return w;
    }

    std::mt19937_64 rng_;
};

bool Has(const std::string& hay, const char* needle) { return hay.find(needle) != std::string::npos; }

// The expansion as integers over one denominator, for the product check.
Poly Numerators(const RationalPoly& p, long long& den) {
    Wide common = 1;
    for (const auto& [powers, c] : p) common = common / GcdOf(common, c.den) * c.den;
    den = static_cast<long long>(common);
    Poly out;
    for (const auto& [powers, c] : p) {
        Monomial m{};
        for (const auto& [l, e] : powers) m[static_cast<std::size_t>(l - 'a')] = static_cast<int>(e);
        out[m] = static_cast<long long>(c.num * (common / c.den));
    }
    return out;
}

TEST(GroupedInput, ExpandsExactlyAndEveryRunEndsComplete) {
    const exact::FlintFactorer flint;
    GroupMaker maker(20261209);
    constexpr long long kPositions = 2'000'000;
    int runs = 0;
    int longSearches = 0;
    for (int i = 0; i < kInputs; ++i) {
        const Written w = maker.Sum();
        SCOPED_TRACE("\"" + w.text + "\"");
        TestEngine t;
        t.e.exact = &flint;
        // A few products in three letters search long on their image (as
        // typed without parentheses too); those are counted, not run out.
        struct TooLong {};
        t.e.search.PositionProbe = [&](int) {
            if (t.e.search.PositionsEntered > kPositions) throw TooLong{};
        };
        try {
            RunOn(t, w.text, "n");
        } catch (const TooLong&) {
            ++longSearches;
            continue;
        }
        const std::string& log = t.screen.Log();
        const std::string jg = t.dir.Read("jg.dat");
        ASSERT_FALSE(Has(log, "输入错误！")) << log;
        if (Has(log, "The expanded polynomial")) {
            EXPECT_TRUE(jg.empty()) << "a refused expansion wrote a transcript";
            continue;
        }
        ++runs;
        // The first line: the text as typed, "=", the echo of the expansion.
        const std::string first = jg.substr(0, jg.find("\r\n"));
        ASSERT_EQ(first.substr(0, w.text.size() + 1), w.text + "=");
        const std::string echo =
            first.substr(w.text.size() + 1, first.find('=', w.text.size() + 1) - w.text.size() - 1);
        const Reading read = ReadReference(echo);
        EXPECT_EQ(Show(read.poly), Show(w.value)) << "echo \"" << echo << "\"";
        long long den = 1;
        const Poly expected = Numerators(w.value, den);
        long long shownDen = 1;
        // The first line holds the typed parentheses: no product the run found.
        const std::optional<Poly> shown = TranscriptProduct(jg.substr(first.size()), &shownDen);
        if (!shown) continue;  // a monomial or zero: no product line
        EXPECT_EQ(ToString(Multiply(*shown, *ParsePoly(std::to_string(den)))),
                  ToString(Multiply(expected, *ParsePoly(std::to_string(shownDen)))))
            << jg;
        EXPECT_TRUE(Has(log, "Every factor is irreducible over the integers.") ||
                    Has(log, "It is irreducible over the integers."))
            << log;
    }
    EXPECT_GE(runs, kInputs * 3 / 4);
    EXPECT_LE(longSearches * 50, kInputs) << longSearches << " long searches";
}

}  // namespace
}  // namespace yinshi::testing
