#pragma once
#include <string_view>

#include "platform/screen.hpp"
#include "platform/transcript.hpp"

namespace yinshi {

// Where the working goes: the screen always, the transcript (jg.dat) only
// when asked. The two may take slightly different text of the same thing.
class Output {
public:
    Output(Screen& screen, Transcript& jg, bool toTranscript) : screen_(screen), jg_(jg), toJg_(toTranscript) {}

    bool ToTranscript() const { return toJg_; }
    void Both(std::string_view text) const { Split(text, text); }
    void Split(std::string_view onScreen, std::string_view inTranscript) const {
        screen_.Print(onScreen);
        InTranscript(inTranscript);
    }
    void OnScreen(std::string_view text) const { screen_.Print(text); }
    void InTranscript(std::string_view text) const {
        if (toJg_) jg_.Write(text);
    }
    // Ends the line on both.
    void EndLine() const {
        screen_.NewLine();
        if (toJg_) jg_.EndLine();
    }

private:
    Screen& screen_;
    Transcript& jg_;
    bool toJg_;
};

}  // namespace yinshi
