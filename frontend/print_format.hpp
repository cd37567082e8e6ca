#pragma once
// How the transcript becomes printer lines. Texts are UTF-8; lengths count characters.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace yinshi::frontend {

inline constexpr std::size_t kPrinterLineChars = 80;

// Number of characters (code points) in a UTF-8 text.
std::size_t CharCount(std::string_view utf8);

// The printer lines of one text: slices of 80 characters, always floor(m/80)+1 of them, so an
// empty text gives one empty line and a text of exactly 80*k characters ends with an empty one.
std::vector<std::string> PrintWrapped(std::string_view utf8);

// A factor line with runs of equal adjacent factors written once with "^ k".
// A tail that cannot be walked as factors (no ")" left, as in ")^2") is kept unchanged.
std::string CompactRepeats(std::string_view line);

// Every printer line of one print command over the transcript lines: an empty line, the
// transcript under the line rules, an empty line.
std::vector<std::string> TranscriptPrintLines(const std::vector<std::string>& transcript);

}  // namespace yinshi::frontend
