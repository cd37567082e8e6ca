#include "transcript_format/transcript_lines.hpp"

namespace yinshi {

namespace {

// Calls `each` with every line of `bytes`, in order, without its line end.
template <typename Each>
void ForEachLine(std::string_view bytes, Each&& each) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool terminated = end != std::string_view::npos;
        if (!terminated) end = bytes.size();
        std::size_t stop = end;
        if (terminated && stop > start && bytes[stop - 1] == '\r') --stop;
        each(bytes.substr(start, stop - start));
        start = end + 1;
    }
}

}  // namespace

std::vector<std::string> TranscriptLines(std::string_view bytes) {
    std::vector<std::string> lines;
    ForEachLine(bytes, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

bool IsProductLine(std::string_view line) {
    return line.find('(') != std::string_view::npos && line.find('[') == std::string_view::npos;
}

std::string_view ProductOf(std::string_view line) {
    const std::size_t equals = line.rfind('=');
    return equals == std::string_view::npos ? line : line.substr(equals + 1);
}

void TranscriptEnding::Line(std::string_view line) {
    if (const std::size_t equals = line.rfind('='); equals != std::string_view::npos)
        equated_ = std::string(line.substr(equals + 1));
    // A polynomial typed with parentheses shows them in the echo, but it is
    // no product the run found.
    if (echoSeen_ && IsProductLine(line)) product_ = std::string(ProductOf(line));
    echoSeen_ = true;
}

TranscriptEnding EndingOf(std::string_view bytes) {
    TranscriptEnding ending;
    ForEachLine(bytes, [&](std::string_view line) { ending.Line(line); });
    return ending;
}

}  // namespace yinshi
