#include "platform/number_form.hpp"

#include <cmath>
#include <limits>
#include <string>

#include "platform/float_chars.hpp"

namespace yinshi {

namespace {

std::string Shortest(float mag) {
    if (mag >= 1e8f) {
        std::string s = ShortestFloat(mag, FloatStyle::Scientific);
        // to_chars writes e+08; the engine's numbers read 1.2345679E+08.
        auto e = s.find('e');
        std::string mant = s.substr(0, e);
        std::string exp = s.substr(e + 1);
        char sign = exp[0];
        std::string digits = exp.substr(1);
        while (digits.size() < 2) digits.insert(digits.begin(), '0');
        return mant + "E" + sign + digits;
    }
    std::string s = ShortestFloat(mag, FloatStyle::Fixed);
    if (s.size() > 1 && s[0] == '0' && s[1] == '.') s.erase(0, 1);
    return s;
}

}  // namespace

std::string TextForm(float v) {
    std::string out(1, std::signbit(v) && v != 0.0f ? '-' : ' ');
    float mag = std::fabs(v);
    if (std::isnan(mag)) return out + "NaN";
    if (std::isinf(mag)) return out + "Inf";
    if (mag < 1e8f && IsWhole(mag)) {
        out += std::to_string(static_cast<long long>(mag));
    } else {
        out += Shortest(mag);
    }
    return out;
}

std::string ItemForm(float v) { return TextForm(v) + " "; }

namespace {

// Where the number of a text starts (its sign included) and ends; an end of 0
// when the text starts with no number.
struct NumberSpan {
    std::size_t start = 0;
    std::size_t end = 0;
};

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i;
}

NumberSpan FindNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t digitsStart = i;
    i = SkipDigits(text, i);
    const std::size_t intDigits = i - digitsStart;
    std::size_t fracDigits = 0;
    if (i < text.size() && text[i] == '.') {
        const std::size_t j = SkipDigits(text, i + 1);
        fracDigits = j - i - 1;
        if (intDigits + fracDigits > 0) i = j;
    }
    if (intDigits + fracDigits == 0) return {};
    return {start, i};
}

// A decimal number with an optional minus, to the nearest double.
double ToDouble(const std::string& number) {
    const std::optional<double> read = DecimalToDouble(number);
    double value = read.value_or(0.0);
    if (!read) {
        // Too small reads as 0; too large (a run of digits before the point) as an infinity.
        std::size_t firstDigit = number.find_first_not_of("-0");
        bool large = firstDigit != std::string::npos && number[firstDigit] != '.';
        value = large ? std::numeric_limits<double>::infinity() : 0.0;
        if (number[0] == '-') value = -value;
    }
    return value;
}

}  // namespace

float ReadNumber(std::string_view text, std::size_t& used) {
    const NumberSpan span = FindNumber(text);
    used = span.end;
    if (span.end == 0) return 0.0f;
    std::string number(text.substr(span.start, span.end - span.start));
    if (number[0] == '+') number.erase(0, 1);
    const double value = ToDouble(number);
    const bool negative = number[0] == '-';
    // Past the float range the value is an infinity, not a conversion out of range.
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

float ReadNumber(std::string_view text) {
    std::size_t used = 0;
    return ReadNumber(text, used);
}

std::int32_t RoundHalfEven(double v) {
    if (!(v == v)) return 0;
    double r = std::nearbyint(v);  // the default rounding mode is to nearest, ties to even
    if (r > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (r < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(r);
}

}  // namespace yinshi
