#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "input_check.hpp"
#include "input_spelling.hpp"

using namespace yinshi::frontend;

namespace {
std::u16string U16(int n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}
}  // namespace

TEST(Alphabet, ClassBoundaries) {
    for (char16_t in : {u'/', u'0', u'9', u'A', u'Z', u'`', u'a', u'z', u'^', u'+', u'-', u'(', u')'})
        EXPECT_TRUE(PassesAlphabet(in)) << int(in);
    for (char16_t out : {u'.', u':', u'@', u'[', u'\\', u']', u'_', u'{', u'~', u' ', u'*', u'=', u'"', u'\0',
                         u'\uFF58', u'\u7684', u'\u00B2', u'\xD835'})
        EXPECT_FALSE(PassesAlphabet(out)) << int(out);
}

TEST(Alphabet, FirstRejectedUnitOfTexts) {
    for (const char16_t* ok :
         {u"x^3+9x^2+26x+24", u"a3+a2c+b2c-abc+b3", u"X^2-Y^2", u"3/2x^2-1/6", u"(x+1)(x-1)", u"x`2", u""})
        EXPECT_EQ(FirstRejectedUnit(ok), std::nullopt);
    EXPECT_EQ(FirstRejectedUnit(u"x^2 + 1"), 3u);
    EXPECT_EQ(FirstRejectedUnit(u"2*x"), 1u);
    EXPECT_EQ(FirstRejectedUnit(u"x.5=x=1"), 1u);      // the first offender only
    EXPECT_EQ(FirstRejectedUnit(u"x\U0001D465"), 1u);  // outside the BMP: a surrogate unit
}

TEST(Alphabet, RefusalNamesTheCharacterAndItsPosition) {
    EXPECT_EQ(FirstRefusal(u"x^2-1"), std::nullopt);
    const auto star = FirstRefusal(u"2*x");
    ASSERT_TRUE(star);
    EXPECT_EQ(star->position, 2u);
    EXPECT_EQ(star->character, U'*');
    EXPECT_EQ(star->why, Refusal::Why::TimesSign);
    const auto space = FirstRefusal(u"x 2");
    ASSERT_TRUE(space);
    EXPECT_EQ(space->position, 2u);
    EXPECT_EQ(space->why, Refusal::Why::Space);
    // Counted in characters, not in UTF-16 units: the mathematical italic x is one character.
    const auto wide = FirstRefusal(u"\U0001D465+\U0001D466=");
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->position, 1u);
    EXPECT_EQ(wide->character, U'\U0001D465');
    EXPECT_EQ(FirstRefusal(u"x\U0001D465+y=")->position, 2u);
    EXPECT_EQ(FirstRefusal(u"\U0001D465x=")->position, 1u);
    EXPECT_EQ(FirstRefusal(u"ab\u7684")->character, U'\u7684');
    EXPECT_EQ(FirstRefusal(u"ab\u7684")->why, Refusal::Why::Character);
}

TEST(PastedText, BecomesTheProgramsSpelling) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"x\u00B2\u22125x+6", u"x^2-5x+6"},            // superscript two, minus sign
        {u"\uFF58\uFF3E\uFF12\uFF0B\uFF11", u"x^2+1"},  // full-width forms
        {u"2\u00B7x\u00B7y", u"2xy"},                   // middle dots
        {u"a\u00B3 \u2212 b\u00B3", u"a^3-b^3"},        // spaces
        {u"3\u00D7a\u00B2\u00D7b \u2013 \u00BD", u"3a^2b-\u00BD"},
        {u"x\u00B9\u2070 + 1", u"x^10+1"},
        {u"x^\u00B2\u207A", u"x^2\u207A"},  // no second caret; the superscript plus is refused
        {u"\uFF08x\uFF0B1\uFF09\u00B2\u3000\uFF0D\u30004", u"(x+1)^2-4"},
        {u"\u00A02/3x\u2044y ", u"2/3x/y"},
        // Left where leaving out would change a number or make a power: refused as typed.
        {u"2 3x", u"2 3x"},
        {u"x\u00B72", u"x\u00B72"},
        {u"x \u00D7 2", u"x\u00D72"},
        {u"2*x", u"2*x"},
        {u"\u00B7x", u"\u00B7x"},
        {u"x\uFF0A2", u"x\uFF0A2"},
        {u"x\U0001D465", u"x\U0001D465"},
    };
    for (const auto& [pasted, spelled] : cases) {
        const std::u16string result = ToProgramSpelling(pasted);
        EXPECT_EQ(result, std::u16string(spelled)) << std::u16string_view(pasted).size();
        EXPECT_EQ(ToProgramSpelling(result), result);
    }
}

// Polynomials in the program's spelling, pasted the way a homework sheet writes them, come back
// as they were and pass the check.
TEST(PastedText, SeededPastedPolynomialsComeBack) {
    const std::u16string superscripts = u"\u2070\u00B9\u00B2\u00B3\u2074\u2075\u2076\u2077\u2078\u2079";
    const std::u16string minuses = u"-\u2212\u2013\uFF0D";
    const std::u16string times = u"\u00B7\u00D7\u22C5\u30FB";
    const std::u16string spaces = u" \u3000\u00A0";
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        auto fullWidth = [&](char16_t c) { return pick(4) == 0 ? static_cast<char16_t>(c + 0xFEE0) : c; };
        auto gap = [&] { return pick(3) == 0 ? std::u16string(1 + pick(2), spaces[pick(3)]) : std::u16string(); };
        std::u16string spelled, pasted = gap();
        const int terms = 1 + pick(5);
        for (int t = 0; t < terms; ++t) {
            const bool minus = pick(2) == 0;
            if (t > 0 || minus) {
                spelled += minus ? u'-' : u'+';
                pasted += gap() + (minus ? minuses[pick(4)] : fullWidth(u'+')) + gap();
            }
            bool operand = false;
            if (pick(2) == 0) {
                const std::u16string number = U16(1 + pick(99)) + (pick(4) == 0 ? u"/" + U16(2 + pick(9)) : u"");
                spelled += number;
                for (char16_t c : number) pasted += fullWidth(c);
                operand = true;
            }
            const int letters = 1 + pick(3);
            for (int l = 0; l < letters; ++l) {
                const char16_t letter = static_cast<char16_t>(u'a' + pick(26));
                if (operand && pick(3) == 0) pasted += gap() + times[pick(4)] + gap();
                spelled += letter;
                pasted += fullWidth(letter);
                if (pick(2) == 0) {
                    const std::u16string exponent = U16(2 + pick(30));
                    spelled += u'^' + exponent;
                    if (pick(3) == 0) {
                        pasted += fullWidth(u'^');
                        for (char16_t c : exponent) pasted += fullWidth(c);
                    } else {
                        for (char16_t c : exponent) pasted += superscripts[c - u'0'];
                    }
                }
                operand = true;
            }
        }
        pasted += gap();
        const std::u16string result = ToProgramSpelling(pasted);
        ASSERT_EQ(result, spelled) << "seed " << seed;
        ASSERT_EQ(FirstRefusal(result), std::nullopt) << "seed " << seed;
        ASSERT_EQ(ToProgramSpelling(result), result) << "seed " << seed;
    }
}
