#pragma once
// Reading the engine's transcript jg.dat line by line.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace yinshi::frontend {

inline constexpr const char* kTranscriptName = "jg.dat";

struct TranscriptRead {
    std::vector<std::string> lines;    // without their line ends
    std::optional<std::string> error;  // why the file could not be read
    bool missing = false;              // there is no such file (no engine has run in the folder yet)
};

// Lines end in CR LF; a bare LF is taken as a line end too, and a last line without one counts.
std::vector<std::string> SplitTranscript(const std::string& bytes);

TranscriptRead ReadTranscript(const std::filesystem::path& file);

}  // namespace yinshi::frontend
