#pragma once
#include <memory>

#include "platform/clock.hpp"
#include "platform/keyboard.hpp"
#include "platform/renderer.hpp"
#include "platform/screen.hpp"
#include "platform/terminal_renderer.hpp"
#include "platform/terminal_session.hpp"

namespace yinshi {

// The engine's console: the screen model drawn on the terminal (or written as
// plain text when standard output is not a terminal), the keyboard (the
// terminal, or the bytes of standard input when it is not one) and the clock.
// While it lives the terminal is in the engine's mode; it is put back when the
// console closes, whichever way the program ends. The screen's renderer points
// into the console, so it is neither copied nor moved.
class Console {
public:
    Console(int inputFd, int outputFd);
    ~Console() { Close(); }
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Shows the last of the output and puts the terminal back. Idempotent.
    void Close();

    Screen screen;
    SystemClock clock;
    Keyboard& keys() { return *keys_; }
    bool DrawsOnTerminal() const { return drawsOnTerminal_; }
    bool ReadsTerminal() const { return readsTerminal_; }

private:
    void Show();
    bool drawsOnTerminal_;
    bool readsTerminal_;
    int outputFd_;
    TerminalRenderer* terminal_ = nullptr;  // renderer_, when it draws on a terminal
    std::unique_ptr<TerminalSession> session_;
    std::unique_ptr<Renderer> renderer_;
    std::unique_ptr<Keyboard> keys_;
};

// The console on standard input and output. Switches LC_CTYPE to C.UTF-8 when
// the locale's character set is not UTF-8.
Console OpenConsole();

}  // namespace yinshi
