#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_file.hpp"
#include "transcript_format/transcript_lines.hpp"

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
//
// What the file ends with (the product the run printed last) is kept as its
// lines reach it, for the closing words and the continuation, which would
// otherwise read the file back.
class Transcript {
public:
    bool Create(const std::filesystem::path& path);
    bool Append(const std::filesystem::path& path) {
        held_.clear();
        line_.clear();
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

    // The ending of the file as created last, from every whole line written
    // to it since; nullopt once a write has failed, as the file may then end
    // otherwise.
    const std::optional<TranscriptEnding>& Ending() const { return ending_; }

private:
    void Put(std::string_view text);
    void LineWritten();
    TextOut out_;
    bool holding_ = false;
    std::string held_;
    std::string line_;  // the open line's text as it goes to the file
    std::optional<TranscriptEnding> ending_;
};

}  // namespace yinshi
