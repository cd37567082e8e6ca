#include "platform/float_chars.hpp"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace yinshi {

#if defined(__cpp_lib_to_chars)
std::string ShortestFloat(float v, FloatStyle style) {
    char buf[64];
    const auto fmt = style == FloatStyle::Fixed ? std::chars_format::fixed : std::chars_format::scientific;
    const auto r = std::to_chars(buf, buf + sizeof buf, v, fmt);
    return std::string(buf, r.ptr);
}

std::optional<double> DecimalToDouble(std::string_view number) {
    double value = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value);
    if (r.ec == std::errc::result_out_of_range) return std::nullopt;
    return value;
}
#else
std::string ShortestFloat(float v, FloatStyle style) { return charconv_fallback::ShortestFloat(v, style); }
std::optional<double> DecimalToDouble(std::string_view number) { return charconv_fallback::DecimalToDouble(number); }
#endif

namespace charconv_fallback {

namespace {

// digits[0].digits[1..] x 10^exponent, the digits without sign.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// The decimal of `p` significant digits nearest to |v| (ties to even, as printf rounds).
Decimal Nearest(float v, int p) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*e", p - 1, std::fabs(static_cast<double>(v)));
    Decimal d;
    const char* c = buf;
    for (; *c != 'e'; ++c)
        if (*c != '.') d.digits += *c;
    d.exponent = std::atoi(c + 1);
    return d;
}

std::string ScientificText(const Decimal& d) {
    std::string out = d.digits.substr(0, 1);
    if (d.digits.size() > 1) out += "." + d.digits.substr(1);
    char exp[16];
    std::snprintf(exp, sizeof exp, "e%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    return out + exp;
}

double Read(const Decimal& d) { return std::strtod(ScientificText(d).c_str(), nullptr); }

// The next decimal of as many significant digits above (up) or below d.
Decimal Step(Decimal d, bool up) {
    std::string& s = d.digits;
    if (up) {
        std::size_t i = s.size();
        while (i > 0 && s[i - 1] == '9') s[--i] = '0';
        if (i == 0) {
            s.insert(s.begin(), '1');
            s.pop_back();
            ++d.exponent;
        } else {
            ++s[i - 1];
        }
        return d;
    }
    if (s[0] == '1' && s.find_first_not_of('0', 1) == std::string::npos) {
        s.assign(s.size(), '9');
        --d.exponent;
        return d;
    }
    std::size_t i = s.size();
    while (s[i - 1] == '0') s[--i] = '9';
    --s[i - 1];
    return d;
}

// The fewest significant digits that read back as |v|; of two such, the nearer.
Decimal Shortest(float v) {
    const float mag = std::fabs(v);
    for (int p = 1;; ++p) {
        Decimal near = Nearest(mag, p);
        const double value = Read(near);
        if (static_cast<float>(value) == mag || p >= 9) return near;
        // Just above a power of two the float below is nearer than the one above, so the
        // decimal on the far side may read back when the nearest does not.
        Decimal other = Step(near, value < static_cast<double>(mag));
        if (static_cast<float>(Read(other)) == mag) return other;
    }
}

std::string FixedText(const Decimal& d) {
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent < 0) {
        const int zeros = -d.exponent - 1;
        return "0." + std::string(static_cast<std::size_t>(zeros), '0') + d.digits;
    }
    const int whole = d.exponent + 1;  // digits before the point
    if (whole >= n) return d.digits + std::string(static_cast<std::size_t>(whole - n), '0');
    return d.digits.substr(0, static_cast<std::size_t>(whole)) + "." + d.digits.substr(static_cast<std::size_t>(whole));
}

}  // namespace

std::string ShortestFloat(float v, FloatStyle style) {
    std::string sign = std::signbit(v) ? "-" : "";
    if (std::isnan(v)) return sign + "nan";
    if (std::isinf(v)) return sign + "inf";
    if (v == 0.0f) return sign + (style == FloatStyle::Fixed ? "0" : "0e+00");
    if (style == FloatStyle::Scientific) return sign + ScientificText(Shortest(v));
    // A whole number is written with all its digits: the exact value is as short as any.
    if (std::floor(v) == v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.0f", std::fabs(static_cast<double>(v)));
        return sign + buf;
    }
    return sign + FixedText(Shortest(v));
}

std::optional<double> DecimalToDouble(std::string_view number) {
    const std::string text(number);
    errno = 0;
    const double value = std::strtod(text.c_str(), nullptr);
    if (errno == ERANGE && (value == 0.0 || std::isinf(value))) return std::nullopt;
    return value;
}

}  // namespace charconv_fallback
}  // namespace yinshi
