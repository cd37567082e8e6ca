#include <gtest/gtest.h>

#include "input_check.hpp"

using namespace yinshi::frontend;

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
