#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace yinshi {

// The next code point of `text` from `pos`, advancing `pos`. A malformed or
// truncated sequence yields U+FFFD and consumes one byte, so any byte string
// decodes without reading past its end.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);

void AppendUtf8(std::string& out, char32_t ch);

}  // namespace yinshi
