#pragma once
#include <functional>
#include <string>

#include "platform/keyboard.hpp"

namespace yinshi {

// Keys from input that is not a terminal (a pipe or a file): every byte is a
// key. At the end of input Poll() finds nothing and Wait() answers '\0', so a
// run fed from /dev/null always ends.
class StreamKeyboard final : public Keyboard {
public:
    // `show` runs before the keys are read, at a poll and before Wait()
    // blocks, so that what the engine printed is on the screen first.
    explicit StreamKeyboard(int fd, std::function<void()> show = {}) : fd_(fd), show_(std::move(show)) {}
    std::optional<char> Poll() override;
    char Wait() override;
    void Show() override {
        if (show_) show_();
    }

private:
    bool Fill();
    int fd_;
    std::function<void()> show_;
    std::string buffer_;
    std::size_t next_ = 0;
    bool ended_ = false;
};

}  // namespace yinshi
