#include "transcript_file.hpp"

#include <utility>

#include "regular_file.hpp"

namespace yinshi::frontend {

std::vector<std::string> SplitTranscript(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool terminated = end != std::string::npos;
        if (!terminated) end = bytes.size();
        std::size_t stop = end;
        if (terminated && stop > start && bytes[stop - 1] == '\r') --stop;
        lines.emplace_back(bytes, start, stop - start);
        start = end + 1;
    }
    return lines;
}

TranscriptRead ReadTranscript(const std::filesystem::path& file) {
    // Far more than any run of the engine writes (x^999998-1, the longest seen: 12 MB).
    constexpr std::size_t kTranscriptCap = std::size_t{1} << 28;
    FileBytes read = ReadRegularFile(file, kTranscriptCap);
    TranscriptRead result;
    result.error = std::move(read.error);
    result.missing = read.missing;
    if (!result.error) result.lines = SplitTranscript(read.bytes);
    return result;
}

}  // namespace yinshi::frontend
