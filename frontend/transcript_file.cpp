#include "transcript_file.hpp"

#include <utility>

#include "regular_file.hpp"
#include "transcript_format/transcript_lines.hpp"

namespace yinshi::frontend {

TranscriptRead ReadTranscript(const std::filesystem::path& file) {
    // Far more than any run of the engine writes (x^999998-1, the longest seen: 12 MB).
    constexpr std::size_t kTranscriptCap = std::size_t{1} << 28;
    FileBytes read = ReadRegularFile(file, kTranscriptCap);
    TranscriptRead result;
    result.error = std::move(read.error);
    result.missing = read.missing;
    if (!result.error) result.lines = TranscriptLines(read.bytes);
    return result;
}

}  // namespace yinshi::frontend
