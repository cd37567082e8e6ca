#include "transcript_file.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

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
    TranscriptRead result;
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        result.error = std::strerror(EISDIR);
        return result;
    }
    if (!std::filesystem::exists(file, ec) && !ec) {
        result.error = std::strerror(ENOENT);
        result.missing = true;
        return result;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        result.error = std::strerror(errno);
        return result;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        result.error = std::strerror(EIO);
        return result;
    }
    result.lines = SplitTranscript(bytes.str());
    return result;
}

}  // namespace yinshi::frontend
