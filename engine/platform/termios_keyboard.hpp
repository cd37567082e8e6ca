#pragma once
#include <functional>

#include "platform/keyboard.hpp"

namespace yinshi {

// Keys from a terminal in non-canonical, no-echo mode (TerminalSession sets
// it). A key that sends several bytes (an arrow key's escape sequence, a
// non-ASCII character) counts once, as its first byte, so that its other
// bytes do not answer the questions that follow. A hung-up terminal reads as
// the end of input: Poll() finds nothing, Wait() answers '\0'.
class TermiosKeyboard final : public Keyboard {
public:
    // `show` runs before the keys are read, at a poll and before Wait()
    // blocks, so that what the engine printed is on the screen first. While
    // Wait() blocks, `wakeFd` becoming readable (the terminal was resized)
    // runs `show` again, which must empty it.
    explicit TermiosKeyboard(int fd, std::function<void()> show = {}, int wakeFd = -1)
        : fd_(fd), wakeFd_(show ? wakeFd : -1), show_(std::move(show)) {}
    std::optional<char> Poll() override;
    char Wait() override;
    void Show() override {
        if (show_) show_();
    }

private:
    std::optional<char> ReadKey();
    // The rest of an escape sequence, and up to `more` bytes that continue a
    // UTF-8 character, read and dropped.
    void SkipEscapeSequence();
    void SkipContinuationBytes(int more);
    std::optional<char> NextByteWithin(int timeoutMs);
    int fd_;
    int wakeFd_;
    std::function<void()> show_;
    std::optional<char> held_;  // a byte read too far
    bool ended_ = false;
};

}  // namespace yinshi
