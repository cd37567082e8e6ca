#pragma once
// The character alphabet a polynomial text must keep to before it is handed to the engine.
#include <cstddef>
#include <optional>
#include <string_view>

namespace yinshi::frontend {

// One UTF-16 code unit against the alphabet: letters, digits, "/", "^", "+", "-", "(", ")"
// and, because the small-letter range opens right after "_", the grave accent.
bool PassesAlphabet(char16_t unit);

// Index of the first code unit outside the alphabet, or nothing when every unit passes.
// An empty text has no offending unit; the caller rejects it separately.
std::optional<std::size_t> FirstRejectedUnit(std::u16string_view text);

// The first refused character, as the user sees it: its position counted in characters from 1
// (a character outside the Basic Multilingual Plane is one, not two units), the character, and
// which message explains it.
struct Refusal {
    enum class Why { Character, Space, TimesSign };
    std::size_t position = 0;
    char32_t character = 0;
    Why why = Why::Character;
};
std::optional<Refusal> FirstRefusal(std::u16string_view text);

}  // namespace yinshi::frontend
