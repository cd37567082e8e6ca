#include "input_check.hpp"

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

}  // namespace yinshi::frontend
