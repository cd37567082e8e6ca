#include "platform/transcript.hpp"

namespace yinshi {

void Transcript::Write(std::string_view text) {
    if (!out_.IsOpen()) return;
    if (holding_) {
        held_.append(text);
        return;
    }
    if (!held_.empty()) {
        out_.Write(held_);
        held_.clear();
    }
    out_.Write(text);
}

void Transcript::EndLine() {
    if (!out_.IsOpen()) return;
    held_.clear();
    out_.EndLine();
}

void Transcript::Close() {
    holding_ = false;
    held_.clear();
    out_.Close();
}

void Transcript::BeginHold() {
    holding_ = true;
    held_.clear();
}

void Transcript::EndHold() { holding_ = false; }

}  // namespace yinshi
