#pragma once
#include <chrono>
#include <functional>
#include <optional>

#include "platform/keyboard.hpp"

namespace yinshi::web {

// Keys from the page, through a queue that the JavaScript side of the module fills as the
// worker receives them. The worker only receives them while the engine has handed control back
// to its event loop, so a poll does that, but at most every few milliseconds: each hand-over
// unwinds and rewinds the whole call stack, and the search polls about once a millisecond.
// When the JavaScript side says the keys have ended (a test that typed everything in advance)
// Wait() answers '\0' as it does at the end of piped input.
class WebKeyboard final : public Keyboard {
public:
    // `show` runs before the keys are read, as the console's keyboards do.
    explicit WebKeyboard(std::function<void()> show) : show_(std::move(show)) {}
    std::optional<char> Poll() override;
    char Wait() override;
    void Show() override {
        if (show_) show_();
    }

    // Well inside the 50 ms in which a key must reach a search.
    static constexpr std::chrono::milliseconds kYieldGap{8};

private:
    std::function<void()> show_;
    std::chrono::steady_clock::time_point lastYield_{};
};

}  // namespace yinshi::web
