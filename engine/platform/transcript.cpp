#include "platform/transcript.hpp"

namespace yinshi {

bool Transcript::Create(const std::filesystem::path& path) {
    held_.clear();
    line_.clear();
    const bool created = out_.Create(path);
    ending_.reset();
    if (created) ending_.emplace();
    return created;
}

void Transcript::Put(std::string_view text) {
    out_.Write(text);
    line_.append(text);
}

void Transcript::LineWritten() {
    if (!out_.Good())
        ending_.reset();
    else if (ending_)
        ending_->Line(line_);
    line_.clear();
}

void Transcript::Write(std::string_view text) {
    if (!out_.IsOpen()) return;
    if (holding_) {
        held_.append(text);
        return;
    }
    if (!held_.empty()) {
        Put(held_);
        held_.clear();
    }
    Put(text);
}

void Transcript::EndLine() {
    if (!out_.IsOpen()) return;
    held_.clear();
    out_.EndLine();
    LineWritten();
}

void Transcript::Close() {
    holding_ = false;
    held_.clear();
    if (!out_.IsOpen()) return;
    // Closing ends an open line.
    const bool lineOpen = out_.LineOpen();
    out_.Close();
    if (lineOpen || !out_.Good()) LineWritten();
}

void Transcript::BeginHold() {
    holding_ = true;
    held_.clear();
}

void Transcript::EndHold() { holding_ = false; }

}  // namespace yinshi
