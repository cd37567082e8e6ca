#include "platform/console.hpp"

#include <langinfo.h>
#include <unistd.h>
#include <clocale>
#include <cstring>

#include "platform/plain_renderer.hpp"
#include "platform/stream_keyboard.hpp"
#include "platform/terminal_renderer.hpp"
#include "platform/termios_keyboard.hpp"

namespace yinshi {

namespace {
void UseUtf8Locale() {
    std::setlocale(LC_CTYPE, "");
    const char* codeset = nl_langinfo(CODESET);
    if (codeset == nullptr || std::strcmp(codeset, "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}
}  // namespace

Console::Console(int inputFd, int outputFd)
    : drawsOnTerminal_(isatty(outputFd) == 1), readsTerminal_(isatty(inputFd) == 1), outputFd_(outputFd) {
    if (drawsOnTerminal_ || readsTerminal_) {
        session_ = std::make_unique<TerminalSession>(readsTerminal_ ? inputFd : -1, drawsOnTerminal_ ? outputFd : -1);
    }
    if (drawsOnTerminal_) {
        auto drawn = std::make_unique<TerminalRenderer>(screen, outputFd, TerminalSizeOf(outputFd));
        terminal_ = drawn.get();
        renderer_ = std::move(drawn);
    } else {
        renderer_ = std::make_unique<PlainRenderer>(outputFd);
    }
    screen.SetListener(renderer_.get());
    auto show = [this] { Show(); };
    if (readsTerminal_) {
        keys_ = std::make_unique<TermiosKeyboard>(inputFd, show, session_->ResizeFd());
    } else {
        keys_ = std::make_unique<StreamKeyboard>(inputFd, show);
    }
    renderer_->Flush();
}

// A resize is drawn here, where the engine hands over the screen, never from
// the signal handler.
void Console::Show() {
    if (!renderer_) return;
    if (terminal_ != nullptr && session_->TakeResize()) terminal_->Resize(TerminalSizeOf(outputFd_));
    renderer_->Flush();
}

void Console::Close() {
    if (renderer_) {
        Show();
        terminal_ = nullptr;
        screen.SetListener(nullptr);
        renderer_.reset();  // flushes
    }
    if (session_) session_->Restore();
}

Console OpenConsole() {
    UseUtf8Locale();
    return Console(STDIN_FILENO, STDOUT_FILENO);
}

}  // namespace yinshi
