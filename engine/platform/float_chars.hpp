#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace yinshi {

// The shortest decimal that reads back as the same float, and a decimal read to the nearest
// double, exactly as <charconv> gives them. A standard library without floating-point
// <charconv> (the WebAssembly build's) gets the same results from the fallback below.
enum class FloatStyle { Fixed, Scientific };

std::string ShortestFloat(float v, FloatStyle style);
// `number`: an optional '-', digits, an optional point and digits (at least one digit in
// all). Nothing when the value is outside the range of double (too large or too small).
std::optional<double> DecimalToDouble(std::string_view number);

// Through the C library's correctly rounded printf, strtof and strtod.
namespace charconv_fallback {
std::string ShortestFloat(float v, FloatStyle style);
std::optional<double> DecimalToDouble(std::string_view number);
}  // namespace charconv_fallback

}  // namespace yinshi
