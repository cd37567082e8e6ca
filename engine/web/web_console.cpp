#include "web/web_console.hpp"

#include <fcntl.h>
#include <unistd.h>

#include "platform/fd_io.hpp"

namespace yinshi::web {

namespace {
// Made by web_pre.js before the program starts.
constexpr const char* kScreenDevice = "/dev/yinshi-screen";

int OpenScreen() {
    const int fd = open(kScreenDevice, O_WRONLY);
    // The page's terminal is fresh, so it needs only the mode the renderer expects: the
    // scrolling region rows 1-24 and no auto-wrap, as a terminal session sets them.
    if (fd >= 0) WriteAll(fd, "\x1b[0m\x1b[?7l\x1b[1;24r\x1b[H\x1b[2J");
    return fd;
}
}  // namespace

WebConsole::WebConsole() : keys([this] { renderer_.Flush(); }), fd_(OpenScreen()), renderer_(screen, fd_) {
    screen.SetListener(&renderer_);
    renderer_.Flush();
}

WebConsole::~WebConsole() {
    screen.SetListener(nullptr);
    renderer_.Flush();
    if (fd_ >= 0) close(fd_);
}

}  // namespace yinshi::web
