#pragma once
// Reading the engine's transcript jg.dat line by line.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace yinshi::frontend {

inline constexpr const char* kTranscriptName = "jg.dat";

struct TranscriptRead {
    std::vector<std::string> lines;    // without their line ends (TranscriptLines)
    std::optional<std::string> error;  // why the file could not be read
    bool missing = false;              // there is no such file (no engine has run in the folder yet)
};

TranscriptRead ReadTranscript(const std::filesystem::path& file);

}  // namespace yinshi::frontend
