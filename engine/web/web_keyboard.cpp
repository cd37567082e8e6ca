#include "web/web_keyboard.hpp"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

// The queue lives in the module's JavaScript (web_pre.js): a byte, kEmpty or kEnded.
EM_JS(int, yinshi_take_key, (), { return Module.yinshiTakeKey(); });
// Back to the event loop for one turn, or until a key arrives (or the keys end).
EM_ASYNC_JS(void, yinshi_yield, (), { await Module.yinshiYield(); });
EM_ASYNC_JS(void, yinshi_key_arrived, (), { await Module.yinshiKeyArrived(); });

namespace yinshi::web {

namespace {
constexpr int kEmpty = -1;
constexpr int kEnded = -2;
}  // namespace

std::optional<char> WebKeyboard::Poll() {
    if (show_) show_();
    const auto now = std::chrono::steady_clock::now();
    if (now - lastYield_ >= kYieldGap) {
        yinshi_yield();
        lastYield_ = std::chrono::steady_clock::now();
    }
    const int key = yinshi_take_key();
    if (key < 0) return std::nullopt;
    return static_cast<char>(key);
}

char WebKeyboard::Wait() {
    if (show_) show_();
    for (;;) {
        const int key = yinshi_take_key();
        if (key == kEnded) return '\0';
        if (key != kEmpty) return static_cast<char>(key);
        yinshi_key_arrived();
    }
}

}  // namespace yinshi::web
