// The window's plain C++ for the page: the input check and the hand-off bytes, the echo test and
// the print lines. Results go back in buffers from malloc, which the JavaScript side frees.
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "echo_match.hpp"
#include "handoff_file.hpp"
#include "input_check.hpp"
#include "input_spelling.hpp"
#include "print_format.hpp"
#include "transcript_format/transcript_lines.hpp"

namespace {
char* Copy(const std::string& bytes, int* size) {
    char* out = static_cast<char*>(std::malloc(bytes.size() + 1));
    if (out == nullptr) return nullptr;
    std::memcpy(out, bytes.data(), bytes.size());
    out[bytes.size()] = '\0';
    *size = static_cast<int>(bytes.size());
    return out;
}
}  // namespace

extern "C" {

// Pasted text in the program's own spelling, as UTF-16 code units (size in bytes).
EMSCRIPTEN_KEEPALIVE char* yinshi_program_spelling(const char16_t* text, int units, int* size) {
    const std::u16string spelled =
        yinshi::frontend::ToProgramSpelling(std::u16string_view(text, static_cast<std::size_t>(units)));
    return Copy(std::string(reinterpret_cast<const char*>(spelled.data()), spelled.size() * 2), size);
}

// Index (in UTF-16 code units) of the first unit the window would reject, or -1.
EMSCRIPTEN_KEEPALIVE int yinshi_first_rejected(const char16_t* text, int units) {
    const auto at = yinshi::frontend::FirstRejectedUnit(std::u16string_view(text, static_cast<std::size_t>(units)));
    return at ? static_cast<int>(*at) : -1;
}

EMSCRIPTEN_KEEPALIVE char* yinshi_handoff(const char* utf8, int* size) {
    return Copy(yinshi::frontend::HandOffBytes(utf8), size);
}

EMSCRIPTEN_KEEPALIVE int yinshi_echo_is_of(const char* echo, const char* handedOff) {
    return yinshi::frontend::EchoIsOf(echo, handedOff) ? 1 : 0;
}

// The lines of one print command over jg.dat's bytes, each ended by "\n".
EMSCRIPTEN_KEEPALIVE char* yinshi_print_lines(const char* jg, int jgSize, int* size) {
    const auto transcript = yinshi::TranscriptLines(std::string_view(jg, static_cast<std::size_t>(jgSize)));
    std::string out;
    for (const std::string& line : yinshi::frontend::TranscriptPrintLines(transcript)) out += line + '\n';
    return Copy(out, size);
}

}  // extern "C"
