#pragma once
// The transcript jg.dat: its first line is the echo of the polynomial the engine read, then
// comes the working, in which a product line is one that holds a parenthesised factor outside
// any grouping working ("=(x + 1 )(x - 2 )"). The engine ends every line with CR LF.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yinshi {

// The lines without their line ends: LF ends a line and a CR just before it goes with it; a
// last line without a line end counts.
std::vector<std::string> TranscriptLines(std::string_view bytes);

// Whether a line after the echo holds a factor and no grouping working (which has
// parentheses too, but inside brackets).
bool IsProductLine(std::string_view line);

// The product a product line shows: the text after its last "=", the whole line without one.
std::string_view ProductOf(std::string_view line);

// What a transcript ends with, taken line by line as they are written or read.
class TranscriptEnding {
public:
    // The next whole line, without its line end.
    void Line(std::string_view line);
    // The product of the last product line; nullopt when none follows the echo.
    const std::optional<std::string>& LastProduct() const { return product_; }
    // What follows the last "=" of the whole transcript, the echo included, on its line;
    // nullopt when no line holds one.
    const std::optional<std::string>& LastEquated() const { return equated_; }

private:
    bool echoSeen_ = false;
    std::optional<std::string> product_;
    std::optional<std::string> equated_;
};

// The ending of a whole transcript's bytes.
TranscriptEnding EndingOf(std::string_view bytes);

}  // namespace yinshi
