#pragma once
#include "platform/clock.hpp"
#include "platform/screen.hpp"
#include "platform/terminal_renderer.hpp"
#include "web/web_keyboard.hpp"

namespace yinshi::web {

// The engine's console in the page: the screen model drawn by the engine's own terminal
// renderer into the module's screen device, whose bytes the JavaScript side hands to the page's
// terminal; the keys from the page; the browser's clock (local time through the C library).
class WebConsole {
public:
    WebConsole();
    ~WebConsole();
    WebConsole(const WebConsole&) = delete;
    WebConsole& operator=(const WebConsole&) = delete;

    Screen screen;
    SystemClock clock;
    WebKeyboard keys;

private:
    int fd_;
    TerminalRenderer renderer_;
};

}  // namespace yinshi::web
