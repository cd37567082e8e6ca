#include "input_check.hpp"

#include "input_spelling.hpp"

namespace yinshi::frontend {

bool PassesAlphabet(char16_t unit) {
    const unsigned c = unit;
    if (c > 64 && c < u'[') return true;    // capitals
    if (c > u'.' && c < u':') return true;  // "/" and digits
    if (c > u'_' && c < u'{') return true;  // grave accent and small letters
    return c == u'^' || c == u'+' || c == u'-' || c == u'(' || c == u')';
}

std::optional<std::size_t> FirstRejectedUnit(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!PassesAlphabet(text[i])) return i;
    return std::nullopt;
}

std::optional<Refusal> FirstRefusal(std::u16string_view text) {
    const auto unit = FirstRejectedUnit(text);
    if (!unit) return std::nullopt;
    Refusal refusal;
    const auto isHigh = [](char16_t u) { return u >= 0xD800 && u <= 0xDBFF; };
    const auto isLow = [](char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; };
    for (std::size_t i = 0; i < *unit; ++i)
        if (!(isLow(text[i]) && i > 0 && isHigh(text[i - 1]))) ++refusal.position;
    ++refusal.position;
    const char16_t u = text[*unit];
    refusal.character = u;
    if (isHigh(u) && *unit + 1 < text.size() && isLow(text[*unit + 1]))
        refusal.character = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[*unit + 1] - 0xDC00);
    if (IsSpaceLike(refusal.character)) refusal.why = Refusal::Why::Space;
    if (IsTimesSign(refusal.character)) refusal.why = Refusal::Why::TimesSign;
    return refusal;
}

}  // namespace yinshi::frontend
