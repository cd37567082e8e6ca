#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/text_file.hpp"

namespace yinshi {

// The most a transcript read back may hold: far more than any run writes
// (x^999998-1, the longest seen, writes 12 MB).
constexpr std::size_t kTranscriptCap = std::size_t{1} << 28;

// The transcript jg.dat. Writes go to the open line; nothing is written while
// the file is closed.
//
// An "=" and content prefix written between BeginHold and EndHold are held back
// instead: they are written just before the next text that goes to the
// transcript on the same line, and dropped when a line end comes first. A later
// hold replaces the held text. This keeps the transcript free of equations that
// claim the polynomial equals its content alone when a search is re-tuned.
class Transcript {
public:
    bool Create(const std::filesystem::path& path) {
        held_.clear();
        return out_.Create(path);
    }
    bool Append(const std::filesystem::path& path) {
        held_.clear();
        return out_.Append(path);
    }
    bool IsOpen() const { return out_.IsOpen(); }
    bool Good() const { return out_.Good(); }

    void Write(std::string_view text);
    void EndLine();
    void Flush() { out_.Flush(); }
    void Close();

    void BeginHold();
    void EndHold();
    bool Holding() const { return holding_; }
    const std::string& Held() const { return held_; }

private:
    TextOut out_;
    bool holding_ = false;
    std::string held_;
};

}  // namespace yinshi
